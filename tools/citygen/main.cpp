// citygen: writes city data files for the reference host.
//
//   citygen demo OUT           the bundled demo city (Riverton)
//   citygen synthetic N OUT    a synthetic city of N companies, for benchmarks
//   citygen osm EXTRACT OUT [--name NAME]
//                              the city of an OpenStreetMap extract, named NAME (by
//                              default the extract's file name up to its first dot)
#include "tools/citygen/DemoCity.h"
#include "tools/citygen/OsmCity.h"
#include "tools/citygen/SyntheticCity.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace {
int Usage() {
    std::cerr << "usage: citygen demo OUT | citygen synthetic N OUT | citygen osm EXTRACT OUT [--name NAME]\n";
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
        if (command == "osm" && (argc == 4 || (argc == 6 && std::string(argv[4]) == "--name"))) {
            std::string name = argc == 6 ? argv[5] : std::filesystem::path(argv[2]).filename().string();
            if (argc == 4) name = name.substr(0, name.find('.'));
            if (name.empty()) {
                std::cerr << "citygen: the city needs a name: give one with --name\n";
                return 2;
            }
            citygen::WriteOsmCity(argv[2], argv[3], name);
            return 0;
        }
        return Usage();
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
