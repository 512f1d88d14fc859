#pragma once

// The host application's interfaces, as both sides see them: those the plug-in
// implements and those of the host objects it calls. Only the order of operations is
// binding; the names are ours.
#include "platform/com/Bstr.h"
#include "platform/com/Unknown.h"

namespace ZeltCore {
// The first object given at start; only held.
struct IHostApplication : IUnknown {
    static constexpr IID iid = zsys::Guid("{0BD7E391-0241-4A5B-B3C1-BB8907CDFC1C}");
};

// The second object given at start; every other host object is reached from it.
struct IHostView : IUnknown {
    static constexpr IID iid = zsys::Guid("{FFFFA0D9-FE38-4E1D-8B67-4A6400AA4983}");
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
