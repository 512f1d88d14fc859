#pragma once

#include "platform/com/Types.h"

#include <cstdint>

// Tells a map layer block whether a company's note carries the block's category.
class ILayerBlockManager {
public:
    // The block's name ("NodesIcon3") names the category.
    virtual bool HasCategory(BSTR blockName, std::int32_t company) = 0;
    virtual ~ILayerBlockManager() = default;
};
