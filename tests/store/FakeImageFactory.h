#pragma once

#include "platform/com/ComObject.h"
#include "hostapi/ZeltCore.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The host's image factory: images keep their PNG bytes, collections record what was added to them.
class FakeImageFactory : public zsys::ComObject<FakeImageFactory, ZeltCore::IHostFactory> {
public:
    class Image : public zsys::ComObject<Image, ZeltCore::IHostImage> {
    public:
        explicit Image(std::vector<std::uint8_t> bytes) : png(std::move(bytes)) {}
        HRESULT Size(LONG*, LONG*) override { return E_NOTIMPL; }
        const std::vector<std::uint8_t> png;

    private:
        ~Image() override = default;
    };

    class Collection : public zsys::ComObject<Collection, ZeltCore::IHostImageCollection,
                                              ZeltCore::IHostImageCollectionEdit> {
    public:
        HRESULT Image(BSTR, IUnknown**) override { return E_NOTIMPL; }
        HRESULT Count(LONG* count) override {
            *count = static_cast<LONG>(names.size());
            return S_OK;
        }
        HRESULT Add(BSTR name, IUnknown* image) override {
            names.emplace_back(zsys::View(name));
            images.push_back(zsys::ComPtr<IUnknown>(image).as<ZeltCore::IHostImage>());
            return S_OK;
        }
        HRESULT Commit() override {
            committed = true;
            return S_OK;
        }
        std::vector<std::u16string> names;
        std::vector<zsys::ComPtr<ZeltCore::IHostImage>> images;
        bool committed = false;

    private:
        ~Collection() override = default;
    };

    // A collection that answers only its looking-up side, or only its filling side.
    template <class Side> class OneSided : public zsys::ComObject<OneSided<Side>, Side> {
    public:
        explicit OneSided(zsys::ComPtr<Collection> inner) : inner_(std::move(inner)) {}
        HRESULT Image(BSTR name, IUnknown** image) { return inner_->Image(name, image); }
        HRESULT Count(LONG* count) { return inner_->Count(count); }
        HRESULT Add(BSTR name, IUnknown* image) { return inner_->Add(name, image); }
        HRESULT Commit() { return inner_->Commit(); }

    private:
        ~OneSided() override = default;
        zsys::ComPtr<Collection> inner_;
    };

    enum class Sides { Both, LookUpOnly, FillOnly };
    Sides sides = Sides::Both;
    HRESULT imageResult = S_OK;
    std::vector<zsys::ComPtr<Collection>> collections; // in the order they were made

    HRESULT CreateImageFromPng(SAFEARRAY* png, IUnknown** image) override {
        if (FAILED(imageResult)) return imageResult;
        const auto bytes = zsys::Bytes(png);
        static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
        if (bytes.size() < sizeof kSignature ||
            !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
            return E_INVALIDARG;
        *image = static_cast<ZeltCore::IHostImage*>(
            zsys::Make<Image>(std::vector<std::uint8_t>(bytes.begin(), bytes.end())).detach());
        return S_OK;
    }
    HRESULT CreateSearchCriteria(LONG, ZeltCore::IHostSearchCriteria**) override { return E_NOTIMPL; }
    HRESULT CreateImageCollection(IUnknown** collection) override {
        auto made = zsys::Make<Collection>();
        collections.push_back(made);
        if (sides == Sides::LookUpOnly)
            *collection = static_cast<ZeltCore::IHostImageCollection*>(
                zsys::Make<OneSided<ZeltCore::IHostImageCollection>>(made).detach());
        else if (sides == Sides::FillOnly)
            *collection = static_cast<ZeltCore::IHostImageCollectionEdit*>(
                zsys::Make<OneSided<ZeltCore::IHostImageCollectionEdit>>(made).detach());
        else
            *collection = static_cast<ZeltCore::IHostImageCollection*>(made.detach());
        return S_OK;
    }

private:
    ~FakeImageFactory() override = default;
};
