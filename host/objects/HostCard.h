#pragma once

#include "host/objects/HostCardCommands.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComObject.h"

#include <cstdint>
#include <memory>
#include <string>

namespace host {
class Faults;

// A company's card as the host shows it: built with the help of the organisation page's
// cell controller (the plug-in's commands, the note in display kind 0 and the marks in
// kind 1), built anew on Refresh, open until closed.
class HostCard : public zsys::ComObject<HostCard, ZeltCore::IHostCardContext> {
public:
    // What the cell controller answered for one part of the card.
    struct Part {
        HRESULT result = S_OK;
        bool hasText = false; // false for S_OK with no text, and for a failure
        std::u16string text;
    };

    // A card of the company; without a cell controller it shows the company alone.
    HostCard(std::shared_ptr<Faults> faults, zsys::ComPtr<ZeltCore::IHostDirObject> company, std::int32_t id,
             zsys::ComPtr<ZeltCore::IStdDirectoryCellCustomController> cells);

    // The company the card shows.
    HRESULT Object(ZeltCore::IHostDirObject** object) noexcept override;
    // Builds the card anew; S_FALSE for a closed card, which is not built again.
    HRESULT Refresh() noexcept override;

    // Builds the card: a new command host for the plug-in's commands, then the note and
    // the marks. The cell controller's results are kept with what they gave.
    void Build();
    // The person follows a link shown on the card (a category mark's target): the cell
    // controller's answer; E_FAIL for a card without one.
    HRESULT FollowLink(std::u16string_view target);
    // Tells the cell controller that the card closed and lets go of the plug-in's objects.
    void Close() noexcept;

    std::int32_t CompanyId() const { return id_; }
    bool Closed() const { return closed_; }
    // How often the card was built, and what the latest build got.
    int Builds() const { return builds_; }
    HRESULT BuildResult() const { return built_; }
    // Null once closed.
    const HostCardCommands* Commands() const { return commands_.get(); }
    const Part& Note() const { return note_; }
    const Part& Marks() const { return marks_; }

private:
    ~HostCard() override;

    std::shared_ptr<Faults> faults_;
    zsys::ComPtr<ZeltCore::IHostDirObject> company_;
    std::int32_t id_;
    zsys::ComPtr<ZeltCore::IStdDirectoryCellCustomController> cells_;
    zsys::ComPtr<HostCardCommands> commands_;
    Part note_, marks_;
    HRESULT built_ = S_OK;
    int builds_ = 0;
    bool closed_ = false;
};

// What a cell controller answers for an object in a display kind: the note text, or the
// category marks when `marks` is set (E_NOINTERFACE when it gives none); `context` is
// the card or the page asking.
HostCard::Part AskCell(ZeltCore::IStdDirectoryCellCustomController& cells, bool marks, LONG kind,
                       IUnknown* context, ZeltCore::IHostDirObject* object);
} // namespace host
