#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace host {
class ZeltHost;
}

namespace host::web {
class InterfaceThread;

// The reference host in the browser: a single page served on the loopback address, and the
// page's requests carried out on the interface thread, one at a time, with the plug-in on it.
//
// The page asks for the state (GET /api/state) and acts with POST requests whose bodies are
// JSON objects. A request that opens a dialog is answered once the dialog has closed; meanwhile
// the page keeps asking for the state, which then holds the open modals, and acts on them.
// While a modal is open only the modal on top takes input, as on a desktop. Every answer is
// JSON; a refusal has a 4xx status and {"error": "<why>"}. Only the page this run printed the
// address of is answered.
class WebFrontEnd {
public:
    struct Options {
        int port = 0; // 0 picks a free one
        // How long a modal waits for the page before it ends as cancelled.
        std::chrono::milliseconds patience{std::chrono::seconds(60)};
        // The largest request body taken; a longer one is refused with 413. A note of a million
        // characters, each up to three bytes of UTF-8, fits.
        std::size_t maxBody = 8 * 1024 * 1024;
        // The most connections served at once; one more is answered 503.
        std::size_t connections = 48;
        // How long a request may take to come in whole.
        std::chrono::milliseconds requestTime{std::chrono::seconds(10)};
        // The run's exchange folder beside the application-data folder; made when missing.
        std::string exchangeFolder;
        // The most companies the organisation page lists before a search.
        std::size_t listLimit = 500;
    };

    // Listens on 127.0.0.1; raises std::runtime_error when the port cannot be had. The thread
    // that makes it is the interface thread; the host must outlive it.
    WebFrontEnd(ZeltHost& host, Options options);
    ~WebFrontEnd();
    WebFrontEnd(const WebFrontEnd&) = delete;
    WebFrontEnd& operator=(const WebFrontEnd&) = delete;

    // The port it listens on; the run's key, which every request to the API must carry (as the
    // X-Zelt-Key header, or the cookie the page's address sets); the page's address, key included.
    int Port() const;
    const std::string& Key() const;
    std::string Address() const;
    // Serves the page's requests on this thread until Quit.
    void Run();
    // From any thread: stops listening and ends Run; an open modal ends as cancelled.
    void Quit();
    // The thread the plug-in lives on, for whatever else must run there.
    InterfaceThread& Interface();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
} // namespace host::web
