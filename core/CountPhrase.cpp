#include "core/CountPhrase.h"

#include "core/LangLocal.h"
#include "langservice/PluralForms.h"
#include "platform/system/Text.h"
#include "resources/ResourceIds.h"

#include <string>

std::u16string CountPhrase(std::int32_t count, const LangLocal& language, bool nonBreaking) {
    // The forms are read once for the life of the module, in the language of the first call.
    static const std::u16string forms = language.LoadString(IDS_NOTE_FORMS);
    const std::u16string form = LangService::GetPluralForm(language.Operation(), count, forms);
    std::u16string phrase = zsys::Decimal(count);
    phrase += nonBreaking ? u"&nbsp;" : u" ";
    phrase += form;
    return phrase;
}
