#pragma once

#include "platform/resources/ModuleResources.h"

extern const ResourceTable kTestDialogs;

namespace testsupport {
// The module holding the window tests' dialogs: the plug-in's 114, 115 and 116 and the probe 900.
inline HMODULE TestDialogs() {
    static const HMODULE module = RegisterModule("PlatformTestDialogs", &kTestDialogs, nullptr);
    return module;
}
} // namespace testsupport
