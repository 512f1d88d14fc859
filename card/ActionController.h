#pragma once

#include "card/IChangingSupporter.h"
#include "core/ZeltControlBase.h"

class IOnButtonClick;

// A note command on the company card, shown by the host as a button or menu item. When
// the user triggers it, its tag ("addNode", "addCategory3") goes to the notes controller.
class ActionController
    : public ZeltControlBase<ActionController, ZeltCore::ICommandAction, ZeltCore::ICommandState,
                             zsys::AlsoAnswers<ZeltCore::ICommandState, ZeltCore::IControlState::iid>,
                             IChangingSupporter> {
public:
    // ICommandAction: runs the command; E_FAIL, with the notes unchanged, when it could not
    // (no card shown yet, a host failure on the way).
    HRESULT Execute() noexcept override;
    // ICommandState: always shown; enabled as 1 or 0; checked as VARIANT_TRUE or FALSE.
    HRESULT Visible(VARIANT_BOOL* visible) noexcept override;
    HRESULT Enabled(VARIANT_BOOL* enabled) noexcept override;
    HRESULT Checked(VARIANT_BOOL* checked) noexcept override;

    // IChangingSupporter
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    void SetCaption(const std::u16string& caption) override { Fields().SetCaption(caption); }
    void SetTooltip(const std::u16string& tooltip) override { Fields().SetTooltip(tooltip); }
    void SetChecked(bool checked) override { checked_ = checked; }

protected:
    explicit ActionController(zsys::ComPtr<ZeltCore::IHostView> view);
    ~ActionController() override;
    // The controller that runs the command; it outlives every command.
    void SetSink(IOnButtonClick* sink) { sink_ = sink; }

private:
    bool enabled_ = true;
    bool checked_ = false;
    IOnButtonClick* sink_ = nullptr;
};
