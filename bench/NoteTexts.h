#pragma once

#include <random>
#include <string>

namespace bench {
// A note text of 20 to 200 characters, Latin and Cyrillic words, now and then a line feed,
// never ending in a blank (the store would trim it).
inline std::u16string MakeNoteText(std::mt19937& random) {
    static const std::u16string words[] = {u"call",   u"back",   u"after",   u"lunch",    u"позвонить",
                                           u"завтра", u"скидка", u"manager", u"Ирина",    u"closed",
                                           u"on",     u"Monday", u"договор", u"подписан", u"ask",
                                           u"for",    u"Пётр",   u"invoice"};
    std::uniform_int_distribution<int> length(20, 200), word(0, std::size(words) - 1), breakChance(0, 15);
    const std::size_t target = length(random);
    std::u16string text;
    while (text.size() < target) {
        if (!text.empty()) text += breakChance(random) == 0 ? u'\n' : u' ';
        text += words[word(random)];
    }
    text.resize(target);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\n'))
        text.back() = u'x';
    return text;
}
} // namespace bench
