#pragma once

#include "platform/resources/ModuleResources.h"

#include <memory>
#include <string>

namespace LangService {
class ILanguageOperation;
}

// The plug-in's interface language, chosen once from the thread's language, and the
// texts of the string tables in it.
class LangLocal {
public:
    // Chooses among the six languages of the string tables; any other language,
    // other variants of the same ones included, gives Russian.
    explicit LangLocal(HINSTANCE instance);

    // The text of a string-table entry in the chosen language, else in the system's
    // own choice of language; empty when neither has it.
    std::u16string LoadString(unsigned id) const;

    // The language operation, for number and plural forms.
    const LangService::ILanguageOperation& Operation() const { return *operation_; }
    // The chosen LANGID: one of 1049, 1033, 1040, 1029, 3082, 1058.
    LANGID Language() const { return language_; }

private:
    std::shared_ptr<LangService::ILanguageOperation> operation_;
    HINSTANCE instance_;
    LANGID language_;
};
