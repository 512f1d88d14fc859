#include "host/objects/HostDirObject.h"

#include "host/Faults.h"

namespace host {
namespace {
// The member Type (the interface operation) hides the enumeration inside the class.
using ObjectType = CityDatabase::Type;

// The branch number of "fil_<n>" written without sign or leading zeros; none otherwise.
std::optional<std::size_t> BranchNumber(std::u16string_view name) {
    constexpr std::u16string_view prefix = u"fil_";
    if (name.size() <= prefix.size() || name.size() > prefix.size() + 9 ||
        name.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const std::u16string_view digits = name.substr(prefix.size());
    if (digits[0] == u'0') return std::nullopt;
    std::size_t n = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        n = n * 10 + static_cast<std::size_t>(c - u'0');
    }
    return n;
}
} // namespace

HostDirObject::HostDirObject(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults,
                             ObjectType type, std::int32_t id)
    : city_(std::move(city)), faults_(std::move(faults)), type_(type), id_(id) {}

HostDirObject::~HostDirObject() = default;

HRESULT HostDirObject::Id(LONG* id) noexcept try {
    if (!id) return E_POINTER;
    *id = 0;
    if (const auto planted = faults_->Enter("IHostDirObject.Id")) return *planted;
    *id = id_;
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostDirObject::Type(BSTR* typeKey) noexcept try {
    if (!typeKey) return E_POINTER;
    *typeKey = nullptr;
    if (const auto planted = faults_->Enter("IHostDirObject.Type")) return *planted;
    *typeKey = zsys::AllocBstr(CityDatabase::KeyOf(type_));
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT HostDirObject::Attribute(BSTR name, VARIANT* value) noexcept try {
    if (!value) return E_POINTER;
    VariantInit(value);
    if (const auto planted = faults_->Enter("IHostDirObject.Attribute")) return *planted;
    auto found = Value(zsys::View(name));
    if (!found) return DISP_E_PARAMNOTFOUND;
    *value = found->Detach();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

const CityDatabase::Object& HostDirObject::Record() {
    if (!record_) {
        record_ = city_->Find(type_, id_);
        if (!record_) throw CityError("the directory object is gone from the city");
    }
    return *record_;
}

std::optional<zsys::Variant> HostDirObject::Value(std::u16string_view name) {
    const CityDatabase::Object& object = Record();
    if (name == u"stable_id") return zsys::Variant(LONG{object.stableId});
    if (name == u"name") return zsys::Variant(std::u16string_view(object.name));
    switch (type_) {
    case ObjectType::Company:
        if (name == u"kind") return zsys::Variant(std::u16string_view(object.kind));
        if (name == u"fil_count") return zsys::Variant(static_cast<LONG>(object.branches.size()));
        if (name == u"addr_feature") return Link(ObjectType::Building, object.building);
        if (const auto n = BranchNumber(name); n && *n <= object.branches.size())
            return Link(ObjectType::Branch, object.branches[*n - 1]);
        break;
    case ObjectType::Branch:
        if (name == u"addr_feature") return Link(ObjectType::Building, object.building);
        if (name == u"org") return Link(ObjectType::Company, object.parent);
        break;
    case ObjectType::Building:
        if (name == u"street") return Link(ObjectType::Street, object.parent);
        break;
    case ObjectType::Street:
        break;
    }
    return std::nullopt;
}

zsys::Variant HostDirObject::Link(ObjectType type, std::optional<std::int32_t> id) const {
    if (!id) return zsys::Variant();
    const auto object = zsys::Make<HostDirObject>(city_, faults_, type, *id);
    return zsys::Variant(static_cast<IUnknown*>(object.get()));
}
} // namespace host
