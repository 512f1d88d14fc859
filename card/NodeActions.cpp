#include "card/NodeActions.h"

#include "card/IChangingSupporter.h"
#include "card/MenuButton.h"
#include "core/LangLocal.h"
#include "platform/system/Text.h"
#include "resources/ResourceIds.h"
#include "store/CategoryImageSet.h"
#include "store/IMenuInformer.h"

#include <string>

namespace {
using namespace ZeltCore;

// The host's action groups on the card: the category submenu, then the three buttons.
constexpr std::u16string_view kGroup = u"MY02notesgroup:";
constexpr int kSubmenuGroup = 0, kEditGroup = 1, kDeleteCategoriesGroup = 2, kDeleteNoteGroup = 3;

std::u16string Placement(int group) {
    return std::u16string(kGroup) + static_cast<char16_t>(u'0' + group);
}

// The plug-in's side of one of its commands; E_POINTER for a command without it.
zsys::ComPtr<IChangingSupporter> Changing(const zsys::ComPtr<IContainerControl>& command) {
    return zsys::Required(zsys::Required(command).try_as<IChangingSupporter>());
}

// The image the category's menu item shows; none before the images are registered.
zsys::ComPtr<IUnknown> MenuImage(const IMenuInformer& menu, int category) {
    IHostImageCollection* images = menu.MenuImages().Collection();
    if (!images) return nullptr;
    zsys::ComPtr<IUnknown> image;
    zsys::CheckOn<IHostImageCollection>(
        images->Image(zsys::Bstr(CategoryImageSet::ImageName(unsigned(category))).get(), image.put()));
    return image;
}
} // namespace

NodeActions::NodeActions(std::shared_ptr<const LangLocal> language) : language_(std::move(language)) {}

NodeActions::~NodeActions() = default;

zsys::ComPtr<IContainerControl> NodeActions::MakeButton(int group, NoteCommand::Kind kind, unsigned caption,
                                                        unsigned tooltip) {
    return MenuButton::Create(view_, sink_,
                              {Placement(group), std::u16string(NoteCommand::NameOf(kind)),
                               language_->LoadString(caption), language_->LoadString(tooltip)});
}

void NodeActions::Build(IOnButtonClick* sink, zsys::ComPtr<IHostView> view, const IMenuInformer* menu) {
    sink_ = sink;
    view_ = std::move(view);
    menu_ = menu;
    editNote_ = MakeButton(kEditGroup, NoteCommand::EditText, IDS_ADD_NOTE, IDS_ADD_NOTE_TIP);
    deleteCategories_ = MakeButton(kDeleteCategoriesGroup, NoteCommand::DeleteCategories,
                                   IDS_DELETE_CATEGORIES, IDS_DELETE_CATEGORIES_TIP);
    deleteNote_ = MakeButton(kDeleteNoteGroup, NoteCommand::DeleteText, IDS_DELETE_NOTE, IDS_DELETE_NOTE_TIP);
    // The count is asked on every turn, as the menu may tell another one.
    for (int i = 0; i < zsys::Required(menu_)->CategoryCount(); ++i) {
        std::u16string tag =
            std::u16string(NoteCommand::NameOf(NoteCommand::ToggleCategory)) + zsys::Decimal(i);
        std::u16string placement = Placement(kSubmenuGroup) + tag;
        categoryCommands_.push_back(MenuButton::Create(
            view_, sink_, {std::move(placement), std::move(tag), menu_->CategoryName(i), u""},
            MenuImage(*menu_, i)));
    }
}

void NodeActions::UpdateForCard(IHostCardCommands* commands, const std::vector<std::int32_t>& categories,
                                bool hasText) {
    zsys::Required(commands);
    const auto edit = Changing(editNote_);
    edit->SetCaption(language_->LoadString(hasText ? IDS_EDIT_NOTE : IDS_ADD_NOTE));
    edit->SetTooltip(language_->LoadString(hasText ? IDS_EDIT_NOTE_TIP : IDS_ADD_NOTE_TIP));
    Changing(deleteCategories_)->SetEnabled(!categories.empty());
    Changing(deleteNote_)->SetEnabled(hasText);
    for (const auto* button : {&editNote_, &deleteCategories_, &deleteNote_})
        zsys::CheckOn<IHostCardCommands>(commands->AddControl(button->get()));

    zsys::ComPtr<IHostCardCommands> submenu;
    zsys::CheckOn<IHostCardCommands>(
        commands->AddSubmenu(zsys::Bstr(Placement(kSubmenuGroup)).get(),
                             zsys::Bstr(language_->LoadString(IDS_SELECT_CATEGORY)).get(), submenu.put()));
    zsys::Required(submenu);
    for (const auto& command : categoryCommands_)
        Changing(command)->SetChecked(false);
    // An imported note may carry a category the commands do not have: it checks nothing.
    for (const std::int32_t c : categories)
        if (c >= 0 && std::size_t(c) < categoryCommands_.size())
            Changing(categoryCommands_[c])->SetChecked(true);
    for (const auto& command : categoryCommands_)
        zsys::CheckOn<IHostCardCommands>(submenu->AddControl(command.get()));
}

void NodeActions::RefreshCaptions() {
    for (std::size_t i = 0; i < categoryCommands_.size(); ++i)
        Changing(categoryCommands_[i])->SetCaption(zsys::Required(menu_)->CategoryName(int(i)));
}
