#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"
#include "store/CollectionElement.h"

#include <cstdint>

class NoteCollection;

// The note a card command works on: a copy of the note of the company the card shows,
// or a new note carrying the company's stable id. Nothing reaches the collection until
// Store.
class CardNote {
public:
    // Reads the company from the card. E_UNEXPECTED when no card has been shown yet,
    // E_POINTER when the card shows no object; a host failure, or a "stable_id" that is
    // no 32-bit number, is raised as a COM error.
    CardNote(ZeltCore::IHostCardContext* card, const NoteCollection& notes);

    // The company's key in the collection.
    std::int32_t Key() const { return key_; }
    CollectionElement& Note() { return note_; }

    // Stores the note under the company, or removes the company's note when it is left
    // empty.
    void Store(NoteCollection& notes) const;

private:
    std::int32_t key_ = 0;
    CollectionElement note_;
};

// The directory object a card shows; E_POINTER when it shows none.
zsys::ComPtr<ZeltCore::IHostDirObject> ObjectOnCard(ZeltCore::IHostCardContext& card);
