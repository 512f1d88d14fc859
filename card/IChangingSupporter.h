#pragma once

#include "platform/com/Unknown.h"

#include <string>

// The plug-in's own side of a card command: what a new card changes in it. The host
// sees a change the next time it asks the command.
struct IChangingSupporter : IUnknown {
    static constexpr IID iid = zsys::Guid("{B7031065-E390-11DD-AD8B-0800200C9A66}");
    virtual void SetEnabled(bool enabled) = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;
    virtual void SetTooltip(const std::u16string& tooltip) = 0;
    virtual void SetChecked(bool checked) = 0;
};
