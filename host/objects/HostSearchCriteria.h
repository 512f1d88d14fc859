#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace host {
class Faults;

// The criteria of one search: a value per identifier, in the order they were first added.
class HostSearchCriteria : public zsys::ComObject<HostSearchCriteria, ZeltCore::IHostSearchCriteria> {
public:
    explicit HostSearchCriteria(std::shared_ptr<Faults> faults);

    // Adds a copy of the value, or replaces the identifier's; E_INVALIDARG for an empty
    // identifier or a value that cannot be copied.
    HRESULT Add(BSTR id, VARIANT value) noexcept override;
    HRESULT Has(BSTR id, VARIANT_BOOL* has) noexcept override;
    // A copy of the value; VT_EMPTY and S_FALSE for an identifier the search does not have.
    HRESULT Get(BSTR id, VARIANT* value) noexcept override;

    // The host's own adding of a text criterion, which no planted fault stops.
    void Put(std::u16string_view id, std::u16string_view text);
    // The identifiers in the order they came.
    std::vector<std::u16string> Identifiers() const;
    // The value of an identifier as text; none when the search does not have it or the
    // value has no text form.
    std::optional<std::u16string> Text(std::u16string_view id) const;

private:
    ~HostSearchCriteria() override;
    const zsys::Variant* Find(std::u16string_view id) const;

    std::shared_ptr<Faults> faults_;
    std::vector<std::pair<std::u16string, zsys::Variant>> values_;
};
} // namespace host
