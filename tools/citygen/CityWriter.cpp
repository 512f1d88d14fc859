#include "tools/citygen/CityWriter.h"

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <span>
#include <stdexcept>

namespace citygen {
namespace {
constexpr const char* kSchema = R"sql(
PRAGMA journal_mode = OFF;
PRAGMA synchronous = OFF;
CREATE TABLE city (key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE streets (id INTEGER PRIMARY KEY, stable_id INTEGER NOT NULL, name TEXT NOT NULL);
CREATE TABLE buildings (id INTEGER PRIMARY KEY, stable_id INTEGER NOT NULL, street_id INTEGER,
                        number TEXT NOT NULL);
CREATE TABLE companies (id INTEGER PRIMARY KEY, stable_id INTEGER NOT NULL, name TEXT NOT NULL,
                        kind TEXT NOT NULL);
CREATE TABLE branches (id INTEGER PRIMARY KEY, stable_id INTEGER NOT NULL, company_id INTEGER NOT NULL,
                       position INTEGER NOT NULL, building_id INTEGER);
CREATE TABLE building_places (building_id INTEGER PRIMARY KEY, lon INTEGER NOT NULL, lat INTEGER NOT NULL,
                              outline BLOB);
CREATE TABLE street_lines (street_id INTEGER NOT NULL, line BLOB NOT NULL);
BEGIN;
)sql";

// Built after the rows are in: one sort instead of a million index updates.
constexpr const char* kFinish = R"sql(
CREATE UNIQUE INDEX branches_of_company ON branches (company_id, position);
COMMIT;
)sql";

class Statement {
public:
    Statement(sqlite3* db, const char* sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("citygen: ") + sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int i, std::int64_t v) {
        sqlite3_bind_int64(stmt_, i, v);
        return *this;
    }
    Statement& Bind(int i, std::string_view text) {
        sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int i, std::span<const std::byte> blob) {
        if (blob.empty()) {
            sqlite3_bind_null(stmt_, i);
            return *this;
        }
        sqlite3_bind_blob(stmt_, i, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int i, std::optional<std::int32_t> v) {
        if (v) return Bind(i, std::int64_t{*v});
        sqlite3_bind_null(stmt_, i);
        return *this;
    }
    void Run() {
        const int rc = sqlite3_step(stmt_);
        sqlite3_reset(stmt_);
        if (rc != SQLITE_DONE) throw std::runtime_error(std::string("citygen: ") + sqlite3_errmsg(db_));
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

void Exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error("citygen: " + message);
    }
}

struct Statements {
    explicit Statements(sqlite3* db)
        : city(db, "INSERT INTO city (key, value) VALUES (?1, ?2)"),
          street(db, "INSERT INTO streets (id, stable_id, name) VALUES (?1, ?2, ?3)"),
          building(db, "INSERT INTO buildings (id, stable_id, street_id, number) VALUES (?1, ?2, ?3, ?4)"),
          company(db, "INSERT INTO companies (id, stable_id, name, kind) VALUES (?1, ?2, ?3, ?4)"),
          branch(db, "INSERT INTO branches (id, stable_id, company_id, position, building_id) "
                     "VALUES (?1, ?2, ?3, ?4, ?5)"),
          place(db, "INSERT INTO building_places (building_id, lon, lat, outline) VALUES (?1, ?2, ?3, ?4)"),
          streetLine(db, "INSERT INTO street_lines (street_id, line) VALUES (?1, ?2)") {}
    Statement city, street, building, company, branch, place, streetLine;
};

sqlite3* Create(const std::string& path) {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw std::runtime_error("citygen: cannot create " + path + ": " + message);
    }
    return db;
}
} // namespace

struct CityWriter::Impl {
    Impl(std::string target, std::string_view name) : path(std::move(target)), temp(path + ".part") {
        db = Create(temp);
        try {
            Exec(db, kSchema);
            statements = std::make_unique<Statements>(db);
            statements->city.Bind(1, std::string_view("name")).Bind(2, name).Run();
            statements->city.Bind(1, std::string_view("format")).Bind(2, std::string_view("1")).Run();
        } catch (...) {
            Close();
            std::remove(temp.c_str());
            throw;
        }
    }
    ~Impl() {
        Close();
        if (!committed) std::remove(temp.c_str());
    }
    Statements& Insert() {
        if (!statements) throw std::logic_error("citygen: the city was already committed");
        return *statements;
    }
    void Close() {
        // The statements are finalised before the connection closes.
        statements.reset();
        sqlite3_close(db);
        db = nullptr;
    }

    std::string path, temp;
    sqlite3* db = nullptr;
    std::unique_ptr<Statements> statements;
    bool committed = false;
};

CityWriter::CityWriter(std::string path, std::string_view displayName)
    : impl_(std::make_unique<Impl>(std::move(path), displayName)) {}

CityWriter::~CityWriter() = default;

void CityWriter::AddStreet(std::int32_t id, std::int32_t stableId, std::string_view name) {
    impl_->Insert().street.Bind(1, id).Bind(2, stableId).Bind(3, name).Run();
}

void CityWriter::AddBuilding(std::int32_t id, std::int32_t stableId, std::optional<std::int32_t> streetId,
                             std::string_view number) {
    impl_->Insert().building.Bind(1, id).Bind(2, stableId).Bind(3, streetId).Bind(4, number).Run();
}

void CityWriter::AddCompany(std::int32_t id, std::int32_t stableId, std::string_view name,
                            std::string_view kind) {
    impl_->Insert().company.Bind(1, id).Bind(2, stableId).Bind(3, name).Bind(4, kind).Run();
}

void CityWriter::AddBranch(std::int32_t id, std::int32_t stableId, std::int32_t companyId, int position,
                           std::optional<std::int32_t> buildingId) {
    impl_->Insert()
        .branch.Bind(1, id)
        .Bind(2, stableId)
        .Bind(3, companyId)
        .Bind(4, position)
        .Bind(5, buildingId)
        .Run();
}

void CityWriter::SetValue(std::string_view key, std::string_view value) {
    impl_->Insert().city.Bind(1, key).Bind(2, value).Run();
}

void CityWriter::AddPlace(std::int32_t buildingId, std::int32_t lon, std::int32_t lat,
                          std::span<const std::byte> outline) {
    impl_->Insert().place.Bind(1, buildingId).Bind(2, lon).Bind(3, lat).Bind(4, outline).Run();
}

void CityWriter::AddStreetLine(std::int32_t streetId, std::span<const std::byte> line) {
    impl_->Insert().streetLine.Bind(1, streetId).Bind(2, line).Run();
}

void CityWriter::Commit() {
    impl_->Insert();
    Exec(impl_->db, kFinish);
    impl_->Close();
    std::filesystem::rename(impl_->temp, impl_->path);
    impl_->committed = true;
}
} // namespace citygen
