// A profile on a folder that cannot lock files (as some network folders cannot) keeps no journal:
// each change is written to the notes file itself, so that a host killed after it loses nothing.
#include "StoreFixture.h"

#include <cerrno>
#include <filesystem>
#include <sys/file.h>
#include <sys/syscall.h>

namespace {
bool g_locksFail = false;
} // namespace

// The store's calls of flock come here in this program: they fail as on such a folder while the test
// says so.
extern "C" int flock(int fd, int operation) {
    if (g_locksFail) {
        errno = ENOLCK;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_flock, fd, operation));
}

TEST_F(StoreFixture, WhereFilesCannotBeLockedEachChangeIsWrittenToTheNotesFileAndSurvivesAKill) {
    g_locksFail = true;
    {
        NoteCollection hostNotes(testsupport::TableOf(zelt));
        Categories hostCategories(language);
        NotesStore host(hostNotes, hostCategories, view, language, nullptr);
        host.LoadAtStartup();
        hostNotes.Set(kCafe, Note(kCafeStable, u"kept", {2}));
        hostCategories.SetName(0, u"Urgent");
    } // killed: no SaveAtEnd
    g_locksFail = false;
    for (const std::string& name : FolderNames(folder.Path() / "Zelt" / "DirNotes"))
        EXPECT_EQ(name.find(".journal-"), std::string::npos) << name;

    store.LoadAtStartup();
    EXPECT_EQ(notes.Get(kCafe), Note(kCafeStable, u"kept", {2}));
    EXPECT_EQ(categories->CategoryName(0), u"Urgent");
}
