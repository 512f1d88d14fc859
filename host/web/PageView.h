#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>

namespace host {
class ZeltHost;
}

namespace host::web {
class ImageStore;

// The page's view of the host's main window, as JSON, read from the host objects (and through
// them from the plug-in) each time it is asked for. Texts are UTF-8; images are addresses in
// the store; HTML is the plug-in's, with the names of its images turned into addresses.

// The search tab: the host's own company-name box, and the groups the plug-ins made with
// texts, icon, image, buttons and controls. A text box gives its text and hint; a combo box
// gives its items and its closed face as drawn (by the plug-in when it draws them), each
// drawing the operations recorded on its device context.
nlohmann::json SearchTabJson(ZeltHost& host, ImageStore& images);
// The city's directory: its companies, at most `limit` of them, each with its note text
// (kind 5) and marks (kind 2) as the cell controller gives them.
nlohmann::json DirectoryJson(ZeltHost& host, ImageStore& images, std::size_t limit);
// The organisation page of the search shown: its title, its description as the search gave
// it, and the companies found (at most `limit`, each as in the directory); null before a search.
nlohmann::json SearchJson(ZeltHost& host, ImageStore& images, std::size_t limit);
// The current card: company, note (kind 0), marks (kind 1), buttons and submenus; null when
// no card is open.
nlohmann::json CardJson(ZeltHost& host, ImageStore& images);
// The blocks of the map's buildings layer in list order: tag, caption, image and the buildings
// each marks.
nlohmann::json MapMarksJson(ZeltHost& host, ImageStore& images);
// The information panel of a building: its companies, and per block whose filter keeps any the
// companies kept, the description and the block's image. Raises CityError for no such building.
nlohmann::json PanelJson(ZeltHost& host, ImageStore& images, std::int32_t building);
} // namespace host::web
