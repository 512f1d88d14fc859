#include "platform/com/ComError.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace zsys {
ComError::ComError(HRESULT hr, const IID& iid) : hr_(hr), iid_(iid) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%08X", unsigned(hr));
    text_ = std::string("COM error ") + buf + " from " + FormatGuid(iid);
}

namespace {
// Read at every failure, so that a running host can be told to start logging.
bool LogBoundary() noexcept {
    const char* value = std::getenv("VESK_LOG_BOUNDARY");
    return value && std::strcmp(value, "1") == 0;
}

void Log(const SourceLocation& where, const char* what, HRESULT result) noexcept {
    std::fprintf(stderr, "boundary: %s:%u in %s: %s; returns 0x%08X\n", where.file_name(),
                 unsigned(where.line()), where.function_name(), what, unsigned(result));
}
} // namespace

HRESULT Boundary(SourceLocation where) noexcept {
    try {
        throw;
    } catch (const std::exception& e) {
        // A ComError's text carries its HRESULT and interface identifier.
        if (LogBoundary()) Log(where, e.what(), E_FAIL);
        return E_FAIL;
    } catch (...) {
        if (LogBoundary()) Log(where, "an exception of no known type", E_FAIL);
        return E_FAIL;
    }
}
} // namespace zsys
