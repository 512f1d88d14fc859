#include "store/ChangeJournal.h"

#include "store/NotesFile.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <tuple>
#include <unistd.h>

namespace {
constexpr std::string_view kJournalInfix = ".journal-", kKeptAside = ".unreadable";
// A record is its payload's length, its checksum, then the payload.
constexpr std::size_t kHeader = 8;
// No change of a city comes near this; a length beyond it is damage, not a record.
constexpr std::uint32_t kLargestRecord = 1u << 30;
enum : std::uint8_t { kHasNames = 1 };

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void SyncFolder(const std::string& path) {
    const FileDescriptor folder(
        ::open(NotesFile::FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
}

template <class T> void Put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutText(std::string& out, const std::u16string& text) {
    Put(out, static_cast<std::uint32_t>(text.size()));
    out.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
}

// Reads a payload front to back; every read fails once the payload ran short.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    template <class T> bool Get(T& value) {
        if (bytes_.size() < sizeof value) return false;
        std::memcpy(&value, bytes_.data(), sizeof value);
        bytes_.remove_prefix(sizeof value);
        return true;
    }
    bool GetText(std::u16string& text) {
        std::uint32_t length = 0;
        if (!Get(length) || bytes_.size() / sizeof(char16_t) < length) return false;
        text.resize(length);
        std::memcpy(text.data(), bytes_.data(), length * sizeof(char16_t));
        bytes_.remove_prefix(length * sizeof(char16_t));
        return true;
    }
    bool Done() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};

std::uint32_t Checksum(std::string_view bytes) {
    return static_cast<std::uint32_t>(
        ::crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// The length of the record at `at` when its header is there and its payload lies within `all`.
std::optional<std::uint32_t> FittingLength(std::string_view all, std::size_t at) {
    if (all.size() - at < kHeader) return std::nullopt;
    std::uint32_t length = 0;
    std::memcpy(&length, all.data() + at, sizeof length);
    if (length > kLargestRecord || all.size() - at - kHeader < length) return std::nullopt;
    return length;
}

// Whether the record at `at` of `length` bytes has its checksum and holds a change, then in `change`.
bool WholeRecord(std::string_view all, std::size_t at, std::uint32_t length, ChangeJournal::Change& change) {
    std::uint32_t checksum = 0;
    std::memcpy(&checksum, all.data() + at + 4, sizeof checksum);
    const std::string_view payload = all.substr(at + kHeader, length);
    return Checksum(payload) == checksum && ChangeJournal::Decode(payload, change);
}

// Where the first whole record at or after `from` starts; the end when none does. A record's checksum
// makes a false start within other records' bytes as unlikely as damage it misses.
std::size_t NextWholeRecord(std::string_view all, std::size_t from) {
    ChangeJournal::Change change;
    for (std::size_t at = from; at < all.size(); ++at)
        if (const auto length = FittingLength(all, at); length && WholeRecord(all, at, *length, change))
            return at;
    return all.size();
}

} // namespace

std::string ChangeJournal::Encode(const Change& change) {
    std::string out;
    EncodeInto(change, out);
    return out;
}

void ChangeJournal::EncodeInto(const Change& change, std::string& out) {
    Put(out, static_cast<std::uint8_t>(change.names ? kHasNames : 0));
    if (change.names) {
        Put(out, static_cast<std::uint32_t>(change.names->size()));
        for (const std::u16string& name : *change.names)
            PutText(out, name);
    }
    Put(out, static_cast<std::uint32_t>(change.notes.size()));
    for (const CollectionElement& note : change.notes) {
        Put(out, note.Id());
        PutText(out, note.Text());
        Put(out, static_cast<std::uint32_t>(note.CategoryList().size()));
        for (const std::int32_t category : note.CategoryList())
            Put(out, category);
    }
}

bool ChangeJournal::Decode(std::string_view payload, Change& change) {
    Reader in(payload);
    std::uint8_t flags = 0;
    std::uint32_t count = 0;
    if (!in.Get(flags) || (flags & ~kHasNames) != 0) return false;
    change = Change();
    if (flags & kHasNames) {
        if (!in.Get(count) || count > payload.size() / 4) return false;
        change.names.emplace(count);
        for (std::u16string& name : *change.names)
            if (!in.GetText(name)) return false;
    }
    if (!in.Get(count) || count > payload.size() / 12) return false;
    change.notes.resize(count);
    std::u16string text;
    for (CollectionElement& note : change.notes) {
        std::int32_t id = 0;
        std::uint32_t categories = 0;
        if (!in.Get(id) || !in.GetText(text) || !in.Get(categories) || categories > payload.size() / 4)
            return false;
        note.SetId(id);
        note.SetText(std::move(text));
        for (std::uint32_t n = 0; n < categories; ++n) {
            std::int32_t category = 0;
            if (!in.Get(category)) return false;
            note.AddCategory(category);
        }
    }
    return in.Done();
}

std::optional<ChangeJournal> ChangeJournal::Create(const std::string& notesFile) {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // The process, a count and the time keep names apart between hosts, also within one process.
    const std::string path = notesFile + std::string(kJournalInfix) + std::to_string(::getpid()) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(now.tv_sec) +
                             std::to_string(now.tv_nsec);
    FileDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file.valid()) return std::nullopt;
    if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
        ::unlink(path.c_str());
        return std::nullopt;
    }
    SyncFolder(path); // the journal's name must outlast a power cut as its records do
    return ChangeJournal(path, std::move(file), 0);
}

std::vector<ChangeJournal> ChangeJournal::TakeOverDead(const std::string& notesFile) {
    const std::string folder = NotesFile::FolderOf(notesFile),
                      prefix = NameOf(notesFile) + std::string(kJournalInfix);
    std::vector<std::tuple<std::int64_t, std::int64_t, std::string>> found;
    if (DIR* entries = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(entries)) {
            const std::string_view name = entry->d_name;
            if (!name.starts_with(prefix) || name.find(kKeptAside) != std::string_view::npos) continue;
            const std::string path = folder + "/" + std::string(name);
            struct stat info {};
            if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                found.emplace_back(info.st_mtim.tv_sec, info.st_mtim.tv_nsec, path);
        }
        ::closedir(entries);
    }
    std::sort(found.begin(), found.end());

    std::vector<ChangeJournal> dead;
    for (const auto& [seconds, nanoseconds, path] : found) {
        FileDescriptor file(::open(path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        // A held lock is a host still at work; a journal unlinked meanwhile was written by the host that
        // took it over first.
        if (!file.valid() || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(file.get(), &info) != 0 ||
            info.st_nlink == 0 || !S_ISREG(info.st_mode))
            continue;
        dead.push_back(ChangeJournal(path, std::move(file), static_cast<std::uint64_t>(info.st_size)));
    }
    return dead;
}

bool ChangeJournal::Append(const Change& change, bool sync) {
    // The record is made in place behind room for its header, in a buffer kept between records.
    std::string& record = record_;
    record.assign(kHeader, '\0');
    EncodeInto(change, record);
    const auto length = static_cast<std::uint32_t>(record.size() - kHeader);
    const std::uint32_t checksum = Checksum(std::string_view(record).substr(kHeader));
    std::memcpy(record.data(), &length, sizeof length);
    std::memcpy(record.data() + 4, &checksum, sizeof checksum);
    if (!FileDescriptor::WriteAll(file_.get(), record.data(), record.size()) ||
        (sync && ::fdatasync(file_.get()) != 0)) {
        // A part written stays a torn tail no reader takes; it is cut off so later records follow a whole
        // one.
        if (::ftruncate(file_.get(), static_cast<off_t>(size_)) == 0) ::lseek(file_.get(), 0, SEEK_END);
        return false;
    }
    size_ += record.size();
    return true;
}

ChangeJournal::Ending ChangeJournal::Read(const std::function<void(Change&&)>& visit) const {
    std::string bytes(static_cast<std::size_t>(size_), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            ::pread(file_.get(), bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return Ending::Damaged;
        got += static_cast<std::size_t>(n);
    }
    const std::string_view all(bytes);
    std::size_t at = 0;
    bool damaged = false;
    Change change;
    while (at < all.size()) {
        const std::optional<std::uint32_t> length = FittingLength(all, at);
        if (length && WholeRecord(all, at, *length, change)) {
            visit(std::move(change));
            at += kHeader + *length;
            continue;
        }
        // A bad record (damage, or a write cut short) is passed over to the next whole record, so the records
        // after it still count: its own length may be what was damaged.
        const std::size_t next = NextWholeRecord(all, at + 1);
        if (next == all.size() && !damaged) return Ending::TornTail;
        damaged = true;
        at = next;
    }
    return damaged ? Ending::Damaged : Ending::Whole;
}

bool ChangeJournal::Clear() {
    if (::ftruncate(file_.get(), 0) != 0 || ::lseek(file_.get(), 0, SEEK_SET) != 0 ||
        ::fdatasync(file_.get()) != 0)
        return false;
    size_ = 0;
    return true;
}

void ChangeJournal::Remove(bool keepAside) {
    if (keepAside) NotesFile::KeepAside(path_);
    ::unlink(path_.c_str());
    SyncFolder(path_);
}
