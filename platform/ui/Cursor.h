#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

// The mouse pointer's shape. Cursors are shared handles owned by the system layer and are
// never freed; drivers may show the current one.
struct CursorRecord;
using HCURSOR = const CursorRecord*;

constexpr WORD IDC_ARROW = 32512, IDC_WAIT = 32514;

namespace zsys {
// The system cursor with that id; null for an id the system has no cursor for.
ZSYS_API HCURSOR LoadCursor(WORD id);
// Shows the cursor (null hides it) and returns the one shown before. The arrow is shown
// until something sets another.
ZSYS_API HCURSOR SetCursor(HCURSOR cursor);
ZSYS_API HCURSOR CurrentCursor();
// The id a cursor was loaded with; 0 for null.
ZSYS_API WORD CursorId(HCURSOR cursor);
} // namespace zsys
