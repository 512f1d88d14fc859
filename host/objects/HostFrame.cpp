#include "host/objects/HostFrame.h"

#include "host/Faults.h"
#include "platform/ui/WindowStyles.h"

namespace {
// Where the main window stands until the person moves it (the shell's "frame").
constexpr RECT kDefaultScreenRect{0, 0, 1280, 800};
} // namespace

namespace host {
HostFrame::HostFrame(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults)
    : faults_(std::move(faults)), tabs_(zsys::Make<HostTabs>(faults_)),
      results_(zsys::Make<HostSearchView>(city, faults_)),
      map_(zsys::Make<HostMap>(std::move(city), faults_)),
      window_(zsys::CreateWindow(u"ZeltMainFrame", u"Zelt", WS_CAPTION | WS_SYSMENU, 0, kDefaultScreenRect,
                                 nullptr, 0)) {}

HostFrame::~HostFrame() {
    zsys::DestroyWindow(window_);
}

HRESULT HostFrame::Tabs(ZeltCore::IHostTabs** tabs) noexcept try {
    if (!tabs) return E_POINTER;
    *tabs = nullptr;
    if (const auto planted = faults_->Enter("IHostFrame.Tabs")) return *planted;
    return tabs_.CopyTo(tabs);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostFrame::Window(HWND* window) noexcept try {
    if (!window) return E_POINTER;
    *window = nullptr;
    if (const auto planted = faults_->Enter("IHostFrame.Window")) return *planted;
    *window = window_;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostFrame::SearchView(ZeltCore::IHostSearchView** view) noexcept try {
    if (!view) return E_POINTER;
    *view = nullptr;
    if (const auto planted = faults_->Enter("IHostFrame.SearchView")) return *planted;
    return results_.CopyTo(view);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostFrame::Map(ZeltCore::IHostMap** map) noexcept try {
    if (!map) return E_POINTER;
    *map = nullptr;
    if (const auto planted = faults_->Enter("IHostFrame.Map")) return *planted;
    return zsys::ComPtr<ZeltCore::IHostMap>(map_).CopyTo(map);
} catch (...) {
    return zsys::Boundary();
}

long HostFrame::ForeignReferences() const {
    return long(RefCount()) - 1 + tabs_->ForeignReferences() + results_->ForeignReferences() +
           map_->ForeignReferences();
}
} // namespace host
