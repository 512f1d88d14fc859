#pragma once

#include "platform/com/ComModule.h"
#include "platform/resources/ModuleResources.h"

// The library itself: its instance handle (the key to its resources) and the count
// of its live objects, which every COM object of the plug-in holds while it lives.
class VeskNotesModule : public zsys::ComModule {
public:
    VeskNotesModule();
    ~VeskNotesModule();
    VeskNotesModule(const VeskNotesModule&) = delete;
    VeskNotesModule& operator=(const VeskNotesModule&) = delete;

    // The handle recorded when the library was attached; null if the attach failed.
    HINSTANCE Instance() const { return instance_; }

private:
    HINSTANCE instance_ = nullptr;
};

// The one module of this library.
VeskNotesModule& TheModule();
