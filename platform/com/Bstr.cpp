#include "platform/com/Bstr.h"

#include "platform/com/ComError.h"

#include <atomic>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
std::atomic<long> g_liveStrings{0};

// The byte count sits in the four bytes before the characters, as in OLE.
std::uint32_t* Header(BSTR s) { return reinterpret_cast<std::uint32_t*>(s) - 1; }
} // namespace

extern "C" {
BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    if (length > (0x7FFFFFFFu - 8) / 2) return nullptr;
    auto* block = static_cast<std::uint32_t*>(std::malloc(4 + (std::size_t(length) + 1) * 2));
    if (!block) return nullptr;
    block[0] = length * 2;
    BSTR s = reinterpret_cast<BSTR>(block + 1);
    if (text)
        std::memcpy(s, text, std::size_t(length) * 2);
    else
        std::memset(s, 0, std::size_t(length) * 2);
    s[length] = 0;
    ++g_liveStrings;
    return s;
}

BSTR SysAllocString(const OLECHAR* text) {
    if (!text) return nullptr;
    return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<char16_t>::length(text)));
}

UINT SysStringLen(BSTR s) { return s ? *Header(s) / 2 : 0; }

void SysFreeString(BSTR s) {
    if (!s) return;
    const long before = g_liveStrings--;
    assert(before > 0);
    (void)before;
    std::free(Header(s));
}
}

namespace zsys {
long LiveBstrCount() { return g_liveStrings.load(); }

BSTR AllocBstr(std::u16string_view text) {
    BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!s) throw std::bad_alloc();
    return s;
}

Bstr::Bstr(std::u16string_view text) : s_(AllocBstr(text)) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) Attach(other.Detach());
    return *this;
}

BSTR* Bstr::put() {
    Attach(nullptr);
    return &s_;
}

void Bstr::Attach(BSTR s) {
    BSTR old = s_;
    s_ = s;
    SysFreeString(old);
}

HRESULT CopyTo(std::u16string_view text, BSTR* out) noexcept try {
    if (!out) return E_POINTER;
    *out = nullptr;
    *out = AllocBstr(text);
    return S_OK;
} catch (...) {
    return Boundary();
}
} // namespace zsys
