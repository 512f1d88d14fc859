#pragma once

#include <cstddef>
#include <string>
#include <utility>

// A file descriptor, closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor& operator=(FileDescriptor&&) = delete;
    ~FileDescriptor();

    // A regular file opened for reading, with its size; an invalid descriptor for anything else. A
    // pipe or device in place of a notes file is never waited on.
    static FileDescriptor OpenRegular(const std::string& path, std::size_t& size);

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    // Writes all the bytes, going on after an interruption; false, with errno set, when the file refuses.
    static bool WriteAll(int fd, const char* data, std::size_t size);
    // Closes now, reporting the failure that a delayed write may only show here.
    bool Close();

private:
    int fd_;
};
