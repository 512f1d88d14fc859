#include "tests/host/HostTestSupport.h"

#include "platform/com/SafeArray.h"
#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

using zsys::Bstr;
using zsys::ComPtr;
using namespace ZeltCore;

namespace hosttest {
std::string TempPath(const std::string& name) {
    // One folder per test program, removed when it ends.
    static const struct Folder {
        std::filesystem::path path =
            std::filesystem::path(testing::TempDir()) / ("host_tests." + std::to_string(getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } folder;
    return (folder.path / name).string();
}

const std::string& TestCityPath() {
    static const std::string path = [] {
        using namespace city;
        const std::string file = TempPath("Data_Testford.dat");
        citygen::CityWriter w(file, "Testford");
        w.AddStreet(kMillStreet, kMillStreetStable, "Mill Street");
        w.AddStreet(600000002, -7002, "Ferry Lane");
        w.AddBuilding(kMill12, 8001, kMillStreet, "12");
        w.AddBuilding(kMill14A, kMill14AStable, kMillStreet, "14A");
        w.AddBuilding(400000003, -8003, 600000002, "3");
        w.AddCompany(kCafe, kCafeStable, "Café Lumière", "cafe");
        w.AddBranch(kCafeBranch3, 5003, kCafe, 3, 400000003);
        w.AddBranch(kCafeBranch1, kCafeBranch1Stable, kCafe, 1, kMill12);
        w.AddBranch(202, 5002, kCafe, 2, kMill14A);
        w.AddCompany(kDentist, kDentistStable, "Mill Street Dental", "dentist");
        w.AddBranch(204, 5004, kDentist, 1, kMill12);
        w.AddCompany(kTaxis, kTaxisStable, "Testford Taxis", "taxi");
        w.AddBranch(205, 5005, kTaxis, 1, std::nullopt);
        w.AddCompany(kEdge, kEdgeStable, "Edge Case Ltd", "accountant");
        w.AddCompany(15, kGhostStable, "Ghost Lane Storage", "storage");
        w.AddBranch(206, 5006, 15, 1, 999);
        w.Commit();
        return file;
    }();
    return path;
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

std::string RunHost(const std::string& arguments, const std::string& input, int* exitCode) {
    const std::string command =
        std::string(VESK_HOST_PATH) + " " + arguments + " 2>&1 <<'END_OF_INPUT'\n" + input + "END_OF_INPUT\n";
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return out;
    std::array<char, 4096> buf;
    for (std::size_t n; (n = fread(buf.data(), 1, buf.size(), pipe.get())) > 0;)
        out.append(buf.data(), n);
    const int status = pclose(pipe.release());
    if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return out;
}

ComPtr<IHostTable> TableOf(host::ZeltHost& zelt, std::u16string_view key) {
    ComPtr<IHostDatabase> database;
    EXPECT_EQ(zelt.View().Database(database.put()), S_OK);
    ComPtr<IUnknown> table;
    EXPECT_EQ(database->Table(Bstr(key).get(), table.put()), S_OK);
    return table.as<IHostTable>();
}

ComPtr<IHostDirObject> CompanyOf(host::ZeltHost& zelt, LONG stableId) {
    ComPtr<IHostDirObject> company;
    EXPECT_TRUE(SUCCEEDED(TableOf(zelt, u"zelt_org")->ObjectByStableId(stableId, company.put())));
    return company;
}

ComPtr<IHostFactory> FactoryOf(host::ZeltHost& zelt) {
    ComPtr<IHostFactory> factory;
    EXPECT_EQ(zelt.View().Factory(factory.put()), S_OK);
    return factory;
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
