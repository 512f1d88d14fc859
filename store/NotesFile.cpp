#include "store/NotesFile.h"

#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "core/loadException.h"
#include "core/umsgexception.h"
#include "platform/com/ComPtr.h"
#include "platform/system/AppData.h"
#include "resources/ResourceIds.h"
#include "store/FileDescriptor.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <optional>
#include <signal.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
constexpr std::size_t kMaxBaseName = 255;
// How a writer names its temporary file: the prefix, its process id, "-", a number, the suffix.
constexpr std::string_view kTemporaryPrefix = ".notes-", kTemporarySuffix = ".tmp";
// A category name may be nothing but blanks, so blanks that are all an element holds are kept; an
// element holds its first run of plain text itself, which spares a node for every number of the file.
constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

std::u16string BaseName(std::u16string_view path) {
    if (const auto slash = path.find_last_of(u"/\\"); slash != std::u16string_view::npos)
        path.remove_prefix(slash + 1);
    if (const auto dot = path.rfind(u'.'); dot != std::u16string_view::npos) path = path.substr(0, dot);
    return std::u16string(path.substr(0, kMaxBaseName));
}

zsys::ComPtr<ZeltCore::IHostBase> CurrentBase(ZeltCore::IHostView* view) {
    zsys::ComPtr<ZeltCore::IHostBase> base;
    zsys::CheckOn<ZeltCore::IHostView>(zsys::Required(view)->CurrentBase(base.put()));
    return zsys::Required(std::move(base));
}

// Writes what the XML library prints, line feeds as CR LF (also those inside note texts), in large blocks.
class CrLfFileWriter final : public pugi::xml_writer {
public:
    explicit CrLfFileWriter(int fd) : fd_(fd) { buffer_.reserve(kBlock + kBlock / 2); }

    void write(const void* data, std::size_t size) override {
        if (error_) return;
        const char* text = static_cast<const char*>(data);
        const char* end = text + size;
        while (text < end) {
            const auto* feed =
                static_cast<const char*>(std::memchr(text, '\n', static_cast<std::size_t>(end - text)));
            const char* upTo = feed ? feed : end;
            buffer_.append(text, upTo);
            if (!feed) break;
            buffer_.append("\r\n", 2);
            text = feed + 1;
        }
        if (buffer_.size() >= kBlock) Flush();
    }

    // Writes what is buffered; false (with errno set) when the file refused it, now or earlier.
    bool Flush() {
        if (!error_ && !FileDescriptor::WriteAll(fd_, buffer_.data(), buffer_.size())) error_ = errno;
        buffer_.clear();
        if (error_) errno = error_;
        return error_ == 0;
    }

private:
    static constexpr std::size_t kBlock = 1 << 16;
    int fd_;
    std::string buffer_;
    int error_ = 0;
};

// The file a path names after following its symbolic links, which need not exist yet; a loop of links
// is left for the file operations to report.
std::string Resolved(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096), '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0) return path;
        target.resize(static_cast<std::size_t>(length));
        path = target.front() == '/' ? target : NotesFile::FolderOf(path) + "/" + target;
    }
    return path;
}

// A new, empty file beside the target, under a name no one else is using.
int CreateTemporaryBeside(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        NotesFile::FolderOf(target) + "/" + std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(counter++) + std::string(kTemporarySuffix);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The process that wrote a temporary file of ours, from its name; nothing for any other name.
std::optional<pid_t> WriterOf(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) return std::nullopt;
    name =
        name.substr(kTemporaryPrefix.size(), name.size() - kTemporaryPrefix.size() - kTemporarySuffix.size());
    const auto dash = name.find('-');
    const auto digits = [](std::string_view part, std::size_t most) {
        return !part.empty() && part.size() <= most &&
               part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (dash == std::string_view::npos || !digits(name.substr(0, dash), 9) ||
        !digits(name.substr(dash + 1), 10))
        return std::nullopt;
    return static_cast<pid_t>(std::stol(std::string(name.substr(0, dash))));
}

[[noreturn]] void RaiseWriteFailure(const LangLocal& language, int error) {
    std::u16string message = language.LoadString(IDS_EXPORT_FAILED);
    if (const std::u16string description = FromUtf8(std::strerror(error)); !description.empty())
        message.append(u"\n").append(description);
    throw tstd::umsgexception(std::move(message));
}

// A file's bytes in memory the XML library allocated, so that the document can parse them in place and
// own them: the file is never held twice.
class XmlBuffer {
public:
    XmlBuffer() = default;
    XmlBuffer(const XmlBuffer&) = delete;
    XmlBuffer& operator=(const XmlBuffer&) = delete;
    ~XmlBuffer() {
        if (data_) pugi::get_memory_deallocation_function()(data_);
    }

    // Reads a regular file whole; false for anything else, without ever waiting on a pipe.
    bool Read(const std::string& path) {
        std::size_t expected = 0;
        const FileDescriptor file = FileDescriptor::OpenRegular(path, expected);
        if (!file.valid()) return false;
        // One byte more than the file has tells its end without a second read.
        size_ = 0;
        Reserve(expected + 1);
        for (;;) {
            if (size_ == capacity_) Reserve(capacity_ * 2);
            const ssize_t got = ::read(file.get(), data_ + size_, capacity_ - size_);
            if (got == 0) return true;
            if (got < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            size_ += static_cast<std::size_t>(got);
        }
    }
    const char* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    // Hands the bytes to the document, which parses them in place.
    pugi::xml_parse_result LoadInto(pugi::xml_document& document) {
        capacity_ = 0;
        return document.load_buffer_inplace_own(std::exchange(data_, nullptr), std::exchange(size_, 0),
                                                kParseOptions, pugi::encoding_auto);
    }

private:
    void Reserve(std::size_t capacity) {
        auto* grown = static_cast<char*>(pugi::get_memory_allocation_function()(capacity));
        if (!grown) throw std::bad_alloc();
        if (data_) {
            std::memcpy(grown, data_, size_);
            pugi::get_memory_deallocation_function()(data_);
        }
        data_ = grown;
        capacity_ = capacity;
    }

    char* data_ = nullptr;
    std::size_t size_ = 0, capacity_ = 0;
};
} // namespace

std::string NotesFile::FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::u16string NotesFile::Join(std::u16string_view folder, std::u16string_view name) {
    std::u16string joined(folder);
    if (!joined.empty() && joined.back() != u'/') joined.push_back(u'/');
    return joined.append(name);
}

std::u16string NotesFile::Folder() {
    const std::u16string appData = FromUtf8(zsys::AppDataFolder());
    if (appData.empty()) return {};
    return Join(Join(Join(appData, u"Zelt"), u"DirNotes"), u"");
}

std::u16string NotesFile::PathFor(ZeltCore::IHostView* view) {
    const std::u16string folder = Folder();
    if (folder.empty()) return {};
    zsys::Bstr file;
    zsys::CheckOn<ZeltCore::IHostBase>(CurrentBase(view)->FilePath(file.put()));
    return Join(folder, BaseName(file.view()) + u".xml");
}

std::u16string NotesFile::LegacyPathFor(ZeltCore::IHostView* view) {
    const std::u16string folder = Folder();
    if (folder.empty()) return {};
    zsys::Bstr name;
    zsys::CheckOn<ZeltCore::IHostBase>(CurrentBase(view)->Name(name.put()));
    return Join(folder, std::u16string(name.view()) + u".dns");
}

bool NotesFile::EnsureFolder(std::u16string_view folder) {
    std::string path = ToAnsi(folder);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty()) return false;
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    struct stat info {};
    if (errno == EEXIST) return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    if (errno != ENOENT) return false;
    const auto slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0) return false;
    if (!EnsureFolder(FromUtf8(path.substr(0, slash)))) return false;
    return ::mkdir(path.c_str(), 0777) == 0 ||
           (errno == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
}

bool NotesFile::Exists(std::u16string_view path) {
    struct stat info {};
    return !path.empty() && ::stat(ToAnsi(path).c_str(), &info) == 0;
}

void NotesFile::Read(std::u16string_view path, const LangLocal& language, pugi::xml_document& document) {
    const std::string file = ToAnsi(path);
    XmlBuffer bytes;
    if (!bytes.Read(file) || bytes.Size() == 0) throw loadException(language.LoadString(IDS_CANNOT_READ));
    if (bytes.LoadInto(document)) return;

    // Files written by other tools may be UTF-16 without a byte-order mark. The first parse used up the
    // bytes, so they are read again.
    if (!bytes.Read(file) || bytes.Size() == 0) throw loadException(language.LoadString(IDS_CANNOT_READ));
    std::u16string units(bytes.Size() / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), bytes.Data(), units.size() * sizeof(char16_t));
    const std::string utf8 = ToUtf8(units);
    if (!document.load_buffer(utf8.data(), utf8.size(), kParseOptions, pugi::encoding_utf8))
        throw loadException(language.LoadString(IDS_NOT_NOTES));
}

void NotesFile::Write(const pugi::xml_document& document, std::u16string_view path, const LangLocal& language,
                      bool keepOldAside) {
    // Through a symbolic link the file it names is replaced, and the link stays a link.
    const std::string target = Resolved(ToAnsi(path));
    std::string temporary;
    FileDescriptor file(CreateTemporaryBeside(target, temporary));
    if (file.get() < 0) RaiseWriteFailure(language, errno);

    // A crash at any point leaves the old file or the new one, never a part of either; the old one is
    // kept aside only once the new one is whole, so that a failed write leaves everything as it was.
    CrLfFileWriter writer(file.get());
    document.save(writer, "    ", pugi::format_indent, pugi::encoding_utf8);
    struct stat old {};
    const bool written =
        writer.Flush() && ::fsync(file.get()) == 0 &&
        (::stat(target.c_str(), &old) != 0 || ::fchmod(file.get(), old.st_mode & 07777) == 0) &&
        file.Close() && (!keepOldAside || NotesFile::KeepAside(target)) &&
        ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temporary.c_str());
        RaiseWriteFailure(language, error);
    }
    // The rename itself lasts only once the folder is on disk; a failure here loses nothing.
    FileDescriptor folder(::open(NotesFile::FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
}

bool NotesFile::KeepAside(const std::string& file) {
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0) return errno == ENOENT;
    for (int n = 1;; ++n) {
        const std::string aside = file + ".unreadable" + (n == 1 ? std::string() : "-" + std::to_string(n));
        if (::lstat(aside.c_str(), &info) == 0) continue; // an earlier kept file stays
        if (errno != ENOENT) return false;
        if (::link(file.c_str(), aside.c_str()) == 0) return true;
        if (errno == EEXIST) continue;
        return ::rename(file.c_str(), aside.c_str()) == 0;
    }
}

void NotesFile::RemoveStaleTemporaries(std::u16string_view path) {
    if (path.empty()) return;
    const std::string folder = NotesFile::FolderOf(Resolved(ToAnsi(path)));
    DIR* entries = ::opendir(folder.c_str());
    if (!entries) return;
    while (const dirent* entry = ::readdir(entries)) {
        const std::optional<pid_t> writer = WriterOf(entry->d_name);
        // A writer that still runs may still finish its file.
        if (!writer || *writer == ::getpid() || ::kill(*writer, 0) == 0 || errno != ESRCH) continue;
        const std::string name = folder + "/" + entry->d_name;
        struct stat info {};
        if (::lstat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(name.c_str());
    }
    ::closedir(entries);
}
