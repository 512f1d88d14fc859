#include "host/CommandView.h"

namespace host {
namespace {
using namespace ZeltCore;

std::u16string TextOf(IControlAppearance* appearance, HRESULT (IControlAppearance::*get)(BSTR*)) {
    zsys::Bstr text;
    if (!appearance || FAILED((appearance->*get)(text.put()))) return {};
    return text.str();
}
} // namespace

CommandView ReadCommand(const zsys::ComPtr<IUnknown>& command) {
    CommandView view;
    const auto appearance = command.try_as<IControlAppearance>();
    view.tag = TextOf(appearance.get(), &IControlAppearance::Tag);
    view.caption = TextOf(appearance.get(), &IControlAppearance::Caption);
    view.tooltip = TextOf(appearance.get(), &IControlAppearance::Tooltip);
    if (const auto placement = command.try_as<IControlPlacement>()) {
        zsys::Bstr text;
        if (SUCCEEDED(placement->Placement(text.put()))) view.placement = text.str();
    }
    view.enabled = true;
    if (const auto state = command.try_as<ICommandState>()) {
        VARIANT_BOOL flag = 0;
        view.enabled = SUCCEEDED(state->Enabled(&flag)) && flag != 0;
        flag = 0;
        view.checked = SUCCEEDED(state->Checked(&flag)) && flag != 0;
    }
    return view;
}

zsys::ComPtr<IUnknown> CommandImage(const zsys::ComPtr<IUnknown>& command) {
    zsys::ComPtr<IUnknown> image;
    const auto appearance = command.try_as<IControlAppearance>();
    if (!appearance || FAILED(appearance->Image(image.put()))) return nullptr;
    return image;
}

zsys::ComPtr<IUnknown> FindCommand(const HostCardCommands& commands, std::u16string_view tag) {
    for (const HostCardCommands::Entry& entry : commands.Entries()) {
        if (entry.submenu) {
            if (auto found = FindCommand(*entry.submenu.get(), tag)) return found;
        } else if (ReadCommand(entry.command).tag == tag) {
            return entry.command;
        }
    }
    return nullptr;
}
} // namespace host
