#include "host/shell/ShellDriver.h"

#include "host/DesktopWords.h"
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

HWND ListOf(HWND dialog) {
    for (HWND control : zsys::Children(dialog))
        if (zsys::ClassName(control) == kListViewClass) return control;
    return nullptr;
}

// A dialog command: acts on the dialog and gives what went wrong, or nothing.
using Outcome = std::optional<std::string>;
struct DialogCommand {
    std::string_view name;
    std::string_view arguments;
    std::string_view summary;
    Outcome (*run)(HWND dialog, std::string_view rest, std::ostream& out);
};

Outcome NoSuchControl(int id) {
    return "the dialog has no control " + std::to_string(id);
}

Outcome Set(HWND dialog, std::string_view rest, std::ostream&) {
    const int id = Number(TakeWord(rest));
    const std::u16string text = ShellArguments(rest).Text();
    HWND control = zsys::GetDlgItem(dialog, id);
    if (!control) return NoSuchControl(id);
    if (!zsys::input::TypeText(control, text)) return "control " + std::to_string(id) + " takes no text";
    return std::nullopt;
}

Outcome Press(HWND dialog, std::string_view rest, std::ostream&) {
    const int id = Number(TakeWord(rest));
    NoMore(rest);
    HWND control = zsys::GetDlgItem(dialog, id);
    if (!control) return NoSuchControl(id);
    if (!zsys::input::Click(control)) return "control " + std::to_string(id) + " cannot be pressed";
    return std::nullopt;
}

Outcome Key(HWND dialog, std::string_view rest, int key) {
    NoMore(rest);
    if (!zsys::input::PressKey(dialog, key)) return std::string("the dialog takes no key now");
    return std::nullopt;
}

Outcome Enter(HWND dialog, std::string_view rest, std::ostream&) {
    return Key(dialog, rest, VK_RETURN);
}

Outcome Escape(HWND dialog, std::string_view rest, std::ostream&) {
    return Key(dialog, rest, VK_ESCAPE);
}

Outcome Close(HWND dialog, std::string_view rest, std::ostream&) {
    NoMore(rest);
    if (!zsys::input::CloseBox(dialog)) return std::string("the dialog cannot be closed now");
    return std::nullopt;
}

// Clicks the item and ends the label edit the click started.
Outcome Label(HWND dialog, int item, std::optional<std::u16string> text) {
    HWND list = ListOf(dialog);
    if (!list) return std::string("the dialog has no list");
    if (!zsys::input::ClickListItem(list, item)) return "the list has no item " + std::to_string(item);
    if (zsys::listview::EditingItem(list) < 0)
        return "a click on item " + std::to_string(item) + " edits no label";
    zsys::input::EndLabelEdit(list, std::move(text));
    return std::nullopt;
}

Outcome LabelText(HWND dialog, std::string_view rest, std::ostream&) {
    const int item = Number(TakeWord(rest));
    return Label(dialog, item, ShellArguments(rest).Text());
}

Outcome LabelCancel(HWND dialog, std::string_view rest, std::ostream&) {
    const int item = Number(TakeWord(rest));
    NoMore(rest);
    return Label(dialog, item, std::nullopt);
}

Outcome Items(HWND dialog, std::string_view rest, std::ostream& out) {
    NoMore(rest);
    HWND list = ListOf(dialog);
    if (!list) return std::string("the dialog has no list");
    for (int i = 0; i < zsys::listview::ItemCount(list); ++i)
        out << "item " << i << " " << Quoted(zsys::listview::ItemText(list, i))
            << " image=" << zsys::listview::ItemImage(list, i) << "\n";
    return std::nullopt;
}

constexpr DialogCommand kDialogCommands[] = {
    {"set", "ID TEXT", "replaces the text of control ID", Set},
    {"press", "ID", "clicks button ID", Press},
    {"enter", "", "presses Enter", Enter},
    {"escape", "", "presses Escape", Escape},
    {"close", "", "clicks the dialog's close box", Close},
    {"label", "I TEXT", "clicks item I of the list and ends its label edit with TEXT", LabelText},
    {"label-cancel", "I", "clicks item I of the list and cancels its label edit", LabelCancel},
    {"items", "", "the list's items: item <i> \"<text>\" image=<n>", Items},
};

struct Buttons {
    const char* name;
    std::vector<std::pair<std::string_view, int>> answers;
};

Buttons ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return {"ok", {{"ok", IDOK}}};
    case MB_OKCANCEL:
        return {"okcancel", {{"ok", IDOK}, {"cancel", IDCANCEL}}};
    case MB_YESNOCANCEL:
        return {"yesnocancel", {{"yes", IDYES}, {"no", IDNO}, {"cancel", IDCANCEL}}};
    case MB_YESNO:
        return {"yesno", {{"yes", IDYES}, {"no", IDNO}}};
    case 0x2:
        return {"abortretryignore", {}};
    case 0x5:
        return {"retrycancel", {{"cancel", IDCANCEL}}};
    default:
        return {"unknown", {}};
    }
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
        const auto command = std::find_if(std::begin(kDialogCommands), std::end(kDialogCommands),
                                          [&](const DialogCommand& c) { return c.name == name; });
        if (command == std::end(kDialogCommands)) {
            out_ << "error: unknown dialog command \"" << name << "\"; \"help\" lists the dialog commands\n";
            continue;
        }
        try {
            if (const Outcome failed = command->run(dialog, rest, out_)) out_ << "error: " << *failed << "\n";
        } catch (const ShellUsageError&) {
            out_ << "error: usage: " << command->name << (command->arguments.empty() ? "" : " ")
                 << command->arguments << "\n";
        }
    }
}

int ShellDriver::MessageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) {
    const Buttons buttons = ButtonsOf(type);
    out_ << "message " << Quoted(text) << " caption=" << Quoted(caption) << " buttons=" << buttons.name
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
    for (const DialogCommand& c : kDialogCommands)
        PrintUsage(out, c.name, c.arguments, c.summary);
    out << "at a message box:\n";
    PrintUsage(out, "answer", "ok|cancel|yes|no", "clicks that button");
    out << "at a file dialog:\n";
    PrintUsage(out, "file", "PATH", "chooses the file");
    PrintUsage(out, "cancel", "", "cancels the dialog");
}
} // namespace host
