#include "host/ZeltHost.h"

#include "platform/system/Language.h"

namespace host {
ZeltHost::ZeltHost(Options options)
    : options_(std::move(options)), application_(zsys::Make<HostApplication>()), view_(zsys::Make<HostView>()) {
    if (options_.language) SetThreadUILanguage(options_.language);
}

ZeltHost::~ZeltHost() {
    if (library_ && library_->Plugin()) Stop();
}

void ZeltHost::Load() { library_ = std::make_unique<PluginLibrary>(options_.pluginPath); }

std::u16string ZeltHost::Description() const {
    if (!library_) throw PluginError("no plug-in is loaded");
    return library_->Description();
}

HRESULT ZeltHost::Start() {
    if (!library_ || !library_->Plugin()) throw PluginError("no plug-in is loaded");
    return library_->Plugin().as<ZeltCore::IZeltPlugin>()->Initialize(application_.get(), view_.get());
}

HRESULT ZeltHost::Stop() {
    if (!library_ || !library_->Plugin()) return S_OK;
    HRESULT hr = S_OK;
    if (const auto plugin = library_->Plugin().try_as<ZeltCore::IZeltPlugin>()) hr = plugin->Terminate();
    library_->Release();
    return hr;
}

long ZeltHost::PluginObjects() const { return library_ ? library_->LiveObjects() : 0; }

long ZeltHost::ForeignHostReferences() const {
    // The host holds one reference to each of its two objects, and other host objects
    // live only while somebody else holds them.
    return long(application_->RefCount() - 1) + long(view_->RefCount() - 1) + (zsys::ThisModule().LockCount() - 2);
}
} // namespace host
