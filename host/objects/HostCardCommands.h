#pragma once

#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <memory>
#include <string>
#include <vector>

namespace host {
class Faults;

// Where a card puts a plug-in's commands: each command as the plug-in gave it (kept by
// identity) and each submenu with its own commands, in the order they were added.
class HostCardCommands : public zsys::ComObject<HostCardCommands, ZeltCore::IHostCardCommands> {
public:
    // A command, or a submenu with its placement and caption.
    struct Entry {
        zsys::ComPtr<IUnknown> command;
        zsys::ComPtr<HostCardCommands> submenu;
        std::u16string placement, caption;
    };

    explicit HostCardCommands(std::shared_ptr<Faults> faults);

    // Appends a command; E_INVALIDARG for none or an object that cannot be run.
    HRESULT AddControl(IUnknown* control) noexcept override;
    // Appends a new, empty submenu (null texts are empty ones).
    HRESULT AddSubmenu(BSTR placement, BSTR caption, ZeltCore::IHostCardCommands** submenu) noexcept override;

    const std::vector<Entry>& Entries() const { return entries_; }
    // Lets go of every command, the submenus' ones included.
    void ReleaseContents() noexcept;

private:
    ~HostCardCommands() override;

    std::shared_ptr<Faults> faults_;
    std::vector<Entry> entries_;
};
} // namespace host
