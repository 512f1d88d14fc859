#include "store/CategoryImageSet.h"

#include "platform/com/SafeArray.h"
#include "platform/system/Text.h"

#include <string>
#include <utility>

std::u16string CategoryImageSet::ImageName(unsigned category) {
    return std::u16string(ZeltCore::kCategoryLink) + zsys::Decimal(category);
}

void CategoryImageSet::Register(ZeltCore::IHostView* view, HMODULE module, WORD firstPng) {
    using namespace ZeltCore;
    zsys::ComPtr<IHostFactory> factory;
    zsys::CheckOn<IHostView>(zsys::Required(view)->Factory(factory.put()));
    zsys::ComPtr<IUnknown> created;
    zsys::CheckOn<IHostFactory>(zsys::Required(factory)->CreateImageCollection(created.put()));
    zsys::Required(created);
    // A host may offer only one side of a collection; that is no failure.
    zsys::ComPtr<IHostImageCollection> collection = created.try_as<IHostImageCollection>();
    if (const auto edit = created.try_as<IHostImageCollectionEdit>()) {
        for (int n = 0; n < kCount; ++n) {
            const auto png =
                zsys::ResourceBytes(FindResource(module, RT_PNG, static_cast<WORD>(firstPng + n)));
            const zsys::SafeArray bytes(zsys::MakeByteArray(png));
            zsys::ComPtr<IUnknown> image;
            zsys::CheckOn<IHostFactory>(factory->CreateImageFromPng(bytes.get(), image.put()));
            const zsys::Bstr name(ImageName(static_cast<unsigned>(n)));
            zsys::CheckOn<IHostImageCollectionEdit>(edit->Add(name.get(), image.get()));
        }
        zsys::CheckOn<IHostImageCollectionEdit>(edit->Commit());
    }
    collection_ = std::move(collection);
}
