// Every text the plug-in shows in a control of a fixed size fits it, in every interface
// language, measured as the desktop draws it: the dialogs opened by the reference host as a
// person opens them, each text read from its control once the dialog has set it, and the
// search tab's combo drawn into the room the host gives it. Letters are measured with
// Liberation Sans, whose advance widths are those of the dialogs' "MS Shell Dlg".
#include "host/TabSearch.h"
#include "host/Utf.h"
#include "host/objects/HostCard.h"
#include "host/objects/HostCardCommands.h"
#include "host/objects/HostComboBox.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
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


using namespace testsupport;

namespace {
constexpr struct {
    LANGID id;
    const char* name;
} kLanguages[] = {{1049, "Russian"}, {1033, "English"}, {1058, "Ukrainian"},
                  {1029, "Czech"},   {1040, "Italian"}, {3082, "Spanish"}};
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

    // Whole pixels a letter, as hinting lays them; blanks at the end show nothing.
    int Width(std::u16string_view text) const {
        while (!text.empty() && text.back() == u' ')
            text.remove_suffix(1);
        int width = 0;
        for (const char16_t c : text) {
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
        for (std::size_t at = 0; at <= text.size();) {
            const std::size_t end = std::min(text.find_first_of(u" \n", at), text.size());
            const std::u16string word(text.substr(at, end - at));
            std::u16string& line = lines.back();
            if (line.empty() || Width(line + u" " + word) <= width)
                line += (line.empty() ? u"" : u" ") + word;
            else
                lines.push_back(word);
            if (end < text.size() && text[end] == u'\n') lines.emplace_back();
            at = end + 1;
        }
        return lines;
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

// What does not fit in the running dialog, one message a text; `checked` counts the texts.
void AddDialogMisfits(HWND dialog, WORD templateId, const std::string& language, int& checked,
                      std::vector<std::string>& misfits) {
    const std::string name = "dialog " + std::to_string(templateId) + ", " + language;
    const auto layout = zsys::ParseDialogTemplate(
        zsys::ResourceBytes(FindResource(GetModuleHandle("VeskNotes"), RT_DIALOG, templateId)));
    if (!layout || (!layout->fontName.empty() && layout->fontName != u"MS Shell Dlg")) {
        misfits.push_back(name + ": no template, or a font not measured here");
        return;
    }
    // Points to pixels at the screen's resolution, rounded as a font is asked for by height.
    const Letters letters(((layout->pointSize ? layout->pointSize : 8) * kScreenDpi + 36) / 72);
    for (HWND control : zsys::Children(dialog)) {
        const std::u16string text = zsys::WindowText(control), kind = zsys::ClassName(control);
        const DWORD style = zsys::Style(control);
        // Edit boxes and lists hold what the person typed or named.
        if (text.empty() || (kind != u"Button" && kind != u"Static") ||
            (kind == u"Static" && (style & kStaticTypeMask) == SS_ICON))
            continue;
        ++checked;
        // A left-aligned static text breaks its lines between words; a button's caption is one line.
        const bool wraps = kind == u"Static";
        const int inset = wraps                                  ? 0
                          : (style & BS_TYPEMASK) == BS_GROUPBOX ? kGroupCaptionInset
                                                                 : kButtonInset;
        const RECT rect = zsys::WindowRect(control);
        const int width = rect.right - rect.left, room = width - 2 * inset, height = rect.bottom - rect.top;
        const auto lines = wraps ? letters.Wrap(text, room) : std::vector<std::u16string>{text};
        int widest = 0;
        for (const auto& line : lines)
            widest = std::max(widest, letters.Width(line));
        const int high = int(lines.size()) * letters.LineHeight();
        if (widest > room || high > height)
            misfits.push_back(name + ", control " + std::to_string(zsys::ControlId(control)) + " \"" +
                              host::Utf8(text) + "\": " + std::to_string(widest) + " px wide in " +
                              std::to_string(room) + ", " + std::to_string(high) + " px high in " +
                              std::to_string(height));
    }
}

// The category names in the combo's list and its hint on the closed face, as the plug-in
// draws them where the host's front ends have it draw them, in the letters of the page.
void AddComboMisfits(host::HostComboBox& combo, const std::string& language,
                     std::vector<std::string>& misfits) {
    static const Letters letters(host::kComboFontPixels);
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
                misfits.push_back("combo, " + language + ", " + what + " \"" + host::Utf8(op.text) +
                                  "\": " + std::to_string(width) + " px of text, " + std::to_string(room) +
                                  " px of room");
        }
    };
    ASSERT_EQ(combo.Selected(), -1) << "the face shows the hint";
    for (LONG i = 0; i < LONG(combo.Items().size()); ++i)
        measure("item " + std::to_string(i), [&](HDC dc) {
            return combo.DrawItem(i, 0, ZeltCore::kDrawEntire, dc, host::kComboItemRect);
        });
    measure("face", [&](HDC dc) { return combo.DrawFace(dc, host::kComboItemRect); });
    std::vector<std::u16string> shown = combo.Items();
    shown.push_back(combo.Hint());
    EXPECT_EQ(drawn, shown) << "every item and the hint are drawn as text";
}

using TextFit = PluginHostTest;

// In each language: the search combo, then the settings dialog, the import question it asks
// over a differing note and the note edit dialog, each looked at once its texts are in.
TEST_F(TextFit, EveryTextFitsItsControlInEveryLanguage) {
    WriteFile(File("import.xml"), NotesXml({{testford::kCafeStable, {"theirs", {3}}}}));
    std::vector<std::string> misfits;
    for (const auto& language : kLanguages) {
        const std::string name = std::string(language.name) + " (" + std::to_string(language.id) + ")";
        SCOPED_TRACE(name);
        WriteNotes({{testford::kCafeStable, {"call Ann", {2}}}});
        Start(language.id);
        const auto combos = host::tab_search::ComboBoxes(Zelt().View().MainFrame().SearchTab());
        ASSERT_EQ(combos.size(), 1u);
        AddComboMisfits(*combos.front().get(), name, misfits);

        const auto look = [&](WORD templateId) {
            return [&, templateId](HWND dialog) {
                int checked = 0;
                AddDialogMisfits(dialog, templateId, name, checked, misfits);
                EXPECT_GT(checked, 0) << "dialog " << templateId << " showed no text";
            };
        };
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
        EXPECT_EQ(card.Commands()->Entries().at(0).command.as<ZeltCore::ICommandAction>()->Execute(), S_OK);
        EXPECT_EQ(driver.Dialogs(), (std::vector<WORD>{115, 116, 114}));
        EXPECT_EQ(driver.StepsLeft(), 0u) << "every dialog was looked at";
    }
    EXPECT_TRUE(misfits.empty()) << testing::PrintToString(misfits);
}
} // namespace
