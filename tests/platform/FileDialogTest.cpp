// Open and save file dialogs: what the system makes of the person's answer.
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/ScriptedDriver.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {
class FileDialog : public ::testing::Test {
protected:
    FileDialog() { std::ofstream(folder_ / "notes.xml") << "<notes/>"; }

    // "$" stands for the folder; "#N" for a path of N characters in it ending in ".xml".
    std::u16string Path(const std::u16string& answer) const {
        const std::u16string folder = folder_.Path().u16string();
        if (answer.starts_with(u"#")) {
            const std::size_t length = std::stoul(std::string(answer.begin() + 1, answer.end()));
            return folder + u"/" + std::u16string(length - folder.size() - 5, u'n') + u".xml";
        }
        return answer.starts_with(u"$") ? folder + answer.substr(1) : answer;
    }

    const testsupport::TempFolder folder_{"vesk-filedialog"};
};
} // namespace

// The import's and the export's answers (the default extension, an existing file, a missing one
// refused and asked again, an existing one overwritten unasked) are tested through the host's shell.
TEST_F(FileDialog, TheAnswerIsCheckedAsTheSystemDialogDoes) {
    const DWORD import = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
    const struct {
        const char* what;
        bool save;
        DWORD flags;
        std::vector<std::optional<std::u16string>> answers;
        std::optional<std::u16string> result;
        std::size_t refusals;
    } cases[] = {
        {"an extension of its own", true, 0, {u"$/exported.txt"}, u"$/exported.txt", 0},
        {"a dot in the folder only", false, 0, {u"$.d/notes"}, u"$.d/notes.xml", 0},
        {"missing, then cancel", false, import, {u"$/missing"}, std::nullopt, 1},
        {"missing folder", true, OFN_PATHMUSTEXIST, {u"$/none/x.xml", u"$/x.xml"}, u"$/x.xml", 1},
        {"259 characters", true, 0, {u"#259"}, u"#259", 0},
        {"260 characters", true, 0, {u"#260", std::nullopt}, std::nullopt, 1},
        {"overwrite refused", true, OFN_OVERWRITEPROMPT, {u"$/notes.xml", u"$/new.xml"}, u"$/new.xml", 1},
        {"cancel", false, 0, {std::nullopt}, std::nullopt, 0},
    };
    for (const auto& c : cases) {
        testsupport::ScriptedDriver driver;
        for (const auto& answer : c.answers)
            driver.AnswerFile(answer ? std::optional(Path(*answer)) : std::nullopt);
        const zsys::FileDialogRequest request{
            .filters = {{u"XML Files", u"*.xml"}}, .defaultExtension = u"xml", .flags = c.flags};
        const auto result = c.save ? zsys::GetSaveFileName(request) : zsys::GetOpenFileName(request);
        EXPECT_EQ(result, c.result ? std::optional(Path(*c.result)) : std::nullopt) << c.what;
        EXPECT_EQ(driver.Messages().size(), c.refusals) << c.what;
        for (const auto& message : driver.Messages())
            EXPECT_TRUE(message.type & MB_ICONWARNING) << c.what;
        ASSERT_FALSE(driver.FileRequests().empty()) << c.what;
        EXPECT_EQ(driver.FileRequests()[0].save, c.save) << c.what;
        EXPECT_EQ(driver.FileRequests()[0].filters, request.filters) << c.what;
    }
}

TEST_F(FileDialog, WithoutADriverTheDialogIsCancelled) {
    EXPECT_EQ(zsys::GetOpenFileName({.defaultExtension = u"xml"}), std::nullopt);
    EXPECT_EQ(zsys::GetSaveFileName({.defaultExtension = u"xml"}), std::nullopt);
}
