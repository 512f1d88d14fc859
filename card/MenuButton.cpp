#include "card/MenuButton.h"

namespace {
// The host's kind and style of a command shown on a card.
constexpr LONG kCommandKind = 0;
constexpr LONG kCommandStyle = 4;
} // namespace

zsys::ComPtr<ZeltCore::IContainerControl> MenuButton::Create(zsys::ComPtr<ZeltCore::IHostView> view,
                                                             IOnButtonClick* sink, Texts texts,
                                                             zsys::ComPtr<IUnknown> image) {
    const auto button = zsys::Make<MenuButton>(std::move(view));
    auto control = button.as<ZeltCore::IContainerControl>();
    button->Init();
    button->SetSink(sink);
    ZeltControlFields& fields = button->Fields();
    fields.SetPlacement(std::move(texts.placement));
    fields.SetTag(std::move(texts.tag));
    fields.SetCaption(std::move(texts.caption));
    fields.SetTooltip(std::move(texts.tooltip));
    if (image) fields.SetImage(std::move(image));
    return control;
}

void MenuButton::Init() {
    zsys::ComPtr<ZeltCore::IHostFactory> factory;
    zsys::CheckOn<ZeltCore::IHostView>(Fields().View().Factory(factory.put()));
    const auto controls = zsys::Required(factory).try_as<ZeltCore::IHostControlFactory>();
    zsys::ComPtr<IUnknown> control;
    zsys::CheckOn<ZeltCore::IHostControlFactory>(
        zsys::Required(controls)->CreateStandardControl(kCommandKind, control.put()));
    const auto standard = zsys::Required(control).try_as<ZeltCore::IHostStandardControl>();
    zsys::CheckOn<ZeltCore::IHostStandardControl>(zsys::Required(standard)->SetStyle(kCommandStyle));
    Fields().SetControl(std::move(control));
}
