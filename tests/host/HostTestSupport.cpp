#include "tests/host/HostTestSupport.h"

#include "tools/citygen/CityWriter.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <unistd.h>

namespace hosttest {
namespace {
// One folder per test process, removed when the process ends.
struct TempFolder {
    TempFolder()
        : path(std::filesystem::path(testing::TempDir()) / ("host_tests." + std::to_string(getpid()))) {
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

std::string Run(const std::string& shellCommand, int* status) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(shellCommand.c_str(), "r"), pclose);
    if (!pipe) return out;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe.get())) > 0)
        out.append(buf.data(), n);
    const int rc = pclose(pipe.release());
    if (status) *status = rc;
    return out;
}
} // namespace

std::string TempPath(const std::string& name) {
    static const TempFolder folder;
    return (folder.path / name).string();
}

const std::string& TestCityPath() {
    static const std::string path = [] {
        using namespace city;
        const std::string file = TempPath("Data_Testford.dat");
        citygen::CityWriter w(file, "Testford");
        w.AddStreet(kMillStreet, kMillStreetStable, "Mill Street");
        w.AddStreet(kFerryLane, -7002, "Ferry Lane");
        w.AddBuilding(kMill12, 8001, kMillStreet, "12");
        w.AddBuilding(kMill14A, kMill14AStable, kMillStreet, "14A");
        w.AddBuilding(kFerry3, -8003, kFerryLane, "3");
        w.AddCompany(kCafe, kCafeStable, "Café Lumière", "cafe");
        w.AddBranch(kCafeBranch3, 5003, kCafe, 3, kFerry3);
        w.AddBranch(kCafeBranch1, kCafeBranch1Stable, kCafe, 1, kMill12);
        w.AddBranch(kCafeBranch2, 5002, kCafe, 2, kMill14A);
        w.AddCompany(kDentist, kDentistStable, "Mill Street Dental", "dentist");
        w.AddBranch(204, 5004, kDentist, 1, kMill12);
        w.AddCompany(kTaxis, kTaxisStable, "Testford Taxis", "taxi");
        w.AddBranch(kTaxiBranch, 5005, kTaxis, 1, std::nullopt);
        w.AddCompany(kEdge, kEdgeStable, "Edge Case Ltd", "accountant");
        w.AddCompany(kGhost, kGhostStable, "Ghost Lane Storage", "storage");
        w.AddBranch(206, 5006, kGhost, 1, 999);
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
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        pixels[i] = std::uint8_t(rgba >> 24);
        pixels[i + 1] = std::uint8_t(rgba >> 16);
        pixels[i + 2] = std::uint8_t(rgba >> 8);
        pixels[i + 3] = std::uint8_t(rgba);
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error("cannot size the PNG");
    std::vector<std::uint8_t> png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error("cannot write the PNG");
    png.resize(size);
    return png;
}

std::string RunCommand(const std::string& command, int* status) {
    return Run(command + " </dev/null 2>&1", status);
}

std::string RunWithInput(const std::string& command, const std::string& input, int* status) {
    static int runs = 0;
    const std::string file = TempPath("input." + std::to_string(++runs));
    std::ofstream(file, std::ios::binary) << input;
    return Run("cat " + file + " | " + command + " 2>&1", status);
}
} // namespace hosttest
