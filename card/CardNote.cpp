#include "card/CardNote.h"

#include "store/NoteCollection.h"

#include <charconv>

namespace {
using namespace ZeltCore;

// The "stable_id" attribute as the 32-bit number it must be.
std::int32_t StableId(IHostDirObject& company) {
    zsys::Variant value;
    zsys::CheckOn<IHostDirObject>(company.Attribute(zsys::Bstr(u"stable_id").get(), value.put()));
    switch (value.type()) {
    case VT_I4:
        return value.get().lVal;
    case VT_INT:
        return value.get().intVal;
    case VT_BSTR: {
        const std::u16string text = value.ToString();
        std::string digits;
        for (const char16_t c : text)
            digits.push_back(c < 0x80 ? char(c) : '?');
        std::int32_t id = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
        if (error == std::errc() && end == digits.data() + digits.size()) return id;
        break;
    }
    default:
        break;
    }
    throw zsys::ComError(DISP_E_TYPEMISMATCH, IHostDirObject::iid);
}
} // namespace

zsys::ComPtr<IHostDirObject> ObjectOnCard(IHostCardContext& card) {
    zsys::ComPtr<IHostDirObject> object;
    zsys::CheckOn<IHostCardContext>(card.Object(object.put()));
    return zsys::Required(std::move(object));
}

CardNote::CardNote(IHostCardContext* card, const NoteCollection& notes) {
    if (!card) throw zsys::ComError(E_UNEXPECTED, IHostCardContext::iid);
    LONG key = 0;
    zsys::CheckOn<IHostDirObject>(ObjectOnCard(*card)->Id(&key));
    key_ = key;
    if (notes.Contains(key_)) {
        note_ = notes.Get(key_);
    } else {
        note_.SetId(StableId(*ObjectOnCard(*card).get()));
    }
}

void CardNote::Store(NoteCollection& notes) const {
    if (note_.IsEmpty())
        notes.Erase(key_);
    else
        notes.Set(key_, note_);
}
