// The hall's proof of one whole 30-second game: its recording read, checked
// against the seed's generator and replayed under the rules with no
// pictures. Items per second are verifications per second on one core (the
// target: 100, 10 ms a game).
#include <benchmark/benchmark.h>

#include "core/program_folder.h"
#include "hall/hall_game.h"
#include "play/hall_proof.h"

namespace kinopa {
namespace {

void HallProofOfAWholeGame(benchmark::State& state) {
  constexpr uint64_t kSeed = 4242424242;
  overrideProgramFolder(KINOPA_BIN_DIR);
  const std::string recording = testing_support::playHallGame(kSeed);
  overrideProgramFolder("");
  const auto find = [](uint64_t) -> std::optional<IssuedSeed> { return IssuedSeed{0, false}; };
  for (auto _ : state) {
    const HallProof p = proveHallGame(recording, find, 40000);
    if (!p.proven()) state.SkipWithError(p.why.c_str());
    benchmark::DoNotOptimize(p.score);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["recording_bytes"] = static_cast<double>(recording.size());
}
BENCHMARK(HallProofOfAWholeGame)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
}  // namespace kinopa
