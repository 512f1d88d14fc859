#pragma once

#include "FakeImageFactory.h"
#include "FakeTable.h"

#include "platform/com/ComObject.h"
#include "hostapi/ZeltCore.h"

#include <string>

// The host's view of a loaded city, with its company table and image factory.
class FakeView : public zsys::ComObject<FakeView, ZeltCore::IHostView> {
public:
    std::u16string cityName = u"Town";
    std::u16string filePath = u"/opt/zelt/data/Data_Town.dat";
    HRESULT baseResult = S_OK; // what CurrentBase answers
    HRESULT nameResult = S_OK; // what the base's Name answers
    zsys::ComPtr<FakeTable> table = zsys::Make<FakeTable>();
    zsys::ComPtr<FakeImageFactory> factory = zsys::Make<FakeImageFactory>();

    HRESULT CurrentBase(ZeltCore::IHostBase** base) override {
        if (FAILED(baseResult)) return baseResult;
        *base = zsys::Make<Base>(this).detach();
        return S_OK;
    }
    HRESULT Database(ZeltCore::IHostDatabase**) override { return E_NOTIMPL; }
    // The store never reaches the main window.
    HRESULT Frame(ZeltCore::IHostFrame**) override { return E_NOTIMPL; }
    HRESULT Factory(ZeltCore::IHostFactory** out) override {
        *out = factory.get();
        factory->AddRef();
        return S_OK;
    }

private:
    class Base : public zsys::ComObject<Base, ZeltCore::IHostBase> {
    public:
        explicit Base(FakeView* view) : view_(view) {}
        HRESULT Name(BSTR* name) override {
            if (FAILED(view_->nameResult)) return view_->nameResult;
            *name = zsys::AllocBstr(view_->cityName);
            return S_OK;
        }
        HRESULT FilePath(BSTR* path) override {
            *path = zsys::AllocBstr(view_->filePath);
            return S_OK;
        }

    private:
        ~Base() override = default;
        zsys::ComPtr<FakeView> view_;
    };
    ~FakeView() override = default;
};
