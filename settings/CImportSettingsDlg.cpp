#include "settings/CImportSettingsDlg.h"

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"

#include <utility>

CImportSettingsDlg::CImportSettingsDlg(std::shared_ptr<const LangLocal> language)
    : language_(std::move(language)) {}

INT_PTR CImportSettingsDlg::Ask(HWND owner) {
    return DoModal(TheModule().Instance(), IDD, owner);
}

bool CImportSettingsDlg::OnInitDialog() {
    zsys::SetWindowText(Window(), language_->LoadString(IDS_IMPORT));
    zsys::SetWindowText(Item(IDC_REPLACE), language_->LoadString(IDS_REPLACE));
    zsys::SetWindowText(Item(IDC_KEEP), language_->LoadString(IDS_KEEP));
    zsys::SetWindowText(Item(IDCANCEL), language_->LoadString(IDS_CANCEL));
    // The message runs over three unnamed lines, top to bottom as the template lists them.
    const unsigned lines[] = {IDS_CONFLICT_FIRST_LINE, IDS_CONFLICT_SECOND_LINE, IDS_CONFLICT_THIRD_LINE};
    std::size_t line = 0;
    for (HWND control : zsys::Children(Window()))
        if (line < std::size(lines) && zsys::ControlId(control) == -1 &&
            zsys::ClassName(control) == u"Static")
            zsys::SetWindowText(control, language_->LoadString(lines[line++]));
    return true;
}

void CImportSettingsDlg::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == IDC_REPLACE || id == IDC_KEEP || id == IDCANCEL) EndDialog(id);
}

void CImportSettingsDlg::OnClose() {
    EndDialog(IDCANCEL);
}
