#include "tests/support/NotesFile.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <sstream>

namespace testsupport {
std::ostream& operator<<(std::ostream& out, const FileNote& note) {
    out << "{\"" << note.text.substr(0, 60) << "\",";
    for (int c : note.categories)
        out << " " << c;
    return out << "}";
}

std::string NotesXml(const FileNotes& notes, const std::string& city, const std::vector<std::string>& names) {
    pugi::xml_document doc;
    pugi::xml_node root = doc.append_child("DirectoryNotes");
    root.append_child("MapName").text().set(city.c_str());
    if (!names.empty()) {
        pugi::xml_node categories = root.append_child("Categories");
        for (const std::string& name : names)
            categories.append_child("Category").text().set(name.c_str());
    }
    for (const auto& [stable, note] : notes) {
        pugi::xml_node element = root.append_child("Note");
        element.append_child("id").text().set(stable);
        if (!note.text.empty())
            element.append_child("comment").append_child("text").text().set(note.text.c_str());
        if (note.categories.empty()) continue;
        pugi::xml_node marker = element.append_child("marker");
        for (int c : note.categories)
            marker.append_child("color").text().set(c);
    }
    std::ostringstream out;
    doc.save(out);
    return out.str();
}

NotesFileContents ReadNotesFile(const std::filesystem::path& path) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_file(path.c_str())) << path;
    NotesFileContents contents;
    const pugi::xml_node root = doc.child("DirectoryNotes");
    for (pugi::xml_node name : root.child("Categories").children("Category"))
        contents.names.push_back(name.child_value());
    for (pugi::xml_node note : root.children("Note")) {
        FileNote& read = contents.notes[note.child("id").text().as_int()];
        read.text = note.child("comment").child_value("text");
        for (pugi::xml_node color : note.child("marker").children("color"))
            read.categories.push_back(color.text().as_int());
    }
    return contents;
}

const std::vector<std::string>& DefaultCategoryNames() {
    static const std::vector<std::string> names = {
        "red",     "yellow", "green",   "light blue", "blue", "violet", "orange", "pink",   "apple-green",
        "emerald", "azure",  "fuchsia", "white",      "gray", "black",  "brown",  "creamy", "olive"};
    return names;
}
} // namespace testsupport
