#include "host/web/RequestGuard.h"

#include <httplib.h>

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace host::web {
namespace {
// Compares without ending at the first difference, so that timing tells nothing of the key.
bool SameSecret(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    unsigned char differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differ |= static_cast<unsigned char>(a[i] ^ b[i]);
    return differ == 0;
}

std::string MediaType(const std::string& contentType) {
    std::string type = contentType.substr(0, contentType.find(';'));
    while (!type.empty() && type.back() == ' ')
        type.pop_back();
    for (char& c : type)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return type;
}

// The value of cookie `name` in a Cookie header; none when it is not there.
std::optional<std::string> CookieValue(const std::string& header, const std::string& name) {
    std::size_t at = 0;
    while (at < header.size()) {
        while (at < header.size() && (header[at] == ' ' || header[at] == ';'))
            ++at;
        const std::size_t end = std::min(header.find(';', at), header.size());
        const std::string pair = header.substr(at, end - at);
        if (const std::size_t equals = pair.find('=');
            equals != std::string::npos && pair.substr(0, equals) == name)
            return pair.substr(equals + 1);
        at = end;
    }
    return std::nullopt;
}
} // namespace

RequestGuard::RequestGuard(int port) : port_(port), cookie_("zelt-key-" + std::to_string(port)) {
    std::array<unsigned char, 32> bytes{};
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = getrandom(bytes.data() + got, bytes.size() - got, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw std::runtime_error("the system gives no random bytes for the run's key");
        got += std::size_t(n);
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    for (const unsigned char byte : bytes) {
        key_ += kDigits[byte >> 4];
        key_ += kDigits[byte & 15];
    }
}

bool RequestGuard::OwnOrigin(const std::string& origin) const {
    const std::string port = ":" + std::to_string(port_);
    return origin == "http://127.0.0.1" + port || origin == "http://localhost" + port;
}

bool RequestGuard::HasKey(const httplib::Request& request) const {
    if (request.has_header("X-Zelt-Key") && SameSecret(request.get_header_value("X-Zelt-Key"), key_))
        return true;
    for (std::size_t i = 0, n = request.get_header_value_count("Cookie"); i < n; ++i) {
        const auto value = CookieValue(request.get_header_value("Cookie", i), cookie_);
        if (value && SameSecret(*value, key_)) return true;
    }
    return false;
}

std::optional<RequestGuard::Refused> RequestGuard::Check(const httplib::Request& request) const {
    // A host name rebound onto the loopback address still names itself in Host.
    const std::string host = request.get_header_value("Host"), port = ":" + std::to_string(port_);
    if (host != "127.0.0.1" + port && host != "localhost" + port)
        return Refused{403, "this server answers only to 127.0.0.1" + port + " and localhost" + port};
    if (request.has_header("Origin") && !OwnOrigin(request.get_header_value("Origin")))
        return Refused{403, "this server answers only its own page"};
    if (request.method != "GET" && request.method != "HEAD" && request.method != "POST")
        return Refused{405, "only GET and POST are taken"};
    // A form or a no-cors fetch of another page cannot send JSON, and a fetch that can is
    // asked first (the preflight), which nothing here answers.
    if (request.method == "POST" && MediaType(request.get_header_value("Content-Type")) != "application/json")
        return Refused{415, "a change is taken only as application/json"};
    if (request.path.rfind("/api/", 0) != 0) return std::nullopt;
    if (const std::string site = request.get_header_value("Sec-Fetch-Site");
        !site.empty() && site != "same-origin" && site != "none")
        return Refused{403, "this server answers only its own page"};
    if (!HasKey(request))
        return Refused{403, "the request lacks this run's key: open the address the host printed"};
    return std::nullopt;
}

void RequestGuard::Protect(const httplib::Request& request, httplib::Response& response) const {
    // Styles are set from the script; no script but the page's own file runs.
    response.set_header("Content-Security-Policy",
                        "default-src 'none'; script-src 'self'; style-src 'self' 'unsafe-inline'; "
                        "img-src 'self'; connect-src 'self'; base-uri 'none'; form-action 'none'; "
                        "frame-ancestors 'none'");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Referrer-Policy", "no-referrer");
    response.set_header("X-Frame-Options", "DENY");
    if (request.path.rfind("/api/", 0) == 0) response.set_header("Cache-Control", "no-store");
    if ((request.path == "/" || request.path == "/index.html") && request.has_param("key") &&
        SameSecret(request.get_param_value("key"), key_)) {
        response.set_header("Set-Cookie", cookie_ + "=" + key_ + "; HttpOnly; SameSite=Strict; Path=/");
        // The address with the key is not kept by the browser's cache either.
        response.set_header("Cache-Control", "no-store");
    }
}
} // namespace host::web
