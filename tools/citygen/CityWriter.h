#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace citygen {
// Writes one city data file in the layout that the host's CityDatabase reads (see
// host/CityDatabase.h). Rows go in through prepared statements inside one transaction
// into a file beside the target; Commit moves it into place, so a failed run never
// leaves a half-written city behind. Texts are UTF-8. Raises std::runtime_error.
class CityWriter {
public:
    // Starts a new city with its display name ("Riverton").
    CityWriter(std::string path, std::string_view displayName);
    // Without Commit nothing reaches the target path.
    ~CityWriter();
    CityWriter(const CityWriter&) = delete;
    CityWriter& operator=(const CityWriter&) = delete;

    void AddStreet(std::int32_t id, std::int32_t stableId, std::string_view name);
    // A building on a street, with its house number ("12", "14A"); an empty number and no
    // street for a building without an address.
    void AddBuilding(std::int32_t id, std::int32_t stableId, std::optional<std::int32_t> streetId,
                     std::string_view number);
    // A company with what it is ("cafe", "dentist").
    void AddCompany(std::int32_t id, std::int32_t stableId, std::string_view name, std::string_view kind);
    // The branch at `position` (1, 2, …) of a company; no building for a branch without premises.
    void AddBranch(std::int32_t id, std::int32_t stableId, std::int32_t companyId, int position,
                   std::optional<std::int32_t> buildingId);

    // A value of the city beside its name and format ("attribution").
    void SetValue(std::string_view key, std::string_view value);
    // Where a building stands, in a city with coordinates: its point and its outline (none
    // for a building known only by its point), encoded as host/CityDatabase.h says.
    void AddPlace(std::int32_t buildingId, std::int32_t lon, std::int32_t lat, std::span<const std::byte> outline);
    // A piece of a street's line, encoded likewise.
    void AddStreetLine(std::int32_t streetId, std::span<const std::byte> line);

    // Indexes the branches, commits and replaces the target file.
    void Commit();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
} // namespace citygen
