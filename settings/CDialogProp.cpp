#include "settings/CDialogProp.h"

#include "core/CountPhrase.h"
#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "core/uexception.h"
#include "platform/system/Text.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"
#include "settings/CImportSettingsDlg.h"
#include "store/IOptionsWork.h"
#include "store/ISearchAndImageManager.h"

#include <optional>
#include <utility>

namespace {
// The wait cursor while the notes are read or written; the cursor shown before comes back
// however the step ends.
class WaitCursor {
public:
    WaitCursor() : previous_(zsys::SetCursor(zsys::LoadCursor(IDC_WAIT))) {}
    ~WaitCursor() { zsys::SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// A flow's title and error caption, loaded the first time the flow runs and kept for the
// life of the plug-in.
struct FlowTexts {
    std::u16string title, error;
};

const FlowTexts& ImportTexts(const LangLocal& language) {
    static const FlowTexts texts{language.LoadString(IDS_IMPORT), language.LoadString(IDS_IMPORT_ERROR)};
    return texts;
}

const FlowTexts& ExportTexts(const LangLocal& language) {
    static const FlowTexts texts{language.LoadString(IDS_EXPORT), language.LoadString(IDS_EXPORT_ERROR)};
    return texts;
}

// The open and save dialogs of notes files, owned by the active window.
zsys::FileDialogRequest NotesFileRequest(DWORD flags) {
    zsys::FileDialogRequest request;
    request.owner = zsys::ActiveWindow();
    request.filters = {{u"XML Files", u"*.xml"}};
    request.defaultExtension = u"xml";
    request.flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | flags;
    request.maxPath = 260;
    return request;
}

// A name as the user typed it, cut to the longest name the list takes. A cut that would
// split a character written as two UTF-16 units drops its first half too: a name must
// stay text that the notes file can hold.
std::u16string CutName(const char16_t* text) {
    std::u16string name(text);
    if (name.size() > CDialogProp::kMaxName) {
        name.resize(CDialogProp::kMaxName);
        if (name.back() >= 0xD800 && name.back() <= 0xDBFF) name.pop_back();
    }
    return name;
}

} // namespace

CDialogProp::CDialogProp(IOptionsWork& options, std::shared_ptr<const LangLocal> language)
    : options_(options), language_(std::move(language)) {}

void CDialogProp::Open(IOptionsWork& options, std::shared_ptr<const LangLocal> language) {
    CDialogProp dialog(options, std::move(language));
    dialog.DoModal(TheModule().Instance(), IDD, zsys::ActiveWindow());
    if (dialog.failure_) std::rethrow_exception(dialog.failure_);
}

template <class Handler> void CDialogProp::Guarded(Handler handler) {
    try {
        handler();
    } catch (...) {
        if (!failure_) failure_ = std::current_exception();
    }
}

bool CDialogProp::OnInitDialog() {
    Guarded([&] {
        zsys::SetWindowText(Window(), language_->LoadString(IDS_SETTINGS_CAPTION));
        zsys::SetWindowText(Item(IDCANCEL), language_->LoadString(IDS_CLOSE));
        for (HWND control : zsys::Children(Window()))
            if (zsys::ControlId(control) == -1)
                zsys::SetWindowText(control, language_->LoadString(IDS_CATEGORY_NAME));
        zsys::SetWindowText(Item(IDC_IMPORT), language_->LoadString(IDS_IMPORT));
        zsys::SetWindowText(Item(IDC_EXPORT), language_->LoadString(IDS_EXPORT));
        zsys::SetWindowText(Item(IDC_DELETE_NOTES), language_->LoadString(IDS_DELETE_NOTES));
        list_ = Item(IDC_CATEGORY_LIST);
        // The swatches belong to the category table; the list only shows them.
        zsys::listview::SetImageList(list_, options_.CategoryTable().ImageList());
        FillList();
    });
    return true;
}

void CDialogProp::FillList() {
    const ISearchAndImageManager& categories = options_.CategoryTable();
    zsys::listview::DeleteAllItems(list_);
    for (int i = 0; i < categories.CategoryCount(); ++i)
        zsys::listview::InsertItem(list_, i, categories.CategoryName(i), i);
}

std::vector<std::u16string> CDialogProp::TableNames() const {
    std::vector<std::u16string> names;
    for (int i = 0; i < options_.CategoryTable().CategoryCount(); ++i)
        names.push_back(options_.CategoryTable().CategoryName(i));
    return names;
}

std::vector<std::u16string> CDialogProp::ListNames() const {
    std::vector<std::u16string> names;
    for (int i = 0; i < options_.CategoryTable().CategoryCount(); ++i)
        names.push_back(zsys::listview::ItemText(list_, i));
    return names;
}

int CDialogProp::Tell(const std::u16string& text, const std::u16string& caption, UINT type) const {
    return MessageBoxW(Window(), text.c_str(), caption.c_str(), type);
}

void CDialogProp::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_IMPORT:
        Guarded([&] { OnImport(); });
        break;
    case IDC_EXPORT:
        Guarded([&] { OnExport(); });
        break;
    case IDC_DELETE_NOTES:
        Guarded([&] { OnDeleteNotes(); });
        break;
    case IDOK:
    case IDCANCEL:
        CloseWith(id);
        break;
    default:
        break;
    }
}

LRESULT CDialogProp::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_CATEGORY_LIST) return 0;
    if (header.code == NM_CLICK) Guarded([&] { OnClickList(); });
    // The notification of an ended edit starts with its header, as the list sends it.
    if (header.code == LVN_ENDLABELEDITW)
        Guarded([&] { OnEndLabelEdit(reinterpret_cast<const NMLVDISPINFOW&>(header)); });
    return 0;
}

void CDialogProp::OnClose() {
    CloseWith(0);
}

// One click on a name starts editing it at once; a click beside the names does nothing.
void CDialogProp::OnClickList() {
    UINT flags = 0;
    const int item = zsys::listview::HitTest(list_, zsys::ScreenToClient(list_, zsys::CursorPos()), &flags);
    if (item < 0 || !(flags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON))) return;
    zsys::SetFocus(list_);
    zsys::listview::EditLabel(list_, item);
}

void CDialogProp::OnEndLabelEdit(const NMLVDISPINFOW& info) {
    if (!info.text) return; // cancelled
    const std::u16string name = CutName(info.text);
    if (name.empty()) return; // a category keeps a name
    zsys::listview::SetItemText(list_, info.item, name);
}

void CDialogProp::CloseWith(INT_PTR result) {
    Guarded([&] {
        const std::vector<std::u16string> names = ListNames();
        // The swatches must survive the list, which goes with the dialog.
        zsys::listview::SetImageList(list_, nullptr);
        options_.SetCategoryNames(names);
    });
    EndDialog(result);
}

void CDialogProp::OnImport() {
    const FlowTexts& texts = ImportTexts(*language_);
    try {
        const std::optional<std::u16string> path = zsys::GetOpenFileName(NotesFileRequest(OFN_FILEMUSTEXIST));
        if (!path) return;
        NoteList list;
        {
            const WaitCursor wait;
            list = options_.ReadNoteList(*path);
        }
        bool replace = false;
        if (!options_.NoConflicts(list)) {
            const INT_PTR answer = CImportSettingsDlg(language_).Ask(Window());
            if (answer == IDC_REPLACE)
                replace = true;
            else if (answer != IDC_KEEP)
                return; // cancelled: nothing changes and nothing is said
        }
        const WaitCursor wait;
        int count = 0;
        if (replace) {
            // The file's category names replace the table's. The list shows them at once, so
            // that closing the dialog keeps them instead of putting back the names it was filled
            // with; they also win over names edited in the list and not applied yet. A merge
            // that failed before it reached the names leaves the list as it is.
            const std::vector<std::u16string> before = TableNames();
            try {
                count = options_.ImportReplace(*path);
            } catch (...) {
                if (TableNames() != before) FillList();
                throw;
            }
            FillList();
        } else {
            count = options_.ImportKeep(*path);
        }
        const std::u16string said =
            language_->LoadString(replace ? IDS_IMPORTED : IDS_ADDED) + CountPhrase(count, *language_, false);
        Tell(said, texts.title, MB_ICONINFORMATION);
    } catch (const tstd::uexception& e) {
        Tell(e.message(), texts.error, MB_ICONWARNING);
    } catch (...) {
        Tell(language_->LoadString(IDS_UNKNOWN_ERROR), texts.error, MB_ICONWARNING);
    }
}

void CDialogProp::OnExport() {
    const FlowTexts& texts = ExportTexts(*language_);
    try {
        // Exporting onto an existing file replaces it without asking.
        const std::optional<std::u16string> path = zsys::GetSaveFileName(NotesFileRequest(0));
        if (!path) return;
        std::size_t count = 0;
        {
            const WaitCursor wait;
            count = options_.WriteNotes(*path);
        }
        Tell(language_->LoadString(IDS_EXPORTED) +
                 CountPhrase(static_cast<std::int32_t>(count), *language_, false),
             texts.title, MB_ICONINFORMATION);
    } catch (const tstd::uexception& e) {
        Tell(e.message(), texts.error, MB_ICONWARNING);
    } catch (...) {
        Tell(language_->LoadString(IDS_UNKNOWN_ERROR), texts.error, MB_ICONWARNING);
    }
}

void CDialogProp::OnDeleteNotes() {
    std::u16string question = language_->LoadString(IDS_DELETE_QUESTION);
    zsys::ReplaceAll(question, u"{base_city_name}", options_.CityName());
    if (Tell(question, language_->LoadString(IDS_DELETE_CAPTION), MB_YESNO | MB_ICONQUESTION) == IDYES)
        options_.DeleteAllNotes();
}
