#include "store/LegacyNotesImport.h"

#include "core/TextFunctions.h"
#include "store/FileDescriptor.h"
#include "store/NoteCollection.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
// Code page 1251 maps each byte to one character, so converting every byte once through the code page
// converter gives a table that converts whole lines as fast as they can be read.
const std::array<char16_t, 256>& Cp1251() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> units{};
        UErrorCode status = U_ZERO_ERROR;
        UConverter* converter = ucnv_open("windows-1251", &status);
        for (unsigned byte = 0; byte < units.size(); ++byte) {
            const char in = static_cast<char>(byte);
            UChar out = 0xFFFD;
            UErrorCode error = U_ZERO_ERROR;
            if (U_FAILURE(status) || ucnv_toUChars(converter, &out, 1, &in, 1, &error) != 1 ||
                U_FAILURE(error))
                out = byte < 0x80 ? static_cast<UChar>(byte) : u'\uFFFD';
            units[byte] = out;
        }
        ucnv_close(converter);
        return units;
    }();
    return table;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A signed decimal after optional white space at `at`, moving `at` past it; nothing without digits or
// beyond 32 bits.
std::optional<std::int32_t> ReadNumber(std::string_view line, std::size_t& at) {
    std::size_t i = at;
    while (i < line.size() && IsSpace(line[i]))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    const std::size_t digits = i;
    std::int64_t magnitude = 0;
    constexpr std::int64_t kMax = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (line[i] - '0');
        if (magnitude > kMax) return std::nullopt;
    }
    if (i == digits) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    at = i;
    return static_cast<std::int32_t>(value);
}

// The note text of a line: code page 1251, a written "\n" standing for a line break.
std::u16string TextOf(std::string_view written) {
    const auto& cp1251 = Cp1251();
    std::u16string text(written.size(), u'\0');
    char16_t* out = text.data();
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\\' && i + 1 < written.size() && written[i + 1] == 'n') {
            *out++ = u'\n';
            ++i;
        } else {
            *out++ = cp1251[static_cast<unsigned char>(written[i])];
        }
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

// The whole of a regular file; false for anything else.
bool ReadFile(const std::string& path, std::string& bytes) {
    std::size_t size = 0;
    const FileDescriptor file = FileDescriptor::OpenRegular(path, size);
    if (!file.valid()) return false;
    bytes.resize(size);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.get(), bytes.data() + got, bytes.size() - got);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return true;
}

// A statement of the file about one company: the company's key and stable id, and what follows the
// underscore.
struct Statement {
    std::int32_t key;
    std::int32_t stableId;
    std::string_view rest;
};

// The statement of a line; nothing for a line that breaks the grammar or names a company the loaded
// city does not have.
std::optional<Statement> StatementOf(std::string_view line, const NoteCollection& notes) {
    std::size_t at = 0;
    const std::optional<std::int32_t> stableId = ReadNumber(line, at);
    if (!stableId || *stableId == 0 || at >= line.size() || line[at] != '_') return std::nullopt;
    const std::optional<std::int32_t> key = notes.KeyOfStableId(*stableId);
    if (!key || *key == 0) return std::nullopt;
    return Statement{*key, *stableId, line.substr(at + 1)};
}

// Applies one statement to a note; whether it added a category or set a text.
bool Apply(std::string_view statement, CollectionElement& note, int categoryCount) {
    bool changed = false;
    if (statement.starts_with("c:")) {
        std::size_t next = 2;
        while (const auto category = ReadNumber(statement, next)) {
            if (*category >= 0 && *category < categoryCount && !note.ContainsCategory(*category)) {
                note.AddCategory(*category);
                changed = true;
            }
        }
    } else if (statement.starts_with("t: ") && statement.size() > 3) {
        note.SetText(TextOf(statement.substr(3)));
        changed = true;
    }
    note.RemoveCategoriesOutside(0, categoryCount - 1);
    return changed;
}

// Stores what the statements make of the notes, as if each were applied to the stored note in turn: the
// statements of one company keep their order, and companies do not meet, so they go company by company
// and the collection takes them all at once.
void StoreAll(std::vector<Statement>& statements, NoteCollection& notes, int categoryCount) {
    const auto byKey = [](const Statement& a, const Statement& b) { return a.key < b.key; };
    if (!std::is_sorted(statements.begin(), statements.end(), byKey))
        std::stable_sort(statements.begin(), statements.end(), byKey);
    std::vector<std::pair<std::int32_t, CollectionElement>> changed;
    for (auto first = statements.begin(); first != statements.end();) {
        const std::int32_t key = first->key;
        std::optional<CollectionElement> stored;
        if (notes.Contains(key)) stored = notes.Get(key);
        bool storedAny = false;
        for (; first != statements.end() && first->key == key; ++first) {
            CollectionElement note;
            if (stored)
                note = *stored;
            else
                note.SetId(first->stableId);
            if (Apply(first->rest, note, categoryCount) && !note.IsEmpty()) {
                stored = std::move(note);
                storedAny = true;
            }
        }
        if (storedAny) changed.emplace_back(key, std::move(*stored));
    }
    notes.SetAll(std::move(changed));
}
} // namespace

std::size_t ImportLegacyNotes(std::u16string_view path, NoteCollection& notes, int categoryCount) {
    std::string bytes;
    if (path.empty() || !ReadFile(ToAnsi(path), bytes)) return notes.Count();
    // The companies of all the lines are looked up first, in one run, so that the host's look-ups overlap.
    std::vector<Statement> statements;
    try {
        for (std::string_view rest(bytes); !rest.empty();) {
            const std::size_t feed = rest.find('\n');
            std::string_view line = rest.substr(0, feed);
            // A line ends in a line feed, with or without a carriage return before it.
            if (line.ends_with('\r')) line.remove_suffix(1);
            if (const auto statement = StatementOf(line, notes)) statements.push_back(*statement);
            if (feed == std::string_view::npos) break;
            rest.remove_prefix(feed + 1);
        }
    } catch (...) {
        StoreAll(statements, notes, categoryCount); // what was stored before a host failure stays
        throw;
    }
    StoreAll(statements, notes, categoryCount);
    return notes.Count();
}
