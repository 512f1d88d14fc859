#pragma once

#include "host/web/RequestGuard.h"
#include "host/web/WebFrontEnd.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <thread>

namespace host::web {
class InterfaceThread;
class PageActions;
struct Reply;

// The page's server: its addresses and what each takes, the checks every request passes
// first (RequestGuard), the bounds on connections and on a request's time (ConnectionPool),
// and the answers in JSON. The actions themselves run on the interface thread.
class WebRoutes {
public:
    // Listens on 127.0.0.1 at once; raises std::runtime_error when the port cannot be had.
    WebRoutes(PageActions& actions, InterfaceThread& thread, const WebFrontEnd::Options& options);
    ~WebRoutes();
    WebRoutes(const WebRoutes&) = delete;
    WebRoutes& operator=(const WebRoutes&) = delete;

    int Port() const { return port_; }
    const std::string& Key() const { return guard_->Key(); }
    // Any thread: stops listening and cuts every connection.
    void Stop();

private:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;
    void Routes(const WebFrontEnd::Options& options);
    // A route whose handler runs once the request has come in whole.
    void Get(const std::string& path, Handler handler);
    void Post(const std::string& path, Reply (PageActions::*action)(const nlohmann::json&));
    // Runs `action` on the interface thread and turns what it raises into a refusal.
    template <class Action> Reply OnInterface(Action action);
    void Send(httplib::Response& response, const Reply& reply);

    PageActions& actions_;
    InterfaceThread& thread_;
    httplib::Server server_;
    int port_ = 0;
    std::optional<RequestGuard> guard_;
    std::thread listener_;
};
} // namespace host::web
