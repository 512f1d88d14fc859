#pragma once

#include <cstdint>
#include <string>

class LangLocal;

// "5 notes": the count, a blank ("&nbsp;" when it must not break) and the form of
// the word note that the interface language needs for that count. Raises
// unicore::exception when the language's forms do not cover the count.
std::u16string CountPhrase(std::int32_t count, const LangLocal& language, bool nonBreaking);
