#pragma once

#include "store/CollectionElement.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

// A note of a company with its text and categories, as the tests write them.
inline CollectionElement MakeNote(std::int32_t stableId, std::u16string text, std::initializer_list<int> categories = {}) {
    CollectionElement note;
    note.SetId(stableId);
    note.SetText(std::move(text));
    for (const int category : categories) note.AddCategory(category);
    return note;
}
