#include "plugin/PluginImpl.h"

#include "core/LangLocal.h"
#include "platform/ui/MessageBox.h"
#include "plugin/CommunicationManager.h"
#include "resources/ResourceIds.h"

#include <new>
#include <string>

namespace {
// The texts go in as they are: the string tables hold no markup characters.
std::u16string DescriptionXml(const LangLocal& language) {
    return u"<zelt_plugin_info><name>" + language.LoadString(IDS_PLUGIN_NAME) + u"</name><description>" +
           language.LoadString(IDS_PLUGIN_DESCRIPTION) + u"</description><details>" +
           language.LoadString(IDS_PLUGIN_DETAILS) + u"</details></zelt_plugin_info>";
}
} // namespace

PluginImpl::PluginImpl(std::shared_ptr<LangLocal> language) : language_(std::move(language)) {}

PluginImpl::~PluginImpl() = default;

HRESULT PluginImpl::Initialize(ZeltCore::IHostApplication* application, ZeltCore::IHostView* view) noexcept
    try {
    application_ = zsys::ComPtr<ZeltCore::IHostApplication>(application);
    view_ = zsys::ComPtr<ZeltCore::IHostView>(view);
    controller_.reset();
    try {
        controller_ = std::make_unique<CommunicationManager>(view_, language_);
    } catch (const zsys::ComError&) {
        // The host could not give what the notes need: the user is told, the host objects stay held.
        MessageBoxW(nullptr, u"coudn't load nodes", u"ERROR", MB_OK);
        return E_FAIL;
    }
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}

HRESULT PluginImpl::Terminate() noexcept {
    // Each step runs even when the one before failed: the controller writes the notes
    // on its way out.
    try {
        controller_.reset();
    } catch (...) {
    }
    try {
        application_ = nullptr;
    } catch (...) {
    }
    try {
        view_ = nullptr;
    } catch (...) {
    }
    return S_OK;
}

HRESULT PluginImpl::GetXmlInfo(BSTR* xml) noexcept try {
    if (!xml) return E_POINTER;
    // Built once per process, in the language of the first plug-in that is asked.
    static const std::u16string description = DescriptionXml(*language_);
    *xml = zsys::AllocBstr(description);
    return S_OK;
} catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY; // the copy for the host could not be made
} catch (...) {
    return zsys::Boundary();
}

HRESULT PluginImpl::ShowOptions() noexcept try {
    // The dialog edits the controller's notes and names: before a successful start, after
    // a failed one and after Terminate there are none, so nothing is shown and the host
    // hears E_FAIL, as it does when something in the dialog went wrong.
    if (!controller_) return E_FAIL;
    controller_->ShowSettings();
    return S_OK;
} catch (...) {
    return zsys::Boundary();
}
