#include "tests/support/ScriptedDriver.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageBox.h"

namespace testsupport {
ScriptedDriver::ScriptedDriver() : previous_(zsys::InstallDesktopDriver(this)) {}

ScriptedDriver::~ScriptedDriver() {
    zsys::InstallDesktopDriver(previous_);
}

ScriptedDriver& ScriptedDriver::Action(std::string what, std::function<bool(HWND dialog)> act) {
    steps_.push_back({Step::Kind::Action, std::move(what), std::move(act)});
    return *this;
}

ScriptedDriver& ScriptedDriver::Type(int id, std::u16string text) {
    return Action("type into " + std::to_string(id),
                  [id, text](HWND d) { return zsys::input::TypeText(zsys::GetDlgItem(d, id), text); });
}

ScriptedDriver& ScriptedDriver::Click(int id) {
    return Action("click " + std::to_string(id),
                  [id](HWND d) { return zsys::input::Click(zsys::GetDlgItem(d, id)); });
}

ScriptedDriver& ScriptedDriver::PressKey(int key) {
    return Action("key " + std::to_string(key), [key](HWND d) { return zsys::input::PressKey(d, key); });
}

ScriptedDriver& ScriptedDriver::Close() {
    return Action("close box", [](HWND d) { return zsys::input::CloseBox(d); });
}

ScriptedDriver& ScriptedDriver::Do(std::function<void(HWND dialog)> step) {
    return Action("do", [step = std::move(step)](HWND d) {
        step(d);
        return true;
    });
}

ScriptedDriver& ScriptedDriver::AnswerMessageBox(int answer) {
    steps_.push_back({Step::Kind::Message, "answer " + std::to_string(answer), {}, answer});
    return *this;
}

ScriptedDriver& ScriptedDriver::AnswerFile(std::optional<std::u16string> path) {
    steps_.push_back({Step::Kind::File, "file", {}, 0, std::move(path)});
    return *this;
}

int ScriptedDriver::MessageBox(HWND owner, std::u16string_view text, std::u16string_view caption, UINT type) {
    messages_.push_back({owner, std::u16string(text), std::u16string(caption), type});
    if (steps_.empty() || steps_.front().kind != Step::Kind::Message) return zsys::DefaultAnswer(type);
    const int answer = steps_.front().answer;
    steps_.pop_front();
    return answer;
}

void ScriptedDriver::RunModal(HWND dialog) {
    dialogs_.push_back(zsys::DialogTemplateId(dialog));
    while (!zsys::input::DialogEnded(dialog) && !steps_.empty() &&
           steps_.front().kind == Step::Kind::Action) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        if (!step.act(dialog)) refused_.push_back(step.what);
    }
}

std::optional<std::u16string> ScriptedDriver::ChooseFile(const zsys::FileDialogRequest& request) {
    fileRequests_.push_back(request);
    if (steps_.empty() || steps_.front().kind != Step::Kind::File) return std::nullopt;
    auto path = std::move(steps_.front().path);
    steps_.pop_front();
    return path;
}
} // namespace testsupport
