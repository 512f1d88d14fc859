#include "host/web/ModalView.h"

#include "host/DesktopWords.h"
#include "host/Utf.h"
#include "host/web/FilePicker.h"
#include "host/web/ImageStore.h"
#include "host/web/WebDriver.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowStyles.h"

namespace host::web {
namespace {
using nlohmann::json;

json ControlJson(HWND dialog, HWND control, ImageStore& images) {
    const RECT r = zsys::WindowRect(control);
    const POINT origin = zsys::ClientToScreen(dialog, {0, 0});
    const std::string kind = ControlKind(control);
    json out = {{"id", zsys::ControlId(control)},
                {"kind", kind},
                {"text", Utf8(zsys::WindowText(control))},
                {"x", r.left - origin.x},
                {"y", r.top - origin.y},
                {"w", r.right - r.left},
                {"h", r.bottom - r.top},
                {"enabled", zsys::IsWindowEnabled(control)},
                {"focused", zsys::Focus() == control}};
    if (kind == "icon") out["icon"] = zsys::IconId(control);
    if (kind == "edit") out["multiline"] = (zsys::Style(control) & ES_MULTILINE) != 0;
    if (kind == "list") {
        const zsys::ImageList* list = zsys::listview::GetImageList(control);
        json items = json::array();
        for (int i = 0; i < zsys::listview::ItemCount(control); ++i) {
            const int image = zsys::listview::ItemImage(control, i);
            items.push_back({{"text", Utf8(zsys::listview::ItemText(control, i))},
                             {"image", list && image >= 0 ? json(images.Add(*list, image)) : json(nullptr)}});
        }
        out["items"] = std::move(items);
        out["editing"] = zsys::listview::EditingItem(control);
    }
    return out;
}

json DialogJson(const WebDriver::Modal& modal, ImageStore& images) {
    HWND dialog = modal.dialog;
    const RECT r = zsys::WindowRect(dialog);
    const POINT origin = zsys::ClientToScreen(dialog, {0, 0});
    json controls = json::array();
    for (HWND control : zsys::Children(dialog))
        controls.push_back(ControlJson(dialog, control, images));
    return {{"kind", "dialog"},
            {"serial", modal.serial},
            {"template", zsys::DialogTemplateId(dialog)},
            {"caption", Utf8(zsys::WindowText(dialog))},
            {"x", r.left},
            {"y", r.top},
            {"w", r.right - r.left},
            {"h", r.bottom - r.top},
            {"client", {{"x", origin.x - r.left}, {"y", origin.y - r.top}}},
            {"controls", std::move(controls)}};
}

json MessageJson(const WebDriver::Modal& modal) {
    json buttons = json::array();
    for (const auto& [word, answer] : MessageBoxButtons(modal.type).answers)
        buttons.push_back(word);
    return {{"kind", "message"},
            {"serial", modal.serial},
            {"text", Utf8(modal.text)},
            {"caption", Utf8(modal.caption)},
            {"buttons", std::move(buttons)},
            {"icon", MessageBoxIcon(modal.type)}};
}

json FileJson(const WebDriver::Modal& modal, const FilePicker& files) {
    json filters = json::array(), roots = json::array();
    for (const auto& [description, pattern] : modal.request.filters)
        filters.push_back({{"description", Utf8(description)}, {"pattern", Utf8(pattern)}});
    for (const FilePicker::Root& root : files.Roots())
        roots.push_back({{"name", root.name}, {"path", root.folder.string()}});
    return {{"kind", "file"},
            {"serial", modal.serial},
            {"save", modal.request.save},
            {"filters", std::move(filters)},
            {"ext", Utf8(modal.request.defaultExtension)},
            {"name", Utf8(modal.request.initialName)},
            {"roots", std::move(roots)}};
}
} // namespace

json ModalsJson(const WebDriver& driver, const FilePicker& files, ImageStore& images) {
    json modals = json::array();
    for (const WebDriver::Modal& modal : driver.Modals()) {
        switch (modal.kind) {
        case WebDriver::Modal::Kind::Dialog:
            modals.push_back(DialogJson(modal, images));
            break;
        case WebDriver::Modal::Kind::Message:
            modals.push_back(MessageJson(modal));
            break;
        case WebDriver::Modal::Kind::File:
            modals.push_back(FileJson(modal, files));
            break;
        }
    }
    return modals;
}
} // namespace host::web
