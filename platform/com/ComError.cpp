#include "platform/com/ComError.h"

#include <cstdio>
#include <new>

namespace zsys {
ComError::ComError(HRESULT hr, const IID& iid) : hr_(hr), iid_(iid) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%08X", unsigned(hr));
    text_ = std::string("COM error ") + buf + " from " + FormatGuid(iid);
}

HRESULT Boundary() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}
} // namespace zsys
