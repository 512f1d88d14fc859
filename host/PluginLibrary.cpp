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
    // Like the real host, a plug-in once loaded stays for the life of the process: its
    // once-per-process texts stay made, and the libraries it brought (ICU with its
    // caches) stay with it.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
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
    dlclose(handle_); // the handle goes; the library stays loaded
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
