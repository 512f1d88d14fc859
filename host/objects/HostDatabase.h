#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class CityDatabase;
class Faults;

// The city's directory: one table per type key.
class HostDatabase : public zsys::ComObject<HostDatabase, ZeltCore::IHostDatabase> {
public:
    HostDatabase(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults);

    // A new table object answering IHostTable; E_INVALIDARG for a key the city lacks.
    HRESULT Table(BSTR typeKey, IUnknown** table) noexcept override;

private:
    ~HostDatabase() override;

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
};
} // namespace host
