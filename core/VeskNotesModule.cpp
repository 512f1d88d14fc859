#include "core/VeskNotesModule.h"

extern const ResourceTable kVeskNotesResources;

namespace {
// Built when the library is attached to the process, destroyed when it is detached.
VeskNotesModule g_module;
} // namespace

VeskNotesModule::VeskNotesModule() : instance_(RegisterModule("VeskNotes", &kVeskNotesResources, this)) {}

VeskNotesModule::~VeskNotesModule() {
    UnregisterModule(instance_);
}

VeskNotesModule& TheModule() {
    return g_module;
}

zsys::ComModule& zsys::ThisModule() noexcept {
    return g_module;
}
