#pragma once

#include "platform/ui/DesktopDriver.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace host {
// The shell as the person at the desktop: prints every dialog, message box and file
// dialog the plug-in shows and reads what the person does with it from the shell's input.
// Installs itself as the process's desktop driver while it lives.
//
//   dialog <template id> "<caption>" at <x>,<y> size <w>x<h>
//   control <id> <kind> "<text>"                one line per control
//   message "<text>" caption="<caption>" buttons=<ok|okcancel|yesno|...> icon=<...>
//   file-dialog <open|save> filter="<description>|<pattern>" ext=<extension>
//
// With the input at its end a dialog is left to the system (which closes it), a message
// box gets its default answer and a file dialog is cancelled. A command the moment does
// not take prints "error: ..." and the shell waits for the next one.
class ShellDriver : public zsys::DesktopDriver {
public:
    // Reads from `in` and answers on `out`, writing "> " before each read when `prompt` is set.
    ShellDriver(std::istream& in, std::ostream& out, bool prompt);
    ~ShellDriver() override;
    ShellDriver(const ShellDriver&) = delete;
    ShellDriver& operator=(const ShellDriver&) = delete;

    int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    void RunModal(HWND dialog) override;
    std::optional<std::u16string> ChooseFile(const zsys::FileDialogRequest& request) override;

    // The commands of dialogs, message boxes and file dialogs, for the shell's help.
    static void Help(std::ostream& out);

private:
    // The next line with something on it, without its leading blanks; nothing at the end
    // of the input.
    std::optional<std::string> NextLine();

    std::istream& in_;
    std::ostream& out_;
    bool prompt_;
    zsys::DesktopDriver* previous_;
};
} // namespace host
