#pragma once

#include "platform/com/ComObject.h"
#include "platform/com/Unknown.h"

#include <string>

namespace host {
// A part of the map that plug-ins only hand back to it: a layer, or a block of the
// information panel. Its identity is what counts.
class HostMapPart : public zsys::ComObject<HostMapPart, IUnknown> {
public:
    explicit HostMapPart(std::u16string name) : name_(std::move(name)) {}

    const std::u16string& Name() const { return name_; }

private:
    ~HostMapPart() override = default;

    std::u16string name_;
};
} // namespace host
