// The zelt-host shell killed right after it answered a change: the next start has the change, whatever
// kind it was. A script that waits for the answer knows that its change is safe.
#include "tests/support/ProcessRun.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
std::string HostCommand(const std::string& appData) {
    return std::string(VESK_HOST_PATH) + " --appdata '" + appData + "' --plugin '" + VESK_PLUGIN_PATH + "'";
}

// Feeds the commands to a zelt-host shell on the demo city and kills it with SIGKILL as soon as it
// answered them all (a `city` sent after them answers only then); what it answered.
std::string AnswerThenKill(const std::string& appData, const std::string& commands) {
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) return "(no pipes)";
    const pid_t host = ::fork();
    if (host == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        for (const int fd : {in[0], in[1], out[0], out[1]})
            ::close(fd);
        ::execl("/bin/sh", "sh", "-c", ("exec " + HostCommand(appData)).c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    const std::string all = commands + "city\n";
    std::string answer = ::write(in[1], all.data(), all.size()) == ssize_t(all.size()) ? "" : "(not sent)";
    std::FILE* from = ::fdopen(out[0], "r");
    char line[4096];
    while (std::fgets(line, sizeof line, from) && !std::string(line).starts_with("file: "))
        answer += line;
    ::kill(host, SIGKILL);
    ::waitpid(host, nullptr, 0);
    std::fclose(from);
    ::close(in[1]);
    return answer;
}
} // namespace

TEST(KilledHost, EveryKindOfChangeAnsweredBeforeTheKillIsThereAtTheNextStart) {
    const std::string addNote =
        "open 11\nclick addNode\nset 119 Kept note\npress 1\nclick addCategory3\nclose\n";
    const std::string item = "item addCategory3 caption=", off = item + "\"light blue\" enabled=1 checked=0",
                      on = item + "\"light blue\" enabled=1 checked=1";
    // Each change is checked on the Café's card at the next start.
    const struct {
        const char* kind;
        std::string before, change;
        std::vector<std::string> expected;
    } cases[] = {
        {"a note and a category", "", addNote, {"Kept note", on}},
        {"a category toggled off", addNote, "open 11\nclick addCategory3\n", {off, "Kept note"}},
        {"a card's categories removed", addNote, "open 11\nclick deleteCategory\n", {off}},
        {"a note's text removed", addNote, "open 11\nclick deleteNode\n", {"note: \"\""}},
        {"all notes deleted", addNote, "configure\npress 123\nanswer yes\npress 2\n", {"note: \"\"", off}},
        {"a category renamed", "", "configure\nlabel 3 Urgent\npress 2\n", {item + "\"Urgent\""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const testsupport::TempFolder appData("killed_host");
        const std::string appDir = appData.Path().string();
        if (!c.before.empty()) testsupport::RunProcess(HostCommand(appDir), c.before);
        const std::string answer = AnswerThenKill(appDir, c.change);
        ASSERT_EQ(answer.find("error"), std::string::npos) << answer;
        const std::string card = testsupport::RunProcess(HostCommand(appDir), "open 11\n");
        for (const std::string& expected : c.expected)
            EXPECT_NE(card.find(expected), std::string::npos) << expected << " in\n" << card;
    }
}
