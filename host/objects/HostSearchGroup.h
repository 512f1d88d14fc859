#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {
class Faults;

// A group on the search tab, as a plug-in made and furnished it: everything it is given
// is recorded so that the front end can show it and tests can read it. Images, buttons
// and controls are kept as counted references to their identities.
class HostSearchGroup
    : public zsys::ComObject<HostSearchGroup, ZeltCore::IHostSearchGroup,
                             ZeltCore::IHostSearchGroupAppearance, ZeltCore::IHostSearchGroupIcon,
                             ZeltCore::IHostSearchGroupButtons> {
public:
    // One of the group's pairs of texts.
    struct Texts {
        std::u16string first, second;
    };

    HostSearchGroup(std::shared_ptr<Faults> faults, LONG kind, std::u16string id, std::u16string placement,
                    std::u16string caption);

    // Appends a control; E_INVALIDARG for none.
    HRESULT AddControl(IUnknown* control) noexcept override;
    // Replaces the image; E_INVALIDARG for none or an object that is not a host image.
    HRESULT SetImage(IUnknown* image) noexcept override;
    // Replaces the description; a null text is the empty text, as with every text below.
    HRESULT SetDescription(BSTR description) noexcept override;
    HRESULT SetClearTexts(BSTR first, BSTR second) noexcept override;
    HRESULT SetPromptTexts(BSTR first, BSTR second) noexcept override;
    HRESULT SetResultTexts(BSTR first, BSTR second) noexcept override;
    // Replaces the icon; E_INVALIDARG for none or an object that is not a host image.
    HRESULT SetIcon(IUnknown* image) noexcept override;
    // Appends a button; E_INVALIDARG for none.
    HRESULT AddButton(IUnknown* button) noexcept override;

    LONG Kind() const { return kind_; }
    const std::u16string& Id() const { return id_; }
    const std::u16string& Placement() const { return placement_; }
    const std::u16string& Caption() const { return caption_; }
    // Empty until set.
    const std::u16string& Description() const { return description_; }
    // None until set.
    const std::optional<Texts>& ClearTexts() const { return clear_; }
    const std::optional<Texts>& PromptTexts() const { return prompt_; }
    const std::optional<Texts>& ResultTexts() const { return result_; }
    // Null until set, and after ReleaseContents.
    const zsys::ComPtr<IUnknown>& Icon() const { return icon_; }
    const zsys::ComPtr<IUnknown>& Image() const { return image_; }
    // In the order they were added; empty after ReleaseContents.
    const std::vector<zsys::ComPtr<IUnknown>>& Buttons() const { return buttons_; }
    const std::vector<zsys::ComPtr<IUnknown>>& Controls() const { return controls_; }

    // Clicks a button, as the person does on the tab: runs its ICommandAction and gives its
    // result. E_INVALIDARG for no button at that index (from 0), E_NOINTERFACE for a button
    // that runs nothing.
    HRESULT PressButton(std::size_t index);

    // Lets go of the images, buttons and controls; the texts stay.
    void ReleaseContents() noexcept;

private:
    ~HostSearchGroup() override;
    HRESULT SetTexts(const char* operation, BSTR first, BSTR second, std::optional<Texts>& texts);
    HRESULT SetPicture(const char* operation, IUnknown* image, zsys::ComPtr<IUnknown>& picture);
    HRESULT Append(const char* operation, IUnknown* object, std::vector<zsys::ComPtr<IUnknown>>& list);

    std::shared_ptr<Faults> faults_;
    LONG kind_;
    std::u16string id_, placement_, caption_, description_;
    std::optional<Texts> clear_, prompt_, result_;
    zsys::ComPtr<IUnknown> icon_, image_;
    std::vector<zsys::ComPtr<IUnknown>> buttons_, controls_;
};
} // namespace host
