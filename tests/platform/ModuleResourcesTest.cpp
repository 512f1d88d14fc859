#include "platform/resources/ModuleResources.h"
#include "platform/com/ComModule.h"
#include "platform/system/Language.h"
#include "tests/support/StringBlock.h"

#include <gtest/gtest.h>

namespace {
using testsupport::StringBlock;

class ModuleResources : public ::testing::Test {
protected:
    void SetUp() override {
        entries_ = {
            {RT_STRING, 7, 1049, ru_.data(), DWORD(ru_.size())},
            {RT_STRING, 7, 1033, en_.data(), DWORD(en_.size())},
            {RT_STRING, 8, 1040, it_.data(), DWORD(it_.size())},
            {RT_PNG, 126, 0, png_, 4},
        };
        table_ = {entries_.data(), entries_.size()};
        module_ = RegisterModule("TestLibrary", &table_, &objects_);
    }
    void TearDown() override {
        UnregisterModule(module_);
        SetThreadUILanguage(0);
    }

    std::vector<BYTE> ru_ = StringBlock({{4, u"Заметки"}}),
                      en_ = StringBlock({{4, u"Notes"}, {5, u"Only English"}}),
                      it_ = StringBlock({{0, u"Solo italiano"}});
    const BYTE png_[4] = {0x89, 'P', 'N', 'G'};
    std::vector<ResourceEntry> entries_;
    ResourceTable table_{};
    zsys::ComModule objects_;
    HMODULE module_ = nullptr;
};
} // namespace

TEST_F(ModuleResources, FindsTheModuleByNameAndItsResourcesByTypeIdAndExactLanguage) {
    EXPECT_EQ(FindResourceEx(module_, RT_STRING, 7, 1049), &entries_[0]);
    EXPECT_EQ(FindResourceEx(module_, RT_STRING, 7, 1033), &entries_[1]);
    EXPECT_EQ(FindResourceEx(module_, RT_STRING, 7, 2057), nullptr);
    EXPECT_EQ(FindResourceEx(module_, RT_DIALOG, 7, 1049), nullptr);
    EXPECT_EQ(FindResourceEx(module_, ResourceType{0, "PNG"}, 126, 0), &entries_[3]);
    EXPECT_EQ(FindResourceEx(nullptr, RT_STRING, 7, 1049), nullptr);
    EXPECT_EQ(GetModuleHandle("TestLibrary"), module_);
    EXPECT_EQ(GetModuleHandle("NoSuchLibrary"), nullptr);
}

TEST_F(ModuleResources, SystemChoiceIsInterfaceLanguageThenEnglishThenFirst) {
    SetThreadUILanguage(1049);
    EXPECT_EQ(FindResource(module_, RT_STRING, 7), &entries_[0]);
    SetThreadUILanguage(1031);
    EXPECT_EQ(FindResource(module_, RT_STRING, 7), &entries_[1]);
    EXPECT_EQ(FindResource(module_, RT_STRING, 8), &entries_[2]);
    EXPECT_EQ(FindResource(module_, RT_STRING, 9), nullptr);
}

TEST_F(ModuleResources, StringBlockEntriesAreLengthPrefixed) {
    const auto block = zsys::ResourceBytes(FindResourceEx(module_, RT_STRING, 7, 1033));
    EXPECT_EQ(zsys::StringBlockEntry(block, 4), u"Notes");
    EXPECT_EQ(zsys::StringBlockEntry(block, 5), u"Only English");
    EXPECT_EQ(zsys::StringBlockEntry(block, 6), u"");
    EXPECT_EQ(zsys::StringBlockEntry(block.first(block.size() - 1), 15), u"")
        << "a short block yields nothing";
}
