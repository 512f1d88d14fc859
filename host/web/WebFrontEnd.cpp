#include "host/web/WebFrontEnd.h"

#include "host/CityDatabase.h"
#include "host/CommandView.h"
#include "host/HostCards.h"
#include "host/HostComboBox.h"
#include "host/HostEditBox.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/TabSearch.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/web/FilePicker.h"
#include "host/web/ImageStore.h"
#include "host/web/InterfaceThread.h"
#include "host/web/MapPlan.h"
#include "host/web/ModalView.h"
#include "host/web/PageView.h"
#include "host/web/WebAssets.h"
#include "host/web/WebDriver.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "platform/ui/Input.h"
#include "platform/ui/ListView.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <thread>

namespace host::web {
namespace {
using nlohmann::json;

// A request the front end refuses, with the status and why.
struct Refusal : std::runtime_error {
    Refusal(int code, const std::string& why) : std::runtime_error(why), status(code) {}
    int status;
};

struct Reply {
    int status = 200;
    json body;
};

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

std::int32_t Number(const std::string& word, const char* name) {
    try {
        std::size_t end = 0;
        const long long n = std::stoll(word, &end);
        if (end == word.size() && n >= std::numeric_limits<std::int32_t>::min() &&
            n <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(n);
    } catch (const std::exception&) {
    }
    throw Refusal(400, std::string("\"") + name + "\" must be a whole number");
}
} // namespace

struct WebFrontEnd::Impl {
    Impl(ZeltHost& zelt, Options options);

    // --- on the interface thread ---
    Reply State(std::optional<long> since);
    json Page();
    Reply Plan();
    Reply Panel(std::int32_t building);
    Reply Open(const json& body);
    Reply CloseCard(const json& body);
    Reply Command(const json& body);
    Reply Link(const json& body);
    Reply GroupButton(const json& body);
    Reply TypeName(const json& body);
    Reply TypeText(const json& body);
    Reply SelectItem(const json& body);
    Reply Find(const json& body);
    Reply ClearSearch(const json& body);
    Reply DialogAction(const json& body);
    Reply MessageAnswer(const json& body);
    Reply FileChoice(const json& body);
    Reply Language(const json& body);
    Reply Restart(const json& body);
    Reply ShowOptions(const json& body);

    // Refuses a page action while a modal is open: the main window takes no input then.
    void PageTakesInput() const {
        if (!driver.Modals().empty()) throw Refusal(409, "a dialog is open");
    }
    HostCard& CardOf(const json& body);
    HostSearchGroup& GroupOf(const json& body);
    // The host's control that control "control" of the group wraps, when it is a `Control`.
    template <class Control> zsys::ComPtr<Control> InnerOf(const json& body, const char* what);
    WebDriver::Modal& ModalOf(const json& body, WebDriver::Modal::Kind kind);
    Reply Executed(HRESULT hr);

    // --- any thread ---
    // Runs `action` on the interface thread and turns what it raises into a refusal.
    template <class Action> Reply OnInterface(Action action);
    void Routes();
    void PostRoute(const std::string& path, Reply (Impl::*action)(const json&));
    void Send(httplib::Response& response, const Reply& reply);

    ZeltHost& zelt;
    Options options;
    InterfaceThread thread;
    ImageStore images;
    FilePicker files;
    // The state's revision: every action and every modal opened or closed makes a new one.
    long revision = 1;
    WebDriver driver;
    json page;                // the page as last built; kept while a modal is open
    std::optional<json> plan; // built once
    LANGID started = 0, chosen = 0;
    bool running = true;

    httplib::Server server;
    int port = 0;
    std::thread listener;
};

WebFrontEnd::Impl::Impl(ZeltHost& host, Options opts)
    : zelt(host), options(std::move(opts)),
      files({{"Application data", std::filesystem::path(zsys::AppDataFolder()) / "Zelt"},
             {"Exchange", options.exchangeFolder.empty()
                              ? std::filesystem::path(zsys::AppDataFolder()) / "Zelt exchange"
                              : std::filesystem::path(options.exchangeFolder)}}),
      driver(thread, options.patience, [this] { ++revision; }), started(GetThreadUILanguage()),
      chosen(started) {
    Routes();
    port = options.port ? (server.bind_to_port("127.0.0.1", options.port) ? options.port : -1)
                        : server.bind_to_any_port("127.0.0.1");
    if (port <= 0) throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(options.port));
    listener = std::thread([this] { server.listen_after_bind(); });
}

template <class Action> Reply WebFrontEnd::Impl::OnInterface(Action action) {
    try {
        return thread.Call([&]() -> Reply {
            try {
                return action();
            } catch (const Refusal& refusal) {
                return {refusal.status, Error(refusal.what())};
            } catch (const CityError& error) {
                return {404, Error(error.what())};
            } catch (const CardError& error) {
                return {404, Error(error.what())};
            } catch (const std::exception& error) {
                return {500, Error(error.what())};
            }
        });
    } catch (const InterfaceStopped& stopped) {
        return {503, Error(stopped.what())};
    }
}

void WebFrontEnd::Impl::Send(httplib::Response& response, const Reply& reply) {
    response.status = reply.status;
    response.set_header("Cache-Control", "no-store");
    response.set_content(reply.body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

void WebFrontEnd::Impl::PostRoute(const std::string& path, Reply (Impl::*action)(const json&)) {
    server.Post(path, [this, action](const httplib::Request& request, httplib::Response& response) {
        json body;
        try {
            body = json::parse(request.body);
        } catch (const json::exception&) {
            return Send(response, {400, Error("the body is no JSON")});
        }
        if (!body.is_object()) return Send(response, {400, Error("the body must be a JSON object")});
        Send(response, OnInterface([&] {
                 Reply reply = (this->*action)(body);
                 ++revision;
                 return reply;
             }));
    });
}

void WebFrontEnd::Impl::Routes() {
    server.set_payload_max_length(options.maxBody);
    server.set_keep_alive_timeout(2);
    // Each waiting request holds a thread (one waits for its dialog to close), and every tab
    // keeps a few connections open: room for several tabs.
    server.new_task_queue = [] { return new httplib::ThreadPool(24); };
    for (const WebAsset& asset : WebAssets()) {
        const std::string path(asset.path);
        const auto serve = [asset](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(asset.bytes), std::string(asset.type));
        };
        server.Get(path, serve);
        if (path == "/index.html") server.Get("/", serve);
    }
    server.Get(R"(/img/[0-9a-f]{16}\.png)",
               [this](const httplib::Request& request, httplib::Response& response) {
                   const auto png = images.Png(request.path);
                   if (!png) return Send(response, {404, Error("no such image")});
                   response.set_header("Cache-Control", "max-age=31536000, immutable");
                   response.set_content(*png, "image/png");
               });
    server.Get("/api/state", [this](const httplib::Request& request, httplib::Response& response) {
        std::optional<long> since;
        if (request.has_param("since")) since = Number(request.get_param_value("since"), "since");
        Send(response, OnInterface([&] { return State(since); }));
    });
    server.Get("/api/plan", [this](const httplib::Request&, httplib::Response& response) {
        Send(response, OnInterface([&] { return Plan(); }));
    });
    server.Get("/api/panel", [this](const httplib::Request& request, httplib::Response& response) {
        Send(response,
             OnInterface([&] { return Panel(Number(request.get_param_value("building"), "building")); }));
    });
    server.Get("/api/files", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string folder = request.get_param_value("path");
        const auto entries = files.List(folder);
        if (!entries) return Send(response, {403, Error("the file dialog reaches only the host's folders")});
        json list = json::array();
        for (const FilePicker::Entry& entry : *entries)
            list.push_back({{"name", entry.name}, {"folder", entry.folder}, {"size", entry.size}});
        Send(response, {200, {{"path", files.Inside(folder)->string()}, {"entries", std::move(list)}}});
    });
    PostRoute("/api/open", &Impl::Open);
    PostRoute("/api/card/close", &Impl::CloseCard);
    PostRoute("/api/card/command", &Impl::Command);
    PostRoute("/api/card/link", &Impl::Link);
    PostRoute("/api/search-tab/button", &Impl::GroupButton);
    PostRoute("/api/search-tab/name", &Impl::TypeName);
    PostRoute("/api/search-tab/text", &Impl::TypeText);
    PostRoute("/api/search-tab/select", &Impl::SelectItem);
    PostRoute("/api/search-tab/find", &Impl::Find);
    PostRoute("/api/search-tab/clear", &Impl::ClearSearch);
    PostRoute("/api/dialog", &Impl::DialogAction);
    PostRoute("/api/message", &Impl::MessageAnswer);
    PostRoute("/api/file", &Impl::FileChoice);
    PostRoute("/api/language", &Impl::Language);
    PostRoute("/api/restart", &Impl::Restart);
    PostRoute("/api/options", &Impl::ShowOptions);
    // Whatever went wrong before a handler ran (no such address, a body too long) is told in JSON too.
    server.set_error_handler([this](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) return;
        const char* why = response.status == 413   ? "the request body is too long"
                          : response.status == 404 ? "no such address"
                                                   : "the request cannot be served";
        Send(response, {response.status, Error(why)});
    });
    server.set_exception_handler(
        [this](const httplib::Request&, httplib::Response& response, std::exception_ptr e) {
            std::string why = "the request cannot be served";
            try {
                std::rethrow_exception(e);
            } catch (const Refusal& refusal) {
                return Send(response, {refusal.status, Error(refusal.what())});
            } catch (const std::exception& error) {
                why = error.what();
            } catch (...) {
            }
            Send(response, {500, Error(why)});
        });
}

json WebFrontEnd::Impl::Page() {
    json languages = json::array();
    for (const auto& [id, name] : kLanguages)
        languages.push_back({{"id", id}, {"name", name}});
    json out = {{"city", Utf8(zelt.View().City().Name())},
                {"running", running},
                {"language", {{"started", started}, {"chosen", chosen}, {"choices", std::move(languages)}}}};
    out["searchTab"] = SearchTabJson(zelt, images);
    out["directory"] = DirectoryJson(zelt, images, options.listLimit);
    out["search"] = SearchJson(zelt, images, options.listLimit);
    out["card"] = CardJson(zelt, images);
    out["map"] = MapMarksJson(zelt, images);
    return out;
}

Reply WebFrontEnd::Impl::State(std::optional<long> since) {
    json out = {{"revision", revision}};
    if (since && *since == revision) {
        out["unchanged"] = true;
        return {200, std::move(out)};
    }
    // Behind a modal the page stays as it was when the modal opened: the plug-in is busy
    // inside the call that opened it, and is not asked about the page meanwhile.
    if (driver.Modals().empty()) page = Page();
    out["page"] = page;
    out["modals"] = ModalsJson(driver, files, images);
    return {200, std::move(out)};
}

Reply WebFrontEnd::Impl::Plan() {
    if (!plan) plan = PlanJson(zelt.View().City(), 5000);
    return {200, *plan};
}

Reply WebFrontEnd::Impl::Panel(std::int32_t building) {
    PageTakesInput();
    return {200, PanelJson(zelt, images, building)};
}

Reply WebFrontEnd::Impl::Executed(HRESULT hr) {
    return {200, {{"ok", SUCCEEDED(hr)}, {"result", Hex(hr)}}};
}

Reply WebFrontEnd::Impl::Open(const json& body) {
    PageTakesInput();
    if (!running) throw Refusal(409, "the plug-in is not running");
    const std::int32_t company = Int(body, "company");
    // An open card of the company comes to the front, as a desktop brings a window forward
    // rather than opening it twice.
    if (zelt.Cards().IsOpen(company))
        zelt.Cards().BringForward(company);
    else
        zelt.Cards().Open(company);
    return {200, {{"ok", true}, {"card", company}}};
}

HostCard& WebFrontEnd::Impl::CardOf(const json& body) {
    const std::int32_t id = Int(body, "card");
    HostCard* card = zelt.Cards().Current();
    if (!card) throw Refusal(409, "no card is open");
    // The page acts on the card it shows; another tab may have moved on since.
    if (card->CompanyId() != id)
        throw Refusal(409, "card " + std::to_string(id) + " is not the current card");
    return *card;
}

Reply WebFrontEnd::Impl::CloseCard(const json& body) {
    PageTakesInput();
    CardOf(body);
    zelt.Cards().CloseCurrent();
    return {200, {{"ok", true}}};
}

Reply WebFrontEnd::Impl::Command(const json& body) {
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

Reply WebFrontEnd::Impl::Link(const json& body) {
    PageTakesInput();
    // A category mark's link starts the search for its category, shown on the organisation page.
    HostCard& card = CardOf(body);
    return Executed(card.FollowLink(Utf16(Text(body, "target"))));
}

HostSearchGroup& WebFrontEnd::Impl::GroupOf(const json& body) {
    const std::string id = Text(body, "group");
    for (const auto& group : zelt.View().MainFrame().SearchTab().Groups())
        if (Utf8(group->Id()) == id) return *group.get();
    throw Refusal(404, "the search tab has no group \"" + id + "\"");
}

template <class Control>
zsys::ComPtr<Control> WebFrontEnd::Impl::InnerOf(const json& body, const char* what) {
    const HostSearchGroup& group = GroupOf(body);
    const std::int32_t index = Int(body, "control");
    if (index < 0 || std::size_t(index) >= group.Controls().size())
        throw Refusal(404, "the group has no control " + std::to_string(index));
    zsys::ComPtr<Control> inner(
        dynamic_cast<Control*>(tab_search::InnerControl(group.Controls()[std::size_t(index)]).get()));
    if (!inner) throw Refusal(400, "control " + std::to_string(index) + " is no " + what);
    return inner;
}

Reply WebFrontEnd::Impl::GroupButton(const json& body) {
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

// The person fills the search tab: the host's boxes hold what was typed and chosen, and the
// plug-in reads them only when the search runs.
Reply WebFrontEnd::Impl::TypeName(const json& body) {
    PageTakesInput();
    zelt.View().MainFrame().SearchTab().TypeName(Utf16(Text(body, "text")));
    return {200, {{"ok", true}}};
}

Reply WebFrontEnd::Impl::TypeText(const json& body) {
    PageTakesInput();
    const auto box = InnerOf<HostEditBox>(body, "text box");
    box->Type(Utf16(Text(body, "text")));
    return {200, {{"ok", true}}};
}

Reply WebFrontEnd::Impl::SelectItem(const json& body) {
    PageTakesInput();
    const auto combo = InnerOf<HostComboBox>(body, "combo box");
    const std::int32_t item = Int(body, "item");
    // -1 leaves nothing selected.
    if (!combo->Select(item)) throw Refusal(404, "the combo box has no item " + std::to_string(item));
    return {200, {{"ok", true}}};
}

Reply WebFrontEnd::Impl::Find(const json&) {
    PageTakesInput();
    const HRESULT hr = tab_search::Run(zelt.View());
    if (hr == S_FALSE) throw Refusal(409, "there is nothing on the search tab to search for");
    return Executed(hr);
}

Reply WebFrontEnd::Impl::ClearSearch(const json&) {
    PageTakesInput();
    HostSearchTab& tab = zelt.View().MainFrame().SearchTab();
    tab.TypeName(u"");
    // Taken first: a control may change the tab while it clears.
    const auto groups = tab.Groups();
    for (const auto& group : groups) {
        const auto controls = group->Controls();
        for (const auto& control : controls)
            if (const auto searching = control.try_as<ZeltCore::ISearchGroupControl>())
                if (const HRESULT hr = searching->Clear(); FAILED(hr)) return Executed(hr);
    }
    return Executed(S_OK);
}

WebDriver::Modal& WebFrontEnd::Impl::ModalOf(const json& body, WebDriver::Modal::Kind kind) {
    const std::int32_t serial = Int(body, "serial");
    WebDriver::Modal* modal = driver.Top(serial);
    if (!modal) {
        for (const auto& open : driver.Modals())
            if (open.serial == serial) throw Refusal(409, "another dialog is in front of it");
        throw Refusal(404, "no dialog " + std::to_string(serial) + " is open");
    }
    if (modal->kind != kind) throw Refusal(400, "that is another kind of dialog");
    return *modal;
}

Reply WebFrontEnd::Impl::DialogAction(const json& body) {
    const WebDriver::Modal& modal = ModalOf(body, WebDriver::Modal::Kind::Dialog);
    HWND dialog = modal.dialog;
    const std::string action = Text(body, "action");
    const auto control = [&] {
        const std::int32_t id = Int(body, "control");
        HWND window = zsys::GetDlgItem(dialog, id);
        if (!window) throw Refusal(404, "the dialog has no control " + std::to_string(id));
        return window;
    };
    bool done = false;
    if (action == "type") {
        HWND edit = control();
        done = zsys::input::TypeText(edit, Utf16(Text(body, "text")));
    } else if (action == "click") {
        done = zsys::input::Click(control());
    } else if (action == "key") {
        const std::string key = Text(body, "key");
        if (key != "enter" && key != "escape") throw Refusal(400, "\"key\" must be \"enter\" or \"escape\"");
        done = zsys::input::PressKey(dialog, key == "enter" ? VK_RETURN : VK_ESCAPE);
    } else if (action == "close") {
        done = zsys::input::CloseBox(dialog);
    } else if (action == "click-item") {
        HWND list = control();
        const std::int32_t item = Int(body, "item");
        if (item < 0 || item >= zsys::listview::ItemCount(list))
            throw Refusal(404, "the list has no item " + std::to_string(item));
        done = zsys::input::ClickListItem(list, item);
    } else if (action == "end-edit") {
        HWND list = control();
        const auto text = body.find("text");
        if (text == body.end() || !(text->is_string() || text->is_null()))
            throw Refusal(400, "\"text\" must be a text, or null to cancel");
        done = zsys::input::EndLabelEdit(
            list, text->is_null() ? std::nullopt : std::optional(Utf16(text->get<std::string>())));
    } else {
        throw Refusal(400, "unknown dialog action \"" + action + "\"");
    }
    if (!done) throw Refusal(409, "the dialog does not take that now");
    return {200, {{"ok", true}, {"ended", zsys::input::DialogEnded(dialog)}}};
}

Reply WebFrontEnd::Impl::MessageAnswer(const json& body) {
    WebDriver::Modal& modal = ModalOf(body, WebDriver::Modal::Kind::Message);
    const std::string answer = Text(body, "answer");
    if (!driver.Answer(modal, AnswerOf(answer)))
        throw Refusal(400, "the message box has no \"" + answer + "\" button");
    return {200, {{"ok", true}}};
}

Reply WebFrontEnd::Impl::FileChoice(const json& body) {
    WebDriver::Modal& modal = ModalOf(body, WebDriver::Modal::Kind::File);
    if (body.value("cancel", false)) {
        driver.Choose(modal, std::nullopt);
        return {200, {{"ok", true}}};
    }
    const auto path = files.Inside(Text(body, "path"));
    if (!path) throw Refusal(403, "the file dialog reaches only the host's folders");
    driver.Choose(modal, Utf16(path->string()));
    return {200, {{"ok", true}, {"path", path->string()}}};
}

Reply WebFrontEnd::Impl::Language(const json& body) {
    PageTakesInput();
    const std::int32_t id = Int(body, "language");
    for (const auto& [language, name] : kLanguages)
        if (language == id) {
            chosen = language;
            return {200, {{"ok", true}, {"chosen", chosen}}};
        }
    throw Refusal(404, "the plug-in does not speak language " + std::to_string(id));
}

Reply WebFrontEnd::Impl::Restart(const json&) {
    PageTakesInput();
    // The plug-in takes the thread's interface language when it is made.
    running = false;
    zelt.Stop();
    SetThreadUILanguage(chosen);
    zelt.Load();
    const HRESULT hr = zelt.Start();
    running = SUCCEEDED(hr);
    started = chosen;
    return Executed(hr);
}

Reply WebFrontEnd::Impl::ShowOptions(const json&) {
    PageTakesInput();
    if (!running) throw Refusal(409, "the plug-in is not running");
    return Executed(zelt.ShowOptions());
}

WebFrontEnd::WebFrontEnd(ZeltHost& host, Options options)
    : impl_(std::make_unique<Impl>(host, std::move(options))) {}

WebFrontEnd::~WebFrontEnd() {
    Quit();
    if (impl_->listener.joinable()) impl_->listener.join();
}

int WebFrontEnd::Port() const {
    return impl_->port;
}

std::string WebFrontEnd::Address() const {
    return "http://127.0.0.1:" + std::to_string(impl_->port) + "/";
}

void WebFrontEnd::Run() {
    impl_->thread.Run();
}

InterfaceThread& WebFrontEnd::Interface() {
    return impl_->thread;
}

void WebFrontEnd::Quit() {
    impl_->server.stop();
    impl_->thread.Quit();
}
} // namespace host::web
