#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace host {
// A city file that cannot be opened or read, with what went wrong.
struct CityError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One city's directory data, read from its city file (a SQLite database named like
// "Data_Town.dat") and never written. Texts in the file are UTF-8; every id and
// stable id is a signed 32-bit integer, unique within its table.
//
//   city      (key TEXT PRIMARY KEY, value TEXT)   "name": display name; "format": "1"
//   streets   (id INTEGER PRIMARY KEY, stable_id, name)
//   buildings (id INTEGER PRIMARY KEY, stable_id, street_id, number)   address: number and street name
//   companies (id INTEGER PRIMARY KEY, stable_id, name, kind)          kind: "cafe", "dentist", …
//   branches  (id INTEGER PRIMARY KEY, stable_id, company_id, position, building_id NULL)
//   UNIQUE INDEX branches_of_company ON branches (company_id, position)
//
// A city with coordinates (one imported from OpenStreetMap) also has, and this reader
// leaves for the map:
//
//   city             "attribution": whose data it is and under which licence
//   building_places  (building_id INTEGER PRIMARY KEY, lon, lat, outline NULL)
//   street_lines     (street_id, line)
//
// Positions are WGS84 in units of 1e-7 degree. A line is little-endian 32-bit pairs
// (lon, lat); an outline is its rings one after the other, each a 32-bit count of points
// and then the points, outer and inner rings alike (even-odd). A building without an
// address has an empty number and no street.
//
// A company's branches are its rows in `branches` in ascending position; its main
// address is the building of its first branch. A branch without premises has no
// building. The stable ids of companies are indexed in memory when the file is opened,
// those of other tables when first asked for.
class CityDatabase {
public:
    // The kinds of directory object, each a table with its type key.
    enum class Type { Company, Branch, Building, Street };

    // One directory object as the file holds it.
    struct Object {
        Type type = Type::Company;
        std::int32_t id = 0;
        std::int32_t stableId = 0;
        // The company's or street's name, the building's address, the branch's company name.
        std::u16string name;
        // What a company is ("cafe"); empty for other objects.
        std::u16string kind;
        // A company's branch ids, first branch first.
        std::vector<std::int32_t> branches;
        // The building a branch stands in, a company's main address; none without premises.
        std::optional<std::int32_t> building;
        // A branch's company, a building's street; none for companies and streets.
        std::optional<std::int32_t> parent;
    };

    // Where a building stands in a city with coordinates: WGS84 in units of 1e-7 degree,
    // its outline's rings as the file keeps them, each a count and then (lon, lat) pairs;
    // no outline for a building known only by its point.
    struct Place {
        std::int32_t building = 0;
        std::int32_t lon = 0, lat = 0;
        std::vector<std::int32_t> outline;
    };
    // A piece of a street's line: (lon, lat) pairs.
    struct StreetLine {
        std::int32_t street = 0;
        std::vector<std::int32_t> line;
    };

    // Opens the file read-only and indexes its companies; raises CityError.
    explicit CityDatabase(const std::string& path);
    ~CityDatabase();
    CityDatabase(const CityDatabase&) = delete;
    CityDatabase& operator=(const CityDatabase&) = delete;

    // The type of a type key ("zelt_org"); none for a key the directory does not have.
    static std::optional<Type> TypeOfKey(std::u16string_view key);
    // The type key of a type ("zelt_org", "zelt_branch", "zelt_building", "zelt_street").
    static std::u16string_view KeyOf(Type type);

    // The absolute path of the file.
    const std::string& Path() const { return path_; }
    // The city's display name ("Riverton").
    const std::u16string& Name() const { return name_; }

    // The id of the object of a type with this stable id; none when there is none.
    std::optional<std::int32_t> IdByStableId(Type type, std::int32_t stableId);
    // The object of a type with this id; none when there is none. Raises CityError.
    std::optional<Object> Find(Type type, std::int32_t id);
    // The companies with a branch in the building, ascending, each once; none for a building
    // without any, or one the city lacks. Raises CityError.
    std::vector<std::int32_t> CompaniesInBuilding(std::int32_t building);
    // How many objects of a type the city has.
    std::size_t Count(Type type);
    // The ids of the first `count` objects of a type in ascending order; all of them when
    // the city has fewer. Raises CityError.
    std::vector<std::int32_t> FirstIds(Type type, std::size_t count);
    // The ids of every company, ascending, held in memory from the first call on, so that a
    // search runs over them without reading the file company by company. Raises CityError.
    const std::vector<std::int32_t>& CompanyIds();
    // The companies whose name holds the text, letter case aside for A to Z, ascending: one
    // query. Raises CityError.
    std::vector<std::int32_t> CompaniesNamed(std::u16string_view text);
    // Whose data the city is and under which licence; empty when the file does not say.
    const std::u16string& Attribution() const { return attribution_; }
    // Whether the city has coordinates: the places of its buildings.
    bool HasPlaces();
    // Each building's place, ascending by building, then each street line. Raises CityError.
    void ForEachPlace(const std::function<void(const Place&)>& each);
    void ForEachStreetLine(const std::function<void(const StreetLine&)>& each);

    // The bytes that the stable-id indexes built so far hold.
    std::size_t IndexMemory() const;

private:
    struct Impl;
    std::string path_;
    std::u16string name_, attribution_;
    std::unique_ptr<Impl> impl_;
};
} // namespace host
