#include "tools/rescomp/DialogSource.h"

#include "platform/ui/WindowStyles.h"
#include "tools/rescomp/SourceText.h"

#include <fstream>
#include <map>

namespace rescomp {
namespace {
#define STYLE(name)                                                                                          \
    { #name, name }
const std::map<std::string, DWORD> kStyles = {
    STYLE(WS_POPUP),           STYLE(WS_CHILD),        STYLE(WS_VISIBLE),     STYLE(WS_DISABLED),
    STYLE(WS_CAPTION),         STYLE(WS_BORDER),       STYLE(WS_VSCROLL),     STYLE(WS_HSCROLL),
    STYLE(WS_SYSMENU),         STYLE(WS_GROUP),        STYLE(WS_TABSTOP),     STYLE(DS_SETFONT),
    STYLE(DS_MODALFRAME),      STYLE(DS_FIXEDSYS),     STYLE(BS_PUSHBUTTON),  STYLE(BS_DEFPUSHBUTTON),
    STYLE(BS_GROUPBOX),        STYLE(ES_LEFT),         STYLE(ES_MULTILINE),   STYLE(ES_AUTOVSCROLL),
    STYLE(ES_WANTRETURN),      STYLE(SS_LEFT),         STYLE(SS_ICON),        STYLE(LVS_LIST),
    STYLE(LVS_SINGLESEL),      STYLE(LVS_NOLABELWRAP), STYLE(LVS_EDITLABELS), STYLE(LVS_ALIGNLEFT),
    STYLE(LVS_NOCOLUMNHEADER),
};
#undef STYLE

const std::map<std::string, WORD> kClassAtoms = {
    {"Button", kButtonAtom},   {"Edit", kEditAtom},           {"Static", kStaticAtom},
    {"ListBox", kListBoxAtom}, {"ScrollBar", kScrollBarAtom}, {"ComboBox", kComboBoxAtom},
};

class Writer {
public:
    void Word(std::uint16_t w) {
        bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    void Dword(std::uint32_t d) {
        Word(static_cast<std::uint16_t>(d & 0xFFFF));
        Word(static_cast<std::uint16_t>(d >> 16));
    }
    void String(const std::u16string& s) {
        for (char16_t c : s)
            Word(c);
        Word(0);
    }
    void AlignTo4() {
        while (bytes.size() % 4)
            bytes.push_back(0);
    }
    std::vector<std::uint8_t> bytes;
};

struct Control {
    DWORD style = WS_CHILD | WS_VISIBLE;
    int id = 0;
    std::string className;
    std::u16string title;
    WORD titleOrdinal = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
};

DWORD Styles(const std::vector<Token>& tokens, std::size_t from, const std::string& path, int lineNo) {
    DWORD style = 0;
    for (std::size_t i = from; i < tokens.size(); ++i) {
        const auto it = kStyles.find(tokens[i].text);
        if (it == kStyles.end() || tokens[i].quoted) Fail(path, lineNo, "unknown style " + tokens[i].text);
        style |= it->second;
    }
    return style;
}

short Coordinate(const Token& t, const std::string& path, int lineNo) {
    const long n = ParseNumber(t.text, path, lineNo);
    if (n < -32768 || n > 32767) Fail(path, lineNo, "coordinate out of range");
    return static_cast<short>(n);
}
} // namespace

DialogResource ReadDialog(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError(path + ": cannot be read");
    DialogResource result;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD pointSize = 0;
    std::u16string font, caption;
    std::vector<Control> controls;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const auto t = Tokenize(line, path, lineNo);
        if (t.empty() || t[0].text[0] == '#') continue;
        const std::string& word = t[0].text;
        if (word == "dialog" && t.size() == 6) {
            result.id = static_cast<std::uint16_t>(ParseNumber(t[1].text, path, lineNo));
            x = Coordinate(t[2], path, lineNo);
            y = Coordinate(t[3], path, lineNo);
            cx = Coordinate(t[4], path, lineNo);
            cy = Coordinate(t[5], path, lineNo);
        } else if (word == "style") {
            style = Styles(t, 1, path, lineNo);
        } else if (word == "font" && t.size() == 3 && t[2].quoted) {
            pointSize = static_cast<WORD>(ParseNumber(t[1].text, path, lineNo));
            if (!Utf8ToUtf16(t[2].text, font)) Fail(path, lineNo, "font name is not UTF-8");
        } else if (word == "caption" && t.size() == 2 && t[1].quoted) {
            if (!Utf8ToUtf16(t[1].text, caption)) Fail(path, lineNo, "caption is not UTF-8");
        } else if (word == "control" && t.size() >= 8) {
            Control c;
            c.id = static_cast<int>(ParseNumber(t[1].text, path, lineNo));
            c.className = t[2].text;
            if (t[3].quoted) {
                if (!Utf8ToUtf16(t[3].text, c.title)) Fail(path, lineNo, "title is not UTF-8");
            } else if (t[3].text.size() > 1 && t[3].text[0] == '#') {
                c.titleOrdinal = static_cast<WORD>(ParseNumber(t[3].text.substr(1), path, lineNo));
            } else {
                Fail(path, lineNo, "expected a quoted title or #ordinal");
            }
            c.x = Coordinate(t[4], path, lineNo);
            c.y = Coordinate(t[5], path, lineNo);
            c.cx = Coordinate(t[6], path, lineNo);
            c.cy = Coordinate(t[7], path, lineNo);
            c.style |= Styles(t, 8, path, lineNo);
            controls.push_back(std::move(c));
        } else {
            Fail(path, lineNo, "unknown line: " + word);
        }
    }
    if (result.id == 0) throw SourceError(path + ": no dialog line");
    if (!(style & DS_SETFONT) != font.empty())
        throw SourceError(path + ": DS_SETFONT and a font go together");

    Writer w;
    w.Dword(style);
    w.Dword(0);
    w.Word(static_cast<std::uint16_t>(controls.size()));
    for (short v : {x, y, cx, cy})
        w.Word(static_cast<std::uint16_t>(v));
    w.Word(0); // no menu
    w.Word(0); // the standard dialog class
    w.String(caption);
    if (style & DS_SETFONT) {
        w.Word(pointSize);
        w.String(font);
    }
    for (const Control& c : controls) {
        w.AlignTo4();
        w.Dword(c.style);
        w.Dword(0);
        for (short v : {c.x, c.y, c.cx, c.cy})
            w.Word(static_cast<std::uint16_t>(v));
        w.Word(static_cast<std::uint16_t>(c.id));
        if (const auto atom = kClassAtoms.find(c.className); atom != kClassAtoms.end()) {
            w.Word(0xFFFF);
            w.Word(atom->second);
        } else {
            std::u16string name;
            if (!Utf8ToUtf16(c.className, name)) throw SourceError(path + ": class name is not UTF-8");
            w.String(name);
        }
        if (c.titleOrdinal) {
            w.Word(0xFFFF);
            w.Word(c.titleOrdinal);
        } else {
            w.String(c.title);
        }
        w.Word(0); // no creation data
    }
    result.bytes = std::move(w.bytes);
    return result;
}
} // namespace rescomp
