#include "platform/ui/Cursor.h"

#include <utility>

struct CursorRecord {
    WORD id;
};

namespace zsys {
namespace {
constexpr CursorRecord kCursors[] = {{IDC_ARROW}, {IDC_WAIT}};
HCURSOR g_current = &kCursors[0];
} // namespace

HCURSOR LoadCursor(WORD id) {
    for (const CursorRecord& cursor : kCursors)
        if (cursor.id == id) return &cursor;
    return nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    return std::exchange(g_current, cursor);
}

HCURSOR CurrentCursor() {
    return g_current;
}

WORD CursorId(HCURSOR cursor) {
    return cursor ? cursor->id : 0;
}
} // namespace zsys
