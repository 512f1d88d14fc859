#pragma once

#include "host/web/FilePicker.h"
#include "host/web/ImageStore.h"
#include "host/web/WebDriver.h"
#include "host/web/WebFrontEnd.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Types.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace host {
class HostCard;
class HostSearchGroup;
} // namespace host

namespace host::web {
// A request the page's actions refuse, with the status and why.
struct Refusal : std::runtime_error {
    Refusal(int code, const std::string& why) : std::runtime_error(why), status(code) {}
    int status;
};

struct Reply {
    int status = 200;
    nlohmann::json body;
};

// What the page can see and do, carried out on the interface thread with the plug-in on it.
// Each action takes the request's JSON object and raises Refusal for what it refuses; the
// routes that call them are the server's (WebRoutes).
class PageActions {
public:
    using json = nlohmann::json;

    // Made on the interface thread; the host must outlive it.
    PageActions(ZeltHost& zelt, InterfaceThread& thread, const WebFrontEnd::Options& options);

    // The state's revision moves on: every action and every modal opened or closed makes a new one.
    void Changed() { ++revision_; }

    Reply State(std::optional<long> since);
    Reply Plan();
    Reply Panel(std::int32_t building);
    // The entries of a folder the file dialog shows. Any thread.
    Reply Files(const std::string& folder) const;
    // The PNG bytes of an image the page was given. Any thread.
    std::optional<std::string> Image(const std::string& address) const { return images_.Png(address); }
    // The page's icon: the notes icon of the plug-in's group on the search tab; none without one.
    std::optional<std::string> Icon();

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

private:
    json Page();
    // Refuses a page action while a modal is open: the main window takes no input then.
    void PageTakesInput() const;
    HostCard& CardOf(const json& body);
    HostSearchGroup& GroupOf(const json& body);
    // The host's control that control "control" of the group wraps, when it is a `Control`.
    template <class Control> zsys::ComPtr<Control> InnerOf(const json& body, const char* what);
    WebDriver::Modal& ModalOf(const json& body, WebDriver::Modal::Kind kind);

    ZeltHost& zelt_;
    std::size_t listLimit_;
    ImageStore images_;
    FilePicker files_;
    long revision_ = 1;
    WebDriver driver_;
    json page_;                // the page as last built; kept while a modal is open
    std::optional<json> plan_; // built once
    LANGID started_ = 0, chosen_ = 0;
    bool running_ = true;
};
} // namespace host::web
