#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Window.h"

#include <optional>
#include <string>
#include <string_view>

// The class of list views, and the parts of an item and the places a hit test names.
inline constexpr std::u16string_view kListViewClass = u"SysListView32";
constexpr int LVIR_BOUNDS = 0, LVIR_ICON = 1, LVIR_LABEL = 2;
constexpr UINT LVHT_NOWHERE = 0x1, LVHT_ONITEMICON = 0x2, LVHT_ONITEMLABEL = 0x4, LVHT_ONITEMSTATEICON = 0x8;

namespace zsys {
class ImageList;
}

// A list view (a window of class SysListView32): items with a text and an image of the list's
// small-image list.
//
// Layout, list mode (LVS_LIST), in client pixels: items run top to bottom, then on in the next
// column to the right; a column holds as many items as fit the client height (at least one).
// Every item is max(image height, 13) px high; its icon part is the image width (0 without an
// image list) + 2 px wide, its label part 6 px per character + 4 px, right after the icon. A
// column is as wide as its widest item (icon + label), and so are the bounds of each of its
// items. The list shows no state icons, so hit tests never say LVHT_ONITEMSTATEICON.
//
// Every call answers "nothing" (-1, false, null, empty) for a window that is no list view or an
// item index out of range.
namespace zsys::listview {
// Inserts an item before `index` (clamped to 0..count) and returns where it went.
ZSYS_API int InsertItem(HWND list, int index, std::u16string_view text, int image);
ZSYS_API bool DeleteAllItems(HWND list);
ZSYS_API int ItemCount(HWND list);
ZSYS_API std::u16string ItemText(HWND list, int item);
ZSYS_API bool SetItemText(HWND list, int item, std::u16string_view text);
ZSYS_API int ItemImage(HWND list, int item);

// Gives the list its small-image list (LVSIL_SMALL) and returns the one it had. The list never
// owns it: whoever does takes it away again before the list is destroyed.
ZSYS_API const ImageList* SetImageList(HWND list, const ImageList* smallImages);
ZSYS_API const ImageList* GetImageList(HWND list);

// A part (LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL) of an item, in client pixels.
ZSYS_API std::optional<RECT> ItemRect(HWND list, int item, int part);
// The item at a client position, or -1; `flags` (may be null) gets LVHT_ONITEMICON or
// LVHT_ONITEMLABEL, LVHT_NOWHERE beside every item.
ZSYS_API int HitTest(HWND list, POINT client, UINT* flags);

// Starts editing the item's label; only a list with LVS_EDITLABELS does (false otherwise).
// Editing another item drops the edit in progress without a notification.
ZSYS_API bool EditLabel(HWND list, int item);
// The item whose label is being edited, or -1.
ZSYS_API int EditingItem(HWND list);
} // namespace zsys::listview
