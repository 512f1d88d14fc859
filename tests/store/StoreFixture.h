#pragma once

#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "core/VeskNotesModule.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "store/Categories.h"
#include "store/NoteCollection.h"
#include "store/NotesStore.h"
#include "tests/support/ComErrorExpect.h"
#include "tests/support/FileBytes.h"
#include "tests/support/HostObjects.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Testford.h"

#include <csignal>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace testsupport;
using namespace testsupport::testford;

// A note of a company with its text and categories, as the tests write them.
inline CollectionElement Note(std::int32_t stableId, std::u16string text,
                              std::initializer_list<int> categories = {}) {
    CollectionElement note;
    note.SetId(stableId);
    note.SetText(std::move(text));
    for (const int category : categories)
        note.AddCategory(category);
    return note;
}

// Runs `traced` in a child, after `before` (when given), system call by system call, and kills it at its
// `stops`-th system-call stop: every state a crash can leave is seen, however fast or loaded the machine.
// Returns the stops it made, fewer than `stops` when it finished first.
inline int RunKilledAtStop(int stops, const std::function<void()>& before,
                           const std::function<void()>& traced) {
    const pid_t child = fork();
    if (child == 0) {
        if (before) before();
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        raise(SIGSTOP);
        traced();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0); // stopped before the traced part
    int made = 0;
    while (made < stops) {
        ptrace(PTRACE_SYSCALL, child, nullptr, nullptr);
        waitpid(child, &status, 0);
        if (WIFEXITED(status)) return made;
        ++made;
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return made;
}

// The reference host serving Testford with an application-data folder of its own, English texts, an
// empty collection over the host's company table, the category table and the store over them.
class StoreFixture : public ::testing::Test {
protected:
    ~StoreFixture() override {
        zsys::SetAppDataFolder("");
        SetThreadUILanguage(0);
    }

    // The text of a string-table entry in English.
    std::u16string Text(unsigned id) const { return language->LoadString(id); }
    std::u16string PathOf(const std::string& name) const { return FromUtf8(folder / name); }
    host::Faults& Faults() { return zelt.Faults(); }

    TempFolder folder{"store_tests"};
    host::ZeltHost zelt{{"", 1033, TestfordPath(), folder.Path().string()}};
    zsys::ComPtr<ZeltCore::IHostView> view{&zelt.View()};
    std::shared_ptr<LangLocal> language = std::make_shared<LangLocal>(TheModule().Instance());
    NoteCollection notes{TableOf(zelt)};
    std::unique_ptr<Categories> categories = std::make_unique<Categories>(language);
    int refreshes = 0;
    NotesStore store{notes, *categories, view, language, [this] { ++refreshes; }};
};
