#pragma once
// The hall of fame's storage: the named operations the server asks of its
// database, each write one transaction, every statement parameterised. One
// Store is one connection, used by one thread at a time; any number of them,
// in any number of processes, may share one database.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kinopa::store {

// The schema this program makes and upgrades to.
inline constexpr int kSchemaVersion = 1;

// A seed the hall gave out.
struct SeedFacts {
  int64_t issuedAt = 0;  // milliseconds since 1970, the hall's clock
  bool used = false;     // a game was entered with it
};

// A game in the hall.
struct Entry {
  int64_t id = 0;
  std::string name;
  int32_t score = 0;
  int64_t playedAt = 0;  // when it was entered, milliseconds since 1970
};

struct NewGame {
  uint64_t seed = 0;
  std::string name;
  int32_t score = 0;
  int64_t playTime = 0;  // milliseconds
  int64_t playedAt = 0;
  std::string recording;
};

struct Added {
  enum Outcome {
    added,          // a new entry
    sameRecording,  // this very recording is in already: its entry
    seedUsed,       // another game was entered with its seed
  } outcome = added;
  int64_t id = 0;
};

// The best first: the higher score, then the earlier entry.
class Store {
 public:
  virtual ~Store() = default;
  virtual int schemaVersion() = 0;
  // Keeps a seed given out at `issuedAt`; false when the seed is known
  // already (the caller draws another). Seeds never used go after a day.
  virtual bool issueSeed(uint64_t seed, int64_t issuedAt) = 0;
  virtual std::optional<SeedFacts> findSeed(uint64_t seed) = 0;
  // The entry of the game with this seed, if its recording is this one.
  virtual std::optional<Entry> sameGame(uint64_t seed, const std::string& recording) = 0;
  // Redeems the game's seed and enters the game, in one transaction: of two
  // at once with one seed, one is added, the other finds it.
  virtual Added addGame(const NewGame& game) = 0;
  // The best `limit` entries entered at `since` or later.
  virtual std::vector<Entry> table(int64_t since, int limit) = 0;
  // The place of an entry in the whole table, from 1.
  virtual int64_t rank(int64_t id) = 0;
  virtual std::optional<std::string> recording(int64_t id) = 0;
  // False when there was no such entry.
  virtual bool remove(int64_t id) = 0;
};

// A failure of the database itself (not of what was asked).
class StoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// SQLite: the file at `path`, in write-ahead-log mode; the schema made or
// upgraded on the first opening.
std::unique_ptr<Store> openSqlite(const std::string& path);
// PostgreSQL: a libpq connection string or URI; the schema as for SQLite,
// under a lock, so processes starting together make it once.
std::unique_ptr<Store> openPostgres(const std::string& connection);

}  // namespace kinopa::store
