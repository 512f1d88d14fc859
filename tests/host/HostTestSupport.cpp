#include "tests/host/HostTestSupport.h"

#include "platform/com/SafeArray.h"

#include <gtest/gtest.h>
#include <png.h>

#include <sstream>
#include <stdexcept>

using zsys::Bstr;
using zsys::ComPtr;
using namespace ZeltCore;

namespace hosttest {
std::string MissingInOrder(const std::string& text, const std::vector<std::string>& parts) {
    std::size_t at = 0;
    for (const std::string& part : parts) {
        if ((at = text.find(part, at)) == std::string::npos) return part;
        at += part.size();
    }
    return "";
}

std::string LinesStarting(const std::string& text, std::initializer_list<const char*> words) {
    std::istringstream lines(text);
    std::string kept;
    for (std::string line; std::getline(lines, line);)
        for (const char* word : words)
            if (line.starts_with(word)) kept += line + "\n";
    return kept;
}

std::vector<std::uint8_t> MakePng(int width, int height, std::uint32_t rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint8_t(rgba >> (24 - 8 * (i % 4)));
    std::vector<std::uint8_t> png(PNG_IMAGE_PNG_SIZE_MAX(image));
    png_alloc_size_t size = png.size();
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error("cannot write the PNG");
    png.resize(size);
    return png;
}

HRESULT CreateImage(host::ZeltHost& zelt, const std::vector<std::uint8_t>& png, ComPtr<IUnknown>& image) {
    return FactoryOf(zelt)->CreateImageFromPng(zsys::SafeArray(zsys::MakeByteArray(png)).get(), image.put());
}

ComPtr<IUnknown> ImageOf(host::ZeltHost& zelt, int width, int height) {
    ComPtr<IUnknown> image;
    EXPECT_EQ(CreateImage(zelt, MakePng(width, height), image), S_OK);
    return image;
}

ComPtr<IHostSearchTab> SearchTabOf(host::ZeltHost& zelt) {
    ComPtr<IHostFrame> frame;
    EXPECT_EQ(zelt.View().Frame(frame.put()), S_OK);
    ComPtr<IHostTabs> tabs;
    EXPECT_EQ(frame->Tabs(tabs.put()), S_OK);
    ComPtr<IUnknown> tab;
    EXPECT_EQ(tabs->Tab(Bstr(u"Zelt.SearchTab").get(), tab.put()), S_OK);
    return tab.as<IHostSearchTab>();
}

ComPtr<IUnknown> CreateGroup(host::ZeltHost& zelt, std::u16string_view id, LONG kind) {
    ComPtr<IUnknown> group;
    EXPECT_EQ(SearchTabOf(zelt)->CreateGroup(kind, Bstr(id).get(), Bstr(u"100SearchGroup").get(),
                                             Bstr(u"Notes").get(), group.put()),
              S_OK);
    return group;
}

std::vector<HRESULT> Furnish(const ComPtr<IUnknown>& group, IUnknown* icon, IUnknown* image, IUnknown* button,
                             IUnknown* control) {
    const auto appearance = group.as<IHostSearchGroupAppearance>();
    return {group.as<IHostSearchGroupIcon>()->SetIcon(icon),
            appearance->SetImage(image),
            appearance->SetDescription(Bstr(u"Find \"noted\" companies\nby text.").get()),
            appearance->SetClearTexts(Bstr(u"Clear ").get(), Bstr(u"Clear").get()),
            appearance->SetPromptTexts(nullptr, Bstr(u"Prompt").get()),
            group.as<IHostSearchGroupButtons>()->AddButton(button),
            group.as<IHostSearchGroup>()->AddControl(control)};
}
} // namespace hosttest
