#include "host/objects/HostView.h"

#include "host/Faults.h"
#include "host/objects/HostBase.h"
#include "host/objects/HostDatabase.h"
#include "host/objects/HostFactory.h"

namespace host {
HostView::HostView(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults)
    : city_(std::move(city)), faults_(std::move(faults)), base_(zsys::Make<HostBase>(city_, faults_)),
      database_(zsys::Make<HostDatabase>(city_, faults_)), factory_(zsys::Make<HostFactory>(faults_)),
      frame_(zsys::Make<HostFrame>(city_, faults_)) {}

HostView::~HostView() = default;

HRESULT HostView::CurrentBase(ZeltCore::IHostBase** base) noexcept try {
    if (!base) return E_POINTER;
    *base = nullptr;
    if (const auto planted = faults_->Enter("IHostView.CurrentBase")) return *planted;
    return base_.CopyTo(base);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostView::Database(ZeltCore::IHostDatabase** database) noexcept try {
    if (!database) return E_POINTER;
    *database = nullptr;
    if (const auto planted = faults_->Enter("IHostView.Database")) return *planted;
    return database_.CopyTo(database);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostView::Factory(ZeltCore::IHostFactory** factory) noexcept try {
    if (!factory) return E_POINTER;
    *factory = nullptr;
    if (const auto planted = faults_->Enter("IHostView.Factory")) return *planted;
    return factory_.CopyTo(factory);
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostView::Frame(ZeltCore::IHostFrame** frame) noexcept try {
    if (!frame) return E_POINTER;
    *frame = nullptr;
    if (const auto planted = faults_->Enter("IHostView.Frame")) return *planted;
    return frame_.CopyTo(frame);
} catch (...) {
    return zsys::Boundary();
}

long HostView::ForeignReferences() const {
    // The owner holds the view once and the view holds each kept object once; the frame
    // accounts for what it keeps.
    return long(RefCount()) - 1 + long(base_->RefCount()) - 1 + long(database_->RefCount()) - 1 +
           long(factory_->RefCount()) - 1 + frame_->ForeignReferences();
}
} // namespace host
