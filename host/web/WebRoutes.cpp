#include "host/web/WebRoutes.h"

#include "host/CityDatabase.h"
#include "host/objects/HostCards.h"
#include "host/web/ConnectionPool.h"
#include "host/web/InterfaceThread.h"
#include "host/web/PageActions.h"
#include "host/web/WebAssets.h"

#include <limits>

namespace host::web {
namespace {
using nlohmann::json;

json Error(const std::string& why) {
    return {{"error", why}};
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

// The HTTP library answers a browser that accepts brotli with brotli at its slowest setting:
// seconds for the plan of a large town, a fifth of a second for each state. Gzip takes a
// fraction of that, and the size hardly matters on the loopback, so the request is read as
// accepting gzip alone. The library reads the header again only to encode the answer.
void AcceptGzipAlone(const httplib::Request& request) {
    auto& headers = const_cast<httplib::Request&>(request).headers;
    const auto [first, last] = headers.equal_range("Accept-Encoding");
    for (auto header = first; header != last; ++header)
        header->second = header->second.find("gzip") != std::string::npos ? "gzip" : "identity";
}
} // namespace

WebRoutes::WebRoutes(PageActions& actions, InterfaceThread& thread, const WebFrontEnd::Options& options)
    : actions_(actions), thread_(thread) {
    port_ = options.port ? (server_.bind_to_port("127.0.0.1", options.port) ? options.port : -1)
                         : server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("cannot listen on 127.0.0.1:" + std::to_string(options.port));
    guard_.emplace(port_);
    Routes(options);
    listener_ = std::thread([this] { server_.listen_after_bind(); });
}

WebRoutes::~WebRoutes() {
    Stop();
    if (listener_.joinable()) listener_.join();
}

void WebRoutes::Stop() {
    server_.stop();
}

template <class Action> Reply WebRoutes::OnInterface(Action action) {
    try {
        return thread_.Call([&]() -> Reply {
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

void WebRoutes::Send(httplib::Response& response, const Reply& reply) {
    response.status = reply.status;
    response.set_content(reply.body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

void WebRoutes::Get(const std::string& path, Handler handler) {
    server_.Get(path,
                [handler = std::move(handler)](const httplib::Request& request, httplib::Response& response) {
                    ConnectionPool::RequestRead();
                    handler(request, response);
                });
}

void WebRoutes::Post(const std::string& path, Reply (PageActions::*action)(const json&)) {
    server_.Post(path, [this, action](const httplib::Request& request, httplib::Response& response) {
        ConnectionPool::RequestRead();
        json body;
        try {
            body = json::parse(request.body);
        } catch (const json::exception&) {
            return Send(response, {400, Error("the body is no JSON")});
        }
        if (!body.is_object()) return Send(response, {400, Error("the body must be a JSON object")});
        Send(response, OnInterface([&] {
                 Reply reply = (actions_.*action)(body);
                 actions_.Changed();
                 return reply;
             }));
    });
}

void WebRoutes::Routes(const WebFrontEnd::Options& options) {
    server_.set_payload_max_length(options.maxBody);
    server_.set_keep_alive_timeout(2);
    server_.new_task_queue = [port = port_, bound = options.connections, limit = options.requestTime] {
        return new ConnectionPool(port, bound, limit);
    };
    // Nothing is read, let alone changed, for a request the guard refuses.
    server_.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        AcceptGzipAlone(request);
        if (const auto refused = guard_->Check(request)) {
            Send(response, {refused->status, Error(refused->why)});
            response.set_header("Connection", "close");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    // Every answer passes here, a refusal and an error included.
    server_.set_post_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        guard_->Protect(request, response);
        ConnectionPool::RequestAnswered();
    });
    for (const WebAsset& asset : WebAssets()) {
        const std::string path(asset.path);
        const auto serve = [asset](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(asset.bytes), std::string(asset.type));
        };
        Get(path, serve);
        if (path == "/index.html") Get("/", serve);
    }
    Get("/favicon.ico", [this](const httplib::Request&, httplib::Response& response) {
        std::optional<std::string> png;
        Send(response, OnInterface([&] {
                 png = actions_.Icon();
                 return Reply{png ? 200 : 404, Error("the plug-in shows no icon")};
             }));
        if (png) response.set_content(*png, "image/png");
    });
    Get(R"(/img/[0-9a-f]{16}\.png)", [this](const httplib::Request& request, httplib::Response& response) {
        // Images are named by their content and any thread may read the store.
        const auto png = actions_.Image(request.path);
        if (!png) return Send(response, {404, Error("no such image")});
        response.set_header("Cache-Control", "max-age=31536000, immutable");
        response.set_content(*png, "image/png");
    });
    Get("/api/state", [this](const httplib::Request& request, httplib::Response& response) {
        std::optional<long> since;
        if (request.has_param("since")) since = Number(request.get_param_value("since"), "since");
        Send(response, OnInterface([&] { return actions_.State(since); }));
    });
    Get("/api/plan", [this](const httplib::Request&, httplib::Response& response) {
        Send(response, OnInterface([&] { return actions_.Plan(); }));
    });
    Get("/api/panel", [this](const httplib::Request& request, httplib::Response& response) {
        Send(response, OnInterface([&] {
                 return actions_.Panel(Number(request.get_param_value("building"), "building"));
             }));
    });
    Get("/api/files", [this](const httplib::Request& request, httplib::Response& response) {
        Send(response, actions_.Files(request.get_param_value("path")));
    });
    Post("/api/open", &PageActions::Open);
    Post("/api/card/close", &PageActions::CloseCard);
    Post("/api/card/command", &PageActions::Command);
    Post("/api/card/link", &PageActions::Link);
    Post("/api/search-tab/button", &PageActions::GroupButton);
    Post("/api/search-tab/name", &PageActions::TypeName);
    Post("/api/search-tab/text", &PageActions::TypeText);
    Post("/api/search-tab/select", &PageActions::SelectItem);
    Post("/api/search-tab/find", &PageActions::Find);
    Post("/api/search-tab/clear", &PageActions::ClearSearch);
    Post("/api/dialog", &PageActions::DialogAction);
    Post("/api/message", &PageActions::MessageAnswer);
    Post("/api/file", &PageActions::FileChoice);
    Post("/api/language", &PageActions::Language);
    Post("/api/restart", &PageActions::Restart);
    Post("/api/options", &PageActions::ShowOptions);
    // Whatever went wrong before a handler ran (no such address, a body too long) is told in JSON too.
    server_.set_error_handler([this](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) return;
        const char* why = response.status == 413   ? "the request body is too long"
                          : response.status == 404 ? "no such address"
                                                   : "the request cannot be served";
        Send(response, {response.status, Error(why)});
    });
    server_.set_exception_handler(
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
} // namespace host::web
