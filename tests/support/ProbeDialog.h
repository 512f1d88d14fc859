#pragma once

// A dialog for the tests of dialogs and their drivers: it notes every handler call and lets
// a test put its own behaviour behind any of them.

#include "platform/resources/ModuleResources.h"
#include "platform/ui/Dialog.h"

#include <functional>
#include <string>
#include <vector>

namespace testsupport {
class ProbeDialog : public zsys::Dialog {
public:
    // Runs the templates of that module.
    explicit ProbeDialog(HMODULE module) : module_(module) {}

    // Handler calls in order: "init", "command <id> <code>", "notify <id> <code>", "close".
    std::vector<std::string> calls;
    std::function<void(ProbeDialog&)> onInit;
    std::function<void(ProbeDialog&)> onClose; // unset: the default close
    // Runs when a button is clicked; unset: the dialog ends with the button's id.
    std::function<void(ProbeDialog&, int id)> onClick;

    INT_PTR Run(WORD templateId, HWND owner = nullptr) { return DoModal(module_, templateId, owner); }

protected:
    bool OnInitDialog() override {
        calls.push_back("init");
        if (onInit) onInit(*this);
        return true; // the system puts the focus where it belongs
    }
    void OnCommand(int id, int code) override {
        calls.push_back("command " + std::to_string(id) + " " + std::to_string(code));
        if (code != BN_CLICKED) return;
        if (onClick)
            onClick(*this, id);
        else
            EndDialog(id);
    }
    LRESULT OnNotify(const NMHDR& header) override {
        calls.push_back("notify " + std::to_string(header.idFrom) + " " + std::to_string(int(header.code)));
        return 0;
    }
    void OnClose() override {
        calls.push_back("close");
        if (onClose)
            onClose(*this);
        else
            Dialog::OnClose();
    }

private:
    HMODULE module_;
};
} // namespace testsupport
