#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

#include <cstddef>
#include <string>
#include <string_view>

// Automation strings: length-prefixed, NUL-terminated UTF-16, made and freed only
// here so that the host and the plug-in share one allocator.
extern "C" {
ZSYS_API BSTR SysAllocString(const OLECHAR* text);                 // null for a null text
ZSYS_API BSTR SysAllocStringLen(const OLECHAR* text, UINT length); // text may be null: zero-filled
ZSYS_API UINT SysStringLen(BSTR s);                                // 0 for null
ZSYS_API void SysFreeString(BSTR s);                               // null is allowed
}

namespace zsys {
// Strings allocated and not yet freed, for leak accounting in the host and tests.
ZSYS_API long LiveBstrCount();

// The text of a BSTR; a null BSTR is the empty text.
inline std::u16string_view View(BSTR s) {
    return s ? std::u16string_view(s, SysStringLen(s)) : std::u16string_view();
}

// Owns one BSTR. Hands it over with Detach(); never copied by accident.
class ZSYS_API Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view text);
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : s_(other.Detach()) {}
    Bstr& operator=(Bstr&& other) noexcept;
    ~Bstr() { SysFreeString(s_); }

    BSTR get() const { return s_; }
    BSTR* put(); // frees the held string first; for out arguments
    [[nodiscard]] BSTR Detach() {
        BSTR s = s_;
        s_ = nullptr;
        return s;
    }
    void Attach(BSTR s);
    std::u16string_view view() const { return View(s_); }
    std::u16string str() const { return std::u16string(view()); }

private:
    BSTR s_ = nullptr;
};

// A fresh BSTR holding the text; throws std::bad_alloc when it cannot be made.
ZSYS_API BSTR AllocBstr(std::u16string_view text);

// Hands a copy of the text to the host through a BSTR out argument: E_POINTER for a null
// one; the argument is cleared first, so a copy that cannot be made leaves null (E_FAIL).
ZSYS_API HRESULT CopyTo(std::u16string_view text, BSTR* out) noexcept;
} // namespace zsys
