#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zsys {
// One control of a dialog template. Positions and sizes are in dialog units.
struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;                // -1 for the templates' "no id" (0xFFFF)
    std::u16string className; // "Button", "Edit", "Static", … or a registered class name
    std::u16string title;
    WORD titleOrdinal = 0; // a resource id in place of the title (an icon), 0 for none
};

// A dialog as its template describes it.
struct ZSYS_API DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::u16string title;
    WORD pointSize = 0; // with the font name only when the template sets a font
    std::u16string fontName;
    std::vector<DialogItem> items;

    // The item with that id; null when there is none.
    const DialogItem* Item(int id) const;
};

// Reads a dialog template as resources store it (the classic binary layout, items
// aligned to four bytes); nothing when the bytes are not a complete template.
ZSYS_API std::optional<DialogTemplate> ParseDialogTemplate(std::span<const BYTE> bytes);
} // namespace zsys
