#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"
#include "platform/ui/Geometry.h"

#include <string>
#include <string_view>
#include <vector>

// Device contexts are handles owned by the system layer; a context records what is drawn
// on it, so that a front end can render it and tests can read it.
struct DeviceContextRecord;
using HDC = DeviceContextRecord*;
// A brush names a system colour; brushes are shared and never freed.
struct BrushRecord;
using HBRUSH = const BrushRecord*;

// A colour as 0x00BBGGRR.
using COLORREF = DWORD;
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}

constexpr int COLOR_WINDOW = 5, COLOR_WINDOWTEXT = 8, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14,
              COLOR_GRAYTEXT = 17;
constexpr int TRANSPARENT = 1, OPAQUE = 2;
constexpr UINT DT_LEFT = 0x0, DT_VCENTER = 0x4, DT_SINGLELINE = 0x20;
constexpr UINT ILD_NORMAL = 0x0, ILD_TRANSPARENT = 0x1;

namespace zsys {
class ImageList;

// The system colours of the classic scheme: window white, window text black, highlight navy
// (0, 0, 128), highlight text white, grey text (128, 128, 128); 0 for another index.
ZSYS_API COLORREF GetSysColor(int index);
// The brush of a system colour; null for an index without one.
ZSYS_API HBRUSH GetSysColorBrush(int index);
// The system colour index a brush paints with; -1 for null.
ZSYS_API int BrushColorIndex(HBRUSH brush);

// A context that records what is drawn on it; text is black on an opaque background until set.
ZSYS_API HDC CreateRecordingDC();
ZSYS_API bool DeleteDC(HDC dc);

// The drawing calls. Each returns false and records nothing for no context.
ZSYS_API bool FillRect(HDC dc, const RECT& rect, HBRUSH brush);
ZSYS_API COLORREF SetTextColor(HDC dc, COLORREF color); // the colour before
ZSYS_API int SetBkMode(HDC dc, int mode);               // the mode before; 0 for no context
ZSYS_API bool DrawText(HDC dc, std::u16string_view text, const RECT& rect, UINT format);
// Draws image `index` of the list with its top-left corner at x, y (ImageList_Draw); false for no
// such image.
ZSYS_API bool DrawImage(const ImageList* images, int index, HDC dc, int x, int y, UINT style);

// One recorded call; the fields its kind does not use keep their defaults.
struct DrawOp {
    enum class Kind { Fill, TextColor, BkMode, Text, Image };
    Kind kind = Kind::Fill;
    RECT rect;                         // Fill, Text
    int colorIndex = -1;               // Fill: the brush's system colour
    COLORREF color = 0;                // TextColor
    int mode = 0;                      // BkMode
    std::u16string text;               // Text
    UINT format = 0;                   // Text
    const ImageList* images = nullptr; // Image
    int index = -1;                    // Image
    int x = 0, y = 0;                  // Image
    UINT style = 0;                    // Image
};
// What was drawn on the context, in order; empty for no context.
ZSYS_API std::vector<DrawOp> RecordedOps(HDC dc);
} // namespace zsys
