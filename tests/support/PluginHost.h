#pragma once

// The notes plug-in run by the reference host, as the host suite drives it: an
// application-data folder of the test's own, the city's notes file written from a table
// before the start and read back after the stop, the shell or the zelt-host command run with
// a script, and the texts the shell prints for the cases that compare them whole.

#include "host/ZeltHost.h"
#include "tests/support/NotesFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Testford.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace testsupport {
// The shell's last line after a run that left nothing of the plug-in behind.
extern const std::string kCleanAccounting;

// Runs zelt-host with the arguments and the text (empty, or ending in a line break) on its
// standard input; its standard output and error, and its exit code in `exitCode`.
std::string RunZeltHost(const std::string& arguments, const std::string& input, int* exitCode = nullptr);

// A category mark in a card or a result entry, as the shell prints it.
std::string MarkText(int category);
// The card of a company with that note (none: an empty note) in English, as the shell
// prints it; the note's text holds no markup.
std::string CardText(std::int32_t id, const std::string& name, const FileNote& note = {});
// A message box as the shell prints it.
std::string MessageText(const std::string& text, const std::string& caption,
                        const std::string& buttons = "ok", const std::string& icon = "information");
// The blocks that mark any building, as the shell lists them, for each `map` in the output.
std::vector<std::vector<std::string>> MarkedBlocks(const std::string& out);
// How often `part` stands in `text`.
std::size_t Occurrences(const std::string& text, const std::string& part);

// A test of the notes plug-in on the reference host.
class PluginHostTest : public testing::Test {
protected:
    ~PluginHostTest() override;

    // Lets the running host go, empties the application-data folder and writes there the
    // notes file of the city (named after the stem of its city file), with the category names
    // when given.
    void WriteNotes(const FileNotes& notes, const std::vector<std::string>& names = {},
                    const std::string& city = "Testford", const std::string& stem = "Testford");
    // A fresh host on the city with the plug-in loaded, not yet started.
    host::ZeltHost& Load(LANGID language = 1033, const std::string& city = TestfordPath());
    // The same, started; the start must succeed.
    host::ZeltHost& Start(LANGID language = 1033, const std::string& city = TestfordPath());
    // Testford started with these notes.
    host::ZeltHost& Start(const FileNotes& notes);
    host::ZeltHost& Zelt() { return *zelt_; }

    // What the shell answers to the commands; the end of the input stops the plug-in, which
    // must leave nothing behind.
    std::string Run(const std::string& commands);
    // zelt-host on Testford in English with this application-data folder, and the arguments.
    std::string RunHost(const std::string& arguments, const std::string& input,
                        int* exitCode = nullptr) const;

    std::filesystem::path AppData() const { return folder_.Path() / "appdata"; }
    // A file of the test's own, outside the application-data folder.
    std::filesystem::path File(const std::string& name) const { return folder_.Path() / name; }
    std::filesystem::path NotesFile(const std::string& stem = "Testford") const;
    // The notes file as the plug-in left it.
    NotesFileContents Written(const std::string& stem = "Testford") const {
        return ReadNotesFile(NotesFile(stem));
    }

    std::unique_ptr<host::ZeltHost> zelt_; // the host of the latest Load

private:
    TempFolder folder_{"plugin_host"};
};
} // namespace testsupport
