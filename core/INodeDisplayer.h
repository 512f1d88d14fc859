#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"

#include <cstdint>
#include <string>

// What the cards and the directory entries show of a company's note, and what they tell
// the notes controller.
class INodeDisplayer {
public:
    // A card is being built: it becomes the current card and gets the note's commands.
    virtual void CardShown(ZeltCore::IHostCardCommands* commands, ZeltCore::IHostCardContext* card) = 0;
    virtual ~INodeDisplayer() = default;
    // The host collection of the category images that the marks name.
    virtual zsys::ComPtr<IUnknown> CategoryImages() = 0;
    // The company's note text for a display kind; empty when it has none.
    virtual std::u16string NoteHtml(std::int32_t company, std::int32_t kind) = 0;
    // The category marks of the company's note, each a link; empty when it has none.
    virtual std::u16string CategoryMarksHtml(std::int32_t company) = 0;
    // Starts the search for every company of the category a link names; false, doing
    // nothing, when the link names no category.
    virtual bool ShowCategoryCompanies(const std::u16string& link) = 0;
    // The card opened on the company: its buildings are counted into the map layers of its
    // note's categories.
    virtual void AddMapMarks(ZeltCore::IHostCardContext& card, ZeltCore::IHostDirObject* company) = 0;
    // The card closed: what it counted in is counted out again.
    virtual void RemoveMapMarks(ZeltCore::IHostCardContext& card) = 0;
};
