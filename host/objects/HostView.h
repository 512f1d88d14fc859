#pragma once

#include "host/objects/HostFrame.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>

namespace host {
class CityDatabase;
class Faults;
class HostBase;
class HostDatabase;
class HostFactory;

// The view of the host's main window: the city, its directory, the image factory and
// the main window itself.
class HostView : public zsys::ComObject<HostView, ZeltCore::IHostView> {
public:
    // Serves the city; every object reached from the view consults the same faults.
    HostView(std::shared_ptr<CityDatabase> city, std::shared_ptr<Faults> faults);

    HRESULT CurrentBase(ZeltCore::IHostBase** base) noexcept override;
    HRESULT Database(ZeltCore::IHostDatabase** database) noexcept override;
    HRESULT Factory(ZeltCore::IHostFactory** factory) noexcept override;
    // The main window, the same object every time.
    HRESULT Frame(ZeltCore::IHostFrame** frame) noexcept override;

    // The city the view serves.
    CityDatabase& City() const { return *city_; }
    // The faults every object reached from the view consults.
    const std::shared_ptr<Faults>& SharedFaults() const { return faults_; }
    // The main window the view keeps.
    HostFrame& MainFrame() const { return *frame_.get(); }

    // The host objects the view keeps, itself included: those it has for its whole life
    // and what the search tab holds for the plug-in.
    long KeptObjects() const { return 4 + frame_->KeptObjects(); }
    // References to the view and the objects it keeps, beyond its owner's one and its own.
    long ForeignReferences() const;

private:
    ~HostView() override;

    std::shared_ptr<CityDatabase> city_;
    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<HostBase> base_;
    zsys::ComPtr<HostDatabase> database_;
    zsys::ComPtr<HostFactory> factory_;
    zsys::ComPtr<HostFrame> frame_;
};
} // namespace host
