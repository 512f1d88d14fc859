#include "host/objects/HostSearchCriteria.h"

#include "host/Faults.h"

namespace host {
HostSearchCriteria::HostSearchCriteria(std::shared_ptr<Faults> faults) : faults_(std::move(faults)) {}

HostSearchCriteria::~HostSearchCriteria() = default;

const zsys::Variant* HostSearchCriteria::Find(std::u16string_view id) const {
    for (const auto& [name, value] : values_)
        if (name == id) return &value;
    return nullptr;
}

HRESULT HostSearchCriteria::Add(BSTR id, VARIANT value) noexcept try {
    if (zsys::View(id).empty()) return E_INVALIDARG;
    if (const auto planted = faults_->Enter("IHostSearchCriteria.Add")) return *planted;
    zsys::Variant copy;
    if (FAILED(VariantCopy(copy.put(), &value))) return E_INVALIDARG;
    for (auto& [name, held] : values_)
        if (name == zsys::View(id)) {
            *held.put() = copy.Detach();
            return S_OK;
        }
    values_.emplace_back(std::u16string(zsys::View(id)), std::move(copy));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchCriteria::Has(BSTR id, VARIANT_BOOL* has) noexcept try {
    if (!has) return E_POINTER;
    *has = VARIANT_FALSE;
    if (const auto planted = faults_->Enter("IHostSearchCriteria.Has")) return *planted;
    *has = Find(zsys::View(id)) ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostSearchCriteria::Get(BSTR id, VARIANT* value) noexcept try {
    if (!value) return E_POINTER;
    VariantInit(value);
    if (const auto planted = faults_->Enter("IHostSearchCriteria.Get")) return *planted;
    const zsys::Variant* held = Find(zsys::View(id));
    if (!held) return S_FALSE;
    return VariantCopy(value, &held->get());
} catch (...) {
    return zsys::Boundary();
}

void HostSearchCriteria::Put(std::u16string_view id, std::u16string_view text) {
    const zsys::Variant value(text);
    for (auto& [name, held] : values_)
        if (name == id) {
            VariantCopy(held.put(), &value.get());
            return;
        }
    zsys::Variant copy(text);
    values_.emplace_back(std::u16string(id), std::move(copy));
}

std::vector<std::u16string> HostSearchCriteria::Identifiers() const {
    std::vector<std::u16string> ids;
    for (const auto& entry : values_)
        ids.push_back(entry.first);
    return ids;
}

std::optional<std::u16string> HostSearchCriteria::Text(std::u16string_view id) const {
    const zsys::Variant* held = Find(id);
    if (!held) return std::nullopt;
    try {
        return held->ToString();
    } catch (...) {
        return std::nullopt;
    }
}
} // namespace host
