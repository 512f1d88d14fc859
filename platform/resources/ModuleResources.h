#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace zsys {
class ComModule;
}

// A resource type: a number (RT_STRING and the like) or a name ("PNG").
struct ResourceType {
    WORD id = 0;
    const char* name = nullptr;
    friend bool operator==(const ResourceType& a, const ResourceType& b) {
        if (a.name || b.name) return a.name && b.name && std::string_view(a.name) == b.name;
        return a.id == b.id;
    }
};
constexpr ResourceType RT_BITMAP{2};
constexpr ResourceType RT_DIALOG{5};
constexpr ResourceType RT_STRING{6};
constexpr ResourceType RT_PNG{0, "PNG"};

// One resource of a module's table, as the resource compiler lays it down.
struct ResourceEntry {
    ResourceType type;
    WORD id;
    LANGID language;
    const BYTE* data;
    DWORD size;
};

struct ResourceTable {
    const ResourceEntry* entries;
    std::size_t count;
};

struct ModuleRecord;
using HMODULE = const ModuleRecord*;
using HINSTANCE = HMODULE;
using HRSRC = const ResourceEntry*;

extern "C" {
// A library announces itself, its resources and its live-object count when it is
// attached; the handle lives until it is unregistered. Null when the table is null.
ZSYS_API HMODULE RegisterModule(const char* name, const ResourceTable* table, const zsys::ComModule* objects);
ZSYS_API void UnregisterModule(HMODULE module);
// The registered module of that name; null when none is.
ZSYS_API HMODULE GetModuleHandle(const char* name);
// The module's live objects; -1 for an unknown module or one that does not count.
ZSYS_API long ModuleObjectCount(HMODULE module);

// The resource in exactly that language; null when there is none.
ZSYS_API HRSRC FindResourceEx(HMODULE module, ResourceType type, WORD id, LANGID language);
// The resource in the system's own choice of language: the thread's interface
// language, then English (1033), then the first language the module has it in.
ZSYS_API HRSRC FindResource(HMODULE module, ResourceType type, WORD id);
}

namespace zsys {
// The bytes of a found resource; empty for null.
inline std::span<const BYTE> ResourceBytes(HRSRC r) { return r ? std::span<const BYTE>(r->data, r->size) : std::span<const BYTE>(); }

// Strings are kept in blocks of 16, block (id / 16) + 1.
constexpr WORD StringBlockId(WORD stringId) { return static_cast<WORD>(stringId / 16 + 1); }

// Entry `index` (0 to 15) of a string-table block: 16 entries, each a 16-bit length
// followed by that many UTF-16 units. Empty when the entry is empty or the block is short.
ZSYS_API std::u16string_view StringBlockEntry(std::span<const BYTE> block, unsigned index);
} // namespace zsys
