// The hall's storage in one SQLite file.
#include <sqlite3.h>

#include <string>

#include "store/store.h"
#include "store/upgrades.h"

namespace kinopa::store {
namespace {

class Statement {
 public:
  Statement(sqlite3* db, const char* sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql, -1, &s_, nullptr) != SQLITE_OK)
      throw StoreError(std::string("SQLite: ") + sqlite3_errmsg(db));
  }
  ~Statement() { sqlite3_finalize(s_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int i, int64_t v) {
    check(sqlite3_bind_int64(s_, i, v));
    return *this;
  }
  Statement& bind(int i, const std::string& v) {
    check(sqlite3_bind_text(s_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
    return *this;
  }
  // A row: true; the end: false.
  bool step() {
    const int rc = sqlite3_step(s_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw StoreError(std::string("SQLite: ") + sqlite3_errmsg(db_));
  }
  int64_t integer(int column) { return sqlite3_column_int64(s_, column); }
  std::string text(int column) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s_, column));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(s_, column))) : "";
  }

 private:
  void check(int rc) {
    if (rc != SQLITE_OK) throw StoreError(std::string("SQLite: ") + sqlite3_errmsg(db_));
  }
  sqlite3* db_;
  sqlite3_stmt* s_ = nullptr;
};

class SqliteStore : public Store {
 public:
  explicit SqliteStore(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
      const std::string why = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw StoreError("SQLite: cannot open " + path + ": " + why);
    }
    // Another connection's write makes this one wait for it, not fail.
    sqlite3_busy_timeout(db_, 10000);
    exec("PRAGMA journal_mode = WAL");
    exec("PRAGMA synchronous = FULL");
    exec("PRAGMA foreign_keys = ON");
    upgrade();
  }
  ~SqliteStore() override { sqlite3_close(db_); }

  int schemaVersion() override {
    Statement s(db_, "PRAGMA user_version");
    s.step();
    return static_cast<int>(s.integer(0));
  }

  bool issueSeed(uint64_t seed, int64_t issuedAt) override {
    Transaction t(*this);
    Statement(db_, "DELETE FROM seeds WHERE used_at IS NULL AND issued_at < ?1")
        .bind(1, issuedAt - kSeedLife)
        .step();
    Statement insert(db_, "INSERT INTO seeds (seed, issued_at) VALUES (?1, ?2) ON CONFLICT DO NOTHING");
    insert.bind(1, asStored(seed)).bind(2, issuedAt).step();
    const bool added = sqlite3_changes(db_) == 1;
    t.commit();
    return added;
  }

  std::optional<SeedFacts> findSeed(uint64_t seed) override {
    Statement s(db_, "SELECT issued_at, used_at IS NOT NULL FROM seeds WHERE seed = ?1");
    if (!s.bind(1, asStored(seed)).step()) return std::nullopt;
    return SeedFacts{s.integer(0), s.integer(1) != 0};
  }

  std::optional<Entry> sameGame(uint64_t seed, const std::string& recording) override {
    Statement s(db_,
                "SELECT id, name, score, played_at FROM games WHERE seed = ?1 AND recording = ?2");
    if (!s.bind(1, asStored(seed)).bind(2, recording).step()) return std::nullopt;
    return Entry{s.integer(0), s.text(1), static_cast<int32_t>(s.integer(2)), s.integer(3)};
  }

  Added addGame(const NewGame& game) override {
    Transaction t(*this);
    Statement(db_, "UPDATE seeds SET used_at = ?1 WHERE seed = ?2 AND used_at IS NULL")
        .bind(1, game.playedAt)
        .bind(2, asStored(game.seed))
        .step();
    if (sqlite3_changes(db_) != 1) {
      t.rollback();
      if (const auto same = sameGame(game.seed, game.recording))
        return {Added::sameRecording, same->id};
      return {Added::seedUsed, 0};
    }
    Statement insert(db_,
                     "INSERT INTO games (seed, name, score, play_ms, played_at, recording) "
                     "VALUES (?1, ?2, ?3, ?4, ?5, ?6) RETURNING id");
    insert.bind(1, asStored(game.seed))
        .bind(2, game.name)
        .bind(3, game.score)
        .bind(4, game.playTime)
        .bind(5, game.playedAt)
        .bind(6, game.recording);
    insert.step();
    const int64_t id = insert.integer(0);
    insert.step();
    t.commit();
    return {Added::added, id};
  }

  std::vector<Entry> table(int64_t since, int limit) override {
    Statement s(db_,
                "SELECT id, name, score, played_at FROM games WHERE played_at >= ?1 "
                "ORDER BY score DESC, played_at, id LIMIT ?2");
    s.bind(1, since).bind(2, limit);
    std::vector<Entry> out;
    while (s.step())
      out.push_back({s.integer(0), s.text(1), static_cast<int32_t>(s.integer(2)), s.integer(3)});
    return out;
  }

  int64_t rank(int64_t id) override {
    Statement s(db_,
                "SELECT 1 + (SELECT count(*) FROM games o WHERE o.score > g.score OR "
                "(o.score = g.score AND (o.played_at < g.played_at OR "
                "(o.played_at = g.played_at AND o.id < g.id)))) FROM games g WHERE g.id = ?1");
    return s.bind(1, id).step() ? s.integer(0) : 0;
  }

  std::optional<std::string> recording(int64_t id) override {
    Statement s(db_, "SELECT recording FROM games WHERE id = ?1");
    if (!s.bind(1, id).step()) return std::nullopt;
    return s.text(0);
  }

  bool remove(int64_t id) override {
    Transaction t(*this);
    Statement(db_, "DELETE FROM games WHERE id = ?1").bind(1, id).step();
    const bool removed = sqlite3_changes(db_) == 1;
    t.commit();
    return removed;
  }

 private:
  // BEGIN IMMEDIATE: the write lock is taken at once, so two writers wait
  // for each other instead of one failing half-way.
  class Transaction {
   public:
    explicit Transaction(SqliteStore& s) : s_(s) { s_.exec("BEGIN IMMEDIATE"); }
    ~Transaction() {
      if (open_) sqlite3_exec(s_.db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void commit() {
      s_.exec("COMMIT");
      open_ = false;
    }
    void rollback() {
      s_.exec("ROLLBACK");
      open_ = false;
    }

   private:
    SqliteStore& s_;
    bool open_ = true;
  };

  void exec(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
      const std::string why = error ? error : sqlite3_errmsg(db_);
      sqlite3_free(error);
      throw StoreError("SQLite: " + why);
    }
  }

  void upgrade() {
    Transaction t(*this);
    int version = schemaVersion();
    if (version > kSchemaVersion)
      throw StoreError("the database's schema " + std::to_string(version) +
                       " is newer than this program's " + std::to_string(kSchemaVersion));
    for (; version < kSchemaVersion; ++version) {
      for (const char* sql : upgradeSteps(Dialect::sqlite, version + 1)) exec(sql);
      exec(("PRAGMA user_version = " + std::to_string(version + 1)).c_str());
    }
    t.commit();
  }

  sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<Store> openSqlite(const std::string& path) { return std::make_unique<SqliteStore>(path); }

}  // namespace kinopa::store
