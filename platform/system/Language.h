#pragma once

#include "platform/Export.h"
#include "platform/com/Types.h"

#include <string_view>

// Windows language identifiers: primary language in the low 10 bits, sublanguage above.
constexpr LANGID MakeLangId(unsigned primary, unsigned sub) { return static_cast<LANGID>((sub << 10) | primary); }

extern "C" {
// The interface language of the calling thread. Unless set, it comes from the
// environment (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, the first that names a language),
// and is English (1033) when none does.
ZSYS_API LANGID GetThreadUILanguage();
// Sets it for the calling thread; 0 goes back to the environment's choice.
ZSYS_API void SetThreadUILanguage(LANGID language);
// The thread locale; its low 16 bits are a LANGID. Unless set, the same as the
// interface language's environment choice.
ZSYS_API LCID GetThreadLocale();
ZSYS_API void SetThreadLocale(LCID locale); // 0 goes back to the default

// The system's version; 10.0 unless a test sets another.
ZSYS_API DWORD GetOsMajorVersion();
ZSYS_API void SetOsVersion(DWORD major, DWORD minor);
}

namespace zsys {
// The LANGID of a POSIX locale name ("en_GB.UTF-8" gives 2057, "ru" 1049, "C" 1033);
// 0 for a name this table does not know.
ZSYS_API LANGID LangIdFromLocaleName(std::string_view name);
} // namespace zsys
