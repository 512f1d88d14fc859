#pragma once

#include "platform/ui/DesktopDriver.h"
#include "platform/ui/FileDialog.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace host::web {
class InterfaceThread;

// The browser as the person at the desktop. A dialog, message box or file dialog the
// plug-in opens goes on the stack of modals that the page draws over itself; its modal
// loop serves the interface thread's tasks (the browser's requests) until the page ends it.
// A page that stops asking for `patience` ends it as the person walking away would: the
// dialog is left to the system (which cancels it), a message box gets its cancelling
// answer (Cancel, else No, else OK) and a file dialog is cancelled.
// Installs itself as the process's desktop driver while it lives.
class WebDriver : public zsys::DesktopDriver {
public:
    // One modal on the stack, the latest on top; only the top one takes input.
    struct Modal {
        enum class Kind { Dialog, Message, File };
        Kind kind = Kind::Dialog;
        int serial = 0; // the page names a modal by it; never reused in a run
        HWND dialog = nullptr;
        std::u16string text, caption; // a message box's
        UINT type = 0;                // MB_…
        zsys::FileDialogRequest request;
        // How the page ended a message box or file dialog.
        std::optional<int> answer;
        std::optional<std::optional<std::u16string>> chosen;
    };

    // `changed` hears every modal opened and closed, on the interface thread.
    WebDriver(InterfaceThread& thread, std::chrono::milliseconds patience, std::function<void()> changed);
    ~WebDriver() override;
    WebDriver(const WebDriver&) = delete;
    WebDriver& operator=(const WebDriver&) = delete;

    int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    void RunModal(HWND dialog) override;
    std::optional<std::u16string> ChooseFile(const zsys::FileDialogRequest& request) override;

    const std::vector<Modal>& Modals() const { return modals_; }
    // The modal of that serial on top of the stack; null when it is not there or not on top.
    Modal* Top(int serial);
    // Ends the message box on top with one of its buttons' answers; false when it has no such button.
    bool Answer(Modal& message, int answer);
    // Ends the file dialog on top with a path, or cancels it (nothing).
    void Choose(Modal& file, std::optional<std::u16string> path);

    // The answers a message box of this type offers (IDOK…), in the order its buttons stand.
    static std::vector<int> Answers(UINT type);

private:
    // Pushes the modal, runs the loop until `ended` or the page's patience runs out, pops it.
    void Run(Modal modal, const std::function<bool(const Modal&)>& ended, Modal* out);

    InterfaceThread& thread_;
    std::chrono::milliseconds patience_;
    std::function<void()> changed_;
    std::vector<Modal> modals_;
    int serials_ = 0;
    zsys::DesktopDriver* previous_;
};
} // namespace host::web
