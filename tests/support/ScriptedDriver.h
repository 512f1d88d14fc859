#pragma once

#include "platform/ui/DesktopDriver.h"
#include "platform/ui/FileDialog.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {
// Plays the person at the desktop from a script, as a test writes it: actions on the dialog
// that runs (the innermost one), done in order while it runs, and answers to message boxes and
// file dialogs, taken when one is asked. Installs itself while it lives.
//
// A dialog whose next step is no action (the script ran out, or it expects a message box that
// did not come) is left to the system, which closes it. A message box that finds no answer in
// front gets its default answer, a file dialog is cancelled.
class ScriptedDriver : public zsys::DesktopDriver {
public:
    ScriptedDriver();
    ~ScriptedDriver() override;
    ScriptedDriver(const ScriptedDriver&) = delete;
    ScriptedDriver& operator=(const ScriptedDriver&) = delete;

    // Actions on the running dialog's controls, by id.
    ScriptedDriver& Type(int id, std::u16string text);
    ScriptedDriver& Click(int id);
    ScriptedDriver& PressKey(int key);
    ScriptedDriver& Close();
    // Anything else done while the dialog runs (looking at it, mostly).
    ScriptedDriver& Do(std::function<void(HWND dialog)> step);
    // Answers.
    ScriptedDriver& AnswerMessageBox(int answer);
    ScriptedDriver& AnswerFile(std::optional<std::u16string> path); // nothing: cancel

    struct Message {
        HWND owner;
        std::u16string text, caption;
        UINT type;
    };
    // What was shown, in order.
    const std::vector<Message>& Messages() const { return messages_; }
    const std::vector<WORD>& Dialogs() const { return dialogs_; } // the template ids
    const std::vector<zsys::FileDialogRequest>& FileRequests() const { return fileRequests_; }
    // Actions that found nothing to act on, such as a click on a disabled button, described.
    const std::vector<std::string>& Refused() const { return refused_; }
    // Steps of the script not played.
    std::size_t StepsLeft() const { return steps_.size(); }

    int MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) override;
    void RunModal(HWND dialog) override;
    std::optional<std::u16string> ChooseFile(const zsys::FileDialogRequest& request) override;

private:
    struct Step {
        enum class Kind { Action, Message, File } kind;
        std::string what;
        std::function<bool(HWND dialog)> act;
        int answer = 0;
        std::optional<std::u16string> path;
    };
    ScriptedDriver& Action(std::string what, std::function<bool(HWND dialog)> act);

    zsys::DesktopDriver* previous_;
    std::deque<Step> steps_;
    std::vector<Message> messages_;
    std::vector<WORD> dialogs_;
    std::vector<zsys::FileDialogRequest> fileRequests_;
    std::vector<std::string> refused_;
};
} // namespace testsupport
