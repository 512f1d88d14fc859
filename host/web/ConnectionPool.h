#pragma once

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <list>
#include <mutex>
#include <thread>

namespace host::web {
// The server's connections, each served on a thread of its own, so that a slow client holds up
// nobody but itself. At most `bound` are served at once; one past the bound is answered 503
// and closed. A request must come in whole within `limit` of its connection's start (or of the
// previous answer on it); a client that dribbles it in is cut off. Its handler may then take
// as long as it needs (a dialog it opened may wait for the person). Shutting down cuts every
// connection at once, so a stop never waits for what clients do.
class ConnectionPool : public httplib::TaskQueue {
public:
    ConnectionPool(int port, std::size_t bound, std::chrono::milliseconds limit);
    ~ConnectionPool() override;

    void enqueue(std::function<void()> serve) override;
    void shutdown() override;

    // On a connection's thread: the request has come in whole, and is being answered.
    static void RequestRead();
    // On a connection's thread: the answer is made; the next request's time starts.
    static void RequestAnswered();

private:
    struct Connection {
        int socket = -1;
        unsigned long inode = 0; // tells a socket from a later one given the same number
        std::chrono::steady_clock::time_point deadline;
        bool reading = true;
    };
    // The socket the listener accepted last: on this port, connected, not yet served.
    Connection* Accepted();
    void Cut(const Connection& connection);
    void Watch();

    const int port_;
    const std::size_t bound_;
    const std::chrono::milliseconds limit_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::list<Connection> connections_;
    std::size_t serving_ = 0; // threads still running, each with its connection or none
    bool stopping_ = false;
    std::thread watcher_;
};
} // namespace host::web
