#pragma once

#include "core/uexception.h"

// Notes could not be loaded from a file; nothing in memory has changed when it is raised before a merge.
class loadException : public tstd::uexception {
public:
    using tstd::uexception::uexception;
};
