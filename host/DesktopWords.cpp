#include "host/DesktopWords.h"

#include "host/Utf.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowStyles.h"

namespace host {
std::string ControlKind(HWND control) {
    const std::u16string className = zsys::ClassName(control);
    const DWORD style = zsys::Style(control);
    if (className == u"Button") {
        const DWORD type = style & BS_TYPEMASK;
        return type == BS_GROUPBOX ? "group" : type == BS_DEFPUSHBUTTON ? "default-button" : "button";
    }
    if (className == u"Static") return (style & 0x1F) == SS_ICON ? "icon" : "static";
    if (className == u"Edit") return "edit";
    if (className == kListViewClass) return "list";
    return Utf8(className);
}

const char* MessageBoxIcon(UINT type) {
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
        return "error";
    case MB_ICONQUESTION:
        return "question";
    case MB_ICONWARNING:
        return "warning";
    case MB_ICONINFORMATION:
        return "information";
    default:
        return "none";
    }
}

const SearchWords& SearchWordsIn(LANGID language) {
    // By primary language, so that every Spanish or Russian variant reads its own words.
    static const std::pair<unsigned, SearchWords> kWords[] = {
        {0x09, {u"Found companies", u"company name", u"Name"}},
        {0x19, {u"Найденные организации", u"название организации", u"Название"}},
        {0x22, {u"Знайдені організації", u"назва організації", u"Назва"}},
        {0x05, {u"Nalezené firmy", u"název firmy", u"Název"}},
        {0x10, {u"Aziende trovate", u"nome dell'azienda", u"Nome"}},
        {0x0A, {u"Empresas encontradas", u"nombre de la empresa", u"Nombre"}},
    };
    for (const auto& [primary, words] : kWords)
        if (primary == (language & 0x3FFu)) return words;
    return kWords[0].second;
}

MessageButtons MessageBoxButtons(UINT type) {
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
} // namespace host
