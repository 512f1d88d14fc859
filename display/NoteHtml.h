#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a card or a directory entry shows of a note's text in a display kind: kind 4
// the plain text after a line break, kind 5 the escaped text in bold, any other kind a
// bold paragraph with small margins. Empty when nothing is left of the text once its
// trailing blanks and line breaks are dropped.
std::u16string NoteTextHtml(std::u16string_view text, std::int32_t kind);

// One image link per category of a note, in the note's order, followed by a blank; the
// links name the category images. A category outside 0..count-1 shows no mark but still
// brings the blank. Empty for a note without categories.
std::u16string CategoryLinksHtml(const std::vector<std::int32_t>& categories, int count);
