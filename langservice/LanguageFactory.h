#pragma once

#include "langservice/ILanguageOperation.h"

#include <memory>
#include <string_view>

namespace LangService {

// The operation for a language code ("ru", "en", "it", "hy", "cs", "es", "uk", any case); Russian for any
// other code, the empty one included. Each language's operation is made once and shared by every caller.
std::shared_ptr<ILanguageOperation> GetLanguageOperation(std::u16string_view code);

} // namespace LangService
