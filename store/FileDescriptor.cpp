#include "store/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

FileDescriptor FileDescriptor::OpenRegular(const std::string& path, std::size_t& size) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file.valid() || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return FileDescriptor(-1);
    size = static_cast<std::size_t>(info.st_size);
    return file;
}

bool FileDescriptor::Close() {
    return ::close(std::exchange(fd_, -1)) == 0;
}
