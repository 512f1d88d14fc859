#pragma once

#include "card/NodeActions.h"
#include "core/IDirectoryInterface.h"
#include "core/ILayerBlockManager.h"
#include "core/IOnButtonClick.h"
#include "display/MapLayers.h"
#include "display/OpenCardMarks.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "search/ICategoriesSupporter.h"
#include "search/NoteMatchers.h"
#include "store/Categories.h"
#include "store/IOptionsWork.h"
#include "store/NoteCollection.h"
#include "store/NotesStore.h"

#include <memory>
#include <string>

class LangLocal;

// The one controller of the plug-in: owns the city's notes, the category table and
// everything the plug-in registers with the host, from Initialize to Terminate. The
// plug-in's objects call back into it through its small interfaces; it outlives them.
class CommunicationManager : public IDirectoryInterface,
                             public IOnButtonClick,
                             public ILayerBlockManager,
                             public IOptionsWork {
public:
    // Loads the city's notes (or takes over its legacy file), registers the category
    // images and joins the search tab. A host failure leaves by a COM error, and
    // nothing is written then.
    CommunicationManager(zsys::ComPtr<ZeltCore::IHostView> view, std::shared_ptr<LangLocal> language);
    // Writes the notes to the city's notes file (errors swallowed) and lets the host go.
    ~CommunicationManager() override;
    CommunicationManager(const CommunicationManager&) = delete;
    CommunicationManager& operator=(const CommunicationManager&) = delete;

    // INodeDisplayer: the cards, their marks and the map.
    void CardShown(ZeltCore::IHostCardCommands* commands, ZeltCore::IHostCardContext* card) override;
    zsys::ComPtr<IUnknown> CategoryImages() override;
    std::u16string NoteHtml(std::int32_t company, std::int32_t kind) override;
    std::u16string CategoryMarksHtml(std::int32_t company) override;
    bool ShowCategoryCompanies(const std::u16string& link) override;
    void AddMapMarks(ZeltCore::IHostCardContext& card, ZeltCore::IHostDirObject* company) override;
    void RemoveMapMarks(ZeltCore::IHostCardContext& card) override;

    // IOnButtonClick: the card commands.
    void OnButtonClick(const std::u16string& command) override;

    // ILayerBlockManager: the map layers' filters.
    bool HasCategory(BSTR blockName, std::int32_t company) override;

    // IOptionsWork: the settings dialog.
    std::size_t WriteNotes(std::u16string_view path) override;
    int ImportReplace(std::u16string_view path) override;
    int ImportKeep(std::u16string_view path) override;
    ISearchAndImageManager& CategoryTable() override;
    void SetCategoryNames(const std::vector<std::u16string>& names) override;
    bool HasNotes() const override;
    std::size_t DeleteAllNotes() override;
    NoteList ReadNoteList(std::u16string_view path) override;
    bool NoConflicts(const NoteList& list) override;
    std::u16string CityName() override;

    // The map layers show the category names anew (after the names were edited).
    void RefreshLayerCaptions();
    // The category control of the search tab shows the category names anew.
    void RefreshCategoryControl();
    // Runs the shown search again when the organisation page is the one on screen, after
    // many notes changed at once.
    void RefreshResultPage();

    // The notes of the loaded city.
    NoteCollection& Notes() { return notes_; }

    // Opens the settings dialog modally over the active window and returns when it has closed.
    // Raises what went wrong in it without a message of its own.
    void ShowSettings();

protected:
    // The matchers of the search criteria.
    std::int32_t MatchCategory(std::int32_t company) override;
    void SetCategoryCriterion(const std::u16string& value) override;
    std::int32_t MatchText(std::int32_t company) override;
    void SetTextCriterion(const std::u16string& text) override;

private:
    void CreateGroup();
    // Puts the settings button into the group's button area, when the group has one.
    void AddSettingsButton(const zsys::ComPtr<IUnknown>& group);
    // The note edit dialog on the note's text, opened beside the mouse pointer and owned by
    // the active window: true when the user confirmed it, and the note then has the new text.
    // A host main window that cannot be read is raised before the dialog is built.
    bool EditNoteText(CollectionElement& note);
    // A category added to or removed from the note on the current card: the company's
    // buildings are counted into or out of that category's map layer for that card.
    void UpdateCategoryMarks(std::int32_t category, CategoryChange change);
    // After an import or the deletion of all notes: the map counts every open card's note
    // anew, the open cards are built anew and the result page shows the search anew. Each
    // step is taken even after one failed; a host failure on the way is not the change's and is
    // swallowed.
    void NotesChangedAtOnce();
    // Builds every open card anew, the current one last, so that it stays the current card.
    void RefreshOpenCards();

    // Made with the controller and kept for its whole life, in the order they are made.
    std::shared_ptr<LangLocal> language_;
    zsys::ComPtr<ZeltCore::IHostView> view_;
    Categories categories_;
    NoteCollection notes_;
    // The search criteria and their tests over the notes above.
    NoteMatchers matchers_{notes_};
    NodeActions actions_;
    NotesStore store_;
    // Lives as long as the controller: the settings button's command asks it.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);

    // What the controller takes from the host and registers with it as it starts, in that order.
    zsys::ComPtr<ZeltCore::IHostTable> table_;
    zsys::ComPtr<IUnknown> icon_;
    // The category combo of the search tab, refilled after a rename.
    zsys::ComPtr<ICategoriesSupporter> categoryControl_;
    MapLayers layers_;
    zsys::ComPtr<ZeltCore::IStdDirectoryCustomController> dirController_;

    // What follows the host's cards and the settings from then on.
    OpenCardMarks openCards_{layers_};
    // The card of the latest CardShown, which the commands work on. Held counted, so that
    // a command reaching the controller after the host let the card go finds it alive.
    zsys::ComPtr<ZeltCore::IHostCardContext> card_;
    // An import took category names from a file that the views do not show yet.
    bool namesNotShown_ = false;
};
