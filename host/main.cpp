// zelt-host: the reference host's command line.
//
//   zelt-host [--city FILE] [--appdata DIR] [--lang LANGID] [--plugin PATH] [info]
//
// "info" prints the plug-in's description XML in the chosen interface language.
// Without a command the host starts the plug-in on the city of FILE (by default the
// bundled demo city) and reads commands, one a line, from the terminal or from standard
// input until its end; "help" lists them. DIR is the user's application-data folder for
// the run, where the plug-in keeps its notes.
#include "host/shell/HostShell.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <unistd.h>

#ifndef VESK_PLUGIN_PATH
#define VESK_PLUGIN_PATH "libVeskNotes.so"
#endif

namespace {
int Usage() {
    std::cerr << "usage: zelt-host [--city FILE] [--appdata DIR] [--lang LANGID] [--plugin PATH] [info]\n";
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
        } else if (arg == "--appdata" && i + 1 < argc) {
            // Made absolute now, so that the notes do not follow a later change of directory.
            std::error_code error;
            const auto folder = std::filesystem::absolute(argv[++i], error);
            if (error || folder.empty()) return Usage();
            options.appDataPath = folder.lexically_normal().string();
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
    if (!command.empty() && command != "info") return Usage();
    try {
        host::ZeltHost zelt(options);
        zelt.Load();
        if (command == "info") {
            std::cout << host::Utf8(zelt.Description()) << "\n";
            return 0;
        }
        std::cout << "plug-in: " << options.pluginPath << "\n" << host::Utf8(zelt.Description()) << "\n";
        const host::CityDatabase& city = zelt.View().City();
        std::cout << "city: " << host::Utf8(city.Name()) << " (" << city.Path() << ")\n";
        const HRESULT started = zelt.Start();
        std::cout << "started: " << (SUCCEEDED(started) ? "yes" : "no") << "\n";
        return host::HostShell(zelt, std::cout).Run(std::cin, isatty(STDIN_FILENO) != 0);
    } catch (const std::exception& e) {
        std::cerr << "zelt-host: " << e.what() << "\n";
        return 1;
    }
}
