#pragma once

#include "store/ITiXmlSaveLoad.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One company's note: a text, an ordered list of distinct category numbers and the company's stable id.
class CollectionElement : public ITiXmlSaveLoad {
public:
    // Assigns the text without its trailing spaces, tabs, carriage returns and line feeds.
    void SetText(std::u16string text);
    // The text; empty for a note of categories only.
    const std::u16string& Text() const { return text_; }

    // Appends the category unless the note has it already.
    void AddCategory(std::int32_t category);
    // Removes the category if the note has it; the others keep their order.
    void RemoveCategory(std::int32_t category);
    // Whether the note has the category.
    bool ContainsCategory(std::int32_t category) const;
    // The categories in the order they were added; empty when there are none.
    const std::vector<std::int32_t>& CategoryList() const { return categories_; }
    // Removes every category below `low` or above `high` and returns how many went.
    std::size_t RemoveCategoriesOutside(std::int32_t low, std::int32_t high);

    // A note without text and without categories, which is never stored.
    bool IsEmpty() const { return text_.empty() && categories_.empty(); }
    // Same text and the same set of categories; the stable id does not count.
    friend bool operator==(const CollectionElement& a, const CollectionElement& b);

    // The company's stable id; 0 for a new note.
    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }

    // Writes `id`, then `comment`/`text` when there is text, then `marker`/`color` when there are categories.
    void Save(pugi::xml_node note) const override;
    // Reads them back from a `Note` element; a part that is missing or has no text leaves the note's part.
    void Load(pugi::xml_node note) override;

private:
    std::u16string text_;
    std::vector<std::int32_t> categories_;
    std::int32_t id_ = 0;
};
