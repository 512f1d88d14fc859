#include "host/ZeltHost.h"

#include "host/objects/HostDirPage.h"
#include "host/objects/HostSearchTab.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "platform/ui/Window.h"

#ifndef VESK_DEMO_CITY_PATH
#define VESK_DEMO_CITY_PATH "Data_Riverton.dat"
#endif

namespace host {
ZeltHost::ZeltHost(Options options)
    : options_(std::move(options)), faults_(std::make_shared<host::Faults>()),
      application_(zsys::Make<HostApplication>()) {
    if (options_.cityPath.empty()) options_.cityPath = DemoCityPath();
    auto city = std::make_shared<CityDatabase>(options_.cityPath);
    view_ = zsys::Make<HostView>(city, faults_);
    cards_ = std::make_unique<HostCards>(std::move(city), faults_, *view_.get());
    if (options_.language) SetThreadUILanguage(options_.language);
    if (!options_.appDataPath.empty()) zsys::SetAppDataFolder(options_.appDataPath);
}

std::string ZeltHost::DemoCityPath() {
    return VESK_DEMO_CITY_PATH;
}

ZeltHost::~ZeltHost() {
    if (library_ && library_->Plugin()) Stop();
    // A plug-in run without the library (a test's own controller) leaves its objects with
    // the host too; they go with the host's windows.
    cards_->CloseAll();
    ReleasePluginObjects();
    cards_.reset();
}

void ZeltHost::Load() {
    // The library loaded before goes first, so that this one is loaded anew.
    library_.reset();
    library_ = std::make_unique<PluginLibrary>(options_.pluginPath);
}

std::u16string ZeltHost::Description() const {
    if (!library_) throw PluginError("no plug-in is loaded");
    return library_->Description();
}

HRESULT ZeltHost::Start() {
    if (!library_ || !library_->Plugin()) throw PluginError("no plug-in is loaded");
    // The person is at the main window when the plug-in starts: dialogs find it active.
    zsys::SetActiveWindow(view_->MainFrame().Handle());
    return library_->Plugin().as<ZeltCore::IZeltPlugin>()->Initialize(application_.get(), view_.get());
}

HRESULT ZeltHost::Stop() {
    // The card windows close before the plug-in goes, each telling it so.
    cards_->CloseAll();
    HRESULT hr = S_OK;
    if (library_ && library_->Plugin())
        if (const auto plugin = library_->Plugin().try_as<ZeltCore::IZeltPlugin>()) hr = plugin->Terminate();
    // The host unloads a plug-in's search groups and map blocks with it, and this host runs
    // one plug-in: every group and block is its. Nothing of the plug-in stays referenced
    // from the tab or the map.
    ReleasePluginObjects();
    if (library_) library_->Release();
    return hr;
}

void ZeltHost::ReleasePluginObjects() noexcept {
    view_->MainFrame().SearchTab().ReleaseGroups();
    view_->MainFrame().CityMap().ReleaseBlocks();
    view_->MainFrame().Results().OrganisationPage().ReleaseControllers();
    view_->MainFrame().Results().ForgetSearch();
}

HRESULT ZeltHost::ShowOptions() {
    if (!library_ || !library_->Plugin()) throw PluginError("no plug-in is loaded");
    const auto options = library_->Plugin().try_as<ZeltCore::IZeltPluginOptions>();
    if (!options) return E_NOINTERFACE;
    return options->ShowOptions();
}

long ZeltHost::PluginObjects() const {
    return library_ ? library_->LiveObjects() : 0;
}

long ZeltHost::ForeignHostReferences() const {
    // The host holds the application and the view once, the view holds what it keeps,
    // and every other host object lives only while somebody else holds it.
    const long kept = 1 + view_->KeptObjects();
    return long(application_->RefCount()) - 1 + view_->ForeignReferences() +
           (zsys::ThisModule().LockCount() - kept);
}
} // namespace host
