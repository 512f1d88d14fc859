// zelt-host: the reference host's command line.
//
//   zelt-host [--city FILE] [--appdata DIR] [--lang LANGID] [--plugin PATH] [info]
//   zelt-host --web [--port N] [--exchange DIR] [--dialog-timeout SECONDS] [--city FILE] ...
//
// "info" prints the plug-in's description XML in the chosen interface language.
// Without a command the host starts the plug-in on the city of FILE (by default the
// bundled demo city) and reads commands, one a line, from the terminal or from standard
// input until its end; "help" lists them. DIR is the user's application-data folder for
// the run, where the plug-in keeps its notes.
//
// With --web the host serves its page on 127.0.0.1 instead (port 0, the default, picks a free
// one), prints the page's address and serves until SIGINT or SIGTERM. The page's file dialogs
// reach the application-data folder and the exchange folder; a dialog the page leaves alone for
// the timeout (60 s by default) ends as cancelled.
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/shell/HostShell.h"
#include "host/web/WebFrontEnd.h"

#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unistd.h>

#ifndef VESK_PLUGIN_PATH
#define VESK_PLUGIN_PATH "libVeskNotes.so"
#endif

namespace {
int Usage() {
    std::cerr
        << "usage: zelt-host [--city FILE] [--appdata DIR] [--lang LANGID] [--plugin PATH] [info]\n"
           "       zelt-host --web [--port N] [--exchange DIR] [--dialog-timeout SECONDS] [--city FILE]\n"
           "                 [--appdata DIR] [--lang LANGID] [--plugin PATH]\n";
    return 2;
}

// A whole number from first to last; none for anything else.
std::optional<long> Whole(const char* text, long first, long last) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (!*text || *end || n < first || n > last) return std::nullopt;
    return n;
}

// Serves the page until SIGINT or SIGTERM, then stops the plug-in and accounts for it. The stop
// cuts every client off, so it never waits for them; a second signal ends the process at once,
// though never before the notes are written.
int ServeWeb(host::ZeltHost& zelt, const host::web::WebFrontEnd::Options& options) {
    // The signals are taken by a thread of their own, so that the interface thread is never
    // interrupted inside the plug-in.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    std::optional<host::web::WebFrontEnd> web(std::in_place, zelt, options);
    std::cout << "serving " << web->Address() << " (Ctrl-C stops)" << std::endl;
    std::mutex mutex;
    bool written = false, released = false;
    std::condition_variable changed;
    std::thread waiter([&] {
        for (int signals = 0;;) {
            int signal = 0;
            sigwait(&stop, &signal);
            std::unique_lock lock(mutex);
            if (released) return;
            if (++signals == 1 && !written) {
                web->Quit();
                continue;
            }
            changed.wait(lock, [&] { return written; });
            std::cout << "stopped at once; the notes are written" << std::endl;
            std::_Exit(130);
        }
    });
    web->Run();
    zelt.Stop();
    {
        std::lock_guard lock(mutex);
        written = true;
        changed.notify_all();
    }
    web.reset();
    {
        std::lock_guard lock(mutex);
        released = true;
    }
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
    const long objects = zelt.PluginObjects(), references = zelt.ForeignHostReferences();
    std::cout << "stopped; plug-in objects alive: " << objects
              << ", host references held by the plug-in: " << references << std::endl;
    return objects == 0 && references == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char** argv) {
    host::ZeltHost::Options options;
    options.pluginPath = VESK_PLUGIN_PATH;
    std::string command;
    bool web = false;
    host::web::WebFrontEnd::Options webOptions;
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
        } else if (arg == "--web") {
            web = true;
        } else if (arg == "--port" && i + 1 < argc) {
            const auto port = Whole(argv[++i], 0, 65535);
            if (!port) return Usage();
            webOptions.port = int(*port);
        } else if (arg == "--exchange" && i + 1 < argc) {
            std::error_code error;
            const auto folder = std::filesystem::absolute(argv[++i], error);
            if (error || folder.empty()) return Usage();
            webOptions.exchangeFolder = folder.lexically_normal().string();
        } else if (arg == "--dialog-timeout" && i + 1 < argc) {
            const auto seconds = Whole(argv[++i], 1, 86400);
            if (!seconds) return Usage();
            webOptions.patience = std::chrono::seconds(*seconds);
        } else if (command.empty() && arg[0] != '-') {
            command = arg;
        } else {
            return Usage();
        }
    }
    if (!command.empty() && command != "info") return Usage();
    if (web && !command.empty()) return Usage();
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
        if (web) return ServeWeb(zelt, webOptions);
        return host::HostShell(zelt, std::cout).Run(std::cin, isatty(STDIN_FILENO) != 0);
    } catch (const std::exception& e) {
        std::cerr << "zelt-host: " << e.what() << "\n";
        return 1;
    }
}
