#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class NoteCollection;

// The two criteria of the last search and the test of one company against each, over the
// notes as they are at the time of the test. A company that fails is told the distance to
// the next company with a note, so that the host can skip the companies between.
class NoteMatchers {
public:
    explicit NoteMatchers(const NoteCollection& notes) : notes_(notes) {}

    // 0 when the company's note text, folded, holds the pattern; else the distance to the
    // next company with a note, -1 when none follows (and for an empty collection).
    std::int32_t MatchText(std::int32_t company) const;
    // The pattern becomes the folded text; an empty one passes every company with a note.
    void SetText(std::u16string_view text);

    // As MatchText, for a note that carries the category.
    std::int32_t MatchCategory(std::int32_t company) const;
    // The category becomes the one the criterion names; -1 (nothing passes) for one too short.
    void SetCategory(std::u16string_view value);

private:
    template <class Passes> std::int32_t Match(std::int32_t company, Passes passes) const;

    const NoteCollection& notes_;
    std::int32_t category_ = -1;
    std::u16string pattern_;
};
