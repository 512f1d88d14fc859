#pragma once

// What the notes fuzzers share: a company table that knows every stable id not
// divisible by 3, under a key the fuzzer chooses, and a check that stops the run.
#include "platform/com/ComObject.h"
#include "hostapi/ZeltCore.h"

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

class FuzzTable : public zsys::ComObject<FuzzTable, ZeltCore::IHostTable> {
public:
    using KeyOf = LONG (*)(LONG stableId);
    explicit FuzzTable(KeyOf keyOf) : keyOf_(keyOf) {}

    HRESULT ObjectByStableId(LONG stableId, ZeltCore::IHostDirObject** object) override {
        *object = nullptr;
        if (stableId % 3 == 0) return S_FALSE;
        *object = zsys::Make<Company>(keyOf_(stableId)).detach();
        return S_OK;
    }

private:
    class Company : public zsys::ComObject<Company, ZeltCore::IHostDirObject> {
    public:
        explicit Company(LONG key) : key_(key) {}
        HRESULT Id(LONG* id) override {
            *id = key_;
            return S_OK;
        }
        HRESULT Type(BSTR*) override { return E_NOTIMPL; }
        HRESULT Attribute(BSTR, VARIANT*) override { return E_NOTIMPL; }

    private:
        ~Company() override = default;
        LONG key_;
    };
    ~FuzzTable() override = default;
    KeyOf keyOf_;
};
