#include "host/objects/HostLayerBlockSink.h"

#include "host/Faults.h"

namespace host {
HostLayerBlockSink::HostLayerBlockSink(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostLayerBlockSink::~HostLayerBlockSink() = default;

HRESULT HostLayerBlockSink::Add(ULONG object) noexcept try {
    if (const auto planted = faults_->Enter("IHostLayerBlockSink.Add")) return *planted;
    announcements_.push_back({true, object});
    marked_.insert(object);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostLayerBlockSink::Remove(ULONG object) noexcept try {
    if (const auto planted = faults_->Enter("IHostLayerBlockSink.Remove")) return *planted;
    announcements_.push_back({false, object});
    marked_.erase(object);
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
} // namespace host
