#pragma once

#include <nlohmann/json.hpp>

namespace host::web {
class FilePicker;
class ImageStore;
class WebDriver;

// The modals open now, bottom first, as JSON for the page to draw over itself:
//
//   dialog   serial, template, caption, x, y, w, h (the window, screen pixels), client {x, y}
//            (where its client area starts inside it), controls[] (id, kind, text, x, y, w, h in
//            client pixels, enabled, focused; an edit's multiline, a list's items[] with text
//            and image, and the item whose label is being edited)
//   message  serial, text, caption, buttons[] ("ok", "cancel", "yes", "no"), icon
//   file     serial, save, filters[] {description, pattern}, ext, name, roots[] {name, path}
nlohmann::json ModalsJson(const WebDriver& driver, const FilePicker& files, ImageStore& images);
} // namespace host::web
