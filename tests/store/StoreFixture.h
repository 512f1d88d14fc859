#pragma once

#include "FakeView.h"
#include "MakeNote.h"

#include "platform/system/AppData.h"
#include "platform/system/Language.h"
#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "core/VeskNotesModule.h"
#include "store/Categories.h"
#include "store/NoteCollection.h"
#include "store/NotesStore.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

// A loaded city "Town" with an application-data folder of its own, English texts, an empty collection,
// the category table and the store over them.
class StoreFixture : public ::testing::Test {
protected:
    StoreFixture() {
        zsys::SetAppDataFolder(folder.string());
        notes.SetTable(zsys::ComPtr<ZeltCore::IHostTable>(view->table.get()));
    }
    ~StoreFixture() override {
        zsys::SetAppDataFolder("");
        SetThreadUILanguage(0);
        std::filesystem::remove_all(folder);
    }

    FakeTable& Table() { return *view->table.get(); }
    // The text of a string-table entry in English.
    std::u16string Text(unsigned id) const { return language->LoadString(id); }
    std::u16string PathOf(const std::string& name) const { return FromUtf8((folder / name).string()); }

    static void WriteBytes(const std::u16string& path, std::string_view bytes) {
        std::ofstream(ToAnsi(path), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string ReadBytes(const std::u16string& path) {
        std::ifstream in(ToAnsi(path), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    static CollectionElement Note(std::int32_t stableId, std::u16string text,
                                  std::initializer_list<int> categories = {}) {
        return MakeNote(stableId, std::move(text), categories);
    }

    static std::filesystem::path MakeFolder() {
        char pattern[] = "/tmp/store_tests.XXXXXX";
        return mkdtemp(pattern);
    }
    static std::shared_ptr<LangLocal> EnglishTexts() {
        SetThreadUILanguage(1033);
        return std::make_shared<LangLocal>(TheModule().Instance());
    }

    std::filesystem::path folder = MakeFolder();
    zsys::ComPtr<FakeView> view = zsys::Make<FakeView>();
    std::shared_ptr<LangLocal> language = EnglishTexts();
    NoteCollection notes;
    std::unique_ptr<Categories> categories = std::make_unique<Categories>(language);
    int refreshes = 0;
    NotesStore store{notes, *categories, zsys::ComPtr<ZeltCore::IHostView>(view.get()), language,
                     [this] { ++refreshes; }};
};
