#pragma once

#include <optional>
#include <string>

namespace httplib {
struct Request;
struct Response;
} // namespace httplib

namespace host::web {
// Who may be answered: only the page this run served, in the browser of the person who was
// given its address. Other sites, host names rebound onto the loopback address and other users
// of the machine are refused before anything is read or changed.
//
// The run's key, made from the system's secure random source, travels once in the printed
// address; the page's load turns it into a strict same-site cookie, and a client that is not a
// browser may send it as the X-Zelt-Key header instead.
class RequestGuard {
public:
    struct Refused {
        int status;
        std::string why;
    };

    // Raises std::runtime_error when the system gives no random bytes.
    explicit RequestGuard(int port);

    // 64 hexadecimal digits.
    const std::string& Key() const { return key_; }
    // Why the request must not be served; none when it may be.
    std::optional<Refused> Check(const httplib::Request& request) const;
    // The protective headers every answer carries; the key's cookie on the page loaded with its key.
    void Protect(const httplib::Request& request, httplib::Response& response) const;

private:
    bool OwnOrigin(const std::string& origin) const;
    bool HasKey(const httplib::Request& request) const;

    int port_;
    std::string key_;
    std::string cookie_; // the cookie's name: one per port, as a browser keeps cookies per host name
};
} // namespace host::web
