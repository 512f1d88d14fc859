// The dialog templates and images the plug-in carries, read back from its resource
// table the way the dialogs and the category table will read them.
#include "platform/resources/ModuleResources.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/WindowStyles.h"
#include "core/VeskNotesModule.h"

#include <gtest/gtest.h>

namespace {
zsys::DialogTemplate Dialog(WORD id) {
    const auto parsed = zsys::ParseDialogTemplate(zsys::ResourceBytes(FindResource(TheModule().Instance(), RT_DIALOG, id)));
    if (!parsed) throw std::runtime_error("dialog " + std::to_string(id) + " is missing or malformed");
    return *parsed;
}

void ExpectPlaced(const zsys::DialogItem* item, short x, short y, short cx, short cy) {
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->x, x);
    EXPECT_EQ(item->y, y);
    EXPECT_EQ(item->cx, cx);
    EXPECT_EQ(item->cy, cy);
    EXPECT_TRUE(item->style & WS_CHILD);
    EXPECT_TRUE(item->style & WS_VISIBLE);
}

void ExpectModalFrame(const zsys::DialogTemplate& d, short cx, short cy) {
    EXPECT_EQ(d.cx, cx);
    EXPECT_EQ(d.cy, cy);
    for (DWORD style : {WS_POPUP, WS_CAPTION, WS_SYSMENU, DS_MODALFRAME, DS_SETFONT}) EXPECT_TRUE(d.style & style) << style;
    EXPECT_EQ(d.fontName, u"MS Shell Dlg");
    EXPECT_EQ(d.pointSize, 8);
}
} // namespace

TEST(ResourceTable, NoteEditDialogHasAMultiLineEditAndDefaultOk) {
    const auto d = Dialog(114);
    ExpectModalFrame(d, 195, 71);
    ASSERT_EQ(d.items.size(), 3u);
    ExpectPlaced(d.Item(1), 40, 51, 50, 16);
    EXPECT_EQ(d.Item(1)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    ExpectPlaced(d.Item(2), 105, 51, 50, 16);
    EXPECT_EQ(d.Item(2)->style & BS_TYPEMASK, BS_PUSHBUTTON);
    const auto* edit = d.Item(119);
    ExpectPlaced(edit, 0, 0, 195, 45);
    EXPECT_EQ(edit->className, u"Edit");
    for (DWORD style : {ES_MULTILINE, ES_WANTRETURN, WS_VSCROLL, WS_BORDER, WS_TABSTOP}) EXPECT_TRUE(edit->style & style);
}

TEST(ResourceTable, SettingsDialogHasTheCategoryListAndFourButtons) {
    const auto d = Dialog(115);
    ExpectModalFrame(d, 255, 127);
    ASSERT_EQ(d.items.size(), 6u);
    ExpectPlaced(d.Item(2), 161, 104, 90, 16);
    EXPECT_EQ(d.Item(2)->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    ExpectPlaced(d.Item(-1), 7, 7, 148, 112);
    EXPECT_EQ(d.Item(-1)->style & BS_TYPEMASK, BS_GROUPBOX);
    const auto* list = d.Item(120);
    ExpectPlaced(list, 12, 17, 138, 97);
    EXPECT_EQ(list->className, u"SysListView32");
    for (DWORD style : {LVS_LIST, LVS_SINGLESEL, LVS_NOLABELWRAP, LVS_EDITLABELS, LVS_ALIGNLEFT, LVS_NOCOLUMNHEADER,
                        WS_BORDER, WS_TABSTOP})
        EXPECT_TRUE(list->style & style) << style;
    ExpectPlaced(d.Item(121), 161, 7, 90, 16);
    ExpectPlaced(d.Item(122), 161, 24, 90, 16);
    ExpectPlaced(d.Item(123), 161, 41, 90, 16);
}

TEST(ResourceTable, ImportQuestionHasNoDefaultButtonAndTheInformationIcon) {
    const auto d = Dialog(116);
    ExpectModalFrame(d, 228, 59);
    ASSERT_EQ(d.items.size(), 7u);
    ExpectPlaced(d.Item(117), 26, 36, 50, 16);
    ExpectPlaced(d.Item(118), 86, 36, 50, 16);
    ExpectPlaced(d.Item(2), 146, 36, 50, 16);
    for (int id : {117, 118, 2}) EXPECT_EQ(d.Item(id)->style & BS_TYPEMASK, BS_PUSHBUTTON) << id;
    const auto* icon = d.Item(125);
    ExpectPlaced(icon, 4, 8, 20, 20);
    EXPECT_EQ(icon->style & 0xF, SS_ICON);
    EXPECT_EQ(icon->titleOrdinal, IDI_INFORMATION);
    const short rows[][2] = {{4, 10}, {13, 8}, {25, 8}};
    int row = 0;
    for (const auto& item : d.items)
        if (item.id == -1 && item.className == u"Static") {
            ASSERT_LT(row, 3);
            ExpectPlaced(&item, 31, rows[row][0], 193, rows[row][1]);
            ++row;
        }
    EXPECT_EQ(row, 3);
}

TEST(ResourceTable, ImagesAreThereAsPngAndBitmap) {
    const HINSTANCE module = TheModule().Instance();
    for (WORD id = 126; id <= 164; ++id) {
        const auto png = zsys::ResourceBytes(FindResource(module, RT_PNG, id));
        ASSERT_GT(png.size(), 8u) << id;
        EXPECT_EQ(png[1], 'P');
        EXPECT_EQ(png[2], 'N');
        EXPECT_EQ(png[3], 'G');
    }
    const auto bitmap = zsys::ResourceBytes(FindResource(module, RT_BITMAP, 183));
    ASSERT_GE(bitmap.size(), 40u);
    EXPECT_EQ(bitmap[0], 40) << "a bitmap resource starts with its info header, not a file header";
    EXPECT_EQ(bitmap.size(), 40u + 812u * 16u);
}
