// Every text the plug-in shows in a control of a fixed size fits it, in every interface
// language, measured as the desktop draws it: the dialogs opened by the reference host as a
// person opens them, each text read from its control once the dialog has set it, and the
// search tab's combo drawn into the room the host gives it. Letters are measured with
// Liberation Sans, whose advance widths are those of the dialogs' "MS Shell Dlg".
#include "host/HostCard.h"
#include "host/HostCardCommands.h"
#include "host/HostCards.h"
#include "host/HostComboBox.h"
#include "host/HostSearchGroup.h"
#include "host/HostSearchTab.h"
#include "host/TabSearch.h"
#include "host/Utf.h"
#include "platform/resources/ModuleResources.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowStyles.h"
#include "tests/support/FileBytes.h"
#include "tests/support/PluginHost.h"
#include "tests/support/ScriptedDriver.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace testsupport;

namespace {
constexpr LANGID kLanguages[] = {1049, 1033, 1058, 1029, 1040, 3082};
constexpr int kScreenDpi = 96;
// A push button's edge and focus rectangle take this much on each side of its caption; a
// group box's caption stands one character in from the box's corner.
constexpr int kButtonInset = 3, kGroupCaptionInset = 6;
constexpr DWORD kStaticTypeMask = 0x1F;

// One size of the font: the width of a text and how it wraps, as a device context draws it.
class Letters {
public:
    explicit Letters(int pixels) {
        if (FT_Init_FreeType(&library_) || FT_New_Face(library_, VESK_DIALOG_FONT, 0, &face_) ||
            FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixels)))
            throw std::runtime_error("cannot open the font " VESK_DIALOG_FONT " (fonts-liberation2)");
    }
    ~Letters() {
        if (face_) FT_Done_Face(face_);
        if (library_) FT_Done_FreeType(library_);
    }
    Letters(const Letters&) = delete;
    Letters& operator=(const Letters&) = delete;

    // Whole pixels per letter, as hinting lays them; blanks at the end show nothing.
    int Width(std::u16string_view text) const {
        while (!text.empty() && text.back() == u' ')
            text.remove_suffix(1);
        int width = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char32_t c = text[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
                c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
            if (FT_Load_Char(face_, c, FT_LOAD_DEFAULT))
                throw std::runtime_error("no letter for a character");
            width += int((face_->glyph->advance.x + 32) >> 6);
        }
        return width;
    }
    int LineHeight() const { return int((face_->size->metrics.height + 32) >> 6); }
    // The lines a word-wrapping control breaks the text into at that width.
    std::vector<std::u16string> Wrap(std::u16string_view text, int width) const {
        std::vector<std::u16string> lines{u""};
        std::size_t at = 0;
        while (at <= text.size()) {
            const std::size_t end = std::min(text.find_first_of(u" \n", at), text.size());
            const std::u16string_view word = text.substr(at, end - at);
            std::u16string& line = lines.back();
            const std::u16string longer =
                line.empty() ? std::u16string(word) : line + u" " + std::u16string(word);
            if (line.empty() || Width(longer) <= width)
                line = longer;
            else
                lines.emplace_back(word);
            if (end < text.size() && text[end] == u'\n') lines.emplace_back();
            at = end + 1;
        }
        return lines;
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

std::string LanguageName(LANGID language) {
    const char* name = language == 1049   ? "Russian"
                       : language == 1033 ? "English"
                       : language == 1058 ? "Ukrainian"
                       : language == 1029 ? "Czech"
                       : language == 1040 ? "Italian"
                                          : "Spanish";
    return std::string(name) + " (" + std::to_string(language) + ")";
}

// What does not fit in the running dialog, one message a text; `checked` counts the texts.
std::vector<std::string> Misfits(HWND dialog, WORD templateId, LANGID language, int& checked) {
    const auto layout = zsys::ParseDialogTemplate(
        zsys::ResourceBytes(FindResource(GetModuleHandle("VeskNotes"), RT_DIALOG, templateId)));
    if (!layout) return {"dialog " + std::to_string(templateId) + " has no template"};
    if (!layout->fontName.empty() && layout->fontName != u"MS Shell Dlg")
        return {"dialog " + std::to_string(templateId) + ": no font measures as \"" +
                host::Utf8(layout->fontName) + "\""};
    // Points to pixels at the screen's resolution, rounded as a font is asked for by height.
    const int points = layout->pointSize ? layout->pointSize : 8;
    const Letters letters((points * kScreenDpi + 36) / 72);
    std::vector<std::string> misfits;
    for (HWND control : zsys::Children(dialog)) {
        const std::u16string text = zsys::WindowText(control), kind = zsys::ClassName(control);
        const DWORD style = zsys::Style(control);
        const RECT rect = zsys::WindowRect(control);
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        const std::string name = "dialog " + std::to_string(templateId) + ", " + LanguageName(language) +
                                 ", control " + std::to_string(zsys::ControlId(control)) + " \"" +
                                 host::Utf8(text) + "\": ";
        // Edit boxes and lists hold what the person typed or named.
        if (text.empty() || (kind == u"Static" && (style & kStaticTypeMask) == SS_ICON) ||
            (kind != u"Button" && kind != u"Static"))
            continue;
        ++checked;
        const int textWidth = letters.Width(text);
        if (kind == u"Button") {
            const DWORD type = style & BS_TYPEMASK;
            const int inset = type == BS_GROUPBOX ? kGroupCaptionInset : kButtonInset;
            if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX)
                misfits.push_back(name + "a kind of button the check does not know");
            else if (textWidth + 2 * inset > width)
                misfits.push_back(name + std::to_string(textWidth) + " px of text, " +
                                  std::to_string(width - 2 * inset) + " px of room in a control " +
                                  std::to_string(width) + " px wide");
        } else if ((style & kStaticTypeMask) != SS_LEFT) {
            misfits.push_back(name + "a kind of static text the check does not know");
        } else {
            const auto lines = letters.Wrap(text, width);
            int widest = 0;
            for (const auto& line : lines)
                widest = std::max(widest, letters.Width(line));
            const int needed = int(lines.size()) * letters.LineHeight();
            if (widest > width || needed > height)
                misfits.push_back(name + std::to_string(textWidth) + " px of text in a control " +
                                  std::to_string(width) + " px wide: " + std::to_string(lines.size()) +
                                  " lines, the widest " + std::to_string(widest) + " px, " +
                                  std::to_string(needed) + " px high in " + std::to_string(height) + " px");
        }
    }
    return misfits;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines)
        out += line + "\n";
    return out;
}

class TextFit : public PluginHostTest {};

// The settings dialog, the import question it asks over a differing note, and the note edit
// dialog, each looked at once its texts are in.
TEST_F(TextFit, EveryDialogTextFitsItsControlInEveryLanguage) {
    const FileNotes city{{testford::kCafeStable, {"call Ann", {2}}}};
    WriteFile(File("import.xml"), NotesXml({{testford::kCafeStable, {"theirs", {3}}}}));
    std::vector<std::string> misfits;
    for (const LANGID language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        WriteNotes(city);
        Start(language);
        const auto look = [&](WORD templateId) {
            return [&, templateId](HWND dialog) {
                int checked = 0;
                const auto found = Misfits(dialog, templateId, language, checked);
                misfits.insert(misfits.end(), found.begin(), found.end());
                EXPECT_GT(checked, 0) << "dialog " << templateId << " showed no text";
            };
        };
        {
            ScriptedDriver driver;
            driver.Do(look(115))
                .Click(121)
                .AnswerFile(File("import.xml").u16string())
                .Do(look(116))
                .Click(IDCANCEL)
                .Close();
            EXPECT_EQ(Zelt().View().MainFrame().SearchTab().Groups().at(0)->PressButton(0), S_OK);
            driver.Do(look(114)).Close();
            host::HostCard& card = Zelt().Cards().Open(testford::kCafe);
            EXPECT_EQ(card.Commands()->Entries().at(0).command.as<ZeltCore::ICommandAction>()->Execute(),
                      S_OK);
            EXPECT_EQ(driver.Dialogs(), (std::vector<WORD>{115, 116, 114}));
            EXPECT_EQ(driver.StepsLeft(), 0u) << "every dialog was looked at";
        }
    }
    EXPECT_TRUE(misfits.empty()) << Joined(misfits);
}

// The category names in the combo's list and its hint on the closed face, drawn by the plug-in
// where the host's front ends have it draw them, in the letters the page draws them with.
TEST_F(TextFit, EveryComboTextFitsTheRoomTheHostGivesIt) {
    const Letters letters(host::kComboFontPixels);
    std::vector<std::string> misfits;
    for (const LANGID language : kLanguages) {
        SCOPED_TRACE(LanguageName(language));
        WriteNotes({});
        Start(language);
        const auto combos = host::tab_search::ComboBoxes(Zelt().View().MainFrame().SearchTab());
        ASSERT_EQ(combos.size(), 1u);
        host::HostComboBox& combo = *combos.front().get();
        ASSERT_EQ(combo.Selected(), -1) << "the face shows the hint";
        std::vector<std::u16string> drawn;
        const auto measure = [&](const std::string& what, auto draw) {
            const std::unique_ptr<DeviceContextRecord, bool (*)(HDC)> dc(zsys::CreateRecordingDC(),
                                                                         zsys::DeleteDC);
            ASSERT_EQ(draw(dc.get()), S_OK) << what;
            for (const zsys::DrawOp& op : zsys::RecordedOps(dc.get())) {
                if (op.kind != zsys::DrawOp::Kind::Text) continue;
                drawn.push_back(op.text);
                const int width = letters.Width(op.text), room = op.rect.right - op.rect.left;
                if (width > room)
                    misfits.push_back("combo, " + LanguageName(language) + ", " + what + " \"" +
                                      host::Utf8(op.text) + "\": " + std::to_string(width) + " px of text, " +
                                      std::to_string(room) + " px of room");
            }
        };
        for (LONG i = 0; i < LONG(combo.Items().size()); ++i)
            measure("item " + std::to_string(i),
                    [&](HDC dc) { return combo.DrawItem(i, 0, 0x1, dc, host::kComboItemRect); });
        measure("face", [&](HDC dc) { return combo.DrawFace(dc, host::kComboItemRect); });
        std::vector<std::u16string> shown = combo.Items();
        shown.push_back(combo.Hint());
        EXPECT_EQ(drawn, shown) << "every item and the hint are drawn as text";
    }
    EXPECT_TRUE(misfits.empty()) << Joined(misfits);
}
} // namespace
