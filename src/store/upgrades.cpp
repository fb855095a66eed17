#include "store/upgrades.h"

namespace kinopa::store {

std::vector<const char*> upgradeSteps(Dialect dialect, int version) {
  const bool pg = dialect == Dialect::postgres;
  switch (version) {
    case 1:
      return {
          // Seeds given out; used_at is set when a game is entered with one.
          pg ? "CREATE TABLE seeds (seed bigint PRIMARY KEY, issued_at bigint NOT NULL, "
               "used_at bigint)"
             : "CREATE TABLE seeds (seed INTEGER PRIMARY KEY, issued_at INTEGER NOT NULL, "
               "used_at INTEGER)",
          "CREATE INDEX seeds_unused ON seeds (issued_at) WHERE used_at IS NULL",
          // One game for each seed, whatever happens at once.
          pg ? "CREATE TABLE games (id bigserial PRIMARY KEY, seed bigint NOT NULL UNIQUE "
               "REFERENCES seeds (seed), name text NOT NULL, score integer NOT NULL, "
               "play_ms bigint NOT NULL, played_at bigint NOT NULL, recording text NOT NULL)"
             : "CREATE TABLE games (id INTEGER PRIMARY KEY AUTOINCREMENT, seed INTEGER NOT NULL "
               "UNIQUE REFERENCES seeds (seed), name TEXT NOT NULL, score INTEGER NOT NULL, "
               "play_ms INTEGER NOT NULL, played_at INTEGER NOT NULL, recording TEXT NOT NULL)",
          // The table in its order, without reading the recordings.
          "CREATE INDEX games_best ON games (score DESC, played_at, id, name)",
          "CREATE INDEX games_when ON games (played_at)",
      };
    default:
      return {};
  }
}

}  // namespace kinopa::store
