#include "platform/ui/DialogTemplate.h"

#include "platform/ui/WindowStyles.h"

#include <cstring>

namespace zsys {
namespace {
// A cursor over template bytes that fails softly: once it runs past the end every
// read gives 0 and `ok` is false.
class Reader {
public:
    explicit Reader(std::span<const BYTE> bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }

    template <class T> T Read() {
        T value{};
        if (pos_ + sizeof(T) > bytes_.size()) {
            ok_ = false;
            pos_ = bytes_.size();
            return value;
        }
        std::memcpy(&value, bytes_.data() + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }
    std::u16string ReadString() {
        std::u16string s;
        while (ok_) {
            const char16_t c = Read<char16_t>();
            if (c == 0 || !ok_) break;
            s.push_back(c);
        }
        return s;
    }
    // A string or an ordinal (0xFFFF and a WORD).
    std::u16string ReadStringOrOrdinal(WORD& ordinal) {
        ordinal = 0;
        const std::size_t start = pos_;
        if (Read<WORD>() == 0xFFFF) {
            ordinal = Read<WORD>();
            return {};
        }
        pos_ = start;
        return ReadString();
    }
    void AlignTo4() { pos_ = (pos_ + 3) & ~std::size_t(3); }

private:
    std::span<const BYTE> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

std::u16string ClassOfAtom(WORD atom) {
    switch (atom) {
    case kButtonAtom: return u"Button";
    case kEditAtom: return u"Edit";
    case kStaticAtom: return u"Static";
    case kListBoxAtom: return u"ListBox";
    case kScrollBarAtom: return u"ScrollBar";
    case kComboBoxAtom: return u"ComboBox";
    default: return {};
    }
}
} // namespace

const DialogItem* DialogTemplate::Item(int id) const {
    for (const DialogItem& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

std::optional<DialogTemplate> ParseDialogTemplate(std::span<const BYTE> bytes) {
    Reader r(bytes);
    DialogTemplate t;
    t.style = r.Read<DWORD>();
    t.exStyle = r.Read<DWORD>();
    const WORD count = r.Read<WORD>();
    t.x = r.Read<short>();
    t.y = r.Read<short>();
    t.cx = r.Read<short>();
    t.cy = r.Read<short>();
    WORD ordinal = 0;
    r.ReadStringOrOrdinal(ordinal); // menu
    r.ReadStringOrOrdinal(ordinal); // window class
    t.title = r.ReadString();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Read<WORD>();
        t.fontName = r.ReadString();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.AlignTo4();
        DialogItem item;
        item.style = r.Read<DWORD>();
        item.exStyle = r.Read<DWORD>();
        item.x = r.Read<short>();
        item.y = r.Read<short>();
        item.cx = r.Read<short>();
        item.cy = r.Read<short>();
        const WORD id = r.Read<WORD>();
        item.id = id == 0xFFFF ? -1 : id;
        WORD atom = 0;
        item.className = r.ReadStringOrOrdinal(atom);
        if (atom) item.className = ClassOfAtom(atom);
        item.title = r.ReadStringOrOrdinal(item.titleOrdinal);
        const WORD extra = r.Read<WORD>();
        for (WORD b = 0; b < extra; ++b) r.Read<BYTE>();
        t.items.push_back(std::move(item));
    }
    if (!r.ok()) return std::nullopt;
    return t;
}
} // namespace zsys
