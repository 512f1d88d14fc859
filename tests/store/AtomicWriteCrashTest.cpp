// A writer killed at any moment leaves the notes file whole: the old notes or the new. The writer runs
// in a child traced system call by system call and is killed at every stop in turn, so every state that
// the file system can be left in is seen, however fast or loaded the machine.
#include "StoreFixture.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <cstring>

namespace {
class AtomicWriteCrash : public StoreFixture {
protected:
    // A city of notes whose texts carry the generation, so that a file tells which one it holds; long
    // enough for the file to take several writes.
    void FillGeneration(int generation) {
        for (const std::int32_t key : {kCafe, kDentist, kTaxis, kEdge, kGhost})
            notes.Set(key, Note(key, u"generation " + FromUtf8(std::to_string(generation)) + u" " +
                                         std::u16string(40000, u'x')));
    }

    // The generation the file holds: every note of one generation, or -1 for a torn file.
    int GenerationOf() const {
        pugi::xml_document doc;
        if (!doc.load_file((folder / "notes.xml").c_str())) return -1;
        int generation = -1, seen = 0;
        for (pugi::xml_node note : doc.child("DirectoryNotes").children("Note")) {
            const int g =
                std::atoi(note.child("comment").child("text").child_value() + std::strlen("generation "));
            if (seen++ > 0 && g != generation) return -1;
            generation = g;
        }
        return seen == 5 ? generation : -1;
    }
};
} // namespace

TEST_F(AtomicWriteCrash, AWriterKilledAtAnySystemCallLeavesTheOldFileOrTheNewOne) {
    FillGeneration(0);
    // Generation 1 written over generation 0, in a traced child killed at a stop unless it finishes first.
    const auto writeOver = [&] {
        FillGeneration(1);
        store.WriteNotes(PathOf("notes.xml"));
    };
    int killedAt = 0;
    for (;; ++killedAt) {
        store.WriteNotes(PathOf("notes.xml")); // generation 0 again
        ASSERT_EQ(GenerationOf(), 0);
        const bool finished = RunKilledAtStop(killedAt, nullptr, writeOver) < killedAt;
        const int generation = GenerationOf();
        if (finished) {
            EXPECT_EQ(generation, 1) << "a writer left alone finishes";
            break;
        }
        EXPECT_TRUE(generation == 0 || generation == 1)
            << "a torn notes file when killed at stop " << killedAt;
    }
    EXPECT_GT(killedAt, 20) << "the file is written in several steps";
}
