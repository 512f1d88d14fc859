// Searches: the search tab's boxes as the person fills them, the search run from the tab
// or from a category mark on a card, and the organisation page that shows what it found.
#include "host/CityDatabase.h"
#include "host/RecordedDrawing.h"
#include "host/TabSearch.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/objects/HostCard.h"
#include "host/objects/HostCards.h"
#include "host/objects/HostComboBox.h"
#include "host/objects/HostDirPage.h"
#include "host/objects/HostEditBox.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "host/objects/HostSearchView.h"
#include "host/shell/ShellCommand.h"
#include "host/shell/ShellText.h"

#include <charconv>
#include <cstdio>
#include <ostream>

namespace host {
namespace {
using namespace ZeltCore;

HostSearchTab& Tab(ShellContext& c) {
    return c.host.View().MainFrame().SearchTab();
}

HostComboBox& Combo(ShellContext& c) {
    const auto combos = tab_search::ComboBoxes(Tab(c));
    if (combos.empty()) throw std::runtime_error("the search tab has no category combo");
    // The tab keeps the combo alive for as long as the command runs.
    return *combos.front().get();
}

void PrintResults(ShellContext& c) {
    const HostSearchView& results = c.host.View().MainFrame().Results();
    if (!results.Shown()) throw std::runtime_error("no search has been shown");
    c.out << "results " << Quoted(results.Title()) << " " << Quoted(results.Description())
          << " count=" << results.Found().size() << "\n";
    const auto cells = c.host.Cards().CellController();
    IUnknown* page = static_cast<IHostDirPage*>(&results.OrganisationPage());
    CityDatabase& city = c.host.View().City();
    for (const std::int32_t id : results.Found()) {
        const auto company = city.Find(CityDatabase::Type::Company, id);
        if (!company) continue;
        std::u16string note, marks;
        if (cells) {
            const auto object = c.host.Cards().DirectoryObject(id);
            note = AskCell(*cells.get(), false, 5, page, object.get()).text;
            marks = AskCell(*cells.get(), true, 2, page, object.get()).text;
        }
        c.out << "result " << id << " " << company->stableId << " " << Quoted(company->name)
              << " note=" << Quoted(note) << " marks=" << Quoted(marks) << "\n";
    }
}

// What a drawing shows: the image drawn, the last text and the colour it was drawn in.
struct Drawn {
    int image = -1;
    std::u16string text;
    COLORREF color = 0;
};

Drawn ReadDrawing(const std::vector<zsys::DrawOp>& ops) {
    Drawn drawn;
    for (const zsys::DrawOp& op : ops) {
        if (op.kind == zsys::DrawOp::Kind::Image) drawn.image = op.index;
        if (op.kind == zsys::DrawOp::Kind::Text) drawn.text = op.text;
        if (op.kind == zsys::DrawOp::Kind::TextColor) drawn.color = op.color;
    }
    return drawn;
}

std::string ColorName(COLORREF color) {
    constexpr std::pair<int, const char*> kNames[] = {{COLOR_WINDOWTEXT, "window-text"},
                                                      {COLOR_GRAYTEXT, "grey-text"},
                                                      {COLOR_HIGHLIGHTTEXT, "highlight-text"}};
    for (const auto& [index, name] : kNames)
        if (zsys::GetSysColor(index) == color) return name;
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%06X", unsigned(color));
    return hex;
}

// Draws with `draw` on a fresh recording context and reads what was drawn.
template <class Draw> Drawn DrawOnce(Draw draw, const std::string& what) {
    const RecordedDrawing drawing = Record(draw);
    if (FAILED(drawing.result))
        throw std::runtime_error("drawing " + what + " failed: " + ResultName(drawing.result));
    return ReadDrawing(drawing.ops);
}

void Name(ShellContext& c, const ShellArguments& arguments) {
    Tab(c).TypeName(arguments.Text());
    c.out << "name: " << Quoted(Tab(c).NameText()) << "\n";
}

void NoteText(ShellContext& c, const ShellArguments& arguments) {
    const auto boxes = tab_search::EditBoxes(Tab(c));
    if (boxes.empty()) throw std::runtime_error("the search tab has no note-text box");
    boxes.front()->Type(arguments.Text());
    c.out << "note-text: " << Quoted(boxes.front()->Text()) << "\n";
}

void Category(ShellContext& c, const ShellArguments& arguments) {
    const auto words = arguments.Words();
    if (words.size() != 1) throw ShellUsageError();
    HostComboBox& combo = Combo(c);
    LONG index = -1;
    if (words[0] != "none") {
        const auto [end, error] = std::from_chars(words[0].data(), words[0].data() + words[0].size(), index);
        if (error != std::errc() || end != words[0].data() + words[0].size() || index < 0)
            throw std::runtime_error("not an item number: \"" + std::string(words[0]) + "\"");
    }
    if (!combo.Select(index)) throw std::runtime_error("the combo has no item " + std::string(words[0]));
    c.out << "category: " << (index < 0 ? std::string("none") : std::to_string(index)) << "\n";
}

void ComboCommand(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    HostComboBox& combo = Combo(c);
    for (LONG i = 0; i < LONG(combo.Items().size()); ++i) {
        const UINT state = i == combo.Selected() ? ZeltCore::kItemSelected : 0;
        const Drawn item = DrawOnce(
            [&](HDC dc) { return combo.DrawItem(i, state, ZeltCore::kDrawEntire, dc, kComboItemRect); },
            "item " + std::to_string(i));
        c.out << "item " << i << " image=" << item.image << " text=" << Quoted(item.text) << "\n";
    }
    const Drawn face =
        DrawOnce([&](HDC dc) { return combo.DrawFace(dc, kComboItemRect); }, "the combo's face");
    c.out << "face: image=" << (face.image < 0 ? std::string("none") : std::to_string(face.image))
          << " text=" << Quoted(face.text) << " color=" << ColorName(face.color) << "\n";
}

void Find(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    const HRESULT hr = tab_search::Run(c.host.View());
    if (hr == S_FALSE) throw std::runtime_error("nothing on the search tab to search for");
    if (FAILED(hr)) throw std::runtime_error("the search failed: " + ResultName(hr));
    PrintResults(c);
}

void Results(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    PrintResults(c);
}

void Clear(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    if (const HRESULT hr = tab_search::Clear(Tab(c)); FAILED(hr))
        throw std::runtime_error("a control did not clear: " + ResultName(hr));
    c.out << "cleared\n";
}

void Follow(ShellContext& c, const ShellArguments& arguments) {
    HostCard* card = c.host.Cards().Current();
    if (!card) throw std::runtime_error("no card is open");
    const std::u16string link = arguments.Text();
    if (link.empty()) throw ShellUsageError();
    const HRESULT hr = card->FollowLink(link);
    if (FAILED(hr))
        throw std::runtime_error("the link " + Quoted(link) + " was not followed: " + ResultName(hr));
    PrintResults(c);
}

constexpr ShellCommand kCommands[] = {
    {"name", "TEXT", "types TEXT into the host's company-name box of the search tab (empty clears it)", Name},
    {"note-text", "TEXT", "types TEXT into the note-text box of the search tab (empty clears it)", NoteText},
    {"category", "I|none", "selects item I of the category combo; none clears the selection", Category},
    {"combo", "", "the category combo as drawn: each item of its list, then its closed face", ComboCommand},
    {"find", "", "runs the search from the search tab and shows the result page", Find},
    {"results", "", "shows the result page again", Results},
    {"clear", "", "clears the search tab's boxes (the controls' Clear)", Clear},
    {"follow", "LINK",
     "follows LINK in the current card (a category mark's target), then shows the result page", Follow},
};
} // namespace

std::span<const ShellCommand> SearchCommands() {
    return kCommands;
}
} // namespace host
