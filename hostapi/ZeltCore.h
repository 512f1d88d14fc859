#pragma once

// The host application's interfaces, as both sides see them: those the plug-in
// implements and those of the host objects it calls. Only the order of operations is
// binding; the names are ours.
#include "platform/com/Bstr.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Window.h"

#include <string_view>

namespace ZeltCore {
// The first object given at start; only held.
struct IHostApplication : IUnknown {
    static constexpr IID iid = zsys::Guid("{0BD7E391-0241-4A5B-B3C1-BB8907CDFC1C}");
};

struct IHostBase;
struct IHostDatabase;
struct IHostFactory;
struct IHostFrame;
struct IHostMap;
struct IHostSearchCriteria;
struct IHostSearchView;

// The second object given at start; every other host object is reached from it.
struct IHostView : IUnknown {
    static constexpr IID iid = zsys::Guid("{FFFFA0D9-FE38-4E1D-8B67-4A6400AA4983}");
    // The city data that is loaded.
    virtual HRESULT CurrentBase(IHostBase** base) = 0;
    // The directory database of the loaded city.
    virtual HRESULT Database(IHostDatabase** database) = 0;
    // Images, image collections and controls.
    virtual HRESULT Factory(IHostFactory** factory) = 0;
    // The host's main window with its tabs.
    virtual HRESULT Frame(IHostFrame** frame) = 0;
};

// One city's data as the host loaded it.
struct IHostBase : IUnknown {
    static constexpr IID iid = zsys::Guid("{845A184A-3FEB-4915-9AFE-4FB80BE32EFA}");
    // The city's display name ("Town").
    virtual HRESULT Name(BSTR* name) = 0;
    // The full path of the city data file (".../Data_Town.dat").
    virtual HRESULT FilePath(BSTR* path) = 0;
};

// The tables of the loaded directory.
struct IHostDatabase : IUnknown {
    static constexpr IID iid = zsys::Guid("{AA7DD6AE-FA43-4640-844C-284452FA0B2E}");
    // The table of objects of a type key ("zelt_org"); E_INVALIDARG for an unknown key.
    virtual HRESULT Table(BSTR typeKey, IUnknown** table) = 0;
};

struct IHostDirObject;

// One table of directory objects.
struct IHostTable : IUnknown {
    static constexpr IID iid = zsys::Guid("{6A939DEF-4C6E-4ED7-A61D-E3D2F780148C}");
    // The object whose stable id this is; S_FALSE and null when the table has none.
    virtual HRESULT ObjectByStableId(LONG stableId, IHostDirObject** object) = 0;
};

// A company, building or other object of the directory.
struct IHostDirObject : IUnknown {
    static constexpr IID iid = zsys::Guid("{5907262D-1275-481F-BF58-A36743309F38}");
    // The object's id in the loaded data; valid only for this release of the city.
    virtual HRESULT Id(LONG* id) = 0;
    // The type key of the object's table ("zelt_org").
    virtual HRESULT Type(BSTR* typeKey) = 0;
    // A named attribute ("stable_id", "fil_count", "fil_1", "addr_feature"); an
    // attribute the object does not have gives DISP_E_PARAMNOTFOUND.
    virtual HRESULT Attribute(BSTR name, VARIANT* value) = 0;
};

// Makes images and image collections.
struct IHostFactory : IUnknown {
    static constexpr IID iid = zsys::Guid("{4EFBA0A9-27B2-47CC-8354-2B2E6A10BDA5}");
    // An image from PNG bytes (a byte SAFEARRAY); E_INVALIDARG when they are not a PNG.
    virtual HRESULT CreateImageFromPng(SAFEARRAY* png, IUnknown** image) = 0;
    // An empty named-image collection: IHostImageCollection to look up,
    // IHostImageCollectionEdit to fill.
    virtual HRESULT CreateImageCollection(IUnknown** collection) = 0;
    // A new, empty search-criteria object; kind 0 is the only kind.
    virtual HRESULT CreateSearchCriteria(LONG kind, IHostSearchCriteria** criteria) = 0;
};

// An image made by the host.
struct IHostImage : IUnknown {
    static constexpr IID iid = zsys::Guid("{C565B172-9C8A-4E2A-BE72-C3B5125E20D4}");
    virtual HRESULT Size(LONG* width, LONG* height) = 0;
};

// Named images the host shows in cards, menus and on the map.
struct IHostImageCollection : IUnknown {
    static constexpr IID iid = zsys::Guid("{2020A4F0-C8EF-4775-9C5D-3FE070F7D8B3}");
    // The image of that name; S_FALSE and null when there is none, or before Commit.
    virtual HRESULT Image(BSTR name, IUnknown** image) = 0;
    virtual HRESULT Count(LONG* count) = 0;
};

// The filling side of an image collection.
struct IHostImageCollectionEdit : IUnknown {
    static constexpr IID iid = zsys::Guid("{E219818C-B8F0-474E-95DD-BB7F26BA7D71}");
    // Adds or replaces the image of a name.
    virtual HRESULT Add(BSTR name, IUnknown* image) = 0;
    // Makes the added images visible to the looking-up side.
    virtual HRESULT Commit() = 0;
};

struct IHostTabs;

// The host's main window.
struct IHostFrame : IUnknown {
    static constexpr IID iid = zsys::Guid("{BABB26DD-E8B1-4E6A-9BB3-12472A28C28E}");
    // The tabs of the main window.
    virtual HRESULT Tabs(IHostTabs** tabs) = 0;
    // The main window's handle (its screen rectangle places dialogs).
    virtual HRESULT Window(HWND* window) = 0;
    // The search result view with its pages.
    virtual HRESULT SearchView(IHostSearchView** view) = 0;
    // The map with its layers and information panel.
    virtual HRESULT Map(IHostMap** map) = 0;
};

// The search tab's name among the tabs.
inline constexpr std::u16string_view kSearchTab = u"Zelt.SearchTab";

// The tabs of the main window, by name.
struct IHostTabs : IUnknown {
    static constexpr IID iid = zsys::Guid("{8585D601-08D6-4D78-A17B-0B85B54AE9F3}");
    // The tab of that name ("Zelt.SearchTab"); S_FALSE and null when there is none.
    virtual HRESULT Tab(BSTR name, IUnknown** tab) = 0;
};

// The search tab: groups of search controls, each with its own texts.
struct IHostSearchTab : IUnknown {
    static constexpr IID iid = zsys::Guid("{E5315096-5781-479F-8E86-763F5B4E05A7}");
    // A new group of a kind, with an identifier, a placement and a caption; the group
    // answers IHostSearchGroup and its appearance, icon and button sides.
    virtual HRESULT CreateGroup(LONG kind, BSTR id, BSTR placement, BSTR caption, IUnknown** group) = 0;
};

// A group on the search tab.
struct IHostSearchGroup : IUnknown {
    static constexpr IID iid = zsys::Guid("{D06FEFA9-7E7C-40C8-B802-81A3EA9FA7FD}");
    // Adds a search control (an object answering the container-control interfaces).
    virtual HRESULT AddControl(IUnknown* control) = 0;
};

// How a search group presents itself.
struct IHostSearchGroupAppearance : IUnknown {
    static constexpr IID iid = zsys::Guid("{BDAAC191-3A35-4449-89C3-21D0B4AACF97}");
    virtual HRESULT SetImage(IUnknown* image) = 0;
    virtual HRESULT SetDescription(BSTR description) = 0;
    // Texts of the clear action, the prompt and the result: a pair each.
    virtual HRESULT SetClearTexts(BSTR first, BSTR second) = 0;
    virtual HRESULT SetPromptTexts(BSTR first, BSTR second) = 0;
    virtual HRESULT SetResultTexts(BSTR first, BSTR second) = 0;
};

// The icon of a search group.
struct IHostSearchGroupIcon : IUnknown {
    static constexpr IID iid = zsys::Guid("{DDEFF467-B947-4401-94A0-CADD982187FD}");
    virtual HRESULT SetIcon(IUnknown* image) = 0;
};

// The button area of a search group.
struct IHostSearchGroupButtons : IUnknown {
    static constexpr IID iid = zsys::Guid("{6223F6AE-E6F1-47E3-B264-C3D29A2126E1}");
    // Adds a button (an object answering the appearance and command interfaces).
    virtual HRESULT AddButton(IUnknown* button) = 0;
};

// The plug-in as the host starts and stops it.
struct IZeltPlugin : IUnknown {
    static constexpr IID iid = zsys::Guid("{1FA777FF-10EF-434B-A735-99C6BFEB06D1}");
    // Holds both objects (replacing any held before) and builds the notes controller.
    virtual HRESULT Initialize(IHostApplication* application, IHostView* view) = 0;
    // Destroys the controller (which saves the notes), then lets the host objects go.
    virtual HRESULT Terminate() = 0;
};

// The plug-in's description for the host's list of plug-ins.
struct IZeltPluginInfo : IUnknown {
    static constexpr IID iid = zsys::Guid("{ABFDF706-F8B1-4145-BC75-528F232321B3}");
    // A fresh copy of the description XML; E_POINTER for a null out argument.
    virtual HRESULT GetXmlInfo(BSTR* xml) = 0;
};

// The host's "options" command for the plug-in.
struct IZeltPluginOptions : IUnknown {
    static constexpr IID iid = zsys::Guid("{A8098FA0-A4BD-433E-93A6-BD05A1C6F288}");
    // Opens the settings dialog and returns when it has closed.
    virtual HRESULT ShowOptions() = 0;
};

// The factory every plug-in library exports.
using CreateZeltPluginFn = HRESULT (*)(IUnknown** plugin);
constexpr const char* kCreateZeltPluginName = "CreateZeltPlugin";
} // namespace ZeltCore

// The rest of the API, by area.
#include "hostapi/Cards.h"
#include "hostapi/Controls.h"
#include "hostapi/Map.h"
#include "hostapi/Search.h"
#include "hostapi/ZeltHidden.h"
