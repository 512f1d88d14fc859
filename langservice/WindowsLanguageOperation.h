#pragma once

#include "langservice/LanguageOperation.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace LangService::Impl {

// A language operation that also knows its Windows language identifier; the factory hands out these.
template <class Locale, class Language>
class WindowsLanguageOperation : public LanguageOperation<Locale, Language> {
public:
    // An operation over a shared locale and language tables, answering languageId as its Windows identifier.
    WindowsLanguageOperation(std::shared_ptr<const Locale> locale, std::shared_ptr<const Language> language,
                             std::uint16_t languageId)
        : LanguageOperation<Locale, Language>(std::move(locale), std::move(language)),
          languageId_(languageId) {}

    std::uint16_t WindowsLanguageId() const override { return languageId_; }

private:
    std::uint16_t languageId_;
};

} // namespace LangService::Impl
