#include "host/web/PageView.h"

#include "host/CityDatabase.h"
#include "host/CommandView.h"
#include "host/RecordedDrawing.h"
#include "host/TabSearch.h"
#include "host/Utf.h"
#include "host/ZeltHost.h"
#include "host/objects/HostCard.h"
#include "host/objects/HostCards.h"
#include "host/objects/HostComboBox.h"
#include "host/objects/HostDirPage.h"
#include "host/objects/HostEditBox.h"
#include "host/objects/HostImage.h"
#include "host/objects/HostSearchGroup.h"
#include "host/objects/HostSearchTab.h"
#include "host/objects/HostSearchView.h"
#include "host/web/ImageStore.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/ImageList.h"

#include <cstdio>
#include <memory>

namespace host::web {
namespace {
using nlohmann::json;
using namespace ZeltCore;

// The address of a host image; null for anything else.
json ImageJson(ImageStore& images, const zsys::ComPtr<IUnknown>& picture) {
    if (const auto* image = dynamic_cast<const HostImage*>(picture.get())) return images.Add(*image);
    return nullptr;
}

json TextsJson(const std::optional<HostSearchGroup::Texts>& texts) {
    if (!texts) return nullptr;
    return json::array({Utf8(texts->first), Utf8(texts->second)});
}

json CommandJson(ImageStore& images, const zsys::ComPtr<IUnknown>& command) {
    const CommandView view = ReadCommand(command);
    return {{"tag", Utf8(view.tag)},
            {"caption", Utf8(view.caption)},
            {"tooltip", Utf8(view.tooltip)},
            {"placement", Utf8(view.placement)},
            {"enabled", view.enabled},
            {"checked", view.checked},
            {"image", ImageJson(images, CommandImage(command))}};
}

// The plug-in's HTML with each src="NAME" naming an image of its collection turned into the
// image's address; names the collection lacks are left as they are, so nothing shows for them.
std::string ResolveImages(std::u16string_view html, IHostImageCollection* collection, ImageStore& images) {
    std::string out = Utf8(html);
    if (!collection) return out;
    static constexpr std::string_view kSrc = "src=\"";
    for (std::size_t at = out.find(kSrc); at != std::string::npos; at = out.find(kSrc, at)) {
        const std::size_t start = at + kSrc.size();
        const std::size_t end = out.find('"', start);
        if (end == std::string::npos) break;
        zsys::ComPtr<IUnknown> image;
        std::string address;
        if (SUCCEEDED(
                collection->Image(zsys::Bstr(Utf16(out.substr(start, end - start))).get(), image.put())))
            if (const auto* hostImage = dynamic_cast<const HostImage*>(image.get()))
                address = images.Add(*hostImage);
        if (!address.empty()) out.replace(start, end - start, address);
        at = start + (address.empty() ? end - start : address.size());
    }
    return out;
}

// The images the cell controller's HTML names; null when it gives none.
zsys::ComPtr<IHostImageCollection> CellImages(IStdDirectoryCellCustomController& cells, IUnknown* context) {
    zsys::ComPtr<IUnknown> collection;
    if (FAILED(cells.ImageCollection(context, nullptr, collection.put())) || !collection) return nullptr;
    return collection.try_as<IHostImageCollection>();
}

// One part the cell controller gave: its HTML, or null with the failure when it failed.
json PartJson(const HostCard::Part& part, IHostImageCollection* collection, ImageStore& images) {
    if (FAILED(part.result)) return {{"html", nullptr}, {"failed", true}};
    return {{"html", part.hasText ? json(ResolveImages(part.text, collection, images)) : json(nullptr)},
            {"failed", false}};
}

std::string ColorJson(COLORREF color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(color & 0xff), unsigned((color >> 8) & 0xff),
                  unsigned((color >> 16) & 0xff));
    return text;
}

json RectJson(const RECT& rect) {
    return json::array({rect.left, rect.top, rect.right, rect.bottom});
}

// What was drawn on a context, call by call, for the page to draw again as it was drawn.
json OperationsJson(const std::vector<zsys::DrawOp>& ops, ImageStore& images) {
    json operations = json::array();
    for (const zsys::DrawOp& op : ops) {
        switch (op.kind) {
        case zsys::DrawOp::Kind::Fill:
            operations.push_back({{"op", "fill"},
                                  {"rect", RectJson(op.rect)},
                                  {"color", ColorJson(zsys::GetSysColor(op.colorIndex))}});
            break;
        case zsys::DrawOp::Kind::TextColor:
            operations.push_back({{"op", "textColor"}, {"color", ColorJson(op.color)}});
            break;
        case zsys::DrawOp::Kind::BkMode:
            operations.push_back({{"op", "bkMode"}, {"transparent", op.mode == TRANSPARENT}});
            break;
        case zsys::DrawOp::Kind::Text:
            operations.push_back({{"op", "text"},
                                  {"rect", RectJson(op.rect)},
                                  {"text", Utf8(op.text)},
                                  {"singleLine", (op.format & DT_SINGLELINE) != 0},
                                  {"vcenter", (op.format & DT_VCENTER) != 0}});
            break;
        case zsys::DrawOp::Kind::Image: {
            const std::string address = op.images ? images.Add(*op.images, op.index) : std::string();
            if (address.empty()) break;
            const auto size = op.images->ImageSize();
            operations.push_back({{"op", "image"},
                                  {"src", address},
                                  {"x", op.x},
                                  {"y", op.y},
                                  {"w", size.width},
                                  {"h", size.height}});
            break;
        }
        }
    }
    return operations;
}

// Draws with `draw` on a fresh recording context: what was drawn, or null when the drawing failed.
template <class Draw> json Drawing(Draw draw, ImageStore& images) {
    const RecordedDrawing drawing = Record(draw);
    if (FAILED(drawing.result)) return nullptr;
    return OperationsJson(drawing.ops, images);
}

json ComboJson(HostComboBox& combo, ImageStore& images) {
    json items = json::array();
    for (LONG i = 0; i < LONG(combo.Items().size()); ++i) {
        const auto item = [&](UINT state) {
            return Drawing([&](HDC dc) { return combo.DrawItem(i, state, kDrawEntire, dc, kComboItemRect); },
                           images);
        };
        items.push_back({{"text", Utf8(combo.Items()[std::size_t(i)])},
                         {"plain", item(0)},
                         {"highlighted", item(kItemSelected)}});
    }
    return {{"kind", "combo"},
            {"selected", combo.Selected()},
            {"hint", Utf8(combo.Hint())},
            {"width", kComboItemRect.right - kComboItemRect.left},
            {"height", kComboItemRect.bottom - kComboItemRect.top},
            {"fontSize", kComboFontPixels},
            {"face", Drawing([&](HDC dc) { return combo.DrawFace(dc, kComboItemRect); }, images)},
            {"items", std::move(items)}};
}

// One of a group's controls: its texts and placement, and what the host's control it wraps shows.
json ControlJson(const zsys::ComPtr<IUnknown>& control, std::size_t index, ImageStore& images) {
    const CommandView view = ReadCommand(control);
    json out = {{"index", index},
                {"tag", Utf8(view.tag)},
                {"caption", Utf8(view.caption)},
                {"tooltip", Utf8(view.tooltip)},
                {"placement", Utf8(view.placement)},
                {"kind", "other"}};
    const auto inner = tab_search::InnerControl(control);
    if (auto* edit = dynamic_cast<HostEditBox*>(inner.get())) {
        out["kind"] = "edit";
        out["text"] = Utf8(edit->Text());
        out["hint"] = Utf8(edit->Hint());
    } else if (auto* combo = dynamic_cast<HostComboBox*>(inner.get())) {
        out.update(ComboJson(*combo, images));
    }
    return out;
}

// A company as the organisation page lists it, with what the cell controller gives for it.
json RowJson(ZeltHost& host, IStdDirectoryCellCustomController* cells, IUnknown* page,
             IHostImageCollection* collection, ImageStore& images, std::int32_t id) {
    const auto company = host.View().City().Find(CityDatabase::Type::Company, id);
    if (!company) return nullptr;
    json row = {{"id", id},
                {"stableId", company->stableId},
                {"name", Utf8(company->name)},
                {"kind", Utf8(company->kind)}};
    if (cells) {
        const auto object = host.Cards().DirectoryObject(id);
        row["note"] = PartJson(AskCell(*cells, false, 5, page, object.get()), collection, images);
        row["marks"] = PartJson(AskCell(*cells, true, 2, page, object.get()), collection, images);
    }
    return row;
}

// The companies of `ids`, at most `limit`, as the organisation page lists them.
json RowsJson(ZeltHost& host, ImageStore& images, const std::vector<std::int32_t>& ids, std::size_t limit) {
    const auto cells = host.Cards().CellController();
    IUnknown* page = static_cast<IHostDirPage*>(&host.View().MainFrame().Results().OrganisationPage());
    const auto collection = cells ? CellImages(*cells.get(), page) : nullptr;
    json rows = json::array();
    for (const std::int32_t id : ids) {
        if (rows.size() == limit) break;
        json row = RowJson(host, cells.get(), page, collection.get(), images, id);
        if (!row.is_null()) rows.push_back(std::move(row));
    }
    return rows;
}

json CommandsJson(ImageStore& images, const HostCardCommands& commands) {
    json buttons = json::array(), submenus = json::array();
    for (const HostCardCommands::Entry& entry : commands.Entries()) {
        if (!entry.submenu) {
            buttons.push_back(CommandJson(images, entry.command));
            continue;
        }
        json items = json::array();
        for (const HostCardCommands::Entry& item : entry.submenu->Entries())
            if (item.command) items.push_back(CommandJson(images, item.command));
        submenus.push_back({{"caption", Utf8(entry.caption)},
                            {"placement", Utf8(entry.placement)},
                            {"items", std::move(items)}});
    }
    return {{"buttons", std::move(buttons)}, {"submenus", std::move(submenus)}};
}
} // namespace

json SearchTabJson(ZeltHost& host, ImageStore& images) {
    HostSearchTab& tab = host.View().MainFrame().SearchTab();
    json groups = json::array();
    // Taken first: the plug-in draws while the tab is read.
    const auto held = tab.Groups();
    for (const auto& group : held) {
        json buttons = json::array(), controls = json::array();
        for (const auto& button : group->Buttons())
            buttons.push_back(CommandJson(images, button));
        const auto members = group->Controls();
        for (std::size_t i = 0; i < members.size(); ++i)
            controls.push_back(ControlJson(members[i], i, images));
        groups.push_back({{"id", Utf8(group->Id())},
                          {"kind", group->Kind()},
                          {"placement", Utf8(group->Placement())},
                          {"caption", Utf8(group->Caption())},
                          {"description", Utf8(group->Description())},
                          {"clearTexts", TextsJson(group->ClearTexts())},
                          {"promptTexts", TextsJson(group->PromptTexts())},
                          {"resultTexts", TextsJson(group->ResultTexts())},
                          {"icon", ImageJson(images, group->Icon())},
                          {"image", ImageJson(images, group->Image())},
                          {"buttons", std::move(buttons)},
                          {"controls", std::move(controls)}});
    }
    return {{"name", Utf8(tab.NameText())}, {"groups", std::move(groups)}};
}

json DirectoryJson(ZeltHost& host, ImageStore& images, std::size_t limit) {
    CityDatabase& city = host.View().City();
    return {{"title", Utf8(city.Name())},
            {"count", city.Count(CityDatabase::Type::Company)},
            {"rows", RowsJson(host, images, city.FirstIds(CityDatabase::Type::Company, limit), limit)}};
}

json SearchJson(ZeltHost& host, ImageStore& images, std::size_t limit) {
    const HostSearchView& results = host.View().MainFrame().Results();
    if (!results.Shown()) return nullptr;
    // Copied: the rows ask the plug-in, which might start a search of its own meanwhile.
    const std::vector<std::int32_t> found = results.Found();
    return {{"title", Utf8(results.Title())},
            {"description", Utf8(results.Description())},
            {"count", found.size()},
            {"rows", RowsJson(host, images, found, limit)}};
}

json CardJson(ZeltHost& host, ImageStore& images) {
    HostCard* card = host.Cards().Current();
    if (!card) return nullptr;
    const auto company = host.View().City().Find(CityDatabase::Type::Company, card->CompanyId());
    json out = {{"id", card->CompanyId()},
                {"name", company ? Utf8(company->name) : ""},
                {"address", nullptr},
                {"open", host.Cards().Count()}};
    if (company && company->building)
        if (const auto building = host.View().City().Find(CityDatabase::Type::Building, *company->building))
            out["address"] = Utf8(building->name);
    const auto cells = host.Cards().CellController();
    IUnknown* context = static_cast<IHostCardContext*>(card);
    const auto collection = cells ? CellImages(*cells.get(), context) : nullptr;
    out["note"] = PartJson(card->Note(), collection.get(), images);
    out["marks"] = PartJson(card->Marks(), collection.get(), images);
    if (card->Commands()) {
        json commands = CommandsJson(images, *card->Commands());
        out["buttons"] = std::move(commands["buttons"]);
        out["submenus"] = std::move(commands["submenus"]);
    } else {
        out["buttons"] = out["submenus"] = json::array();
    }
    return out;
}

json MapMarksJson(ZeltHost& host, ImageStore& images) {
    json blocks = json::array();
    for (const auto& entry : host.View().MainFrame().CityMap().Blocks().Entries()) {
        zsys::ComPtr<IUnknown> image;
        if (const auto appearance = entry.block.try_as<IControlAppearance>())
            if (FAILED(appearance->Image(image.put()))) image = nullptr;
        json marked = json::array();
        // Sinks hear unsigned ids; the directory's are signed.
        for (const ULONG building : entry.sink->Marked())
            marked.push_back(static_cast<std::int32_t>(building));
        blocks.push_back({{"tag", Utf8(entry.tag)},
                          {"caption", Utf8(entry.caption)},
                          {"image", ImageJson(images, image)},
                          {"buildings", std::move(marked)}});
    }
    return {{"blocks", std::move(blocks)}};
}

json PanelJson(ZeltHost& host, ImageStore& images, std::int32_t building) {
    HostMap& map = host.View().MainFrame().CityMap();
    const HostMap::Panel panel = map.PanelOf(building);
    const auto address = host.View().City().Find(CityDatabase::Type::Building, building);
    json companies = json::array(), filters = json::array();
    for (const auto& company : panel.companies)
        companies.push_back({{"id", company.id}, {"name", Utf8(company.name)}});
    for (const auto& filter : panel.filters) {
        json image = nullptr;
        for (const auto& entry : map.Blocks().Entries())
            if (entry.tag == filter.tag)
                if (const auto appearance = entry.block.try_as<IControlAppearance>()) {
                    zsys::ComPtr<IUnknown> picture;
                    if (SUCCEEDED(appearance->Image(picture.put()))) image = ImageJson(images, picture);
                }
        filters.push_back({{"tag", Utf8(filter.tag)},
                           {"description", Utf8(filter.description)},
                           {"image", std::move(image)},
                           {"companies", filter.companies}});
    }
    return {{"building", building},
            {"address", address ? Utf8(address->name) : ""},
            {"companies", std::move(companies)},
            {"filters", std::move(filters)}};
}
} // namespace host::web
