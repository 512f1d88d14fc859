#include "platform/system/AppData.h"

#include <cstdlib>
#include <mutex>

namespace {
std::mutex g_lock;
std::string g_chosen; // empty: the environment decides

std::string FromEnvironment() {
    // A relative folder is no folder at all, as the base directory rules say.
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') return data;
    if (const char* home = std::getenv("HOME"); home && *home) {
        std::string folder = home;
        if (folder.back() != '/') folder += '/';
        return folder + ".local/share";
    }
    return {};
}
} // namespace

std::string zsys::AppDataFolder() {
    {
        const std::lock_guard guard(g_lock);
        if (!g_chosen.empty()) return g_chosen;
    }
    return FromEnvironment();
}

void zsys::SetAppDataFolder(std::string_view path) {
    const std::lock_guard guard(g_lock);
    g_chosen = path;
}
