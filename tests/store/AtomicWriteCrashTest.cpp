// A writer killed at any moment leaves the notes file whole: the old notes or the new.
#include "StoreFixture.h"

#include <pugixml.hpp>

#include <csignal>
#include <cstring>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {
class AtomicWriteCrash : public StoreFixture {
protected:
    // A city of `count` notes whose texts carry the generation, so a file tells which one it holds.
    void FillGeneration(int generation, int count) {
        for (int i = 1; i <= count; ++i)
            notes.Set(i, Note(1000 + i, u"generation " + FromUtf8(std::to_string(generation)) +
                                            u" note with a long enough text to make the file large " +
                                            FromUtf8(std::to_string(i))));
    }

    // The generation the file holds: every note of one generation, or -1 for a torn file.
    static int GenerationOf(const std::u16string& path, int count) {
        pugi::xml_document doc;
        if (!doc.load_file(ToAnsi(path).c_str())) return -1;
        int generation = -2, seen = 0;
        for (pugi::xml_node note : doc.child("DirectoryNotes").children("Note")) {
            const std::string text = note.child("comment").child("text").child_value();
            const int g = std::atoi(text.c_str() + std::strlen("generation "));
            if (generation == -2) generation = g;
            if (g != generation) return -1;
            ++seen;
        }
        return seen == count ? generation : -1;
    }
};
} // namespace

TEST_F(AtomicWriteCrash, KilledWriterLeavesTheOldFileOrTheNewOne) {
    constexpr int kNotes = 5000;
    const std::u16string path = PathOf("Data_Town.xml");
    FillGeneration(0, kNotes);
    store.WriteNotes(path);
    ASSERT_EQ(GenerationOf(path, kNotes), 0);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> delayMicroseconds(0, 300000);
    int lastSeen = 0, newerSeen = 0;
    for (int round = 1; round <= 25; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Writes generation after generation until it is killed.
            for (int generation = round * 1000;; ++generation) {
                FillGeneration(generation, kNotes);
                store.WriteNotes(path);
            }
        }
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const int generation = GenerationOf(path, kNotes);
        ASSERT_GE(generation, 0) << "a torn notes file after round " << round;
        EXPECT_TRUE(generation == lastSeen || generation >= round * 1000);
        if (generation != lastSeen) ++newerSeen;
        lastSeen = generation;
    }
    EXPECT_GT(newerSeen, 0) << "the writer never finished a file: the test killed it too early to mean anything";
    // Temporary files of killed writers may stay behind, but never in the notes file's place.
    EXPECT_EQ(GenerationOf(path, kNotes), lastSeen);
}
