#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"

#include <set>
#include <stdexcept>
#include <string>

namespace host {
// A failure to load or start a plug-in library, with what went wrong.
struct PluginError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One plug-in library, loaded the way the host loads every plug-in: dlopen, then its
// CreateZeltPlugin factory. The library stays loaded until this object goes, and then
// only while any of its objects is alive.
class PluginLibrary {
public:
    // Loads the library and creates its plug-in object; raises PluginError.
    explicit PluginLibrary(const std::string& path);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // The plug-in object as the factory gave it; null once released.
    const zsys::ComPtr<IUnknown>& Plugin() const { return plugin_; }
    // The description XML; raises PluginError when the plug-in has none.
    std::u16string Description() const;
    // Lets the plug-in object go; the library stays loaded.
    void Release() { plugin_ = nullptr; }
    // The plug-in module's live objects (-1 when it does not report them).
    long LiveObjects() const;

private:
    void KeepLoadedBesides(const std::set<std::string>& before) const;

    std::string moduleName_;
    void* handle_ = nullptr;
    zsys::ComPtr<IUnknown> plugin_;
};
} // namespace host
