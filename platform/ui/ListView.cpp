#include "platform/ui/ListView.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/WindowRegistry.h"
#include "platform/ui/WindowStyles.h"

#include <algorithm>
#include <utility>

namespace zsys::listview {
namespace {
using detail::ListViewOf;

constexpr LONG kMinItemHeight = 13, kIconGap = 2, kCharWidth = 6, kLabelPadding = 4;

// Where the items of a list in list mode go.
class Layout {
public:
    Layout(HWND list, const ListViewState& state) : state_(state) {
        const ImageList::Size image = state.smallImages ? state.smallImages->ImageSize() : ImageList::Size{};
        itemHeight_ = std::max<LONG>(image.height, kMinItemHeight);
        iconWidth_ = image.width + kIconGap;
        rows_ = std::max<LONG>(ClientRect(list).bottom / itemHeight_, 1);
        const int count = static_cast<int>(state.items.size());
        for (int first = 0; first < count; first += rows_) {
            LONG width = 0;
            for (int i = first; i < std::min<int>(first + rows_, count); ++i)
                width = std::max(width, iconWidth_ + LabelWidth(i));
            columnLeft_.push_back(columnLeft_.empty() ? 0 : columnLeft_.back() + columnWidth_.back());
            columnWidth_.push_back(width);
        }
    }

    RECT Part(int item, int part) const {
        const std::size_t column = item / rows_;
        const LONG left = columnLeft_[column];
        const LONG top = (item % rows_) * itemHeight_;
        switch (part) {
        case LVIR_ICON:
            return {left, top, left + iconWidth_, top + itemHeight_};
        case LVIR_LABEL:
            return {left + iconWidth_, top, left + iconWidth_ + LabelWidth(item), top + itemHeight_};
        default:
            return {left, top, left + columnWidth_[column], top + itemHeight_};
        }
    }

    int ItemAt(POINT p) const {
        if (p.y < 0 || p.x < 0) return -1;
        for (std::size_t column = 0; column < columnLeft_.size(); ++column) {
            if (p.x >= columnLeft_[column] + columnWidth_[column]) continue;
            const LONG row = p.y / itemHeight_;
            const LONG item = static_cast<LONG>(column) * rows_ + row;
            return row < rows_ && item < static_cast<LONG>(state_.items.size()) ? item : -1;
        }
        return -1;
    }

private:
    LONG LabelWidth(int item) const {
        return static_cast<LONG>(state_.items[item].text.size()) * kCharWidth + kLabelPadding;
    }

    const ListViewState& state_;
    LONG itemHeight_ = 0, iconWidth_ = 0, rows_ = 1;
    std::vector<LONG> columnLeft_, columnWidth_;
};

ListViewItem* ItemOf(HWND list, int item) {
    ListViewState* state = ListViewOf(list);
    if (!state || item < 0 || item >= static_cast<int>(state->items.size())) return nullptr;
    return &state->items[item];
}
} // namespace

int InsertItem(HWND list, int index, std::u16string_view text, int image) {
    ListViewState* state = ListViewOf(list);
    if (!state) return -1;
    index = std::clamp(index, 0, static_cast<int>(state->items.size()));
    state->items.insert(state->items.begin() + index, ListViewItem{std::u16string(text), image});
    return index;
}

bool DeleteAllItems(HWND list) {
    ListViewState* state = ListViewOf(list);
    if (!state) return false;
    state->items.clear();
    state->editing = -1;
    return true;
}

int ItemCount(HWND list) {
    const ListViewState* state = ListViewOf(list);
    return state ? static_cast<int>(state->items.size()) : -1;
}

std::u16string ItemText(HWND list, int item) {
    const ListViewItem* i = ItemOf(list, item);
    return i ? i->text : std::u16string();
}

bool SetItemText(HWND list, int item, std::u16string_view text) {
    ListViewItem* i = ItemOf(list, item);
    if (!i) return false;
    i->text = text;
    return true;
}

int ItemImage(HWND list, int item) {
    const ListViewItem* i = ItemOf(list, item);
    return i ? i->image : -1;
}

const ImageList* SetImageList(HWND list, const ImageList* smallImages) {
    ListViewState* state = ListViewOf(list);
    return state ? std::exchange(state->smallImages, smallImages) : nullptr;
}

const ImageList* GetImageList(HWND list) {
    const ListViewState* state = ListViewOf(list);
    return state ? state->smallImages : nullptr;
}

std::optional<RECT> ItemRect(HWND list, int item, int part) {
    const ListViewState* state = ListViewOf(list);
    if (!ItemOf(list, item)) return std::nullopt;
    return Layout(list, *state).Part(item, part);
}

int HitTest(HWND list, POINT client, UINT* flags) {
    UINT where = LVHT_NOWHERE;
    int item = -1;
    if (const ListViewState* state = ListViewOf(list)) {
        const Layout layout(list, *state);
        const int candidate = layout.ItemAt(client);
        if (candidate >= 0 && PtInRect(layout.Part(candidate, LVIR_ICON), client)) where = LVHT_ONITEMICON;
        if (candidate >= 0 && PtInRect(layout.Part(candidate, LVIR_LABEL), client)) where = LVHT_ONITEMLABEL;
        if (where != LVHT_NOWHERE) item = candidate;
    }
    if (flags) *flags = where;
    return item;
}

bool EditLabel(HWND list, int item) {
    ListViewState* state = ListViewOf(list);
    if (!state || !(Style(list) & LVS_EDITLABELS) || !ItemOf(list, item)) return false;
    state->editing = item;
    return true;
}

int EditingItem(HWND list) {
    const ListViewState* state = ListViewOf(list);
    return state ? state->editing : -1;
}
} // namespace zsys::listview
