#pragma once

// Controls: what the plug-in hands the host to place and label (container controls,
// commands with their state, children of a group) and the standard controls the host
// makes for it (edit box, combo box) with their drawing hooks. Only the order of the
// operations is binding; the names are ours.
#include "hostapi/ZeltCore.h"

namespace ZeltCore {
// Implemented by the plug-in: a control that wraps one standard control of the host.
struct IContainerControl : IUnknown {
    static constexpr IID iid = zsys::Guid("{198AFA7C-A6CA-41C0-909A-C1F4E9D16E69}");
    // The standard control the host made for this object.
    virtual HRESULT Control(IUnknown** control) = 0;
};

// Implemented by the plug-in: where the host puts a control, block or group.
struct IControlPlacement : IUnknown {
    static constexpr IID iid = zsys::Guid("{2017A77A-043B-48A0-B3EA-F0504EC6CB2B}");
    // An action-group name ("MY02notesgroup:1"), a placement XML fragment or a code.
    virtual HRESULT Placement(BSTR* placement) = 0;
};

// Implemented by the plug-in: how the host labels a control, block, group or button.
struct IControlAppearance : IUnknown {
    static constexpr IID iid = zsys::Guid("{4F46696D-9CCF-4953-B936-31E5B8763044}");
    virtual HRESULT Tag(BSTR* tag) = 0;
    virtual HRESULT Caption(BSTR* caption) = 0;
    virtual HRESULT Tooltip(BSTR* tooltip) = 0;
    // A host image, or null when the control shows none.
    virtual HRESULT Image(IUnknown** image) = 0;
};

// Implemented by the plug-in: what happens when the user triggers a command or button.
struct ICommandAction : IUnknown {
    static constexpr IID iid = zsys::Guid("{56C38587-A7D2-4508-A35C-DA0249EE6645}");
    virtual HRESULT Execute() = 0;
};

// Implemented by the plug-in: whether a control is shown.
struct IControlState : IUnknown {
    static constexpr IID iid = zsys::Guid("{6C91FE90-B064-48B0-A4B2-4A2EBDC94DE7}");
    virtual HRESULT Visible(VARIANT_BOOL* visible) = 0;
};

// Implemented by the plug-in: the state of a command as a button or menu item shows it.
struct ICommandState : IControlState {
    static constexpr IID iid = zsys::Guid("{37F40CEC-1672-4032-904E-E7DA15327620}");
    virtual HRESULT Enabled(VARIANT_BOOL* enabled) = 0;
    virtual HRESULT Checked(VARIANT_BOOL* checked) = 0;
};

// Implemented by the plug-in: the group a child control (a map layer block) belongs to.
struct IChildControl : IUnknown {
    static constexpr IID iid = zsys::Guid("{2A783EAA-B092-458F-90FE-DB2E8E120C15}");
    virtual HRESULT Parent(IUnknown** parent) = 0;
};

// The host's factory of standard controls (the image factory, seen from another side).
struct IHostControlFactory : IUnknown {
    static constexpr IID iid = zsys::Guid("{C47EB701-992B-4AC2-A418-1C5FDE015428}");
    // Kinds: 0 a command (button or menu item), 1 an edit box, 5 a combo box;
    // E_INVALIDARG for another kind.
    virtual HRESULT CreateStandardControl(LONG kind, IUnknown** control) = 0;
};

// Every standard control.
struct IHostStandardControl : IUnknown {
    static constexpr IID iid = zsys::Guid("{48E7DE2D-E144-4AB7-81D7-709655EFF4C5}");
    // A style of the control's kind (4 for a command, 2 for a combo box).
    virtual HRESULT SetStyle(LONG style) = 0;
};

// Standard controls that hold text (edit box and combo box).
struct IHostControlText : IUnknown {
    static constexpr IID iid = zsys::Guid("{8556FB0E-DEA3-4E61-ABE9-3DD318A5599C}");
    // The grey text shown while the control is empty.
    virtual HRESULT SetHint(BSTR hint) = 0;
};

// A standard edit box.
struct IHostEditBox : IUnknown {
    static constexpr IID iid = zsys::Guid("{408D248F-B978-473E-8143-3FF5F4DFB18C}");
    virtual HRESULT GetText(BSTR* text) = 0;
    virtual HRESULT SetText(BSTR text) = 0;
};

// A standard combo box whose list the plug-in fills and may draw itself.
struct IHostComboBox : IUnknown {
    static constexpr IID iid = zsys::Guid("{B3CFF14A-06C9-41A4-89E6-23DD7273D43F}");
    // Empties the list; the selection goes.
    virtual HRESULT Clear() = 0;
    // Appends an item with a value of the caller's (VT_ERROR/DISP_E_PARAMNOTFOUND for
    // none); its index.
    virtual HRESULT AddItem(BSTR text, VARIANT data, LONG* index) = 0;
    // The text of an item; E_INVALIDARG for an index outside the list.
    virtual HRESULT ItemText(LONG index, BSTR* text) = 0;
    // 1: the plug-in draws the closed face and the items through its drawers.
    virtual HRESULT SetOwnerDraw(LONG ownerDraw) = 0;
    // Selects an item; -1 clears the selection; E_INVALIDARG for another index outside.
    virtual HRESULT SetSelection(LONG index) = 0;
    // The selected item; -1 when none is.
    virtual HRESULT Selection(LONG* index) = 0;
    // The object (IListBoxItemDrawer) that draws each item of the open list.
    virtual HRESULT SetListItemDrawer(IUnknown* drawer) = 0;
    // The object (IEditAreaDrawer) that draws the closed face.
    virtual HRESULT SetEditAreaDrawer(IUnknown* drawer) = 0;
};

// A rectangle in the pixels of a device context.
struct IHostRect : IUnknown {
    static constexpr IID iid = zsys::Guid("{E6E4DA7E-2A53-43E0-95F3-4CCBF295C711}");
    virtual HRESULT Left(LONG* left) = 0;
    virtual HRESULT Top(LONG* top) = 0;
    virtual HRESULT Right(LONG* right) = 0;
    virtual HRESULT Bottom(LONG* bottom) = 0;
};

// What the host hands a drawer of a combo's closed face.
struct IHostDrawContext : IUnknown {
    static constexpr IID iid = zsys::Guid("{EDD89764-A766-40AE-A259-ADBED1280FCB}");
    virtual HRESULT DeviceContext(HDC* dc) = 0;
    virtual HRESULT Rect(IHostRect** rect) = 0;
    // The selected item; -1 when none is.
    virtual HRESULT SelectedIndex(LONG* index) = 0;
};

// An item's state and the drawing asked of it (IHostItemDrawContext): the selected item is
// drawn highlighted; the whole item, or only what a change of selection or focus touched.
inline constexpr UINT kItemSelected = 0x2;
inline constexpr UINT kDrawEntire = 0x1, kDrawSelectionChanged = 0x2, kDrawFocusChanged = 0x4;

// What the host hands a drawer of one item of a combo's open list.
struct IHostItemDrawContext : IUnknown {
    static constexpr IID iid = zsys::Guid("{94B2F4F2-ABD5-4416-8EB8-37BC3D6F142B}");
    virtual HRESULT DeviceContext(HDC* dc) = 0;
    virtual HRESULT Rect(IHostRect** rect) = 0;
    virtual HRESULT ItemIndex(LONG* index) = 0;
    // State flags: kItemSelected; others are the host's.
    virtual HRESULT ItemState(UINT* state) = 0;
    // Action flags: kDrawEntire, kDrawSelectionChanged, kDrawFocusChanged.
    virtual HRESULT ItemAction(UINT* action) = 0;
};

// Implemented by the plug-in: draws the closed face of a combo box.
struct IEditAreaDrawer : IUnknown {
    static constexpr IID iid = zsys::Guid("{B8E0C3B2-C086-42A5-BCF2-092BE63CB775}");
    virtual HRESULT Draw(IHostDrawContext* context) = 0;
};

// Implemented by the plug-in: draws one item of a combo box's open list.
struct IListBoxItemDrawer : IUnknown {
    static constexpr IID iid = zsys::Guid("{5F10FA9A-D29A-489B-B97E-A1E8166B386D}");
    virtual HRESULT DrawItem(IHostItemDrawContext* context) = 0;
};
} // namespace ZeltCore
