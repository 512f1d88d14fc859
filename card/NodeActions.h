#pragma once

#include "card/NoteCommand.h"
#include "hostapi/ZeltCore.h"
#include "platform/com/ComPtr.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IMenuInformer;
class IOnButtonClick;
class LangLocal;

// The note commands that every company card carries: add or edit note, delete all
// categories, delete note, and one toggle per category in the "Select note category"
// submenu. Built once; each new card re-labels, re-enables and re-checks the same
// commands and gets them added.
class NodeActions {
public:
    explicit NodeActions(std::shared_ptr<const LangLocal> language);
    ~NodeActions();
    NodeActions(const NodeActions&) = delete;
    NodeActions& operator=(const NodeActions&) = delete;

    // Builds the three card buttons and one command per category of the menu. A host
    // failure is raised as a COM error.
    void Build(IOnButtonClick* sink, zsys::ComPtr<ZeltCore::IHostView> view, const IMenuInformer* menu);
    // Fits the commands to a card's note and adds them to the card's command host: the
    // buttons, then the submenu with the category commands. Categories outside the
    // commands check nothing. A host failure ends it where it happens, raised.
    void UpdateForCard(ZeltCore::IHostCardCommands* commands, const std::vector<std::int32_t>& categories,
                       bool hasText);
    // Gives every category command the current name of its category.
    void RefreshCaptions();

    // The category commands, in category order; empty before Build.
    const std::vector<zsys::ComPtr<ZeltCore::IContainerControl>>& CategoryCommands() const {
        return categoryCommands_;
    }

private:
    zsys::ComPtr<ZeltCore::IContainerControl> MakeButton(int group, NoteCommand::Kind kind, unsigned caption,
                                                         unsigned tooltip);

    zsys::ComPtr<ZeltCore::IContainerControl> editNote_, deleteCategories_, deleteNote_;
    std::vector<zsys::ComPtr<ZeltCore::IContainerControl>> categoryCommands_;
    IOnButtonClick* sink_ = nullptr;
    zsys::ComPtr<ZeltCore::IHostView> view_;
    const IMenuInformer* menu_ = nullptr;
    std::shared_ptr<const LangLocal> language_;
};
