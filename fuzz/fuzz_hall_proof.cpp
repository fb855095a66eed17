// A game sent to the hall of fame, as anyone may send it: any bytes at all.
// The proof proves it or refuses it with a reason, within its time limit;
// it never throws, and a game it proves played frames forwards in time.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "play/hall_proof.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kinopa;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto issued = [](uint64_t) -> std::optional<IssuedSeed> { return IssuedSeed{0, false}; };
  HallProof p;
  try {
    p = proveHallGame(text, issued, int64_t{1} << 40, {std::chrono::milliseconds(500), int64_t{1} << 40});
  } catch (...) {
    std::abort();
  }
  if (p.proven() && (p.frames <= 0 || p.playTime < 0)) std::abort();
  return 0;
}
