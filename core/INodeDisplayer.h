#pragma once

// What the card and the directory entries show of a company's note: CardShown,
// CategoryImages, NoteHtml, CategoryMarksHtml, ShowCategoryCompanies, AddMapMarks and
// RemoveMapMarks join here with the card and the map layers.
class INodeDisplayer {
public:
    virtual ~INodeDisplayer() = default;
};
