#include "host/CityDatabase.h"

#include "host/StableIdIndex.h"
#include "host/Utf.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <limits>

namespace host {
namespace {
using Type = CityDatabase::Type;

constexpr std::size_t kTypes = 4;
constexpr std::array<const char*, kTypes> kTables{"companies", "branches", "buildings", "streets"};
constexpr std::array<std::u16string_view, kTypes> kTypeKeys{u"zelt_org", u"zelt_branch", u"zelt_building",
                                                            u"zelt_street"};
// The layout this reader understands; a file of another format is refused.
constexpr std::string_view kFormat = "1";

// The row of one object, with the columns `Find` reads in this order.
constexpr std::array<const char*, kTypes> kFindSql{
    "SELECT stable_id, name, kind FROM companies WHERE id = ?1",
    "SELECT br.stable_id, c.name, br.company_id, bu.id FROM branches br "
    "JOIN companies c ON c.id = br.company_id LEFT JOIN buildings bu ON bu.id = br.building_id WHERE br.id = "
    "?1",
    "SELECT b.stable_id, b.number, s.name, s.id FROM buildings b "
    "LEFT JOIN streets s ON s.id = b.street_id WHERE b.id = ?1",
    "SELECT stable_id, name FROM streets WHERE id = ?1",
};
// A company's branches in order, with their buildings where the city has them.
constexpr const char* kBranchesSql = "SELECT br.id, bu.id FROM branches br "
                                     "LEFT JOIN buildings bu ON bu.id = br.building_id "
                                     "WHERE br.company_id = ?1 ORDER BY br.position";
// The companies with a branch in a building.
constexpr const char* kInBuildingSql =
    "SELECT DISTINCT company_id FROM branches WHERE building_id = ?1 ORDER BY company_id";

std::size_t IndexOf(Type type) {
    return static_cast<std::size_t>(type);
}

// One prepared statement, reset after every use so that it holds no read lock.
class Statement {
public:
    Statement(sqlite3* db, const char* sql, const std::string& path) : db_(db), path_(path) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) Fail();
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(std::int64_t value) {
        sqlite3_reset(stmt_);
        sqlite3_bind_int64(stmt_, 1, value);
        return *this;
    }
    Statement& Bind(std::string_view text) {
        sqlite3_reset(stmt_);
        sqlite3_bind_text(stmt_, 1, text.data(), int(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // The next row; false at the end, which also resets the statement.
    bool Step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        sqlite3_reset(stmt_);
        if (rc != SQLITE_DONE) Fail();
        return false;
    }
    void Reset() { sqlite3_reset(stmt_); }

    std::int64_t Int64(int column) const { return sqlite3_column_int64(stmt_, column); }
    bool IsNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
    std::int32_t Int32(int column) const {
        const std::int64_t v = sqlite3_column_int64(stmt_, column);
        if (IsNull(column) || v < std::numeric_limits<std::int32_t>::min() ||
            v > std::numeric_limits<std::int32_t>::max())
            throw CityError(path_ + ": an id is not a 32-bit number");
        return static_cast<std::int32_t>(v);
    }
    std::optional<std::int32_t> OptionalInt32(int column) const {
        if (IsNull(column)) return std::nullopt;
        return Int32(column);
    }
    // A blob of little-endian 32-bit numbers.
    std::vector<std::int32_t> Numbers(int column) const {
        const auto* bytes = static_cast<const unsigned char*>(sqlite3_column_blob(stmt_, column));
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
        if (size % 4) throw CityError(path_ + ": a line or outline is cut short");
        std::vector<std::int32_t> numbers(size / 4);
        for (std::size_t i = 0; i < numbers.size(); ++i)
            numbers[i] = static_cast<std::int32_t>(std::uint32_t{bytes[4 * i]} | std::uint32_t{bytes[4 * i + 1]} << 8 |
                                                   std::uint32_t{bytes[4 * i + 2]} << 16 |
                                                   std::uint32_t{bytes[4 * i + 3]} << 24);
        return numbers;
    }
    std::string_view Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                    : std::string_view();
    }

private:
    [[noreturn]] void Fail() const {
        throw CityError(path_ + " is not a readable city file: " + sqlite3_errmsg(db_));
    }

    sqlite3* db_;
    const std::string& path_;
    sqlite3_stmt* stmt_ = nullptr;
};
} // namespace

struct CityDatabase::Impl {
    explicit Impl(const std::string& file) : path(file) {}
    ~Impl() {
        // Statements go before the connection they belong to.
        for (auto& s : find)
            s.reset();
        branches.reset();
        inBuilding.reset();
        sqlite3_close(db);
    }

    StableIdIndex& Index(Type type) {
        auto& index = indexes[IndexOf(type)];
        if (index) return *index;
        const std::string table = kTables[IndexOf(type)];
        Statement count(db, ("SELECT count(*) FROM " + table).c_str(), path);
        const std::int64_t rows = count.Step() ? count.Int64(0) : 0;
        count.Reset();
        auto built = std::make_unique<StableIdIndex>(static_cast<std::size_t>(rows));
        Statement all(db, ("SELECT stable_id, id FROM " + table).c_str(), path);
        while (all.Step()) {
            if (!built->Insert(all.Int32(0), all.Int32(1)))
                throw CityError(path + ": two rows of " + table + " share the stable id " +
                                std::to_string(all.Int32(0)));
        }
        index = std::move(built);
        return *index;
    }

    std::string path;
    sqlite3* db = nullptr;
    std::array<std::unique_ptr<Statement>, kTypes> find;
    std::unique_ptr<Statement> branches;
    std::unique_ptr<Statement> inBuilding;
    std::array<std::unique_ptr<StableIdIndex>, kTypes> indexes;
    std::optional<std::vector<std::int32_t>> companyIds;
};

CityDatabase::CityDatabase(const std::string& path) {
    std::error_code error;
    path_ = std::filesystem::absolute(path, error).string();
    if (error || !std::filesystem::is_regular_file(path_, error))
        throw CityError(path + ": no such city file");
    impl_ = std::make_unique<Impl>(path_);
    // One thread serves the city (the front ends queue their requests to it): no locking per call.
    if (sqlite3_open_v2(path_.c_str(), &impl_->db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK)
        throw CityError(path_ + ": " + sqlite3_errmsg(impl_->db));

    std::optional<std::string> name, format;
    {
        Statement settings(impl_->db, "SELECT key, value FROM city", path_);
        while (settings.Step()) {
            if (settings.Text(0) == "name") name = settings.Text(1);
            if (settings.Text(0) == "format") format = settings.Text(1);
            if (settings.Text(0) == "attribution") attribution_ = Utf16(settings.Text(1));
        }
    }
    if (format != kFormat) throw CityError(path_ + ": the city file has a format this host does not read");
    if (!name || name->empty()) throw CityError(path_ + ": the city has no name");
    name_ = Utf16(*name);

    for (std::size_t t = 0; t < kTypes; ++t)
        impl_->find[t] = std::make_unique<Statement>(impl_->db, kFindSql[t], path_);
    impl_->branches = std::make_unique<Statement>(impl_->db, kBranchesSql, path_);
    impl_->inBuilding = std::make_unique<Statement>(impl_->db, kInBuildingSql, path_);
    // Notes are resolved by the stable ids of companies from the first moment on.
    impl_->Index(Type::Company);
}

CityDatabase::~CityDatabase() = default;

std::optional<CityDatabase::Type> CityDatabase::TypeOfKey(std::u16string_view key) {
    for (std::size_t t = 0; t < kTypes; ++t)
        if (kTypeKeys[t] == key) return static_cast<Type>(t);
    return std::nullopt;
}

std::u16string_view CityDatabase::KeyOf(Type type) {
    return kTypeKeys[IndexOf(type)];
}

std::optional<std::int32_t> CityDatabase::IdByStableId(Type type, std::int32_t stableId) {
    return impl_->Index(type).Find(stableId);
}

std::optional<CityDatabase::Object> CityDatabase::Find(Type type, std::int32_t id) {
    Statement& row = *impl_->find[IndexOf(type)];
    if (!row.Bind(id).Step()) return std::nullopt;
    Object object;
    object.type = type;
    object.id = id;
    object.stableId = row.Int32(0);
    switch (type) {
    case Type::Company: {
        object.name = Utf16(row.Text(1));
        object.kind = Utf16(row.Text(2));
        Statement& branches = *impl_->branches;
        branches.Bind(id);
        while (branches.Step()) {
            if (object.branches.empty()) object.building = branches.OptionalInt32(1);
            object.branches.push_back(branches.Int32(0));
        }
        break;
    }
    case Type::Branch:
        object.name = Utf16(row.Text(1));
        object.parent = row.Int32(2);
        object.building = row.OptionalInt32(3);
        break;
    case Type::Building: {
        std::string address(row.Text(1));
        if (!row.IsNull(2)) address += " " + std::string(row.Text(2));
        object.name = Utf16(address);
        object.parent = row.OptionalInt32(3);
        break;
    }
    case Type::Street:
        object.name = Utf16(row.Text(1));
        break;
    }
    row.Reset();
    return object;
}

std::vector<std::int32_t> CityDatabase::CompaniesInBuilding(std::int32_t building) {
    std::vector<std::int32_t> companies;
    Statement& inBuilding = *impl_->inBuilding;
    inBuilding.Bind(building);
    while (inBuilding.Step())
        companies.push_back(inBuilding.Int32(0));
    return companies;
}

std::size_t CityDatabase::Count(Type type) {
    return impl_->Index(type).Size();
}

std::vector<std::int32_t> CityDatabase::FirstIds(Type type, std::size_t count) {
    std::vector<std::int32_t> ids;
    if (count == 0) return ids;
    const std::string sql = std::string("SELECT id FROM ") + kTables[IndexOf(type)] + " ORDER BY id LIMIT ?1";
    Statement first(impl_->db, sql.c_str(), path_);
    first.Bind(
        static_cast<std::int64_t>(std::min<std::size_t>(count, std::numeric_limits<std::int64_t>::max())));
    while (first.Step())
        ids.push_back(first.Int32(0));
    return ids;
}

const std::vector<std::int32_t>& CityDatabase::CompanyIds() {
    if (!impl_->companyIds) {
        std::vector<std::int32_t> ids;
        ids.reserve(Count(Type::Company));
        Statement all(impl_->db, "SELECT id FROM companies ORDER BY id", path_);
        while (all.Step())
            ids.push_back(all.Int32(0));
        impl_->companyIds = std::move(ids);
    }
    return *impl_->companyIds;
}

std::vector<std::int32_t> CityDatabase::CompaniesNamed(std::u16string_view text) {
    std::vector<std::int32_t> ids;
    Statement named(impl_->db, "SELECT id FROM companies WHERE instr(lower(name), lower(?1)) > 0 ORDER BY id",
                    path_);
    const std::string utf8 = Utf8(text);
    named.Bind(std::string_view(utf8));
    while (named.Step())
        ids.push_back(named.Int32(0));
    return ids;
}

bool CityDatabase::HasPlaces() {
    // Cities written before coordinates came have no such table.
    Statement table(impl_->db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'building_places'", path_);
    if (!table.Step()) return false;
    table.Reset();
    Statement any(impl_->db, "SELECT 1 FROM building_places LIMIT 1", path_);
    const bool has = any.Step();
    any.Reset();
    return has;
}

void CityDatabase::ForEachPlace(const std::function<void(const Place&)>& each) {
    Statement all(impl_->db, "SELECT building_id, lon, lat, outline FROM building_places ORDER BY building_id", path_);
    Place place;
    while (all.Step()) {
        place.building = all.Int32(0);
        place.lon = all.Int32(1);
        place.lat = all.Int32(2);
        place.outline = all.Numbers(3);
        each(place);
    }
}

void CityDatabase::ForEachStreetLine(const std::function<void(const StreetLine&)>& each) {
    Statement all(impl_->db, "SELECT street_id, line FROM street_lines ORDER BY street_id", path_);
    StreetLine line;
    while (all.Step()) {
        line.street = all.Int32(0);
        line.line = all.Numbers(1);
        each(line);
    }
}

std::size_t CityDatabase::IndexMemory() const {
    std::size_t bytes = 0;
    for (const auto& index : impl_->indexes)
        if (index) bytes += index->MemoryUsage();
    return bytes;
}
} // namespace host
