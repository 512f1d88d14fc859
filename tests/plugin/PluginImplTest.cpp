#include "plugin/PluginImpl.h"

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "platform/system/Language.h"

#include <gtest/gtest.h>

namespace {
zsys::ComPtr<PluginImpl> NewPlugin() {
    SetThreadUILanguage(1033);
    return zsys::Make<PluginImpl>(std::make_shared<LangLocal>(TheModule().Instance()));
}
} // namespace

TEST(PluginImpl, AnswersItsThreeInterfacesAndNothingElse) {
    auto plugin = NewPlugin();
    EXPECT_TRUE(plugin.try_as<ZeltCore::IZeltPlugin>());
    EXPECT_TRUE(plugin.try_as<ZeltCore::IZeltPluginInfo>());
    EXPECT_TRUE(plugin.try_as<ZeltCore::IZeltPluginOptions>());
    EXPECT_FALSE(plugin.try_as<ZeltCore::IHostView>());
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(plugin->QueryInterface(ZeltCore::IHostApplication::iid, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(plugin->RefCount(), 1u);
}

TEST(PluginImpl, GetXmlInfoGivesAFreshCopyEachTime) {
    auto info = NewPlugin().as<ZeltCore::IZeltPluginInfo>();
    zsys::Bstr first, second;
    ASSERT_EQ(info->GetXmlInfo(first.put()), S_OK);
    ASSERT_EQ(info->GetXmlInfo(second.put()), S_OK);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(first.view(), second.view());
    EXPECT_EQ(info->GetXmlInfo(nullptr), E_POINTER);
}
