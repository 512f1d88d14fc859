#include "host/web/PageActions.h"

#include "host/CityDatabase.h"
#include "host/CommandView.h"
#include "host/DesktopWords.h"
#include "host/DialogActions.h"
#include "host/TabSearch.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/objects/HostCards.h"
#include "host/objects/HostComboBox.h"
#include "host/objects/HostEditBox.h"
#include "host/objects/HostImage.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "host/web/MapPlan.h"
#include "host/web/ModalView.h"
#include "host/web/PageView.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "platform/ui/Input.h"

#include <cstdio>
#include <filesystem>
#include <limits>

namespace host::web {
namespace {
using nlohmann::json;

json Error(const std::string& why) {
    return {{"error", why}};
}

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(hr));
    return text;
}

// The languages the plug-in speaks, as the page offers them.
constexpr std::pair<LANGID, const char*> kLanguages[] = {
    {1049, "Русский"}, {1033, "English"},  {1058, "Українська"},
    {1029, "Čeština"}, {1040, "Italiano"}, {3082, "Español"},
};

// A member of the request body, of the type asked for; refused with 400 when it is missing or
// of another type.
std::int32_t Int(const json& body, const char* name) {
    const auto it = body.find(name);
    if (it == body.end() || !it->is_number_integer())
        throw Refusal(400, std::string("\"") + name + "\" must be a whole number");
    const auto value = it->get<std::int64_t>();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw Refusal(400, std::string("\"") + name + "\" is out of range");
    return static_cast<std::int32_t>(value);
}

std::string Text(const json& body, const char* name) {
    const auto it = body.find(name);
    if (it == body.end() || !it->is_string())
        throw Refusal(400, std::string("\"") + name + "\" must be a text");
    return it->get<std::string>();
}

Reply Executed(HRESULT hr) {
    return {200, {{"ok", SUCCEEDED(hr)}, {"result", Hex(hr)}}};
}
} // namespace

PageActions::PageActions(ZeltHost& zelt, InterfaceThread& thread, const WebFrontEnd::Options& options)
    : zelt_(zelt), listLimit_(options.listLimit),
      // The exchange folder first: the file dialogs open there, away from the live notes file.
      files_({{"Exchange", options.exchangeFolder.empty()
                               ? std::filesystem::path(zsys::AppDataFolder()) / "Zelt exchange"
                               : std::filesystem::path(options.exchangeFolder)},
              {"Application data", std::filesystem::path(zsys::AppDataFolder()) / "Zelt"}}),
      driver_(thread, options.patience, [this] { Changed(); }), started_(GetThreadUILanguage()),
      chosen_(started_) {}

void PageActions::PageTakesInput() const {
    if (!driver_.Modals().empty()) throw Refusal(409, "a dialog is open");
}

Reply PageActions::Files(const std::string& folder) const {
    std::string why;
    const auto entries = files_.List(folder, &why);
    if (!entries) return {403, Error(why)};
    json list = json::array();
    for (const FilePicker::Entry& entry : *entries)
        list.push_back({{"name", entry.name}, {"folder", entry.folder}, {"size", entry.size}});
    return {200, {{"path", files_.Inside(folder)->string()}, {"entries", std::move(list)}}};
}

std::optional<std::string> PageActions::Icon() {
    for (const auto& group : zelt_.View().MainFrame().SearchTab().Groups())
        if (const auto* image = dynamic_cast<const HostImage*>(group->Icon().get()))
            if (const std::string address = images_.Add(*image); !address.empty())
                return images_.Png(address);
    return std::nullopt;
}

json PageActions::Page() {
    json languages = json::array();
    for (const auto& [id, name] : kLanguages)
        languages.push_back({{"id", id}, {"name", name}});
    json out = {
        {"city", Utf8(zelt_.View().City().Name())},
        {"running", running_},
        {"language", {{"started", started_}, {"chosen", chosen_}, {"choices", std::move(languages)}}}};
    out["searchTab"] = SearchTabJson(zelt_, images_);
    out["directory"] = DirectoryJson(zelt_, images_, listLimit_);
    out["search"] = SearchJson(zelt_, images_, listLimit_);
    out["card"] = CardJson(zelt_, images_);
    out["map"] = MapMarksJson(zelt_, images_);
    return out;
}

Reply PageActions::State(std::optional<long> since) {
    json out = {{"revision", revision_}};
    if (since && *since == revision_) {
        out["unchanged"] = true;
        return {200, std::move(out)};
    }
    // Behind a modal the page stays as it was when the modal opened: the plug-in is busy
    // inside the call that opened it, and is not asked about the page meanwhile.
    if (driver_.Modals().empty()) page_ = Page();
    out["page"] = page_;
    out["modals"] = ModalsJson(driver_, files_, images_);
    return {200, std::move(out)};
}

Reply PageActions::Plan() {
    if (!plan_) plan_ = PlanJson(zelt_.View().City(), 5000);
    return {200, *plan_};
}

Reply PageActions::Panel(std::int32_t building) {
    PageTakesInput();
    return {200, PanelJson(zelt_, images_, building)};
}

Reply PageActions::Open(const json& body) {
    PageTakesInput();
    if (!running_) throw Refusal(409, "the plug-in is not running");
    const std::int32_t company = Int(body, "company");
    // An open card of the company comes to the front, as a desktop brings a window forward
    // rather than opening it twice.
    if (zelt_.Cards().IsOpen(company))
        zelt_.Cards().BringForward(company);
    else
        zelt_.Cards().Open(company);
    return {200, {{"ok", true}, {"card", company}}};
}

HostCard& PageActions::CardOf(const json& body) {
    const std::int32_t id = Int(body, "card");
    HostCard* card = zelt_.Cards().Current();
    if (!card) throw Refusal(409, "no card is open");
    // The page acts on the card it shows; another tab may have moved on since.
    if (card->CompanyId() != id)
        throw Refusal(409, "card " + std::to_string(id) + " is not the current card");
    return *card;
}

Reply PageActions::CloseCard(const json& body) {
    PageTakesInput();
    CardOf(body);
    zelt_.Cards().CloseCurrent();
    return {200, {{"ok", true}}};
}

Reply PageActions::Command(const json& body) {
    PageTakesInput();
    // Held while it runs: the card is built anew meanwhile.
    const zsys::ComPtr<HostCard> card(&CardOf(body));
    const std::string tag = Text(body, "tag");
    const auto command = card->Commands() ? FindCommand(*card->Commands(), Utf16(tag)) : nullptr;
    if (!command) throw Refusal(404, "the card has no command \"" + tag + "\"");
    if (!ReadCommand(command).enabled) throw Refusal(409, "the command \"" + tag + "\" is disabled");
    // The page's window is the screen: a dialog that opens where the person clicked opens there.
    if (const auto pointer = body.find("pointer"); pointer != body.end()) {
        if (!pointer->is_object()) throw Refusal(400, "\"pointer\" must be an object with x and y");
        zsys::SetCursorPos({Int(*pointer, "x"), Int(*pointer, "y")});
    }
    const auto action = command.try_as<ZeltCore::ICommandAction>();
    return Executed(action ? action->Execute() : E_NOINTERFACE);
}

Reply PageActions::Link(const json& body) {
    PageTakesInput();
    // A category mark's link starts the search for its category, shown on the organisation page.
    HostCard& card = CardOf(body);
    return Executed(card.FollowLink(Utf16(Text(body, "target"))));
}

HostSearchGroup& PageActions::GroupOf(const json& body) {
    const std::string id = Text(body, "group");
    for (const auto& group : zelt_.View().MainFrame().SearchTab().Groups())
        if (Utf8(group->Id()) == id) return *group.get();
    throw Refusal(404, "the search tab has no group \"" + id + "\"");
}

template <class Control> zsys::ComPtr<Control> PageActions::InnerOf(const json& body, const char* what) {
    const HostSearchGroup& group = GroupOf(body);
    const std::int32_t index = Int(body, "control");
    if (index < 0 || std::size_t(index) >= group.Controls().size())
        throw Refusal(404, "the group has no control " + std::to_string(index));
    zsys::ComPtr<Control> inner(
        dynamic_cast<Control*>(tab_search::InnerControl(group.Controls()[std::size_t(index)]).get()));
    if (!inner) throw Refusal(400, "control " + std::to_string(index) + " is no " + what);
    return inner;
}

Reply PageActions::GroupButton(const json& body) {
    PageTakesInput();
    // Held while it runs: what the button does may empty the tab.
    const zsys::ComPtr<HostSearchGroup> group(&GroupOf(body));
    const std::int32_t index = Int(body, "index");
    if (index < 0 || std::size_t(index) >= group->Buttons().size())
        throw Refusal(404, "the group has no button " + std::to_string(index));
    if (!ReadCommand(group->Buttons()[std::size_t(index)]).enabled)
        throw Refusal(409, "the button is disabled");
    return Executed(group->PressButton(std::size_t(index)));
}

// The person fills the search tab: the host's boxes hold what was typed and chosen_, and the
// plug-in reads them only when the search runs.
Reply PageActions::TypeName(const json& body) {
    PageTakesInput();
    zelt_.View().MainFrame().SearchTab().TypeName(Utf16(Text(body, "text")));
    return {200, {{"ok", true}}};
}

Reply PageActions::TypeText(const json& body) {
    PageTakesInput();
    const auto box = InnerOf<HostEditBox>(body, "text box");
    box->Type(Utf16(Text(body, "text")));
    return {200, {{"ok", true}}};
}

Reply PageActions::SelectItem(const json& body) {
    PageTakesInput();
    const auto combo = InnerOf<HostComboBox>(body, "combo box");
    const std::int32_t item = Int(body, "item");
    // -1 leaves nothing selected.
    if (!combo->Select(item)) throw Refusal(404, "the combo box has no item " + std::to_string(item));
    return {200, {{"ok", true}}};
}

Reply PageActions::Find(const json&) {
    PageTakesInput();
    const HRESULT hr = tab_search::Run(zelt_.View());
    if (hr == S_FALSE) throw Refusal(409, "there is nothing on the search tab to search for");
    return Executed(hr);
}

Reply PageActions::ClearSearch(const json&) {
    PageTakesInput();
    return Executed(tab_search::Clear(zelt_.View().MainFrame().SearchTab()));
}

WebDriver::Modal& PageActions::ModalOf(const json& body, WebDriver::Modal::Kind kind) {
    const std::int32_t serial = Int(body, "serial");
    WebDriver::Modal* modal = driver_.Top(serial);
    if (!modal) {
        for (const auto& open : driver_.Modals())
            if (open.serial == serial) throw Refusal(409, "another dialog is in front of it");
        throw Refusal(404, "no dialog " + std::to_string(serial) + " is open");
    }
    if (modal->kind != kind) throw Refusal(400, "that is another kind of dialog");
    return *modal;
}

Reply PageActions::DialogAction(const json& body) {
    const WebDriver::Modal& modal = ModalOf(body, WebDriver::Modal::Kind::Dialog);
    const std::string name = Text(body, "action");
    const host::DialogAction* action = FindDialogAction(name);
    if (!action) throw Refusal(400, "unknown dialog action \"" + name + "\"");
    DialogInput input;
    if (action->needs & host::DialogAction::kControl) input.control = Int(body, "control");
    if (action->needs & host::DialogAction::kItem) input.item = Int(body, "item");
    if (action->needs & host::DialogAction::kText) input.text = Utf16(Text(body, "text"));
    if (const auto refused = action->act(modal.dialog, input))
        throw Refusal(refused->missing ? 404 : 409, refused->why);
    return {200, {{"ok", true}, {"ended", zsys::input::DialogEnded(modal.dialog)}}};
}

Reply PageActions::MessageAnswer(const json& body) {
    WebDriver::Modal& modal = ModalOf(body, WebDriver::Modal::Kind::Message);
    const std::string word = Text(body, "answer");
    for (const auto& [button, answer] : MessageBoxButtons(modal.type).answers)
        if (button == word && driver_.Answer(modal, answer)) return {200, {{"ok", true}}};
    throw Refusal(400, "the message box has no \"" + word + "\" button");
}

Reply PageActions::FileChoice(const json& body) {
    WebDriver::Modal& modal = ModalOf(body, WebDriver::Modal::Kind::File);
    if (body.value("cancel", false)) {
        driver_.Choose(modal, std::nullopt);
        return {200, {{"ok", true}}};
    }
    std::string why;
    const auto path = files_.Inside(Text(body, "path"), &why);
    if (!path) throw Refusal(403, why);
    driver_.Choose(modal, Utf16(path->string()));
    return {200, {{"ok", true}, {"path", path->string()}}};
}

Reply PageActions::Language(const json& body) {
    PageTakesInput();
    const std::int32_t id = Int(body, "language");
    for (const auto& [language, name] : kLanguages)
        if (language == id) {
            chosen_ = language;
            return {200, {{"ok", true}, {"chosen", chosen_}}};
        }
    throw Refusal(404, "the plug-in does not speak language " + std::to_string(id));
}

Reply PageActions::Restart(const json&) {
    PageTakesInput();
    // The plug-in takes the thread's interface language when it is made.
    running_ = false;
    zelt_.Stop();
    SetThreadUILanguage(chosen_);
    zelt_.Load();
    const HRESULT hr = zelt_.Start();
    running_ = SUCCEEDED(hr);
    started_ = chosen_;
    return Executed(hr);
}

Reply PageActions::ShowOptions(const json&) {
    PageTakesInput();
    if (!running_) throw Refusal(409, "the plug-in is not running");
    return Executed(zelt_.ShowOptions());
}

} // namespace host::web
