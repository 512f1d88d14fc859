// citygen: writes city data files for the reference host.
//
//   citygen demo OUT           the bundled demo city (Riverton)
//   citygen synthetic N OUT    a synthetic city of N companies, for benchmarks
#include "tools/citygen/DemoCity.h"
#include "tools/citygen/SyntheticCity.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

namespace {
int Usage() {
    std::cerr << "usage: citygen demo OUT | citygen synthetic N OUT\n";
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    try {
        const std::string command = argc > 1 ? argv[1] : "";
        if (command == "demo" && argc == 3) {
            citygen::WriteDemoCity(argv[2]);
            return 0;
        }
        if (command == "synthetic" && argc == 4) {
            char* end = nullptr;
            const long n = std::strtol(argv[2], &end, 10);
            if (*end || n < 1 || n > 100'000'000) return Usage();
            citygen::WriteSyntheticCity(argv[3], static_cast<std::int32_t>(n));
            return 0;
        }
        return Usage();
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
