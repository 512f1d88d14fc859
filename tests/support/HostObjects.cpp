#include "tests/support/HostObjects.h"

#include <gtest/gtest.h>

namespace testsupport {
zsys::ComPtr<ZeltCore::IHostTable> TableOf(host::ZeltHost& zelt, std::u16string_view key) {
    zsys::ComPtr<ZeltCore::IHostDatabase> database;
    EXPECT_EQ(zelt.View().Database(database.put()), S_OK);
    zsys::ComPtr<IUnknown> table;
    EXPECT_EQ(database->Table(zsys::Bstr(key).get(), table.put()), S_OK);
    return table.as<ZeltCore::IHostTable>();
}

zsys::ComPtr<ZeltCore::IHostDirObject> CompanyOf(host::ZeltHost& zelt, LONG stableId) {
    zsys::ComPtr<ZeltCore::IHostDirObject> company;
    EXPECT_TRUE(SUCCEEDED(TableOf(zelt)->ObjectByStableId(stableId, company.put())));
    return company;
}

zsys::ComPtr<ZeltCore::IHostFactory> FactoryOf(host::ZeltHost& zelt) {
    zsys::ComPtr<ZeltCore::IHostFactory> factory;
    EXPECT_EQ(zelt.View().Factory(factory.put()), S_OK);
    return factory;
}
} // namespace testsupport
