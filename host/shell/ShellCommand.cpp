#include "host/shell/ShellCommand.h"

#include "host/shell/ShellText.h"

namespace host {
namespace {
constexpr std::string_view kBlanks = " \t\r\n\v\f";
}

std::vector<std::string_view> ShellArguments::Words() const {
    std::vector<std::string_view> words;
    std::size_t start = rest_.find_first_not_of(kBlanks);
    while (start != std::string_view::npos) {
        const std::size_t end = rest_.find_first_of(kBlanks, start);
        words.push_back(rest_.substr(start, end - start));
        start = rest_.find_first_not_of(kBlanks, end);
    }
    return words;
}

std::u16string ShellArguments::Text() const {
    std::string_view written = rest_;
    const std::size_t start = written.find_first_not_of(" \t");
    written.remove_prefix(start == std::string_view::npos ? written.size() : start);
    // A line typed at a terminal of another system may end in a carriage return.
    if (written.ends_with('\r')) written.remove_suffix(1);
    std::u16string text;
    if (!Unescape(written, text)) throw ShellUsageError();
    return text;
}
} // namespace host
