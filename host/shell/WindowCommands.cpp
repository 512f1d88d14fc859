// The desktop around the plug-in: the mouse pointer and the host's main window.
#include "host/ZeltHost.h"
#include "host/shell/ShellCommand.h"
#include "platform/ui/Window.h"

#include <charconv>
#include <ostream>
#include <vector>

namespace host {
namespace {
// The words as whole numbers; raises ShellUsageError unless there are `count` of them.
std::vector<LONG> Numbers(const ShellArguments& arguments, std::size_t count) {
    const auto words = arguments.Words();
    if (words.size() != count) throw ShellUsageError();
    std::vector<LONG> numbers;
    for (const std::string_view word : words) {
        LONG n = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
        if (error != std::errc() || end != word.data() + word.size()) throw ShellUsageError();
        numbers.push_back(n);
    }
    return numbers;
}

void Pointer(ShellContext&, const ShellArguments& arguments) {
    const auto at = Numbers(arguments, 2);
    zsys::SetCursorPos({at[0], at[1]});
}

void Frame(ShellContext& c, const ShellArguments& arguments) {
    HWND window = c.host.View().MainFrame().Handle();
    if (!arguments.Empty()) {
        const auto r = Numbers(arguments, 4);
        if (r[2] < r[0] || r[3] < r[1]) throw ShellUsageError();
        zsys::MoveWindow(window, r[0], r[1], r[2] - r[0], r[3] - r[1]);
    }
    const RECT r = zsys::WindowRect(window);
    c.out << "window " << r.left << " " << r.top << " " << r.right << " " << r.bottom << "\n";
}

constexpr ShellCommand kCommands[] = {
    {"pointer", "X Y", "puts the mouse pointer at screen position X, Y", Pointer},
    {"frame", "[L T R B]", "the main window's screen rectangle (set first when given): window L T R B",
     Frame},
};
} // namespace

std::span<const ShellCommand> WindowCommands() {
    return kCommands;
}
} // namespace host
