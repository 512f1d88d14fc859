#include "plugin/CommunicationManager.h"

#include "card/CardNote.h"
#include "card/NoteCommand.h"
#include "core/HostWalks.h"
#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "display/NodeAskDialog.h"
#include "display/NodesDirController.h"
#include "display/NoteHtml.h"
#include "platform/com/SafeArray.h"
#include "platform/resources/ModuleResources.h"
#include "platform/ui/Window.h"
#include "resources/ResourceIds.h"
#include "search/CategorySearch.h"
#include "search/SearchControls.h"
#include "settings/CDialogProp.h"
#include "settings/RibbonGroupButton.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace {
using namespace ZeltCore;

constexpr LONG kSearchGroupKind = 3;

// A host image of one of the plug-in's PNG resources.
zsys::ComPtr<IUnknown> PngImage(IHostView& view, WORD id) {
    zsys::ComPtr<IHostFactory> factory;
    zsys::CheckOn<IHostView>(view.Factory(factory.put()));
    zsys::SafeArray png(
        zsys::MakeByteArray(zsys::ResourceBytes(FindResource(TheModule().Instance(), RT_PNG, id))));
    zsys::ComPtr<IUnknown> image;
    zsys::CheckOn<IHostFactory>(zsys::Required(factory)->CreateImageFromPng(png.get(), image.put()));
    return zsys::Required(image);
}

// The search group's texts, made once for the life of the module, in the language of
// the first controller.
struct GroupTexts {
    std::u16string id = u"VeskNotes.SearchByNode";
    std::u16string placement = u"100SearchGroup";
    std::u16string caption;
    std::u16string description;
};

const GroupTexts& TextsOfGroup(const LangLocal& language) {
    static const GroupTexts texts = [&] {
        GroupTexts t;
        t.caption = language.LoadString(IDS_NOTES);
        t.description = language.LoadString(IDS_GROUP_ABOUT) + language.LoadString(IDS_GROUP_HOWTO);
        return t;
    }();
    return texts;
}

// Takes every step even after one failed, then raises the first failure: the views that
// show one change are all brought up to date as far as the host lets them.
void EveryStep(const std::vector<std::function<void()>>& steps) {
    std::exception_ptr failure;
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

template <class Side> zsys::ComPtr<Side> RequiredSide(const zsys::ComPtr<IUnknown>& group) {
    auto side = group.try_as<Side>();
    if (!side) throw zsys::ComError(E_POINTER, Side::iid);
    return side;
}
} // namespace

CommunicationManager::CommunicationManager(zsys::ComPtr<IHostView> view, std::shared_ptr<LangLocal> language)
    : language_(std::move(language)), view_(std::move(view)), categories_(language_), actions_(language_),
      // A merge that took or dropped notes shows the map, the cards and the result page anew.
      store_(notes_, categories_, view_, language_, [this] { NotesChangedAtOnce(); }) {
    IHostView& hostView = *zsys::Required(view_.get());

    zsys::ComPtr<IHostDatabase> database;
    zsys::CheckOn<IHostView>(hostView.Database(database.put()));
    zsys::ComPtr<IUnknown> table;
    zsys::CheckOn<IHostDatabase>(zsys::Required(database)->Table(zsys::Bstr(u"zelt_org").get(), table.put()));
    table_ = zsys::Required(table).as<IHostTable>();
    notes_.SetTable(table_);

    icon_ = PngImage(hostView, IDP_NOTES_ICON);

    // Read errors are not reported at start; a legacy file is taken over only when the
    // city has no notes file at all.
    store_.LoadAtStartup();

    categories_.RegisterImages(view_.get());
    actions_.Build(this, view_, &categories_);
    CreateGroup();
    layers_.Register(*view_.get(), categories_, icon_, *this, language_);

    // The last step: from here on the host's cards and entries ask for notes.
    dirController_ = NodesDirController::Attach(view_, this);
}

CommunicationManager::~CommunicationManager() {
    store_.SaveAtEnd();
    try {
        NodesDirController::Detach(*view_.get(), dirController_.get());
    } catch (...) {
        // The host keeps a controller it failed to let go; the plug-in stops all the same.
    }
    // The map layers are withdrawn after the directory page controller is detached. A block
    // the host still holds afterwards no longer asks this controller anything.
    try {
        layers_.Unregister(*view_.get());
    } catch (...) {
    }
    openCards_.Forget();
    layers_.Release();
    dirController_ = nullptr;
    card_ = nullptr;
    categoryControl_ = nullptr;
}

void CommunicationManager::CreateGroup() {
    const auto searchTab = host_walks::SearchTabOf(*view_.get());

    const GroupTexts& texts = TextsOfGroup(*language_);
    zsys::ComPtr<IUnknown> group;
    zsys::CheckOn<IHostSearchTab>(searchTab->CreateGroup(kSearchGroupKind, zsys::Bstr(texts.id).get(),
                                                         zsys::Bstr(texts.placement).get(),
                                                         zsys::Bstr(texts.caption).get(), group.put()));
    zsys::Required(group);
    const auto appearance = RequiredSide<IHostSearchGroupAppearance>(group);
    const auto icon = RequiredSide<IHostSearchGroupIcon>(group);

    zsys::CheckOn<IHostSearchGroupIcon>(icon->SetIcon(icon_.get()));
    zsys::CheckOn<IHostSearchGroupAppearance>(
        appearance->SetImage(PngImage(*view_.get(), IDP_SEARCH_GROUP_IMAGE).get()));
    zsys::CheckOn<IHostSearchGroupAppearance>(
        appearance->SetDescription(zsys::Bstr(texts.description).get()));
    const std::u16string clearing = language_->LoadString(IDS_CLEARING),
                         prompt = language_->LoadString(IDS_PROMPT);
    zsys::CheckOn<IHostSearchGroupAppearance>(
        appearance->SetClearTexts(zsys::Bstr(clearing + u" ").get(), zsys::Bstr(clearing).get()));
    zsys::CheckOn<IHostSearchGroupAppearance>(
        appearance->SetPromptTexts(zsys::Bstr(prompt + u" ").get(), zsys::Bstr(prompt).get()));
    zsys::CheckOn<IHostSearchGroupAppearance>(
        appearance->SetResultTexts(zsys::Bstr(language_->LoadString(IDS_NOTE_SEARCH)).get(),
                                   zsys::Bstr(language_->LoadString(IDS_LOOKED_FOR)).get()));
    AddSettingsButton(group);
    categoryControl_ =
        search_controls::AddTo(*RequiredSide<IHostSearchGroup>(group).get(), view_, *language_, categories_);
}

std::size_t CommunicationManager::WriteNotes(std::u16string_view path) {
    return store_.WriteNotes(path);
}
int CommunicationManager::ImportReplace(std::u16string_view path) {
    // Names taken from the file reach the card commands, the search control and the map at
    // the next SetCategoryNames, which the settings dialog calls as it closes.
    const auto names = [&] {
        std::vector<std::u16string> all;
        for (int i = 0; i < categories_.CategoryCount(); ++i)
            all.push_back(categories_.CategoryName(i));
        return all;
    };
    const std::vector<std::u16string> before = names();
    try {
        const int taken = store_.ImportReplace(path);
        namesNotShown_ = namesNotShown_ || names() != before;
        return taken;
    } catch (...) {
        namesNotShown_ = namesNotShown_ || names() != before;
        throw;
    }
}
int CommunicationManager::ImportKeep(std::u16string_view path) {
    return store_.ImportKeep(path);
}
ISearchAndImageManager& CommunicationManager::CategoryTable() {
    return categories_;
}
bool CommunicationManager::HasNotes() const {
    return notes_.Count() > 0;
}
NoteList CommunicationManager::ReadNoteList(std::u16string_view path) {
    return store_.ReadNoteList(path);
}
bool CommunicationManager::NoConflicts(const NoteList& list) {
    return store_.NoConflicts(list);
}
std::u16string CommunicationManager::CityName() {
    return store_.CityName();
}

// The map layers follow the open cards: a noted company's buildings are counted into the
// layers of its note's categories while its card is open.
void CommunicationManager::AddMapMarks(IHostCardContext& card, IHostDirObject* company) {
    LONG id = 0;
    zsys::CheckOn<IHostDirObject>(zsys::Required(company)->Id(&id));
    openCards_.Opened(card, zsys::ComPtr<IHostDirObject>(company), notes_.Get(id).CategoryList());
}

void CommunicationManager::RemoveMapMarks(IHostCardContext& card) {
    openCards_.Closed(card);
}

void CommunicationManager::UpdateCategoryMarks(std::int32_t category, CategoryChange change) {
    if (layers_.Has(category)) openCards_.Changed(*card_.get(), category, change);
}

void CommunicationManager::NotesChangedAtOnce() {
    try {
        EveryStep({[&] {
                       openCards_.Recount(
                           [&](std::int32_t company) { return notes_.Get(company).CategoryList(); });
                   },
                   [&] { RefreshOpenCards(); }, [&] { RefreshResultPage(); }});
    } catch (...) {
        // The notes have changed whatever the host does with what shows them: an import or a
        // deletion is not reported as failed because a card could not be built again, and that
        // card shows the notes when the host next builds it.
    }
}

// The plug-in asks for the open cards to be built anew rather than waiting for the host to
// build them when it comes to them: what they show follows the notes at once, and the map
// marks and the card agree.
void CommunicationManager::RefreshOpenCards() {
    std::vector<std::function<void()>> steps;
    zsys::ComPtr<IHostCardContext> current;
    for (const auto& card : openCards_.Cards()) {
        if (zsys::SameObject(card.get(), card_.get()))
            current = card;
        else
            steps.emplace_back([card] { zsys::CheckOn<IHostCardContext>(card->Refresh()); });
    }
    if (current) steps.emplace_back([current] { zsys::CheckOn<IHostCardContext>(current->Refresh()); });
    EveryStep(steps);
}

bool CommunicationManager::HasCategory(BSTR blockName, std::int32_t company) {
    if (!blockName) return false;
    return notes_.Contains(company) &&
           notes_.Get(company).ContainsCategory(MapLayers::CategoryOfBlockName(zsys::View(blockName)));
}

void CommunicationManager::RefreshLayerCaptions() {
    layers_.RefreshCaptions(*view_.get(), categories_);
}

// The cards: what they show of a note and the commands on them.
void CommunicationManager::CardShown(IHostCardCommands* commands, IHostCardContext* card) {
    card_ = zsys::ComPtr<IHostCardContext>(card);
    LONG company = 0;
    zsys::CheckOn<IHostDirObject>(ObjectOnCard(*zsys::Required(card))->Id(&company));
    const CollectionElement note = notes_.Get(company);
    actions_.UpdateForCard(commands, note.CategoryList(), !note.Text().empty());
}

zsys::ComPtr<IUnknown> CommunicationManager::CategoryImages() {
    return zsys::ComPtr<IUnknown>(categories_.CardImages().Collection());
}

std::u16string CommunicationManager::NoteHtml(std::int32_t company, std::int32_t kind) {
    return NoteTextHtml(notes_.Get(company).Text(), kind);
}

std::u16string CommunicationManager::CategoryMarksHtml(std::int32_t company) {
    return CategoryLinksHtml(notes_.Get(company).CategoryList(), categories_.CategoryCount());
}

void CommunicationManager::OnButtonClick(const std::u16string& name) {
    const NoteCommand command = NoteCommand::Parse(name);
    CardNote card(card_.get(), notes_);
    CollectionElement& note = card.Note();
    switch (command.kind) {
    case NoteCommand::ToggleCategory: {
        const std::int32_t category = command.Category();
        const bool had = note.ContainsCategory(category);
        if (had)
            note.RemoveCategory(category);
        else
            note.AddCategory(category);
        UpdateCategoryMarks(category, had ? CategoryChange::CountOut : CategoryChange::CountIn);
        break;
    }
    case NoteCommand::EditText:
        EditNoteText(note);
        break;
    case NoteCommand::DeleteCategories: {
        for (const std::int32_t category : std::vector(note.CategoryList())) {
            note.RemoveCategory(category);
            UpdateCategoryMarks(category, CategoryChange::CountOut);
        }
        break;
    }
    case NoteCommand::DeleteText:
        note.SetText(u"");
        break;
    case NoteCommand::None:
        break;
    }
    card.Store(notes_);
    zsys::CheckOn<IHostCardContext>(card_->Refresh());
}

bool CommunicationManager::EditNoteText(CollectionElement& note) {
    // The dialog opens at the mouse pointer, unless the pointer is this far right of the
    // host window's left edge; then it opens this much further left, over the window.
    constexpr LONG kPointerFarRight = 400, kDialogShiftLeft = 300;
    HWND window = nullptr;
    zsys::CheckOn<IHostFrame>(host_walks::FrameOf(*view_.get())->Window(&window));
    if (!zsys::IsWindow(window)) throw zsys::ComError(E_POINTER, IHostFrame::iid);
    const RECT host = zsys::WindowRect(window);

    POINT corner = zsys::CursorPos();
    if (corner.x - host.left >= kPointerFarRight) corner.x -= kDialogShiftLeft;
    NodeAskDialog dialog(note.Text(), language_);
    // A dialog that could not be shown (-1) leaves the note as it is, as Cancel does.
    if (dialog.Show(zsys::ActiveWindow(), corner) != IDOK) return false;
    note.SetText(dialog.ResultText());
    return true;
}

// The search by note: the matchers behind the result page's quick filters, the category
// search of a card's link, and the refreshes after many notes or the names changed.
std::int32_t CommunicationManager::MatchCategory(std::int32_t company) {
    return matchers_.MatchCategory(company);
}
void CommunicationManager::SetCategoryCriterion(const std::u16string& value) {
    matchers_.SetCategory(value);
}
std::int32_t CommunicationManager::MatchText(std::int32_t company) {
    return matchers_.MatchText(company);
}
void CommunicationManager::SetTextCriterion(const std::u16string& text) {
    matchers_.SetText(text);
}
bool CommunicationManager::ShowCategoryCompanies(const std::u16string& link) {
    return category_search::Show(*view_.get(), *language_, categories_, link);
}
void CommunicationManager::RefreshCategoryControl() {
    if (categoryControl_) categoryControl_->RefreshCategories();
}
void CommunicationManager::RefreshResultPage() {
    NodesDirController::RefreshResultPage(*view_.get());
}

// The settings: the button of the notes group, the dialog it opens and what the dialog
// asks of the controller beyond the store.
void CommunicationManager::AddSettingsButton(const zsys::ComPtr<IUnknown>& group) {
    const auto buttons = group.try_as<IHostSearchGroupButtons>();
    if (!buttons) return; // a host without buttons in its groups gets none

    // The button's command: opens the settings dialog as the host's options command does.
    // The host may keep the button after the controller has gone (until it drops the group);
    // pressed then, it does nothing.
    struct Action final : RibbonGroupButton::Command {
        explicit Action(CommunicationManager* controller)
            : controller_(controller), alive_(controller->alive_) {}
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;
        void Execute() override {
            if (!alive_.expired()) controller_->ShowSettings();
        }
        CommunicationManager* controller_;
        std::weak_ptr<const bool> alive_;
    };
    const auto button = zsys::Make<RibbonGroupButton>(
        u"VeskNotes.RibbonOptions", language_->LoadString(IDS_CONFIGURE),
        language_->LoadString(IDS_CONFIGURE_TIP), PngImage(*view_.get(), IDP_SETTINGS_BUTTON),
        std::make_shared<Action>(this));
    zsys::CheckOn<IHostSearchGroupButtons>(
        buttons->AddButton(static_cast<IControlAppearance*>(button.get())));
}

void CommunicationManager::ShowSettings() {
    CDialogProp::Open(*this, language_);
}

void CommunicationManager::SetCategoryNames(const std::vector<std::u16string>& names) {
    const NotesStore::Batch renaming(store_); // the new names reach the journal as one change
    bool changed = namesNotShown_;
    for (std::size_t i = 0; i < names.size(); ++i)
        changed = categories_.SetName(static_cast<int>(i), names[i]) || changed;
    if (!changed) return;
    namesNotShown_ = false;
    // The names are in the table now: every view that shows them is refreshed.
    EveryStep({[&] { actions_.RefreshCaptions(); }, [&] { RefreshCategoryControl(); },
               [&] { RefreshLayerCaptions(); }});
}

std::size_t CommunicationManager::DeleteAllNotes() {
    const std::size_t deleted = notes_.RemoveAll();
    if (deleted > 0) NotesChangedAtOnce();
    return deleted;
}
