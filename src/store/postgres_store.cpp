// The hall's storage in PostgreSQL, through libpqxx: any number of hall
// processes share one database; nothing one of them needs lives in another's
// memory.
#include <pqxx/pqxx>

#include "store/store.h"
#include "store/upgrades.h"

namespace kinopa::store {
namespace {

// Taken by the transaction that makes or upgrades the schema ("kinopa" in
// ASCII), so that processes starting together do it once.
constexpr int64_t kSchemaLock = 0x6b696e6f7061;

class PostgresStore : public Store {
 public:
  explicit PostgresStore(const std::string& connection) try : c_(connection) {
    upgrade();
    c_.prepare("issue", "INSERT INTO seeds (seed, issued_at) VALUES ($1, $2) ON CONFLICT DO NOTHING");
    c_.prepare("forget", "DELETE FROM seeds WHERE used_at IS NULL AND issued_at < $1");
    c_.prepare("seed", "SELECT issued_at, used_at IS NOT NULL FROM seeds WHERE seed = $1");
    c_.prepare("same",
               "SELECT id, name, score, played_at FROM games WHERE seed = $1 AND recording = $2");
    c_.prepare("redeem", "UPDATE seeds SET used_at = $1 WHERE seed = $2 AND used_at IS NULL");
    c_.prepare("add",
               "INSERT INTO games (seed, name, score, play_ms, played_at, recording) "
               "VALUES ($1, $2, $3, $4, $5, $6) RETURNING id");
    c_.prepare("table",
               "SELECT id, name, score, played_at FROM games WHERE played_at >= $1 "
               "ORDER BY score DESC, played_at, id LIMIT $2");
    c_.prepare("rank",
               "SELECT 1 + (SELECT count(*) FROM games o WHERE o.score > g.score OR "
               "(o.score = g.score AND (o.played_at < g.played_at OR "
               "(o.played_at = g.played_at AND o.id < g.id)))) FROM games g WHERE g.id = $1");
    c_.prepare("recording", "SELECT recording FROM games WHERE id = $1");
    c_.prepare("remove", "DELETE FROM games WHERE id = $1");
  } catch (const pqxx::failure& e) {
    throw StoreError(std::string("PostgreSQL: ") + e.what());
  }

  int schemaVersion() override {
    return guarded([&] {
      pqxx::read_transaction t(c_);
      return t.exec1("SELECT version FROM hall_schema")[0].as<int>();
    });
  }

  bool issueSeed(uint64_t seed, int64_t issuedAt) override {
    return guarded([&] {
      pqxx::work t(c_);
      // Now and then, the seeds never used.
      if ((seed & 63) == 0) t.exec_prepared("forget", issuedAt - kSeedLife);
      const bool added = t.exec_prepared("issue", asStored(seed), issuedAt).affected_rows() == 1;
      t.commit();
      return added;
    });
  }

  std::optional<SeedFacts> findSeed(uint64_t seed) override {
    return guarded([&]() -> std::optional<SeedFacts> {
      pqxx::read_transaction t(c_);
      const pqxx::result r = t.exec_prepared("seed", asStored(seed));
      if (r.empty()) return std::nullopt;
      return SeedFacts{r[0][0].as<int64_t>(), r[0][1].as<bool>()};
    });
  }

  std::optional<Entry> sameGame(uint64_t seed, const std::string& recording) override {
    return guarded([&]() -> std::optional<Entry> {
      pqxx::read_transaction t(c_);
      return first(t.exec_prepared("same", asStored(seed), recording));
    });
  }

  Added addGame(const NewGame& game) override {
    return guarded([&]() -> Added {
      {
        pqxx::work t(c_);
        // A second transaction redeeming the same seed waits here for the
        // first, then finds it used.
        if (t.exec_prepared("redeem", game.playedAt, asStored(game.seed)).affected_rows() == 1) {
          const pqxx::row id = t.exec_prepared1("add", asStored(game.seed), game.name, game.score,
                                                game.playTime, game.playedAt, game.recording);
          t.commit();
          return {Added::added, id[0].as<int64_t>()};
        }
      }
      if (const auto same = sameGame(game.seed, game.recording))
        return {Added::sameRecording, same->id};
      return {Added::seedUsed, 0};
    });
  }

  std::vector<Entry> table(int64_t since, int limit) override {
    return guarded([&] {
      pqxx::read_transaction t(c_);
      std::vector<Entry> out;
      for (const pqxx::row& r : t.exec_prepared("table", since, limit))
        out.push_back(entry(r));
      return out;
    });
  }

  int64_t rank(int64_t id) override {
    return guarded([&]() -> int64_t {
      pqxx::read_transaction t(c_);
      const pqxx::result r = t.exec_prepared("rank", id);
      return r.empty() ? 0 : r[0][0].as<int64_t>();
    });
  }

  std::optional<std::string> recording(int64_t id) override {
    return guarded([&]() -> std::optional<std::string> {
      pqxx::read_transaction t(c_);
      const pqxx::result r = t.exec_prepared("recording", id);
      if (r.empty()) return std::nullopt;
      return r[0][0].as<std::string>();
    });
  }

  bool remove(int64_t id) override {
    return guarded([&] {
      pqxx::work t(c_);
      const bool removed = t.exec_prepared("remove", id).affected_rows() == 1;
      t.commit();
      return removed;
    });
  }

 private:
  static Entry entry(const pqxx::row& r) {
    return {r[0].as<int64_t>(), r[1].as<std::string>(), r[2].as<int32_t>(), r[3].as<int64_t>()};
  }
  static std::optional<Entry> first(const pqxx::result& r) {
    if (r.empty()) return std::nullopt;
    return entry(r[0]);
  }

  // libpqxx's failures as the store's; a broken connection is opened again
  // for the next call.
  template <class F>
  auto guarded(F&& f) -> decltype(f()) {
    try {
      return f();
    } catch (const pqxx::broken_connection& e) {
      throw StoreError(std::string("PostgreSQL: the connection broke: ") + e.what());
    } catch (const pqxx::failure& e) {
      throw StoreError(std::string("PostgreSQL: ") + e.what());
    }
  }

  void upgrade() {
    pqxx::work t(c_);
    t.exec_params("SELECT pg_advisory_xact_lock($1)", kSchemaLock);
    t.exec("CREATE TABLE IF NOT EXISTS hall_schema (version integer NOT NULL)");
    const pqxx::result r = t.exec("SELECT version FROM hall_schema");
    int version = r.empty() ? 0 : r[0][0].as<int>();
    if (r.empty()) t.exec("INSERT INTO hall_schema (version) VALUES (0)");
    if (version > kSchemaVersion)
      throw StoreError("the database's schema " + std::to_string(version) +
                       " is newer than this program's " + std::to_string(kSchemaVersion));
    for (; version < kSchemaVersion; ++version) {
      for (const char* sql : upgradeSteps(Dialect::postgres, version + 1)) t.exec(sql);
      t.exec_params("UPDATE hall_schema SET version = $1", version + 1);
    }
    t.commit();
  }

  pqxx::connection c_;
};

}  // namespace

std::unique_ptr<Store> openPostgres(const std::string& connection) {
  return std::make_unique<PostgresStore>(connection);
}

}  // namespace kinopa::store
