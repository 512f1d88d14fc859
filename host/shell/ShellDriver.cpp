#include "host/shell/ShellDriver.h"

#include "host/DesktopWords.h"
#include "host/DialogActions.h"
#include "host/Utf.h"
#include "host/shell/ShellCommand.h"
#include "host/shell/ShellText.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/Input.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <charconv>
#include <istream>
#include <ostream>

namespace host {
namespace {
constexpr std::string_view kBlanks = " \t\r\n\v\f";

// Splits the first blank-separated word off `rest`.
std::string_view TakeWord(std::string_view& rest) {
    const std::size_t start = std::min(rest.find_first_not_of(kBlanks), rest.size());
    const std::size_t end = std::min(rest.find_first_of(kBlanks, start), rest.size());
    const std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

int Number(std::string_view word) {
    int n = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (word.empty() || error != std::errc() || end != word.data() + word.size()) throw ShellUsageError();
    return n;
}

void NoMore(std::string_view rest) {
    if (!ShellArguments(rest).Empty()) throw ShellUsageError();
}

void PrintUsage(std::ostream& out, std::string_view name, std::string_view arguments,
                std::string_view summary) {
    std::string usage(name);
    if (!arguments.empty()) usage.append(" ").append(arguments);
    usage.resize(std::max<std::size_t>(usage.size() + 2, 16), ' ');
    out << usage << summary << "\n";
}

// What a control is, as the shell names it, and the text it shows (an icon's is its id).
std::pair<std::string, std::u16string> Describe(HWND control) {
    std::string kind = ControlKind(control);
    if (kind == "icon") return {kind, u"#" + Utf16(std::to_string(zsys::IconId(control)))};
    return {kind, zsys::WindowText(control)};
}

void PrintDialog(std::ostream& out, HWND dialog) {
    const RECT r = zsys::WindowRect(dialog);
    out << "dialog " << zsys::DialogTemplateId(dialog) << " " << Quoted(zsys::WindowText(dialog)) << " at "
        << r.left << "," << r.top << " size " << r.right - r.left << "x" << r.bottom - r.top << "\n";
    for (HWND control : zsys::Children(dialog)) {
        const auto [kind, text] = Describe(control);
        out << "control " << zsys::ControlId(control) << " " << kind << " " << Quoted(text) << "\n";
    }
}

// A dialog action's arguments as the shell reads them: ID, I, then TEXT to the end of the line.
std::string Arguments(const DialogAction& action) {
    std::string arguments = action.needs & DialogAction::kControl ? "ID"
                            : action.needs & DialogAction::kItem  ? "I"
                                                                  : "";
    if (action.needs & DialogAction::kText) arguments += arguments.empty() ? "TEXT" : " TEXT";
    return arguments;
}

DialogInput ReadInput(const DialogAction& action, std::string_view rest) {
    DialogInput input;
    if (action.needs & DialogAction::kControl) input.control = Number(TakeWord(rest));
    if (action.needs & DialogAction::kItem) input.item = Number(TakeWord(rest));
    if (action.needs & DialogAction::kText)
        input.text = ShellArguments(rest).Text();
    else
        NoMore(rest);
    return input;
}

// The shell's own reading of a dialog, beside the actions: the list's items.
constexpr std::string_view kItems = "items";

void PrintItems(std::ostream& out, HWND dialog, std::string_view rest) {
    NoMore(rest);
    HWND list = ListOf(dialog);
    if (!list) {
        out << "error: the dialog has no list\n";
        return;
    }
    for (int i = 0; i < zsys::listview::ItemCount(list); ++i)
        out << "item " << i << " " << Quoted(zsys::listview::ItemText(list, i))
            << " image=" << zsys::listview::ItemImage(list, i) << "\n";
}

} // namespace

ShellDriver::ShellDriver(std::istream& in, std::ostream& out, bool prompt)
    : in_(in), out_(out), prompt_(prompt), previous_(zsys::InstallDesktopDriver(this)) {}

ShellDriver::~ShellDriver() {
    zsys::InstallDesktopDriver(previous_);
}

std::optional<std::string> ShellDriver::NextLine() {
    std::string line;
    for (;;) {
        if (prompt_) out_ << "> ";
        out_.flush();
        if (!std::getline(in_, line)) return std::nullopt;
        const std::size_t start = line.find_first_not_of(kBlanks);
        if (start != std::string::npos) return line.substr(start);
    }
}

void ShellDriver::RunModal(HWND dialog) {
    PrintDialog(out_, dialog);
    while (!zsys::input::DialogEnded(dialog)) {
        const auto line = NextLine();
        if (!line) return;
        std::string_view rest = *line;
        const std::string_view name = TakeWord(rest);
        if (name == kItems) {
            try {
                PrintItems(out_, dialog, rest);
            } catch (const ShellUsageError&) {
                out_ << "error: usage: " << kItems << "\n";
            }
            continue;
        }
        const DialogAction* action = FindDialogAction(name);
        if (!action) {
            out_ << "error: unknown dialog command \"" << name << "\"; \"help\" lists the dialog commands\n";
            continue;
        }
        try {
            if (const auto refused = action->act(dialog, ReadInput(*action, rest)))
                out_ << "error: " << refused->why << "\n";
        } catch (const ShellUsageError&) {
            const std::string arguments = Arguments(*action);
            out_ << "error: usage: " << action->name << (arguments.empty() ? "" : " ") << arguments << "\n";
        }
    }
}

int ShellDriver::MessageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) {
    const MessageButtons buttons = MessageBoxButtons(type);
    out_ << "message " << Quoted(text) << " caption=" << Quoted(caption) << " buttons=" << buttons.kind
         << " icon=" << MessageBoxIcon(type) << "\n";
    for (;;) {
        const auto line = NextLine();
        if (!line) return zsys::DefaultAnswer(type);
        const auto words = ShellArguments(*line).Words();
        if (words.size() == 2 && words[0] == "answer") {
            for (const auto& [word, answer] : buttons.answers)
                if (word == words[1]) return answer;
            out_ << "error: the message box has no \"" << words[1] << "\" button\n";
            continue;
        }
        out_ << "error: a message box waits for \"answer ok|cancel|yes|no\"\n";
    }
}

std::optional<std::u16string> ShellDriver::ChooseFile(const zsys::FileDialogRequest& request) {
    std::u16string filter;
    for (const auto& [description, pattern] : request.filters)
        filter += (filter.empty() ? u"" : u"|") + description + u"|" + pattern;
    out_ << "file-dialog " << (request.save ? "save" : "open") << " filter=" << Quoted(filter)
         << " ext=" << Utf8(request.defaultExtension) << "\n";
    for (;;) {
        const auto line = NextLine();
        if (!line) return std::nullopt;
        std::string_view rest = *line;
        const std::string_view name = TakeWord(rest);
        try {
            if (name == "cancel") {
                NoMore(rest);
                return std::nullopt;
            }
            if (name == "file") {
                std::u16string path = ShellArguments(rest).Text();
                if (path.empty()) throw ShellUsageError();
                return path;
            }
        } catch (const ShellUsageError&) {
        }
        out_ << "error: a file dialog waits for \"file PATH\" or \"cancel\"\n";
    }
}

void ShellDriver::Help(std::ostream& out) {
    out << "in a dialog:\n";
    for (const DialogAction& action : DialogActions())
        PrintUsage(out, action.name, Arguments(action), action.summary);
    PrintUsage(out, kItems, "", "the list's items: item <i> \"<text>\" image=<n>");
    out << "at a message box:\n";
    PrintUsage(out, "answer", "ok|cancel|yes|no", "clicks that button");
    out << "at a file dialog:\n";
    PrintUsage(out, "file", "PATH", "chooses the file");
    PrintUsage(out, "cancel", "", "cancels the dialog");
}
} // namespace host
