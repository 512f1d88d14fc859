#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <string>
#include <utility>

// What every control of the plug-in that wraps one standard control of the host keeps:
// the host view, the inner control, where it goes and how it is labelled. The host
// reads the texts again whenever it asks, so a change shows at its next look.
class ZeltControlFields {
public:
    explicit ZeltControlFields(zsys::ComPtr<ZeltCore::IHostView> view) : view_(std::move(view)) {}

    // The host view; E_POINTER when the control was made without one.
    ZeltCore::IHostView& View() const;
    void SetControl(zsys::ComPtr<IUnknown> control) { control_ = std::move(control); }
    // The inner control; E_POINTER before Init made it.
    IUnknown& Control() const;

    void SetPlacement(std::u16string placement) { placement_ = std::move(placement); }
    void SetTag(std::u16string tag) { tag_ = std::move(tag); }
    void SetCaption(std::u16string caption) { caption_ = std::move(caption); }
    void SetTooltip(std::u16string tooltip) { tooltip_ = std::move(tooltip); }
    void SetImage(zsys::ComPtr<IUnknown> image) { image_ = std::move(image); }
    const std::u16string& Tag() const { return tag_; }

    // The host's side of the three interfaces, boundary included.
    HRESULT CopyControl(IUnknown** control) const noexcept;
    HRESULT CopyPlacement(BSTR* placement) const noexcept { return zsys::CopyTo(placement_, placement); }
    HRESULT CopyTag(BSTR* tag) const noexcept { return zsys::CopyTo(tag_, tag); }
    HRESULT CopyCaption(BSTR* caption) const noexcept { return zsys::CopyTo(caption_, caption); }
    HRESULT CopyTooltip(BSTR* tooltip) const noexcept { return zsys::CopyTo(tooltip_, tooltip); }
    // S_OK and null when the control shows no image.
    HRESULT CopyImage(IUnknown** image) const noexcept;

private:
    zsys::ComPtr<ZeltCore::IHostView> view_;
    zsys::ComPtr<IUnknown> control_;
    std::u16string placement_, tag_, caption_, tooltip_;
    zsys::ComPtr<IUnknown> image_;
};

// The base of the plug-in's host controls: tells the host which inner control to show,
// where to place it and how to label it. A derived class names the interfaces of its
// own role after these three and makes the inner control in Init.
template <class Derived, class... Roles>
class ZeltControlBase
    : public zsys::ComObject<Derived, ZeltCore::IContainerControl, ZeltCore::IControlPlacement,
                             ZeltCore::IControlAppearance, Roles...> {
public:
    // IContainerControl: the inner control; E_FAIL before there is one.
    HRESULT Control(IUnknown** control) noexcept override { return fields_.CopyControl(control); }
    // IControlPlacement
    HRESULT Placement(BSTR* placement) noexcept override { return fields_.CopyPlacement(placement); }
    // IControlAppearance
    HRESULT Tag(BSTR* tag) noexcept override { return fields_.CopyTag(tag); }
    HRESULT Caption(BSTR* caption) noexcept override { return fields_.CopyCaption(caption); }
    HRESULT Tooltip(BSTR* tooltip) noexcept override { return fields_.CopyTooltip(tooltip); }
    HRESULT Image(IUnknown** image) noexcept override { return fields_.CopyImage(image); }

protected:
    explicit ZeltControlBase(zsys::ComPtr<ZeltCore::IHostView> view) : fields_(std::move(view)) {}
    // Creates the inner control through the host's control factory; run once, when the
    // control is made.
    virtual void Init() = 0;

    ZeltControlFields& Fields() { return fields_; }
    const ZeltControlFields& Fields() const { return fields_; }

private:
    ZeltControlFields fields_;
};
