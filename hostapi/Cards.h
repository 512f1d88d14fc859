#pragma once

// Company cards: the card the host shows, its command host, and the cell controller
// through which the plug-in adds to cards and list entries. Only the order of the
// operations is binding; the names are ours.
#include "hostapi/ZeltCore.h"

namespace ZeltCore {
// The prefix of a category's link in a card and of its image's name; the category's number
// in decimal follows ("MYUNIQUETAG3").
inline constexpr std::u16string_view kCategoryLink = u"MYUNIQUETAG";

// Where a card puts commands: buttons in action groups and submenus.
struct IHostCardCommands : IUnknown {
    static constexpr IID iid = zsys::Guid("{065F7577-24C9-407A-B941-7FBCA7B93CF2}");
    // Adds a command (an object answering IContainerControl, IControlPlacement,
    // IControlAppearance, ICommandAction and ICommandState).
    virtual HRESULT AddControl(IUnknown* control) = 0;
    // A new submenu placed in an action group, with its caption.
    virtual HRESULT AddSubmenu(BSTR placement, BSTR caption, IHostCardCommands** submenu) = 0;
};

// A card the host shows.
struct IHostCardContext : IUnknown {
    static constexpr IID iid = zsys::Guid("{9311A931-07EE-429E-90BD-0AD263D9C8F7}");
    // The directory object the card shows; S_FALSE and null when it shows none.
    virtual HRESULT Object(IHostDirObject** object) = 0;
    // Builds the card anew (the cell controller hears "card built" again).
    virtual HRESULT Refresh() = 0;
};

// Implemented by the plug-in: what it adds to the cards and list entries of a page.
// Display kinds are the host's: 0 the card's text, 1 the card's marks, 2 a list
// entry's marks, 5 a list entry's text, 4 plain text.
struct IStdDirectoryCellCustomController : IUnknown {
    static constexpr IID iid = zsys::Guid("{32E8A060-A18F-4097-891B-1DAFEF26EF3F}");
    // A card was opened.
    virtual HRESULT CardOpened(IHostCardContext* card) = 0;
    // A card was closed.
    virtual HRESULT CardClosed(IHostCardContext* card) = 0;
    // The images that the HTML of the texts names; the two arguments are the host's.
    virtual HRESULT ImageCollection(IUnknown* first, IUnknown* second, IUnknown** collection) = 0;
    // HTML (or plain text, by kind) to show with an object; null when there is none.
    virtual HRESULT NoteText(LONG kind, IUnknown* context, IHostDirObject* object, BSTR* text) = 0;
    // A slot of the host's that this plug-in does not serve.
    virtual HRESULT Unused5(LONG kind, IUnknown* context, IUnknown* object) = 0;
    // The user followed a link of the shown HTML; the other two arguments are the host's.
    virtual HRESULT LinkFollowed(IUnknown* first, BSTR target, IUnknown* third) = 0;
    // A slot of the host's that this plug-in does not serve.
    virtual HRESULT Unused7(IUnknown* first, IUnknown* second, IUnknown* third) = 0;
    // A card is being built: the plug-in adds its commands to the command host.
    virtual HRESULT CardBuilt(IHostCardContext* card, IUnknown* second, IHostCardCommands* commands) = 0;
    // A slot of the host's that this plug-in does not serve.
    virtual HRESULT Unused9(IUnknown* first, IUnknown* second, IUnknown* third, IUnknown* fourth) = 0;
};
} // namespace ZeltCore
