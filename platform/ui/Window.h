#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

// Windows are handles owned by the system layer; plug-in code never looks inside.
struct WindowRecord;
using HWND = WindowRecord*;
