#pragma once

// Tells a map layer block whether a company's note carries its category. HasCategory
// joins here with the map layers.
class ILayerBlockManager {
public:
    virtual ~ILayerBlockManager() = default;
};
