#include "core/LangLocal.h"

#include "langservice/ILanguageOperation.h"
#include "langservice/LanguageFactory.h"
#include "platform/system/Language.h"

namespace {
struct InterfaceLanguage {
    LANGID id;
    const char16_t* code;
};
// The languages the string tables are written in; the first is the fallback.
constexpr InterfaceLanguage kLanguages[] = {
    {1049, u"ru"}, {1033, u"en"}, {1040, u"it"}, {1029, u"cs"}, {3082, u"es"}, {1058, u"uk"},
};

LANGID SystemInterfaceLanguage() {
    // Systems before version 6 have no per-thread interface language; the thread
    // locale stands in for it there.
    if (GetOsMajorVersion() < 6) return static_cast<LANGID>(GetThreadLocale() & 0xFFFF);
    return GetThreadUILanguage();
}

const InterfaceLanguage& Choose(LANGID id) {
    for (const auto& language : kLanguages)
        if (language.id == id) return language;
    return kLanguages[0];
}

std::u16string_view Entry(HRSRC block, unsigned id) {
    return zsys::StringBlockEntry(zsys::ResourceBytes(block), id % 16);
}
} // namespace

LangLocal::LangLocal(HINSTANCE instance) : instance_(instance) {
    const InterfaceLanguage& chosen = Choose(SystemInterfaceLanguage());
    operation_ = LangService::GetLanguageOperation(chosen.code);
    language_ = chosen.id;
}

std::u16string LangLocal::LoadString(unsigned id) const {
    const WORD block = zsys::StringBlockId(static_cast<WORD>(id));
    std::u16string_view text;
    if (const LANGID language = operation_->WindowsLanguageId())
        text = Entry(FindResourceEx(instance_, RT_STRING, block, language), id);
    if (text.empty()) text = Entry(FindResource(instance_, RT_STRING, block), id);
    return std::u16string(text);
}
