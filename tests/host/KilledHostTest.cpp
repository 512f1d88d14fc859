// The zelt-host shell killed right after it answered a change: the next start has the change, whatever
// kind it was. A script that waits for the answer knows that its change is safe.
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
// A zelt-host shell on the demo city with its own application-data folder, fed command by command.
class LiveShell {
public:
    explicit LiveShell(const std::string& appData) {
        int in[2], out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::dup2(out[1], 2);
            for (const int fd : {in[0], in[1], out[0], out[1]})
                ::close(fd);
            ::execl(VESK_HOST_PATH, VESK_HOST_PATH, "--appdata", appData.c_str(), "--plugin",
                    VESK_PLUGIN_PATH, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        to_ = in[1];
        from_ = ::fdopen(out[0], "r");
    }
    LiveShell(const LiveShell&) = delete;
    LiveShell& operator=(const LiveShell&) = delete;
    ~LiveShell() {
        Kill();
        if (from_) std::fclose(from_);
    }

    // Sends the commands and returns what the shell answered once it answered them all: a `city`
    // sent after them answers only when they are done.
    std::string Do(const std::string& commands) {
        const std::string all = commands + "city\n";
        if (::write(to_, all.data(), all.size()) != static_cast<ssize_t>(all.size())) return "(not sent)";
        std::string answer;
        char line[4096];
        while (from_ && std::fgets(line, sizeof line, from_)) {
            if (std::string(line).starts_with("file: ")) return answer;
            answer += line;
        }
        return answer + "(the shell ended)";
    }
    void Kill() {
        if (to_ >= 0) ::close(to_);
        to_ = -1;
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int to_ = -1;
    std::FILE* from_ = nullptr;
};
} // namespace

TEST(KilledHost, EveryKindOfChangeAnsweredBeforeTheKillIsThereAtTheNextStart) {
    const std::string addNote =
        "open 11\nclick addNode\nset 119 Kept note\npress 1\nclick addCategory3\nclose\n";
    const std::string off = "item addCategory3 caption=\"light blue\" enabled=1 checked=0";
    const struct {
        const char* kind;
        std::string before, change, check;
        std::vector<std::string> expected;
    } cases[] = {
        {"a note and a category",
         "",
         addNote,
         "open 11\n",
         {"Kept note", "item addCategory3 caption=\"light blue\" enabled=1 checked=1"}},
        {"a category toggled off", addNote, "open 11\nclick addCategory3\n", "open 11\n", {off, "Kept note"}},
        {"a card's categories removed", addNote, "open 11\nclick deleteCategory\n", "open 11\n", {off}},
        {"a note's text removed", addNote, "open 11\nclick deleteNode\n", "open 11\n", {"note: \"\""}},
        {"all notes deleted",
         addNote,
         "configure\npress 123\nanswer yes\npress 2\n",
         "open 11\n",
         {"note: \"\"", off}},
        {"a category renamed",
         "",
         "configure\nlabel 3 Urgent\npress 2\n",
         "open 11\n",
         {"item addCategory3 caption=\"Urgent\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const testsupport::TempFolder appData("killed_host");
        if (!c.before.empty()) {
            LiveShell before(appData.Path().string());
            before.Do(c.before + "quit\n");
        }
        {
            LiveShell host(appData.Path().string());
            const std::string answer = host.Do(c.change);
            ASSERT_EQ(answer.find("error"), std::string::npos) << answer;
        } // killed
        LiveShell next(appData.Path().string());
        const std::string card = next.Do(c.check);
        for (const std::string& expected : c.expected)
            EXPECT_NE(card.find(expected), std::string::npos) << expected << " in\n" << card;
    }
}
