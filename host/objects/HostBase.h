#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class CityDatabase;
class Faults;

// The loaded city data: its display name and its file.
class HostBase : public zsys::ComObject<HostBase, ZeltCore::IHostBase> {
public:
    HostBase(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults);

    HRESULT Name(BSTR* name) noexcept override;
    HRESULT FilePath(BSTR* path) noexcept override;

private:
    ~HostBase() override;

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
};
} // namespace host
