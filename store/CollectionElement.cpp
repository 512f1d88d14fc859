#include "store/CollectionElement.h"

#include "core/TextFunctions.h"
#include "store/XmlText.h"

#include <algorithm>
#include <utility>

namespace {
bool IsTrailingBlank(char16_t unit) {
    return unit == u' ' || unit == u'\r' || unit == u'\n' || unit == u'\t';
}
} // namespace

void CollectionElement::SetText(std::u16string text) {
    std::size_t end = text.size();
    while (end > 0 && IsTrailingBlank(text[end - 1]))
        --end;
    text.resize(end);
    text_ = std::move(text);
}

void CollectionElement::AddCategory(std::int32_t category) {
    if (!ContainsCategory(category)) categories_.push_back(category);
}

void CollectionElement::RemoveCategory(std::int32_t category) {
    std::erase(categories_, category);
}

bool CollectionElement::ContainsCategory(std::int32_t category) const {
    return std::find(categories_.begin(), categories_.end(), category) != categories_.end();
}

std::size_t CollectionElement::RemoveCategoriesOutside(std::int32_t low, std::int32_t high) {
    return std::erase_if(categories_,
                         [&](std::int32_t category) { return category < low || category > high; });
}

bool operator==(const CollectionElement& a, const CollectionElement& b) {
    if (a.text_ != b.text_ || a.categories_.size() != b.categories_.size()) return false;
    // Categories are distinct within a note, so equal sizes and inclusion make equal sets.
    return std::all_of(a.categories_.begin(), a.categories_.end(),
                       [&](std::int32_t category) { return b.ContainsCategory(category); });
}

void CollectionElement::Save(pugi::xml_node note) const {
    note.append_child("id").text().set(id_);
    if (!text_.empty()) {
        // A NUL cannot stand in an XML file (an old legacy file may have given one): it is left out,
        // and the rest of the text is kept.
        std::string text = ToUtf8(text_);
        if (text.find('\0') != std::string::npos) std::erase(text, '\0');
        note.append_child("comment")
            .append_child("text")
            .append_child(pugi::node_cdata)
            .set_value(text.c_str());
    }
    if (!categories_.empty()) {
        pugi::xml_node marker = note.append_child("marker");
        for (const std::int32_t category : categories_)
            marker.append_child("color").text().set(category);
    }
}

void CollectionElement::Load(pugi::xml_node note) {
    std::string scratch;
    if (const auto id = ElementNumber(note.child("id"), scratch)) id_ = *id;
    if (const auto text = ElementText(note.child("comment").child("text"), scratch)) SetText(FromUtf8(*text));
    pugi::xml_node first = note.child("marker").child("color");
    std::size_t colors = 0; // room for them all at once: a large file has many notes
    for (pugi::xml_node color = first; color; color = color.next_sibling())
        ++colors;
    categories_.reserve(categories_.size() + colors);
    for (pugi::xml_node color = first; color; color = color.next_sibling()) {
        if (color.type() != pugi::node_element) continue;
        if (const auto category = ElementNumber(color, scratch)) AddCategory(*category);
    }
}
