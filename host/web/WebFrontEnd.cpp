#include "host/web/WebFrontEnd.h"

#include "host/web/InterfaceThread.h"
#include "host/web/PageActions.h"
#include "host/web/WebRoutes.h"

namespace host::web {
struct WebFrontEnd::Impl {
    Impl(ZeltHost& zelt, const Options& options)
        : actions(zelt, thread, options), routes(actions, thread, options) {}

    InterfaceThread thread; // first: the thread that makes it is the interface thread
    PageActions actions;
    WebRoutes routes;
};

WebFrontEnd::WebFrontEnd(ZeltHost& host, Options options) : impl_(std::make_unique<Impl>(host, options)) {}

WebFrontEnd::~WebFrontEnd() {
    Quit();
}

int WebFrontEnd::Port() const {
    return impl_->routes.Port();
}

const std::string& WebFrontEnd::Key() const {
    return impl_->routes.Key();
}

std::string WebFrontEnd::Address() const {
    return "http://127.0.0.1:" + std::to_string(Port()) + "/?key=" + Key();
}

void WebFrontEnd::Run() {
    impl_->thread.Run();
}

InterfaceThread& WebFrontEnd::Interface() {
    return impl_->thread;
}

void WebFrontEnd::Quit() {
    impl_->routes.Stop();
    impl_->thread.Quit();
}
} // namespace host::web
