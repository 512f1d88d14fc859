#pragma once

#include "platform/Export.h"

#include <atomic>
#include <cassert>

namespace zsys {
// The live-object count of one library. Every COM object of the library holds a
// lock while it lives; the library may be unloaded when the count is 0.
class ComModule {
public:
    void Lock() noexcept { ++count_; }
    void Unlock() noexcept {
        const long before = count_--;
        assert(before > 0);
        (void)before;
    }
    long LockCount() const noexcept { return count_.load(); }

private:
    std::atomic<long> count_{0};
};

// The module of the library this code is linked into; each library defines it once.
ComModule& ThisModule() noexcept;
} // namespace zsys
