#pragma once

#include "platform/com/ComObject.h"
#include "plugin/ZeltCore.h"

#include <memory>

namespace host {
class CityDatabase;
class Faults;
class HostBase;
class HostDatabase;
class HostFactory;

// The view of the host's main window: the city, its directory, the image factory.
class HostView : public zsys::ComObject<HostView, ZeltCore::IHostView> {
public:
    // Serves the city; every object reached from the view consults the same faults.
    HostView(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults);

    HRESULT CurrentBase(ZeltCore::IHostBase** base) noexcept override;
    HRESULT Database(ZeltCore::IHostDatabase** database) noexcept override;
    HRESULT Factory(ZeltCore::IHostFactory** factory) noexcept override;

    // The city the view serves.
    CityDatabase& City() const { return *city_; }

    // The objects the view keeps for its whole life, itself included.
    static constexpr long kKeptObjects = 4;
    // References to the view and the objects it keeps, beyond its owner's one and its own.
    long ForeignReferences() const;

private:
    ~HostView() override;

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostBase> base_;
    zsys::ComPtr<HostDatabase> database_;
    zsys::ComPtr<HostFactory> factory_;
};
} // namespace host
