#include "host/web/ConnectionPool.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace host::web {
namespace {
struct Current {
    ConnectionPool* pool = nullptr;
    void* connection = nullptr;
};
thread_local Current current;

unsigned long InodeOf(int socket) {
    struct stat status {};
    if (fstat(socket, &status) != 0 || !S_ISSOCK(status.st_mode)) return 0;
    return static_cast<unsigned long>(status.st_ino);
}

bool ServedOn(int socket, int port) {
    sockaddr_storage local{}, peer{};
    socklen_t localSize = sizeof local, peerSize = sizeof peer;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&local), &localSize) != 0) return false;
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0) return false; // the listener
    if (local.ss_family != AF_INET) return false;
    return ntohs(reinterpret_cast<const sockaddr_in&>(local).sin_port) == port;
}

constexpr std::string_view kBusy = "HTTP/1.1 503 Service Unavailable\r\n"
                                   "Content-Type: application/json\r\n"
                                   "Content-Length: 43\r\n"
                                   "Connection: close\r\n\r\n"
                                   "{\"error\":\"the host serves too many clients\"}";
} // namespace

ConnectionPool::ConnectionPool(int port, std::size_t bound, std::chrono::milliseconds limit)
    : port_(port), bound_(bound), limit_(limit), watcher_([this] { Watch(); }) {}

ConnectionPool::~ConnectionPool() {
    shutdown();
}

ConnectionPool::Connection* ConnectionPool::Accepted() {
    // The listener hands over a closure around the socket and nothing else, so the socket is
    // found as the one connected to this port that no connection holds yet.
    std::error_code error;
    for (std::filesystem::directory_iterator it("/proc/self/fd", error), end; !error && it != end;
         it.increment(error)) {
        const int socket = std::atoi(it->path().filename().c_str());
        const unsigned long inode = InodeOf(socket);
        if (!inode || !ServedOn(socket, port_)) continue;
        bool held = false;
        for (const Connection& connection : connections_)
            held = held || connection.inode == inode;
        if (held) continue;
        connections_.push_back({socket, inode, std::chrono::steady_clock::now() + limit_, true});
        return &connections_.back();
    }
    return nullptr;
}

void ConnectionPool::Cut(const Connection& connection) {
    // Only while it is still the connection's own socket: a number closed is soon given again.
    if (InodeOf(connection.socket) == connection.inode) ::shutdown(connection.socket, SHUT_RDWR);
}

void ConnectionPool::enqueue(std::function<void()> serve) {
    std::unique_lock lock(mutex_);
    Connection* connection = Accepted();
    if (stopping_ || serving_ >= bound_) {
        if (connection) {
            if (!stopping_)
                ::send(connection->socket, kBusy.data(), kBusy.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            Cut(*connection);
            connections_.pop_back();
        }
        lock.unlock();
        serve(); // finds the socket shut and closes it
        return;
    }
    ++serving_;
    std::thread([this, connection, serve = std::move(serve)] {
        current = {this, connection};
        serve();
        current = {};
        std::lock_guard done(mutex_);
        if (connection)
            connections_.remove_if([connection](const Connection& c) { return &c == connection; });
        --serving_;
        changed_.notify_all();
    }).detach();
}

void ConnectionPool::RequestRead() {
    if (!current.pool || !current.connection) return;
    std::lock_guard lock(current.pool->mutex_);
    static_cast<Connection*>(current.connection)->reading = false;
}

void ConnectionPool::RequestAnswered() {
    if (!current.pool || !current.connection) return;
    std::lock_guard lock(current.pool->mutex_);
    auto* connection = static_cast<Connection*>(current.connection);
    connection->reading = true;
    connection->deadline = std::chrono::steady_clock::now() + current.pool->limit_;
}

void ConnectionPool::Watch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        changed_.wait_for(lock, std::chrono::milliseconds(100));
        const auto now = std::chrono::steady_clock::now();
        for (const Connection& connection : connections_)
            if (connection.reading && now >= connection.deadline) Cut(connection);
    }
}

void ConnectionPool::shutdown() {
    std::unique_lock lock(mutex_);
    stopping_ = true;
    changed_.notify_all();
    // Each thread ends as soon as its socket is cut: a read or write fails, and a handler
    // waiting for the interface thread is let go when that stops.
    for (const Connection& connection : connections_)
        Cut(connection);
    changed_.wait(lock, [this] { return serving_ == 0; });
    lock.unlock();
    if (watcher_.joinable()) watcher_.join();
}
} // namespace host::web
