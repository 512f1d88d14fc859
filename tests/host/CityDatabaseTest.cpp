// The city files the host refuses: no database, another database, a later format, a stable
// id twice.
#include "host/CityDatabase.h"
#include "tests/host/HostTestSupport.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

using host::CityDatabase;
using host::CityError;
using namespace hosttest;

TEST(CityDatabase, Open_RefusesFilesThatAreNoCity) {
    const std::string garbage = TempPath("Data_Garbage.dat");
    WriteFile(garbage, "this is not a database, just some words that go on for a while");
    EXPECT_THROW(CityDatabase{garbage}, CityError);
    EXPECT_THROW(CityDatabase{TempPath("Data_Nowhere.dat")}, CityError);
    const struct {
        const char* name;
        const char* sql;
        bool fromTestford;
    } edits[] = {
        {"Data_Foreign.dat", "CREATE TABLE notes (x); INSERT INTO notes VALUES (1);", false},
        {"Data_Future.dat", "UPDATE city SET value = '2' WHERE key = 'format'", true},
        {"Data_Twins.dat", "UPDATE companies SET stable_id = 1001 WHERE id = 12", true}, // 1001 twice
    };
    for (const auto& edit : edits) {
        const std::string path = TempPath(edit.name);
        if (edit.fromTestford) std::filesystem::copy_file(TestfordPath(), path);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, edit.sql, nullptr, nullptr, nullptr), SQLITE_OK) << edit.name;
        sqlite3_close(db);
        EXPECT_THROW(CityDatabase{path}, CityError) << edit.name;
    }
}
