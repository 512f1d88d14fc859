#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <vector>

namespace host {
class Faults;

// A page of directory objects in the search result view, with the controllers plug-ins
// attached to it; the organisation page's cards and entries ask them for what to add.
class HostDirPage : public zsys::ComObject<HostDirPage, ZeltCore::IHostDirPage> {
public:
    explicit HostDirPage(std::shared_ptr<Faults> faults);

    // Keeps the controller (by identity); E_INVALIDARG for none or an object that is no
    // directory controller; S_FALSE when it is attached already.
    HRESULT AttachController(IUnknown* controller) noexcept override;
    // Lets it go; S_FALSE when it is not attached.
    HRESULT DetachController(IUnknown* controller) noexcept override;

    // The attached controllers, first attached first.
    const std::vector<zsys::ComPtr<IUnknown>>& Controllers() const { return controllers_; }
    // Lets go of every controller, as the host does when it unloads a plug-in.
    void ReleaseControllers() noexcept;

private:
    ~HostDirPage() override;

    std::shared_ptr<Faults> faults_;
    std::vector<zsys::ComPtr<IUnknown>> controllers_;
};
} // namespace host
