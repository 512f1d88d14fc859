// The resource compiler: turns string tables, dialog sources and image files into a
// C++ resource table that the system layer looks resources up in by type, id and
// language.
//
//   rescomp --ids IDS.def OUT.h
//   rescomp OUT.cpp SYMBOL IDS.def FILE...
//
// The first form writes the named ids as a C++ header. The second checks that every
// string table holds exactly the strings the ids name (IDS_), none of them empty, and every named dialog
// (IDD_) is there, then writes the table. FILE is a string table (.str), a dialog (.dlg), a PNG image
// (NNN.png, resource NNN of type "PNG") or a bitmap (NNN.bmp, resource NNN of type RT_BITMAP, stored without
// its file header as bitmap resources are).
#include "tools/rescomp/DialogSource.h"
#include "tools/rescomp/ResourceIds.h"
#include "tools/rescomp/SourceText.h"
#include "tools/rescomp/StringTableSource.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

namespace {
using rescomp::SourceError;

struct Resource {
    std::string type; // the C++ expression of the type
    unsigned id;
    unsigned language;
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError(path + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned IdFromName(const std::filesystem::path& p) {
    const std::string stem = p.stem().string();
    return static_cast<unsigned>(rescomp::ParseNumber(stem, p.string(), 0));
}

constexpr unsigned kNeutralLanguage = 0;

// A table that lacks a named string, or holds one nobody named, is a mistake in one
// of the two sources.
void CheckStrings(const rescomp::StringTableSource& table, const std::vector<rescomp::ResourceId>& ids,
                  const std::string& path) {
    std::set<std::uint16_t> named;
    for (const auto& r : ids)
        if (r.name.starts_with("IDS_")) named.insert(r.id);
    for (const std::uint16_t id : named)
        if (!table.strings.contains(id))
            throw SourceError(path + ": string " + std::to_string(id) + " is missing");
    for (const auto& [id, text] : table.strings) {
        if (!named.contains(id)) throw SourceError(path + ": string " + std::to_string(id) + " has no name");
        // An empty text reads as a missing one, which the plug-in fills from another language.
        if (text.empty()) throw SourceError(path + ": string " + std::to_string(id) + " is empty");
    }
}

void Collect(const std::string& path, const std::vector<rescomp::ResourceId>& ids,
             std::vector<Resource>& out) {
    const std::filesystem::path p(path);
    const std::string ext = p.extension().string();
    if (ext == ".str") {
        const auto table = rescomp::ReadStringTable(path);
        CheckStrings(table, ids, path);
        for (auto& [block, bytes] : rescomp::StringBlocks(table))
            out.push_back({"RT_STRING", block, table.language, std::move(bytes)});
    } else if (ext == ".dlg") {
        auto dialog = rescomp::ReadDialog(path);
        out.push_back({"RT_DIALOG", dialog.id, kNeutralLanguage, std::move(dialog.bytes)});
    } else if (ext == ".png") {
        auto bytes = ReadBytes(path);
        if (bytes.size() < 8 || bytes[1] != 'P' || bytes[2] != 'N' || bytes[3] != 'G')
            throw SourceError(path + ": not a PNG file");
        out.push_back({"RT_PNG", IdFromName(p), kNeutralLanguage, std::move(bytes)});
    } else if (ext == ".bmp") {
        auto bytes = ReadBytes(path);
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
            throw SourceError(path + ": not a BMP file");
        bytes.erase(bytes.begin(), bytes.begin() + 14);
        out.push_back({"RT_BITMAP", IdFromName(p), kNeutralLanguage, std::move(bytes)});
    } else {
        throw SourceError(path + ": unknown kind of resource file");
    }
}

std::string Emit(const std::vector<Resource>& resources, const std::string& symbol) {
    std::ostringstream o;
    o << "// Made by rescomp from the resource sources; do not edit.\n"
         "#include \"platform/resources/ModuleResources.h\"\n\nnamespace {\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        // Aligned so that string blocks can be read as UTF-16 in place.
        o << "alignas(4) const BYTE r" << i << "[] = {";
        const auto& bytes = resources[i].bytes;
        for (std::size_t k = 0; k < bytes.size(); ++k) {
            if (k % 24 == 0) o << "\n   ";
            o << ' ' << unsigned(bytes[k]) << ',';
        }
        if (bytes.empty()) o << "0";
        o << "\n};\n";
    }
    o << "const ResourceEntry kEntries[] = {\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const auto& r = resources[i];
        o << "    {" << r.type << ", " << r.id << ", " << r.language << ", r" << i << ", " << r.bytes.size()
          << "},\n";
    }
    o << "};\n} // namespace\n\nextern const ResourceTable " << symbol << ";\nconst ResourceTable " << symbol
      << " = {kEntries, " << resources.size() << "};\n";
    return o.str();
}

void WriteFile(const std::string& out, const std::string& text) {
    // Written aside and renamed, so that an interrupted build never leaves half a file.
    const std::string temp = out + ".tmp";
    {
        std::ofstream f(temp, std::ios::binary);
        f << text;
        if (!f.flush()) throw SourceError(temp + ": cannot be written");
    }
    std::filesystem::rename(temp, out);
}
} // namespace

int main(int argc, char** argv) {
    const bool idsOnly = argc == 4 && std::string(argv[1]) == "--ids";
    if (!idsOnly && argc < 5) {
        std::cerr << "usage: rescomp --ids IDS.def OUT.h\n       rescomp OUT.cpp SYMBOL IDS.def FILE...\n";
        return 2;
    }
    try {
        if (idsOnly) {
            WriteFile(argv[3], rescomp::IdsHeader(rescomp::ReadResourceIds(argv[2])));
            return 0;
        }
        const auto ids = rescomp::ReadResourceIds(argv[3]);
        std::vector<Resource> resources;
        for (int i = 4; i < argc; ++i)
            Collect(argv[i], ids, resources);
        for (const auto& r : ids)
            if (r.name.starts_with("IDD_") &&
                std::none_of(resources.begin(), resources.end(),
                             [&](const Resource& d) { return d.type == "RT_DIALOG" && d.id == r.id; }))
                throw SourceError(r.name + ": no dialog source has id " + std::to_string(r.id));
        for (std::size_t i = 0; i < resources.size(); ++i)
            for (std::size_t k = 0; k < i; ++k)
                if (std::tie(resources[i].type, resources[i].id, resources[i].language) ==
                    std::tie(resources[k].type, resources[k].id, resources[k].language))
                    throw SourceError("resource " + resources[i].type + " " +
                                      std::to_string(resources[i].id) + " of language " +
                                      std::to_string(resources[i].language) + " given twice");
        WriteFile(argv[1], Emit(resources, argv[2]));
    } catch (const std::exception& e) {
        std::cerr << "rescomp: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
