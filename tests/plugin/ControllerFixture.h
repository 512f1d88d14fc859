#pragma once

#include "core/LangLocal.h"
#include "core/VeskNotesModule.h"
#include "host/ZeltHost.h"
#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "plugin/CommunicationManager.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Testford.h"

#include <gtest/gtest.h>

using namespace testsupport::testford;

// The reference host in the test program's process, serving Testford in English with an
// application-data folder of its own, and the notes controller that Start makes over its view
// as the plug-in makes it. Whatever the plug-in left with the host is dropped at the end, when
// nothing of either may still be held.
class ControllerFixture : public testing::Test {
protected:
    ~ControllerFixture() override {
        zelt_.Cards().CloseAll();
        controller_.reset();
        zelt_.Stop();
        EXPECT_EQ(zelt_.ForeignHostReferences(), 0) << "something of the plug-in or the host is still held";
        zsys::SetAppDataFolder("");
        SetThreadUILanguage(0);
    }

    void Start() {
        controller_ =
            std::make_unique<CommunicationManager>(zsys::ComPtr<ZeltCore::IHostView>(&zelt_.View()),
                                                   std::make_shared<LangLocal>(TheModule().Instance()));
    }
    // Gives the company of that id a note of these categories and text; none when both are empty.
    void Note(std::int32_t company, const std::vector<std::int32_t>& categories, std::u16string text = {}) {
        CollectionElement note;
        note.SetId(zelt_.View().City().Find(host::CityDatabase::Type::Company, company)->stableId);
        note.SetText(std::move(text));
        for (const std::int32_t c : categories)
            note.AddCategory(c);
        controller_->Notes().Set(company, note);
    }

    testsupport::TempFolder appData_{"controller_tests"};
    host::ZeltHost zelt_{{"", 1033, testsupport::TestfordPath(), appData_.Path().string()}};
    std::unique_ptr<CommunicationManager> controller_;
};
