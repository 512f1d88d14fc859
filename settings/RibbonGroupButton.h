#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <string>

// The settings button in the button area of the notes group on the search tab. The host
// labels it through IControlAppearance and runs it through ICommandAction; what it runs is
// the command it was made with.
class RibbonGroupButton
    : public zsys::ComObject<RibbonGroupButton, ZeltCore::IControlAppearance, ZeltCore::ICommandAction> {
public:
    // What the button runs.
    class Command {
    public:
        virtual void Execute() = 0;
        virtual ~Command() = default;
    };

    // An empty tooltip shows the caption instead. The image may be null (the host then
    // hears E_FAIL when it asks for one); so may the command (the button then does nothing).
    RibbonGroupButton(std::u16string tag, std::u16string caption, std::u16string tooltip,
                      zsys::ComPtr<IUnknown> image, std::shared_ptr<Command> command);

    // IControlAppearance: fresh copies of the texts; the image with a reference added.
    HRESULT Tag(BSTR* tag) noexcept override;
    HRESULT Caption(BSTR* caption) noexcept override;
    HRESULT Tooltip(BSTR* tooltip) noexcept override;
    HRESULT Image(IUnknown** image) noexcept override;
    // ICommandAction: runs the command; S_OK whatever it did, E_FAIL when it raised.
    HRESULT Execute() noexcept override;

private:
    ~RibbonGroupButton() override;

    std::u16string tag_, caption_, tooltip_;
    zsys::ComPtr<IUnknown> image_;
    std::shared_ptr<Command> command_;
};
