// Feeds arbitrary bytes to the journal reader as a journal a dead host left beside a notes file: every
// record it hands over must be a change that encodes and decodes to itself, and a read must end
// without touching memory it does not own. The same bytes are also decoded as one record's payload.
#include "FuzzTable.h"
#include "store/ChangeJournal.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {
const std::string& Folder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/change_journal_fuzz.XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return folder;
}

bool SameChange(const ChangeJournal::Change& a, const ChangeJournal::Change& b) {
    if (a.names != b.names || a.notes.size() != b.notes.size()) return false;
    for (std::size_t i = 0; i < a.notes.size(); ++i)
        if (a.notes[i].Id() != b.notes[i].Id() || a.notes[i].Text() != b.notes[i].Text() ||
            a.notes[i].CategoryList() != b.notes[i].CategoryList())
            return false;
    return true;
}

void CheckRoundTrip(const ChangeJournal::Change& change) {
    ChangeJournal::Change again;
    Require(ChangeJournal::Decode(ChangeJournal::Encode(change), again), "a read change encodes to a payload");
    Require(SameChange(change, again), "a read change decodes to itself");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ChangeJournal::Change payload;
    if (ChangeJournal::Decode(bytes, payload)) CheckRoundTrip(payload);

    const std::string notes = Folder() + "/notes.xml";
    std::ofstream(notes + ".journal-1-0-0", std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::vector<ChangeJournal> dead = ChangeJournal::TakeOverDead(notes);
    Require(dead.size() == 1, "the journal left behind is taken over");
    std::size_t records = 0;
    const ChangeJournal::Ending ending = dead.front().Read([&](ChangeJournal::Change&& change) {
        ++records;
        CheckRoundTrip(change);
    });
    Require(ending != ChangeJournal::Ending::Whole || records > 0 || size == 0,
            "bytes that hold no record are no whole journal");
    dead.front().Remove();
    return 0;
}
