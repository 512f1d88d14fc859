#include "store/Categories.h"

#include "core/LangLocal.h"
#include "core/TextFunctions.h"
#include "core/VeskNotesModule.h"
#include "platform/ui/ImageList.h"
#include "resources/ResourceIds.h"
#include "store/XmlText.h"

#include <cassert>
#include <utility>

namespace {
constexpr int kSwatchWidth = 15;
} // namespace

Categories::Categories(std::shared_ptr<const LangLocal> language) : language_(std::move(language)) {
    assert(language_);
    RestoreDefaultNames();
}

Categories::~Categories() = default;

void Categories::RestoreDefaultNames() {
    names_.clear();
    for (int n = 0; n < CategoryCount(); ++n)
        names_.push_back(language_->LoadString(IDS_CATEGORY_RED + n));
}

void Categories::Save(pugi::xml_node parent) const {
    pugi::xml_node categories = parent.append_child("Categories");
    for (const std::u16string& name : names_)
        categories.append_child("Category").text().set(ToUtf8(name).c_str());
}

void Categories::Load(pugi::xml_node parent) {
    names_.clear();
    std::string scratch;
    for (pugi::xml_node node = parent.child("Categories").child("Category"); node;
         node = node.next_sibling()) {
        if (node.type() != pugi::node_element) continue;
        if (const auto text = ElementText(node, scratch)) names_.push_back(UnescapeHtml(FromUtf8(*text)));
    }
    // A table that does not name every category is not trusted for any of them.
    if (names_.size() != static_cast<std::size_t>(CategoryCount())) RestoreDefaultNames();
    if (listener_) listener_();
}

std::u16string Categories::CategoryName(int index) const {
    if (index < 0 || index >= CategoryCount()) return {};
    return names_[static_cast<std::size_t>(index)];
}

std::u16string Categories::ImageName(int index) const {
    return CategoryImageSet::ImageName(static_cast<unsigned>(index));
}

bool Categories::SetName(int index, std::u16string_view name) {
    if (index < 0 || index >= CategoryCount()) return false;
    std::u16string& current = names_[static_cast<std::size_t>(index)];
    if (current == name) return false;
    current = name;
    if (listener_) listener_();
    return true;
}

void Categories::RegisterImages(ZeltCore::IHostView* view) {
    const HMODULE module = TheModule().Instance();
    menuImages_.Register(view, module, IDP_FIRST_LARGE_MARK);
    cardImages_.Register(view, module, IDP_FIRST_LARGE_MARK);
    mapImages_.Register(view, module, IDP_FIRST_SMALL_MARK);

    imageList_.reset();
    auto swatches = std::make_unique<zsys::ImageList>();
    if (swatches->LoadFromBitmap(zsys::ResourceBytes(FindResource(module, RT_BITMAP, IDB_SWATCHES)),
                                 kSwatchWidth))
        imageList_ = std::move(swatches);
}
