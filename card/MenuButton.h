#pragma once

#include "card/ActionController.h"

#include <string>

// A note command as the card shows it: a command control (kind 0, style 4) of the host.
class MenuButton final : public ActionController {
public:
    // What a command is made of; the image only for the category commands.
    struct Texts {
        std::u16string placement, tag, caption, tooltip;
    };
    // Makes a command: the host's control first, then the sink, texts and image. A host
    // failure is raised as a COM error.
    static zsys::ComPtr<ZeltCore::IContainerControl> Create(zsys::ComPtr<ZeltCore::IHostView> view,
                                                            IOnButtonClick* sink, Texts texts,
                                                            zsys::ComPtr<IUnknown> image = nullptr);

    explicit MenuButton(zsys::ComPtr<ZeltCore::IHostView> view) : ActionController(std::move(view)) {}

private:
    ~MenuButton() override = default;

    void Init() override;
};
