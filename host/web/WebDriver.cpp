#include "host/web/WebDriver.h"

#include "host/DesktopWords.h"
#include "host/web/InterfaceThread.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageBox.h"

#include <algorithm>

namespace host::web {
WebDriver::WebDriver(InterfaceThread& thread, std::chrono::milliseconds patience,
                     std::function<void()> changed)
    : thread_(thread), patience_(patience), changed_(std::move(changed)),
      previous_(zsys::InstallDesktopDriver(this)) {}

WebDriver::~WebDriver() {
    zsys::InstallDesktopDriver(previous_);
}

std::vector<int> WebDriver::Answers(UINT type) {
    std::vector<int> answers;
    for (const auto& [word, answer] : MessageBoxButtons(type).answers)
        answers.push_back(answer);
    if (answers.empty()) answers.push_back(zsys::DefaultAnswer(type));
    return answers;
}

void WebDriver::Run(Modal modal, const std::function<bool(const Modal&)>& ended, Modal* out) {
    modal.serial = ++serials_;
    modals_.push_back(std::move(modal));
    if (changed_) changed_();
    // The stack only grows and shrinks at its top while this loop runs, so this modal stays
    // at the same place; its address does not (a nested one may grow the vector).
    const std::size_t at = modals_.size() - 1;
    thread_.RunNested([&] { return ended(modals_[at]); }, patience_);
    if (out) *out = modals_[at];
    modals_.erase(modals_.begin() + static_cast<std::ptrdiff_t>(at), modals_.end());
    if (changed_) changed_();
}

void WebDriver::RunModal(HWND dialog) {
    Modal modal;
    modal.kind = Modal::Kind::Dialog;
    modal.dialog = dialog;
    Run(
        std::move(modal), [](const Modal& m) { return zsys::input::DialogEnded(m.dialog); }, nullptr);
}

int WebDriver::MessageBox(HWND, std::u16string_view text, std::u16string_view caption, UINT type) {
    Modal modal;
    modal.kind = Modal::Kind::Message;
    modal.text = text;
    modal.caption = caption;
    modal.type = type;
    Modal ended;
    Run(
        std::move(modal), [](const Modal& m) { return m.answer.has_value(); }, &ended);
    if (ended.answer) return *ended.answer;
    // Nobody answered: the way out the box offers.
    const auto answers = Answers(type);
    for (const int way : {IDCANCEL, IDNO})
        if (std::find(answers.begin(), answers.end(), way) != answers.end()) return way;
    return answers.front();
}

std::optional<std::u16string> WebDriver::ChooseFile(const zsys::FileDialogRequest& request) {
    Modal modal;
    modal.kind = Modal::Kind::File;
    modal.request = request;
    Modal ended;
    Run(
        std::move(modal), [](const Modal& m) { return m.chosen.has_value(); }, &ended);
    return ended.chosen ? *ended.chosen : std::nullopt;
}

WebDriver::Modal* WebDriver::Top(int serial) {
    if (modals_.empty() || modals_.back().serial != serial) return nullptr;
    return &modals_.back();
}

bool WebDriver::Answer(Modal& message, int answer) {
    const auto answers = Answers(message.type);
    if (message.kind != Modal::Kind::Message || message.answer ||
        std::find(answers.begin(), answers.end(), answer) == answers.end())
        return false;
    message.answer = answer;
    return true;
}

void WebDriver::Choose(Modal& file, std::optional<std::u16string> path) {
    if (file.kind == Modal::Kind::File && !file.chosen) file.chosen = std::move(path);
}
} // namespace host::web
