#pragma once

#include "platform/ui/Dialog.h"
#include "resources/ResourceIds.h"

#include <memory>

class LangLocal;

// The question asked before an import would change notes the city already has: Replace,
// Keep or Cancel, under the standard information icon.
class CImportSettingsDlg : public zsys::Dialog {
public:
    enum : WORD { IDD = IDD_IMPORT_CONFLICT };

    explicit CImportSettingsDlg(std::shared_ptr<const LangLocal> language);

    // Asks modally, owned by `owner`: IDC_REPLACE, IDC_KEEP or IDCANCEL (also for the close
    // box and Escape); -1 when the question cannot be shown.
    INT_PTR Ask(HWND owner);

protected:
    bool OnInitDialog() override;
    void OnCommand(int id, int code) override;
    void OnClose() override;

private:
    std::shared_ptr<const LangLocal> language_;
};
