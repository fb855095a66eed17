#pragma once
// The hall of fame's proof of a game: a hall game's recording replayed under
// the rules, without pictures or sound, to the score it gives, or refused
// with the reason, a sentence for the player.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kinopa {

// The reasons a game is refused, as the player reads them.
namespace refusal {
extern const char* const kNotARecording;
extern const char* const kNotAHallGame;
extern const char* const kCutShort;
extern const char* const kUnknownSeed;
extern const char* const kSeedUsed;
extern const char* const kNotAFirstGame;
extern const char* const kNotTheSeedsLuck;
extern const char* const kDamaged;
extern const char* const kUnfinished;
extern const char* const kTooSlow;
extern const char* const kChanged;
extern const char* const kTooSoon;
extern const char* const kTooLate;
}  // namespace refusal

// What the hall knows of a seed it gave out.
struct IssuedSeed {
  int64_t issuedAt = 0;  // the hall's clock, milliseconds since 1970
  bool used = false;     // a game of the hall was played with it
};

struct ProofLimits {
  // The replay's time: a recording that takes longer is refused.
  std::chrono::milliseconds replayTime{2000};
  // How long after a game's end it may arrive: from its seed's issue, its
  // play time plus this, in milliseconds.
  int64_t lateMargin = 20000;
};

struct HallProof {
  // The reason, marked with QT_TRANSLATE_NOOP("kinopa", ...); null when the
  // game is proven. `why` says more for the hall's log.
  const char* refusal = nullptr;
  std::string why;
  bool proven() const { return refusal == nullptr; }

  uint64_t seed = 0;
  int32_t score = 0;     // as the rules gave it in the replay
  int64_t playTime = 0;  // its last frame's tick less the one its first measured from
  int frames = 0;
};

// The seed a hall game's recording names in its hall line; none if it names
// none, or not in the hall's form.
std::optional<uint64_t> hallSeed(std::string_view recording);

// The proof, each check refusing with its own reason, in this order: the
// recording's header and its hall line (the hall's generator and a seed);
// the seed given by this hall (`findSeed`) and not used yet; its `state`
// line what a program's first game starts from (the pointer aside); its
// random values exactly the generator's for the seed, and no fewer than the
// rules ask for; the replay, within the time limit, plays one game to the
// end of its time, and the state line the recording ends with tells the
// same score and frames; and the hall's clock at `now` (milliseconds since
// 1970) agrees with the game's: since the seed's issue at least the play
// time has passed, and no more than the play time and the margin.
HallProof proveHallGame(std::string_view recording,
                        const std::function<std::optional<IssuedSeed>(uint64_t)>& findSeed,
                        int64_t now, const ProofLimits& limits = {});

}  // namespace kinopa
