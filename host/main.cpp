// zelt-host: the reference host's command line.
//
//   zelt-host [--plugin PATH] [--lang LANGID] [info]
//
// "info" prints the plug-in's description XML in the chosen interface language.
// Without a command the host starts the plug-in, stops it again and reports what is
// left alive on either side.
#include "host/ZeltHost.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#ifndef VESK_PLUGIN_PATH
#define VESK_PLUGIN_PATH "libVeskNotes.so"
#endif

namespace {
std::string Utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

int Usage() {
    std::cerr << "usage: zelt-host [--plugin PATH] [--lang LANGID] [info]\n";
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
            std::cout << Utf8(zelt.Description()) << "\n";
            return 0;
        }
        if (!command.empty()) return Usage();
        std::cout << "plug-in: " << options.pluginPath << "\n" << Utf8(zelt.Description()) << "\n";
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
