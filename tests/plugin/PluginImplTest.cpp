// The plug-in object's description. Which interfaces it answers the host is seen as the host
// loads, describes, starts and configures it.
#include "plugin/PluginImpl.h"

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/system/Language.h"

#include <gtest/gtest.h>

TEST(PluginImpl, GetXmlInfoGivesAFreshCopyEachTime) {
    SetThreadUILanguage(1033);
    const auto info = zsys::Make<PluginImpl>(std::make_shared<LangLocal>(TheModule().Instance()))
                          .as<ZeltCore::IZeltPluginInfo>();
    SetThreadUILanguage(0);
    zsys::Bstr first, second;
    ASSERT_EQ(info->GetXmlInfo(first.put()), S_OK);
    ASSERT_EQ(info->GetXmlInfo(second.put()), S_OK);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(first.view(), second.view());
    EXPECT_EQ(info->GetXmlInfo(nullptr), E_POINTER);
}
