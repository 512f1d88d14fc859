#pragma once

#include "platform/com/ComObject.h"
#include "hostapi/ZeltCore.h"

#include <cstdint>
#include <map>

// The host's company table: stable ids of the companies the loaded city has, and their keys.
class FakeTable : public zsys::ComObject<FakeTable, ZeltCore::IHostTable> {
public:
    std::map<std::int32_t, std::int32_t> keyOf; // stable id -> key
    HRESULT lookupResult = S_OK;                // a failure here fails every lookup
    int failAfter = -1;                         // lookups that succeed before E_FAIL; -1 for all
    HRESULT idResult = S_OK;                    // what the companies' Id answers
    int lookups = 0;

    HRESULT ObjectByStableId(LONG stableId, ZeltCore::IHostDirObject** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (failAfter >= 0 && lookups >= failAfter) return E_FAIL;
        ++lookups;
        if (FAILED(lookupResult)) return lookupResult;
        const auto found = keyOf.find(stableId);
        if (found == keyOf.end()) return S_FALSE;
        *object = zsys::Make<Company>(found->second, idResult).detach();
        return S_OK;
    }

private:
    class Company : public zsys::ComObject<Company, ZeltCore::IHostDirObject> {
    public:
        Company(std::int32_t key, HRESULT idResult) : key_(key), idResult_(idResult) {}
        HRESULT Id(LONG* id) override {
            if (FAILED(idResult_)) return idResult_;
            *id = key_;
            return S_OK;
        }
        HRESULT Type(BSTR* typeKey) override {
            *typeKey = zsys::AllocBstr(u"zelt_org");
            return S_OK;
        }
        HRESULT Attribute(BSTR, VARIANT*) override { return DISP_E_PARAMNOTFOUND; }

    private:
        ~Company() override = default;
        std::int32_t key_;
        HRESULT idResult_;
    };
    ~FakeTable() override = default;
};
