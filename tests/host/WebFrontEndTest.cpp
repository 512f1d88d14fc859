// The browser front end's server as any client meets it: refusals of bad requests and of
// requests from anything but its own page that leave the host and the plug-in as they were,
// the file dialog's folders, modals that a vanished page leaves behind, clients acting at once,
// slow clients, and a stop whatever clients do. The page itself is driven by the browser test
// (tests/web).
#include "host/web/WebFrontEnd.h"
#include "host/web/InterfaceThread.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ProbeDialog.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

extern const ResourceTable kVeskNotesResources;

using namespace hosttest;
using nlohmann::json;
namespace fs = std::filesystem;

namespace {
// A host with the plug-in started on Testford, and its web front end. The test's thread is the
// interface thread: Serve runs the front end on it while a client works on another thread.
class WebFrontEndTest : public testing::Test {
protected:
    WebFrontEndTest() {
        zelt.Load();
        EXPECT_EQ(zelt.Start(), S_OK);
    }

    host::web::WebFrontEnd& Web(std::chrono::milliseconds patience = std::chrono::seconds(30),
                                const std::function<void(host::web::WebFrontEnd::Options&)>& adjust = {}) {
        host::web::WebFrontEnd::Options options;
        options.patience = patience;
        options.maxBody = 4096;
        options.exchangeFolder = (appData / "exchange").string();
        if (adjust) adjust(options);
        web = std::make_unique<host::web::WebFrontEnd>(zelt, options);
        return *web;
    }

    // A client of the front end that carries the run's key, as the page does.
    std::unique_ptr<httplib::Client> Client() {
        auto http = std::make_unique<httplib::Client>("127.0.0.1", web->Port());
        http->set_default_headers({{"X-Zelt-Key", web->Key()}});
        http->set_read_timeout(30);
        return http;
    }

    // Runs `client` against the front end until it returns, serving its requests meanwhile.
    void Serve(const std::function<void(httplib::Client&)>& client) {
        auto& front = web ? *web : Web();
        std::thread worker([&] {
            client(*Client());
            front.Quit();
        });
        front.Run();
        worker.join();
    }

    const fs::path appData =
        TempPath(std::string("web.") + testing::UnitTest::GetInstance()->current_test_info()->name());
    host::ZeltHost zelt{{VESK_PLUGIN_PATH, 1033, TestfordPath(), appData.string()}};
    std::unique_ptr<host::web::WebFrontEnd> web;
};

struct Answer {
    int status = 0;
    json body;
};

Answer AnswerOf(const httplib::Result& response) {
    if (!response) return {-1, nullptr};
    return {response->status, json::parse(response->body, nullptr, false)};
}

Answer Post(httplib::Client& http, const std::string& path, const std::string& body,
            const httplib::Headers& headers = {}, const char* type = "application/json") {
    return AnswerOf(http.Post(path, headers, body, type));
}

Answer Get(httplib::Client& http, const std::string& path, const httplib::Headers& headers = {}) {
    return AnswerOf(http.Get(path, headers));
}

const std::string kOpenCafe = R"({"company": )" + std::to_string(testford::kCafe) + "}";

// What the plug-in shows, without the state's revision.
json Page(httplib::Client& http) {
    return Get(http, "/api/state").body["page"];
}

// The modal the page shows last, once one is shown (two seconds at most); null if none is.
json AwaitModal(httplib::Client& http) {
    for (int i = 0; i < 200; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (const json modals = Get(http, "/api/state").body["modals"]; !modals.empty()) return modals.back();
    return nullptr;
}

// A client that connects and then sends as slowly as it likes, or nothing at all.
class RawClient {
public:
    explicit RawClient(int port) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        const timeval patience{5, 0};
        setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    }
    ~RawClient() { ::close(socket_); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool Send(const std::string& text) {
        return connected_ && ::send(socket_, text.data(), text.size(), MSG_NOSIGNAL) == ssize_t(text.size());
    }
    // Whether the server ended the connection within `wait`; what it answered first goes to `answer`.
    bool Ended(std::chrono::milliseconds wait, std::string* answer = nullptr) {
        pollfd ready{socket_, POLLIN, 0};
        if (::poll(&ready, 1, int(wait.count())) <= 0) return false;
        char bytes[512];
        for (ssize_t n; (n = ::recv(socket_, bytes, sizeof bytes, 0)) > 0;)
            if (answer) answer->append(bytes, std::size_t(n));
        return true;
    }

private:
    int socket_;
    bool connected_ = false;
};

HMODULE PluginDialogs() {
    static const HMODULE module = RegisterModule("WebDialogs", &kVeskNotesResources, nullptr);
    return module;
}
} // namespace

TEST_F(WebFrontEndTest, BadRequestsAndRequestsFromElsewhereAreRefusedClearlyAndChangeNothing) {
    struct Case {
        const char* what;
        std::string method, path, body;
        int status;
        std::string error; // part of the refusal's text
        httplib::Headers headers = {};
        const char* type = "application/json";
    };
    const std::string card = std::to_string(testford::kCafe), dentist = std::to_string(testford::kDentist),
                      open = R"({"company": )" + dentist + "}";
    const std::string port = std::to_string(Web().Port());
    std::vector<Case> cases = {
        {"a host name rebound onto the loopback address", "GET", "/api/state", "", 403, "answers only to",
         {{"Host", "evil.example:" + port}}},
        {"a change under a rebound host name", "POST", "/api/open", open, 403, "answers only to",
         {{"Host", "evil.example:" + port}}},
        {"a change from another page", "POST", "/api/open", open, 403, "its own page",
         {{"Origin", "http://127.0.0.1:1"}}},
        {"a change sent as text", "POST", "/api/open", open, 415, "application/json", {}, "text/plain"},
        {"a form's post", "POST", "/api/open", "company=2", 415, "application/json", {},
         "application/x-www-form-urlencoded"},
        {"a change without the run's key", "POST", "/api/open", open, 403, "key", {{"X-Zelt-Key", ""}}},
        {"a change with another key", "POST", "/api/open", open, 403, "key",
         {{"X-Zelt-Key", std::string(64, '0')}}},
        {"the state without the run's key", "GET", "/api/state", "", 403, "key", {{"X-Zelt-Key", ""}}},
        {"a change by another method", "PUT", "/api/open", open, 405, "POST"},
        {"a company the city lacks", "POST", "/api/open", R"({"company": 424242})", 404, "no company"},
        {"a body that is no JSON", "POST", "/api/open", R"({"company": 11)", 400, "no JSON"},
        {"a body that is no object", "POST", "/api/open", "[11]", 400, "object"},
        {"an id given as text", "POST", "/api/open", R"({"company": "11"})", 400, "whole number"},
        {"an id out of range", "POST", "/api/open", R"({"company": 99999999999})", 400, "out of range"},
        {"a command the card lacks", "POST", "/api/card/command",
         R"({"card": )" + card + R"(, "tag": "fly"})", 404, "no command"},
        {"a card that is not current", "POST", "/api/card/command",
         R"({"card": )" + dentist + R"(, "tag": "addNode"})", 409, "not the current card"},
        {"a disabled command", "POST", "/api/card/command",
         R"({"card": )" + card + R"(, "tag": "deleteNode"})", 409, "disabled"},
        {"a dialog that is not open", "POST", "/api/dialog",
         R"({"serial": 7, "action": "press", "control": 1})", 404, "no dialog 7"},
        {"a message box that is not open", "POST", "/api/message", R"({"serial": 1, "answer": "ok"})", 404,
         "no dialog 1"},
        {"a file dialog that is not open", "POST", "/api/file", R"({"serial": 1, "cancel": true})", 404,
         "no dialog 1"},
        {"a search group the tab lacks", "POST", "/api/search-tab/button", R"({"group": "x", "index": 0})",
         404, "no group"},
        {"a language the plug-in lacks", "POST", "/api/language", R"({"language": 1031})", 404, "1031"},
        {"a building given as text", "GET", "/api/panel?building=mill", "", 400, "whole number"},
        {"a building the city lacks", "GET", "/api/panel?building=17", "", 404, "no building 17"},
        {"a folder outside the host's", "GET", "/api/files?path=/etc", "", 403, "host's folders"},
        {"a way out of the host's folder", "GET", "/api/files?path=" + (appData / "Zelt/../..").string(), "",
         403, "host's folders"},
        {"an address the host lacks", "GET", "/api/nothing", "", 404, "no such address"},
        {"an over-long body", "POST", "/api/open",
         R"({"company": 11, "pad": ")" + std::string(8192, 'x') + "\"}", 413, "too long"},
    };
    const std::string group = R"("group": "VeskNotes.SearchByNode")";
    Serve([&](httplib::Client& http) {
        const Answer empty = Post(http, "/api/search-tab/find", "{}");
        EXPECT_EQ(empty.status, 409);
        EXPECT_NE(empty.body.value("error", "").find("nothing"), std::string::npos);
        EXPECT_TRUE(Page(http)["search"].is_null()) << "a search with nothing to search for was shown";
        // The plug-in's controls by their tags, wherever the group put them.
        const json tab = Page(http)["searchTab"];
        std::map<std::string, int> index;
        for (const json& control : tab["groups"][0]["controls"])
            index[control["tag"]] = control["index"];
        ASSERT_EQ(index.size(), 2u);
        const std::string combo = group + R"(, "control": )" + std::to_string(index["MY_NOTECOLORTAG"]);
        const std::string text = group + R"(, "control": )" + std::to_string(index["MY_NOTETEXTTAG"]);
        ASSERT_EQ(Post(http, "/api/search-tab/select", "{" + combo + R"(, "item": 2})").status, 200);
        ASSERT_EQ(Post(http, "/api/search-tab/text", "{" + text + R"(, "text": "cake"})").status, 200);
        ASSERT_EQ(Post(http, "/api/search-tab/name", R"({"text": "Cafe"})").status, 200);
        ASSERT_EQ(Post(http, "/api/open", R"({"company": )" + card + "}").status, 200);
        ASSERT_EQ(
            Post(http, "/api/card/command", R"({"card": )" + card + R"(, "tag": "addCategory2"})").status,
            200);
        const json before = Page(http);
        ASSERT_TRUE(before["card"].is_object());
        ASSERT_EQ(before["searchTab"]["name"], "Cafe");
        const std::string pick = "/api/search-tab/select", type = "/api/search-tab/text";
        cases.insert(cases.end(), {
            {"an item the combo lacks", "POST", pick, "{" + combo + R"(, "item": 18})", 404, "no item 18"},
            {"an item below none", "POST", pick, "{" + combo + R"(, "item": -2})", 404, "no item -2"},
            {"an item given as text", "POST", pick, "{" + combo + R"(, "item": "red"})", 400, "whole number"},
            {"an item of the text box", "POST", pick, "{" + text + R"(, "item": 0})", 400, "no combo box"},
            {"a text that is a number", "POST", type, "{" + text + R"(, "text": 5})", 400, "must be a text"},
            {"a text for the combo", "POST", type, "{" + combo + R"(, "text": "red"})", 400, "no text box"},
            {"a control the group lacks", "POST", type, "{" + group + R"(, "control": 2, "text": "x"})", 404,
             "no control 2"},
            {"a group the tab lacks", "POST", type, R"({"group": "x", "control": 0, "text": "x"})", 404,
             "no group"},
            {"a name that is no text", "POST", "/api/search-tab/name", R"({"text": null})", 400,
             "must be a text"},
        });
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            Answer answer;
            if (c.method == "GET") answer = Get(http, c.path, c.headers);
            else if (c.method == "POST") answer = Post(http, c.path, c.body, c.headers, c.type);
            else answer = AnswerOf(http.Put(c.path, c.headers, c.body, c.type));
            EXPECT_EQ(answer.status, c.status);
            ASSERT_TRUE(answer.body.is_object()) << "the refusal is JSON";
            EXPECT_NE(answer.body.value("error", "").find(c.error), std::string::npos) << answer.body.dump();
        }
        EXPECT_EQ(Page(http), before) << "a refused request changed what the plug-in shows";
        // The printed address sets the key as a cookie only scripts of no page can read, which
        // then serves in the header's stead; every answer carries the protective headers.
        const auto page = http.Get("/?key=" + web->Key());
        ASSERT_TRUE(page);
        EXPECT_EQ(page->get_header_value("Set-Cookie"),
                  "zelt-key-" + port + "=" + web->Key() + "; HttpOnly; SameSite=Strict; Path=/");
        const auto state =
            http.Get("/api/state", {{"X-Zelt-Key", ""}, {"Cookie", "zelt-key-" + port + "=" + web->Key()}});
        ASSERT_TRUE(state);
        EXPECT_EQ(state->status, 200);
        EXPECT_EQ(state->get_header_value("Cache-Control"), "no-store");
        // A browser's "br" gets gzip: brotli, as the server's library makes it, takes seconds.
        const auto packed = http.Get("/api/state", {{"X-Zelt-Key", web->Key()}, {"Accept-Encoding", "gzip, deflate, br"}});
        ASSERT_TRUE(packed);
        EXPECT_EQ(packed->get_header_value("Content-Encoding"), "gzip");
        const auto missing = http.Get("/api/nothing");
        for (const httplib::Result* answer : {&page, &state, &missing}) {
            ASSERT_TRUE(*answer);
            const std::string policy = (*answer)->get_header_value("Content-Security-Policy");
            EXPECT_NE(policy.find("frame-ancestors 'none'"), std::string::npos) << policy;
            EXPECT_NE(policy.find("script-src 'self';"), std::string::npos) << policy;
            EXPECT_EQ((*answer)->get_header_value("X-Content-Type-Options"), "nosniff");
            EXPECT_EQ((*answer)->get_header_value("Referrer-Policy"), "no-referrer");
        }
    });
    EXPECT_EQ(zelt.Cards().Current()->CompanyId(), testford::kCafe);
}

TEST_F(WebFrontEndTest, FileDialogTakesOnlyPathsInsideTheHostsFolders) {
    std::optional<std::u16string> chosen;
    std::atomic<bool> asked = false;
    Serve([&](httplib::Client& http) {
        std::thread plugin([&] {
            chosen = web->Interface().Call([&] {
                zsys::FileDialogRequest request;
                request.filters = {{u"XML Files", u"*.xml"}};
                request.defaultExtension = u"xml";
                return zsys::GetSaveFileName(request);
            });
            asked = true;
        });
        const json modal = AwaitModal(http);
        ASSERT_EQ(modal.value("kind", ""), "file");
        ASSERT_EQ(modal["roots"].size(), 2u);
        const std::string exchange = modal["roots"][0]["path"];
        const auto choose = [&](const std::string& path) {
            return Post(http, "/api/file", json{{"serial", modal["serial"]}, {"path", path}}.dump());
        };
        for (const std::string& outside : {exchange + "/../../notes.xml", std::string("/etc/notes.xml"),
                                           std::string("notes.xml"), std::string()})
            EXPECT_EQ(choose(outside).status, 403) << outside;
        // Links inside the folder that lead out of it are no way out either: a folder link
        // reached through "..", a link on the way, and a dangling link a write would create.
        const fs::path outside = appData / "outside";
        fs::create_directories(outside);
        fs::create_directory_symlink(outside, fs::path(exchange) / "link");
        fs::create_symlink(outside / "y.xml", fs::path(exchange) / "x.xml");
        for (const std::string& escape : {exchange + "/missing/../link/notes.xml", exchange + "/link/notes.xml",
                                          exchange + "/x.xml", exchange + "/link"}) {
            EXPECT_EQ(choose(escape).status, 403) << escape;
            EXPECT_EQ(Get(http, "/api/files?path=" + escape).status, 403) << escape;
        }
        EXPECT_TRUE(fs::is_empty(outside));
        const Answer tooLong = choose(exchange + "/" + std::string(300, 'n'));
        EXPECT_EQ(tooLong.status, 403);
        EXPECT_EQ(tooLong.body.value("error", ""), "The file name is too long");
        EXPECT_FALSE(asked) << "a refused path ended the dialog";
        EXPECT_EQ(choose(exchange + "/notes").status, 200);
        plugin.join();
    });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(fs::path(*chosen), fs::weakly_canonical(appData / "exchange") / "notes.xml");
}

TEST_F(WebFrontEndTest, AModalThePageLeftAloneEndsAsCancelledAndTheHostServesOn) {
    Web(std::chrono::milliseconds(300));
    INT_PTR dialogResult = 0;
    int messageAnswer = 0;
    Serve([&](httplib::Client& http) {
        // Nobody asks for the state while they are open: the page has gone.
        web->Interface().Call([&] {
            testsupport::ProbeDialog dialog(PluginDialogs());
            dialogResult = dialog.Run(114);
            messageAnswer = MessageBoxW(nullptr, u"Delete?", u"Notes", MB_YESNO | MB_ICONQUESTION);
            return 0;
        });
        const Answer state = Get(http, "/api/state");
        EXPECT_EQ(state.status, 200);
        EXPECT_TRUE(state.body["modals"].empty());
        EXPECT_EQ(Post(http, "/api/open", kOpenCafe).status, 200);
    });
    EXPECT_EQ(dialogResult, IDCANCEL);
    EXPECT_EQ(messageAnswer, IDNO);
}

TEST_F(WebFrontEndTest, WhileADialogIsOpenOnlyItTakesInputAndItsOpenerIsAnsweredWhenItCloses) {
    INT_PTR result = 0;
    std::u16string typed;
    Serve([&](httplib::Client& http) {
        std::thread opener([&] {
            result = web->Interface().Call([&] {
                testsupport::ProbeDialog dialog(PluginDialogs());
                dialog.onClick = [&](testsupport::ProbeDialog& d, int id) {
                    typed = zsys::WindowText(d.Item(119));
                    d.EndDialog(id);
                };
                return dialog.Run(114);
            });
        });
        const json modal = AwaitModal(http);
        ASSERT_EQ(modal.value("template", 0), 114);
        // The dialog as its template gives it: 195 x 71 dialog units of 8 pt are 293 x 115 pixels,
        // and the frame adds 3 on each side and the caption 23 above.
        EXPECT_EQ(modal["w"], 293 + 6);
        EXPECT_EQ(modal["h"], 115 + 26 + 3);
        // A second client acting on the page is refused: the main window takes no input.
        const auto otherClient = Client();
        httplib::Client& other = *otherClient;
        const Answer refused = Post(other, "/api/open", kOpenCafe);
        EXPECT_EQ(refused.status, 409);
        EXPECT_EQ(refused.body.value("error", ""), "a dialog is open");
        const json serial = modal["serial"];
        EXPECT_EQ(
            Post(other, "/api/dialog",
                 json{{"serial", serial}, {"action", "set"}, {"control", 119}, {"text", "Ring before noon"}}
                     .dump())
                .status,
            200);
        EXPECT_EQ(
            Post(http, "/api/dialog", json{{"serial", serial}, {"action", "press"}, {"control", 404}}.dump())
                .status,
            404);
        const Answer ok =
            Post(http, "/api/dialog", json{{"serial", serial}, {"action", "press"}, {"control", 1}}.dump());
        EXPECT_EQ(ok.status, 200);
        EXPECT_EQ(ok.body.value("ended", false), true);
        opener.join();
        EXPECT_EQ(Post(http, "/api/open", kOpenCafe).status, 200);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(typed, u"Ring before noon");
}

TEST_F(WebFrontEndTest, TwoClientsActingAtOnceAreServedOneRequestAtATime) {
    constexpr int kToggles = 20;
    std::atomic<int> failures = 0;
    Serve([&](httplib::Client& http) {
        ASSERT_EQ(Post(http, "/api/open", kOpenCafe).status, 200);
        const auto toggle = [&](const char* tag) {
            const auto mine = Client();
            for (int i = 0; i < kToggles; ++i) {
                const Answer answer =
                    Post(*mine, "/api/card/command", json{{"card", testford::kCafe}, {"tag", tag}}.dump());
                if (answer.status != 200 || !answer.body.value("ok", false)) ++failures;
                if (Get(*mine, "/api/state").status != 200) ++failures;
            }
        };
        std::thread first(toggle, "addCategory0"), second(toggle, "addCategory1");
        toggle("addCategory2");
        first.join();
        second.join();
        // Each category was toggled an even number of times: none is left checked.
        const json card = Page(http)["card"];
        for (const json& item : card["submenus"][0]["items"])
            EXPECT_FALSE(item["checked"].get<bool>()) << item["tag"];
    });
    EXPECT_EQ(failures, 0);
}

TEST_F(WebFrontEndTest, ARequestDribbledInIsCutOffAndClientsPastTheBoundAreTurnedAway) {
    Web(std::chrono::seconds(30), [](host::web::WebFrontEnd::Options& options) {
        options.requestTime = std::chrono::milliseconds(500);
        options.connections = 3;
    });
    Serve([&](httplib::Client& http) {
        const int port = web->Port();
        {
            RawClient first(port), second(port), third(port), fourth(port);
            std::string answer;
            ASSERT_TRUE(fourth.Ended(std::chrono::seconds(5), &answer));
            EXPECT_EQ(answer.rfind("HTTP/1.1 503", 0), 0u) << answer;
            // The three that say nothing are cut in their turn.
            EXPECT_TRUE(third.Ended(std::chrono::seconds(5)));
        }
        // Each line comes well within any wait for one read; the request as a whole does not.
        RawClient slow(port);
        ASSERT_TRUE(slow.Send("GET /api/state HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) + "\r\n"));
        bool cut = false;
        for (int line = 0; line < 100 && !cut; ++line) {
            slow.Send("X-Line: " + std::to_string(line) + "\r\n");
            cut = slow.Ended(std::chrono::milliseconds(100));
        }
        EXPECT_TRUE(cut) << "a request that never ends held its connection";
        // A cut connection's place is free once its thread has ended, a moment after its
        // client saw the cut: a new client is served within that moment.
        int status = 0;
        for (const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
             status != 200 && std::chrono::steady_clock::now() < until;
             std::this_thread::sleep_for(std::chrono::milliseconds(10)))
            status = Get(http, "/api/state").status;
        EXPECT_EQ(status, 200);
    });
}

namespace {
// zelt-host serving the page, a category set through it and 30 slow clients connected, then stopped
// by `signals` SIGTERMs 2 ms apart: a second one mostly comes while the host stops, and ends it early.
void StopServingHost(int signals) {
    const fs::path appData = TempPath("web.stop" + std::to_string(signals));
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        execl(VESK_HOST_PATH, VESK_HOST_PATH, "--web", "--lang", "1033", "--city", TestfordPath().c_str(),
              "--appdata", appData.c_str(), "--plugin", VESK_PLUGIN_PATH, static_cast<char*>(nullptr));
        _exit(127);
    }
    ::close(out[1]);
    FILE* output = fdopen(out[0], "r");
    std::string printed;
    int port = 0;
    std::string key;
    for (char line[512]; !port && std::fgets(line, sizeof line, output);) {
        printed += line;
        char found[80] = {};
        if (std::sscanf(line, "serving http://127.0.0.1:%d/?key=%64[0-9a-f]", &port, found) == 2) key = found;
    }
    ASSERT_NE(port, 0) << printed;
    ASSERT_EQ(key.size(), 64u);
    httplib::Client http("127.0.0.1", port);
    http.set_default_headers({{"X-Zelt-Key", key}});
    ASSERT_EQ(Post(http, "/api/open", kOpenCafe).status, 200);
    ASSERT_EQ(Post(http, "/api/card/command", json{{"card", testford::kCafe}, {"tag", "addCategory4"}}.dump()).status,
              200);

    std::vector<std::unique_ptr<RawClient>> slow;
    for (int i = 0; i < 30; ++i) {
        slow.push_back(std::make_unique<RawClient>(port));
        slow.back()->Send("GET /api/state HTTP/1.1\r\nX-Line: 1\r\n");
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < signals; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(2)))
        ASSERT_EQ(kill(child, SIGTERM), 0);
    int status = -1;
    while (waitpid(child, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the host still ran 5 s after SIGTERM";
    }
    for (char line[512]; std::fgets(line, sizeof line, output);)
        printed += line;
    std::fclose(output);
    const bool early = printed.find("stopped at once; the notes are written") != std::string::npos;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (early ? 130 : 0)) << printed;
    EXPECT_TRUE(signals == 2 || !early) << printed;
    if (!early) {
        EXPECT_NE(printed.find("plug-in objects alive: 0, host references held by the plug-in: 0"),
                  std::string::npos)
            << printed;
    }
    // The category set through the page is in the notes file the stop wrote.
    bool written = false;
    for (const auto& entry : fs::recursive_directory_iterator(appData))
        written = written || (entry.path().extension() == ".xml" &&
                              ReadFile(entry.path()).find("<id>" + std::to_string(testford::kCafeStable) +
                                                          "</id>") != std::string::npos);
    EXPECT_TRUE(written) << "no notes file holds the change";
}
} // namespace

// Stopped once, or twice as an impatient Ctrl-C does: the second signal may end the process early,
// but never before the notes are written.
TEST(WebHostProcess, StopsWithItsNotesWrittenWithinFiveSecondsWhateverSlowClientsDo) {
    for (const int signals : {1, 2}) {
        SCOPED_TRACE(std::to_string(signals) + " signals");
        StopServingHost(signals);
    }
}
