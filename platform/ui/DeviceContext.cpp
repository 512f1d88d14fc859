#include "platform/ui/DeviceContext.h"

#include "platform/ui/ImageList.h"

#include <memory>
#include <unordered_map>
#include <utility>

struct BrushRecord {
    int index;
    COLORREF color;
};

struct DeviceContextRecord {
    COLORREF textColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    std::vector<zsys::DrawOp> ops;
};

namespace zsys {
namespace {
// The classic scheme: what a list item or combo face is painted with.
constexpr BrushRecord kSystemColors[] = {
    {COLOR_WINDOW, RGB(255, 255, 255)},   {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_HIGHLIGHT, RGB(0, 0, 128)},    {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_GRAYTEXT, RGB(128, 128, 128)},
};

std::unordered_map<HDC, std::unique_ptr<DeviceContextRecord>>& Contexts() {
    static std::unordered_map<HDC, std::unique_ptr<DeviceContextRecord>> contexts;
    return contexts;
}

DeviceContextRecord* Find(HDC dc) {
    return dc && Contexts().contains(dc) ? dc : nullptr;
}
} // namespace

COLORREF GetSysColor(int index) {
    const HBRUSH brush = GetSysColorBrush(index);
    return brush ? brush->color : 0;
}

HBRUSH GetSysColorBrush(int index) {
    for (const BrushRecord& brush : kSystemColors)
        if (brush.index == index) return &brush;
    return nullptr;
}

int BrushColorIndex(HBRUSH brush) {
    return brush ? brush->index : -1;
}

HDC CreateRecordingDC() {
    auto record = std::make_unique<DeviceContextRecord>();
    HDC dc = record.get();
    Contexts().emplace(dc, std::move(record));
    return dc;
}

bool DeleteDC(HDC dc) {
    return Contexts().erase(dc) > 0;
}

bool FillRect(HDC dc, const RECT& rect, HBRUSH brush) {
    DeviceContextRecord* d = Find(dc);
    if (!d || !brush) return false;
    d->ops.push_back({.kind = DrawOp::Kind::Fill, .rect = rect, .colorIndex = brush->index});
    return true;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    DeviceContextRecord* d = Find(dc);
    if (!d) return 0;
    d->ops.push_back({.kind = DrawOp::Kind::TextColor, .color = color});
    return std::exchange(d->textColor, color);
}

int SetBkMode(HDC dc, int mode) {
    DeviceContextRecord* d = Find(dc);
    if (!d) return 0;
    d->ops.push_back({.kind = DrawOp::Kind::BkMode, .mode = mode});
    return std::exchange(d->bkMode, mode);
}

bool DrawText(HDC dc, std::u16string_view text, const RECT& rect, UINT format) {
    DeviceContextRecord* d = Find(dc);
    if (!d) return false;
    d->ops.push_back(
        {.kind = DrawOp::Kind::Text, .rect = rect, .text = std::u16string(text), .format = format});
    return true;
}

bool DrawImage(const ImageList* images, int index, HDC dc, int x, int y, UINT style) {
    DeviceContextRecord* d = Find(dc);
    if (!d || !images || index < 0 || index >= images->Count()) return false;
    d->ops.push_back(
        {.kind = DrawOp::Kind::Image, .images = images, .index = index, .x = x, .y = y, .style = style});
    return true;
}

std::vector<DrawOp> RecordedOps(HDC dc) {
    const DeviceContextRecord* d = Find(dc);
    return d ? d->ops : std::vector<DrawOp>();
}
} // namespace zsys
