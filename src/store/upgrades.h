#pragma once
// The schema, as the steps that make each version from the one before, for
// each database; and what both implementations share.
#include <bit>
#include <cstdint>
#include <vector>

namespace kinopa::store {

enum class Dialect { sqlite, postgres };

// The statements that bring the schema from `version` - 1 to `version`.
std::vector<const char*> upgradeSteps(Dialect dialect, int version);

// A seed is kept unused for a day, then forgotten.
inline constexpr int64_t kSeedLife = 24 * 3600 * 1000;

// Both databases hold signed 64-bit integers: a seed is kept as the signed
// number of the same bits.
inline int64_t asStored(uint64_t seed) { return std::bit_cast<int64_t>(seed); }

}  // namespace kinopa::store
