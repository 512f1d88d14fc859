#include "platform/com/ComModule.h"

namespace {
// Every live object of the host counts here; after a plug-in has stopped and been
// released, only the host's own references may remain.
zsys::ComModule g_hostModule;
} // namespace

zsys::ComModule& zsys::ThisModule() noexcept { return g_hostModule; }
