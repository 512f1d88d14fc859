#pragma once

#include "host/CityDatabase.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"
#include "platform/com/Variant.h"

#include <memory>
#include <optional>
#include <string_view>

namespace host {
class Faults;

// One company, branch, building or street of the city. Attributes, by type:
//   every object  "stable_id" (VT_I4), "name" (VT_BSTR)
//   company       "kind" (VT_BSTR), "fil_count" (VT_I4), "fil_1" … "fil_<fil_count>" (the
//                 branch objects), "addr_feature" (the building of the main address)
//   branch        "addr_feature" (its building), "org" (its company)
//   building      "street" (its street)
// Objects come as VT_UNKNOWN directory objects; an object attribute without an object
// (a branch without premises) is VT_EMPTY with S_OK.
class HostDirObject : public zsys::ComObject<HostDirObject, ZeltCore::IHostDirObject> {
public:
    HostDirObject(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults, CityDatabase::Type type,
                  std::int32_t id);

    HRESULT Id(LONG* id) noexcept override;
    HRESULT Type(BSTR* typeKey) noexcept override;
    // DISP_E_PARAMNOTFOUND and VT_EMPTY for an attribute the object does not have.
    HRESULT Attribute(BSTR name, VARIANT* value) noexcept override;

private:
    ~HostDirObject() override;
    // The object's row, read when an attribute is first asked for.
    const CityDatabase::Object& Record();
    std::optional<zsys::Variant> Value(std::u16string_view name);
    zsys::Variant Link(CityDatabase::Type type, std::optional<std::int32_t> id) const;

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
    CityDatabase::Type type_;
    std::int32_t id_;
    std::optional<CityDatabase::Object> record_;
};
} // namespace host
