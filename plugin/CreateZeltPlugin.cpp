#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "plugin/PluginImpl.h"

// The library's one export: the host calls it once to get the plug-in object.
extern "C" __attribute__((visibility("default"))) HRESULT CreateZeltPlugin(IUnknown** plugin) noexcept try {
    if (!plugin) return E_POINTER;
    if (!TheModule().Instance()) return E_FAIL;
    auto object = zsys::Make<PluginImpl>(std::make_shared<LangLocal>(TheModule().Instance()));
    const auto asPlugin = object.try_as<ZeltCore::IZeltPlugin>();
    if (!asPlugin) return S_FALSE;
    *plugin = asPlugin.as<IUnknown>().detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
