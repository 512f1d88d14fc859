#include "langservice/LanguageFactory.h"

#include "langservice/IcuLocale.h"
#include "langservice/LangSpecCS.h"
#include "langservice/LangSpecEN.h"
#include "langservice/LangSpecES.h"
#include "langservice/LangSpecHY.h"
#include "langservice/LangSpecIT.h"
#include "langservice/LangSpecRU.h"
#include "langservice/LangSpecUK.h"
#include "langservice/WindowsLanguageOperation.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace LangService {

namespace {

using Impl::IcuLocale;
using Impl::WindowsLanguageOperation;

using Creator = std::shared_ptr<ILanguageOperation> (*)();

// One operation per language for the life of the process, made on its first request.
template <class Language>
std::shared_ptr<ILanguageOperation> Shared(const char* language, const char* country,
                                           std::uint16_t languageId) {
    static const std::shared_ptr<ILanguageOperation> operation =
        std::make_shared<WindowsLanguageOperation<IcuLocale, Language>>(
            std::make_shared<const IcuLocale>(language, country), std::make_shared<const Language>(),
            languageId);
    return operation;
}

std::shared_ptr<ILanguageOperation> Russian() {
    return Shared<Impl::LangSpecRU>("ru", "RU", 1049);
}

const std::map<std::u16string, Creator, std::less<>>& Creators() {
    static const std::map<std::u16string, Creator, std::less<>> creators{
        {u"ru", &Russian},
        {u"en", [] { return Shared<Impl::LangSpecEN>("en", "US", 1033); }},
        {u"it", [] { return Shared<Impl::LangSpecIT>("it", "IT", 1040); }},
        {u"hy", [] { return Shared<Impl::LangSpecHY>("hy", "AM", 1067); }},
        {u"cs", [] { return Shared<Impl::LangSpecCS>("cs", "CS", 1029); }},
        {u"es", [] { return Shared<Impl::LangSpecES>("es", "ES", 3082); }},
        {u"uk", [] { return Shared<Impl::LangSpecUK>("uk", "UA", 1058); }},
    };
    return creators;
}

} // namespace

std::shared_ptr<ILanguageOperation> GetLanguageOperation(std::u16string_view code) {
    const auto& creators = Creators();
    const auto found = creators.find(Russian()->ToLower(code));
    return found == creators.end() ? Russian() : found->second();
}

} // namespace LangService
