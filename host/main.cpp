// zelt-host: the reference host's command line.
//
//   zelt-host [--plugin PATH] [--lang LANGID] [--city FILE] [info]
//
// "info" prints the plug-in's description XML in the chosen interface language.
// Without a command the host starts the plug-in, stops it again and reports what is
// left alive on either side. The host serves the city of FILE, by default the bundled
// demo city.
#include "host/Utf.h"
#include "host/ZeltHost.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#ifndef VESK_PLUGIN_PATH
#define VESK_PLUGIN_PATH "libVeskNotes.so"
#endif

namespace {
int Usage() {
    std::cerr << "usage: zelt-host [--plugin PATH] [--lang LANGID] [--city FILE] [info]\n";
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    host::ZeltHost::Options options;
    options.pluginPath = VESK_PLUGIN_PATH;
    std::string command;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--plugin" && i + 1 < argc) {
            options.pluginPath = argv[++i];
        } else if (arg == "--city" && i + 1 < argc) {
            options.cityPath = argv[++i];
        } else if (arg == "--lang" && i + 1 < argc) {
            char* end = nullptr;
            const long id = std::strtol(argv[++i], &end, 10);
            if (*end || id <= 0 || id > 0xFFFF) return Usage();
            options.language = static_cast<LANGID>(id);
        } else if (command.empty() && arg[0] != '-') {
            command = arg;
        } else {
            return Usage();
        }
    }
    try {
        host::ZeltHost zelt(options);
        zelt.Load();
        if (command == "info") {
            std::cout << host::Utf8(zelt.Description()) << "\n";
            return 0;
        }
        if (!command.empty()) return Usage();
        std::cout << "plug-in: " << options.pluginPath << "\n" << host::Utf8(zelt.Description()) << "\n";
        const host::CityDatabase& city = zelt.View().City();
        std::cout << "city: " << host::Utf8(city.Name()) << " (" << city.Path() << ")\n";
        const HRESULT started = zelt.Start();
        std::cout << "started: " << (SUCCEEDED(started) ? "yes" : "no") << "\n";
        zelt.Stop();
        std::cout << "stopped; plug-in objects alive: " << zelt.PluginObjects()
                  << ", host references held by the plug-in: " << zelt.ForeignHostReferences() << "\n";
        return zelt.PluginObjects() == 0 && zelt.ForeignHostReferences() == 0 ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "zelt-host: " << e.what() << "\n";
        return 1;
    }
}
