#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

// Device contexts are handles owned by the system layer; a context records what is drawn
// on it, so that a front end can render it and tests can read it.
struct DeviceContextRecord;
using HDC = DeviceContextRecord*;
