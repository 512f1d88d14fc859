#include "platform/resources/ModuleResources.h"

#include "platform/com/ComModule.h"
#include "platform/system/Language.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct ModuleRecord {
    std::string name;
    const ResourceTable* table;
    const zsys::ComModule* objects;
};

namespace {
std::mutex g_modulesMutex;
std::vector<std::unique_ptr<ModuleRecord>>& Modules() {
    static std::vector<std::unique_ptr<ModuleRecord>> modules;
    return modules;
}

HRSRC Find(HMODULE module, ResourceType type, WORD id, bool anyLanguage, LANGID language) {
    if (!module || !module->table) return nullptr;
    for (std::size_t i = 0; i < module->table->count; ++i) {
        const ResourceEntry& e = module->table->entries[i];
        if (e.id == id && e.type == type && (anyLanguage || e.language == language)) return &e;
    }
    return nullptr;
}
} // namespace

extern "C" {
HMODULE RegisterModule(const char* name, const ResourceTable* table, const zsys::ComModule* objects) {
    if (!table) return nullptr;
    std::lock_guard lock(g_modulesMutex);
    Modules().push_back(std::make_unique<ModuleRecord>(ModuleRecord{name ? name : "", table, objects}));
    return Modules().back().get();
}

HMODULE GetModuleHandle(const char* name) {
    if (!name) return nullptr;
    std::lock_guard lock(g_modulesMutex);
    for (const auto& m : Modules())
        if (m->name == name) return m.get();
    return nullptr;
}

long ModuleObjectCount(HMODULE module) {
    std::lock_guard lock(g_modulesMutex);
    for (const auto& m : Modules())
        if (m.get() == module) return m->objects ? m->objects->LockCount() : -1;
    return -1;
}

void UnregisterModule(HMODULE module) {
    std::lock_guard lock(g_modulesMutex);
    auto& modules = Modules();
    for (auto it = modules.begin(); it != modules.end(); ++it)
        if (it->get() == module) {
            modules.erase(it);
            return;
        }
}

HRSRC FindResourceEx(HMODULE module, ResourceType type, WORD id, LANGID language) {
    return Find(module, type, id, false, language);
}

HRSRC FindResource(HMODULE module, ResourceType type, WORD id) {
    if (HRSRC r = Find(module, type, id, false, GetThreadUILanguage())) return r;
    if (HRSRC r = Find(module, type, id, false, 1033)) return r;
    return Find(module, type, id, true, 0);
}
}

namespace zsys {
std::u16string_view StringBlockEntry(std::span<const BYTE> block, unsigned index) {
    std::size_t pos = 0;
    for (unsigned i = 0; i < 16; ++i) {
        if (pos + 2 > block.size()) return {};
        std::uint16_t length;
        std::memcpy(&length, block.data() + pos, 2);
        pos += 2;
        if (pos + std::size_t(length) * 2 > block.size()) return {};
        if (i == index) {
            // Resource data is 2-aligned by the compiler, so the units can be viewed in place.
            return {reinterpret_cast<const char16_t*>(block.data() + pos), length};
        }
        pos += std::size_t(length) * 2;
    }
    return {};
}
} // namespace zsys
