#include "host/PluginLibrary.h"

#include "platform/resources/ModuleResources.h"

#include <dlfcn.h>

#include <filesystem>

namespace host {
namespace {
// A library registers its module under its own name: "libVeskNotes.so" is "VeskNotes".
std::string ModuleName(const std::string& path) {
    std::string name = std::filesystem::path(path).stem().string();
    if (name.rfind("lib", 0) == 0) name.erase(0, 3);
    return name;
}
} // namespace

PluginLibrary::PluginLibrary(const std::string& path) : moduleName_(ModuleName(path)) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw PluginError("cannot load " + path + ": " + dlerror());
    auto create = reinterpret_cast<ZeltCore::CreateZeltPluginFn>(dlsym(handle_, ZeltCore::kCreateZeltPluginName));
    if (!create) {
        dlclose(handle_);
        throw PluginError(path + " has no " + ZeltCore::kCreateZeltPluginName);
    }
    const HRESULT hr = create(plugin_.put());
    if (hr != S_OK || !plugin_) {
        plugin_ = nullptr;
        dlclose(handle_);
        throw PluginError(path + ": the plug-in factory failed");
    }
}

PluginLibrary::~PluginLibrary() {
    plugin_ = nullptr;
    // Unloading a library that still has live objects would pull the code from under them.
    if (LiveObjects() <= 0) dlclose(handle_);
}

std::u16string PluginLibrary::Description() const {
    const auto info = plugin_.try_as<ZeltCore::IZeltPluginInfo>();
    if (!info) throw PluginError("the plug-in gives no description");
    zsys::Bstr xml;
    if (FAILED(info->GetXmlInfo(xml.put()))) throw PluginError("the plug-in's description failed");
    return xml.str();
}

long PluginLibrary::LiveObjects() const { return ModuleObjectCount(GetModuleHandle(moduleName_.c_str())); }
} // namespace host
