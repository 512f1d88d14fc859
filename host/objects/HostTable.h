#pragma once

#include "host/CityDatabase.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class Faults;

// The directory objects of one type key, found by their stable ids.
class HostTable : public zsys::ComObject<HostTable, ZeltCore::IHostTable> {
public:
    HostTable(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults, CityDatabase::Type type);

    // A new object for the stable id; S_FALSE and null when the table has none.
    HRESULT ObjectByStableId(LONG stableId, ZeltCore::IHostDirObject** object) noexcept override;

private:
    ~HostTable() override;

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
    CityDatabase::Type type_;
};
} // namespace host
