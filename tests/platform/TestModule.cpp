#include "platform/com/ComModule.h"

namespace {
zsys::ComModule g_testModule;
}

// The test program is a module of its own: its COM objects count here.
zsys::ComModule& zsys::ThisModule() noexcept { return g_testModule; }
