#pragma once

#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"

#include <string_view>

// The notes controller's side of a map layer block; the host never calls it. Plain member
// calls, like any call inside the plug-in: a failure is raised, not returned.
struct INodeLayerBlock : IUnknown {
    static constexpr IID iid = zsys::Guid("{65B70527-3A92-4DE0-8C24-D2E3EAC73374}");
    // Counts a building in; the host's sink hears of it only when it was not counted yet.
    virtual void AddObject(ULONG building) = 0;
    // Counts a building out; the sink hears of it whenever it is no longer counted, even
    // when it never was.
    virtual void RemoveObject(ULONG building) = 0;
    // The caption the host reads the next time the block is added to a list.
    virtual void SetCaption(std::u16string_view caption) = 0;
    // The controller is going while the host may still hold the block: its filter keeps
    // no company from now on.
    virtual void ForgetManager() = 0;
};
