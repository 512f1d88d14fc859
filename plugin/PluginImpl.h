#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

class CommunicationManager;
class LangLocal;

// The plug-in object the host holds: started and stopped by the host, describes the
// plug-in and opens its settings.
class PluginImpl : public zsys::ComObject<PluginImpl, ZeltCore::IZeltPlugin, ZeltCore::IZeltPluginInfo,
                                          ZeltCore::IZeltPluginOptions> {
public:
    explicit PluginImpl(std::shared_ptr<LangLocal> language);

    HRESULT Initialize(ZeltCore::IHostApplication* application, ZeltCore::IHostView* view) noexcept override;
    HRESULT Terminate() noexcept override;
    HRESULT GetXmlInfo(BSTR* xml) noexcept override;
    HRESULT ShowOptions() noexcept override;

private:
    ~PluginImpl() override;

    zsys::ComPtr<ZeltCore::IHostApplication> application_;
    zsys::ComPtr<ZeltCore::IHostView> view_;
    std::unique_ptr<CommunicationManager> controller_; // none until Initialize succeeds
    std::shared_ptr<LangLocal> language_;
};
