#include "host/PluginLibrary.h"

#include "platform/resources/ModuleResources.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <set>

namespace host {
namespace {
// A library registers its module under its own name: "libVeskNotes.so" is "VeskNotes".
std::string ModuleName(const std::string& path) {
    std::string name = std::filesystem::path(path).stem().string();
    if (name.rfind("lib", 0) == 0) name.erase(0, 3);
    return name;
}

std::set<std::string> LoadedObjects() {
    std::set<std::string> names;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* names) {
            if (info->dlpi_name && *info->dlpi_name)
                static_cast<std::set<std::string>*>(names)->insert(info->dlpi_name);
            return 0;
        },
        &names);
    return names;
}
} // namespace

// The libraries that came with the plug-in (ICU with its caches, the XML parser) stay for the
// life of the process, as a host keeps its shared libraries: only the plug-in itself goes.
void PluginLibrary::KeepLoadedBesides(const std::set<std::string>& before) const {
    link_map* plugin = nullptr;
    if (dlinfo(handle_, RTLD_DI_LINKMAP, &plugin) != 0) plugin = nullptr;
    for (const std::string& name : LoadedObjects())
        if (!before.contains(name) && !(plugin && plugin->l_name && name == plugin->l_name))
            dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
}

PluginLibrary::PluginLibrary(const std::string& path) : moduleName_(ModuleName(path)) {
    const std::set<std::string> before = LoadedObjects();
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw PluginError("cannot load " + path + ": " + dlerror());
    KeepLoadedBesides(before);
    auto create =
        reinterpret_cast<ZeltCore::CreateZeltPluginFn>(dlsym(handle_, ZeltCore::kCreateZeltPluginName));
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
    // The plug-in goes from memory only when nothing of it is alive: code still running
    // would lose its ground. Loaded again, it makes its once-per-process texts anew.
    if (LiveObjects() == 0) dlclose(handle_);
}

std::u16string PluginLibrary::Description() const {
    const auto info = plugin_.try_as<ZeltCore::IZeltPluginInfo>();
    if (!info) throw PluginError("the plug-in gives no description");
    zsys::Bstr xml;
    if (FAILED(info->GetXmlInfo(xml.put()))) throw PluginError("the plug-in's description failed");
    return xml.str();
}

long PluginLibrary::LiveObjects() const {
    return ModuleObjectCount(GetModuleHandle(moduleName_.c_str()));
}
} // namespace host
