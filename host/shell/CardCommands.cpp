// Company cards: opening, showing, running their commands and closing them, and what the
// organisation page's cell controller says of any directory object.
#include "host/CityDatabase.h"
#include "host/CommandView.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/objects/HostCard.h"
#include "host/objects/HostCards.h"
#include "host/objects/HostDirPage.h"
#include "host/shell/ShellCommand.h"
#include "host/shell/ShellText.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace host {
namespace {
using namespace ZeltCore;

// A whole-word 32-bit number; none for anything else.
std::optional<std::int32_t> Number(std::string_view word) {
    std::int32_t n = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
    return n;
}

std::int32_t NumberArgument(std::string_view word, const char* what) {
    const auto n = Number(word);
    if (!n) throw std::runtime_error(std::string("not ") + what + ": \"" + std::string(word) + "\"");
    return *n;
}

void PrintCommands(std::ostream& out, const HostCardCommands& commands, bool inSubmenu) {
    for (const HostCardCommands::Entry& entry : commands.Entries()) {
        if (entry.submenu) {
            out << "submenu " << Quoted(entry.caption) << " placement=" << Quoted(entry.placement) << "\n";
            PrintCommands(out, *entry.submenu.get(), true);
            continue;
        }
        const CommandView view = ReadCommand(entry.command);
        if (inSubmenu) {
            out << "item " << Utf8(view.tag) << " caption=" << Quoted(view.caption)
                << " enabled=" << view.enabled << " checked=" << view.checked << "\n";
        } else {
            out << "button " << Utf8(view.tag) << " caption=" << Quoted(view.caption)
                << " tooltip=" << Quoted(view.tooltip) << " enabled=" << view.enabled
                << " checked=" << view.checked << " placement=" << Quoted(view.placement) << "\n";
        }
    }
}

void PrintCard(ShellContext& c, const HostCard& card) {
    const auto company = c.host.View().City().Find(CityDatabase::Type::Company, card.CompanyId());
    c.out << "card " << card.CompanyId() << " " << Quoted(company ? company->name : u"") << "\n"
          << "note: " << Quoted(card.Note().text) << "\n"
          << "marks: " << Quoted(card.Marks().text) << "\n";
    if (card.Commands()) PrintCommands(c.out, *card.Commands(), false);
}

HostCard& CurrentCard(ShellContext& c) {
    HostCard* card = c.host.Cards().Current();
    if (!card) throw std::runtime_error("no card is open");
    return *card;
}

void Open(ShellContext& c, const ShellArguments& arguments) {
    const auto words = arguments.Words();
    if (words.size() != 1) throw ShellUsageError();
    PrintCard(c, c.host.Cards().Open(NumberArgument(words[0], "a company id")));
}

void Front(ShellContext& c, const ShellArguments& arguments) {
    const auto words = arguments.Words();
    if (words.size() != 1) throw ShellUsageError();
    PrintCard(c, c.host.Cards().BringForward(NumberArgument(words[0], "a company id")));
}

void Card(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    PrintCard(c, CurrentCard(c));
}

void Click(ShellContext& c, const ShellArguments& arguments) {
    const auto words = arguments.Words();
    if (words.size() != 1) throw ShellUsageError();
    // Held while it runs: the card it is on is built anew meanwhile.
    const zsys::ComPtr<HostCard> card(&CurrentCard(c));
    const std::u16string tag = Utf16(words[0]);
    const auto command = card->Commands() ? FindCommand(*card->Commands(), tag) : nullptr;
    if (!command) throw std::runtime_error("the card has no command \"" + std::string(words[0]) + "\"");
    const auto action = command.try_as<ICommandAction>();
    const HRESULT hr = action ? action->Execute() : E_NOINTERFACE;
    if (FAILED(hr))
        throw std::runtime_error("the command \"" + std::string(words[0]) + "\" failed: " + ResultName(hr));
    PrintCard(c, *card.get());
}

void Close(ShellContext& c, const ShellArguments& arguments) {
    if (!arguments.Empty()) throw ShellUsageError();
    const std::int32_t id = CurrentCard(c).CompanyId();
    c.host.Cards().CloseCurrent();
    c.out << "closed card " << id << "\n";
}

std::string CellPart(const HostCard::Part& part) {
    if (FAILED(part.result)) return ResultName(part.result) + " \"\"";
    return (part.hasText ? "S_OK " : "null ") + Quoted(part.text);
}

void Cell(ShellContext& c, const ShellArguments& arguments) {
    const auto words = arguments.Words();
    if (words.size() != 2) throw ShellUsageError();
    const std::int32_t id = NumberArgument(words[0], "an object id");
    const LONG kind = NumberArgument(words[1], "a display kind");
    const auto object = c.host.Cards().DirectoryObject(id);
    if (!object) throw std::runtime_error("the city has no object with the id " + std::to_string(id));
    const auto cells = c.host.Cards().CellController();
    if (!cells) throw std::runtime_error("no controller is attached to the organisation page");
    IUnknown* page = static_cast<IHostDirPage*>(&c.host.View().MainFrame().Results().OrganisationPage());
    c.out << "note[" << kind << "]: " << CellPart(AskCell(*cells.get(), false, kind, page, object.get()))
          << "\n"
          << "marks[" << kind << "]: " << CellPart(AskCell(*cells.get(), true, kind, page, object.get()))
          << "\n";
}

constexpr ShellCommand kCommands[] = {
    {"open", "ID", "opens the card of company ID from the organisation page and shows it", Open},
    {"front", "ID", "brings the open card of company ID to the front, builds it anew and shows it", Front},
    {"card", "", "shows the current card: note, marks, buttons and submenu items", Card},
    {"click", "TAG", "runs the current card's command TAG (a button or submenu item), then shows the card",
     Click},
    {"close", "", "closes the current card; the one behind it comes to the front, built anew", Close},
    {"cell", "ID KIND", "what the cell controller gives for object ID in display kind KIND: note and marks",
     Cell},
};
} // namespace

std::span<const ShellCommand> CardCommands() {
    return kCommands;
}
} // namespace host
