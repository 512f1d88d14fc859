#pragma once

#include "core/uexception.h"

namespace tstd {
// A failure reported to the user with a message of its own ("Notes export failed.").
class umsgexception : public uexception {
public:
    using uexception::uexception;
};
} // namespace tstd
