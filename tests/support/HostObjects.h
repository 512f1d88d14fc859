#pragma once

#include "host/ZeltHost.h"

#include <string_view>

namespace testsupport {
// The host's objects as a plug-in reaches them from the view; every step on the way must
// succeed. The table of a type key ("zelt_org").
zsys::ComPtr<ZeltCore::IHostTable> TableOf(host::ZeltHost& zelt, std::u16string_view key = u"zelt_org");
// The company of the stable id; null when the city lacks it.
zsys::ComPtr<ZeltCore::IHostDirObject> CompanyOf(host::ZeltHost& zelt, LONG stableId);
// The view's image factory.
zsys::ComPtr<ZeltCore::IHostFactory> FactoryOf(host::ZeltHost& zelt);
} // namespace testsupport
