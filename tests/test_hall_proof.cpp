// The hall's proof over one real hall game, played through a play session
// with the seeded generator: accepted as it is, refused for each thing a
// cheat or a damaged recording would change.
#include <gtest/gtest.h>

#include <regex>

#include "core/program_folder.h"
#include "hall/hall_game.h"
#include "play/hall_proof.h"

namespace kinopa {
namespace {

constexpr uint64_t kSeed = 18229005571432211371u;
constexpr int64_t kIssued = 1'700'000'000'000;

class HallProofTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    overrideProgramFolder(KINOPA_BIN_DIR);
    game = new std::string(testing_support::playHallGame(kSeed));
    paused = new std::string(testing_support::playHallGame(kSeed, {.pauseAfter = 900}));
    overrideProgramFolder("");
  }
  static void TearDownTestSuite() {
    delete game;
    delete paused;
  }

  // The proof of `text` `after` ms since the seed's issue.
  static HallProof prove(const std::string& text, int64_t after, bool used = false,
                         ProofLimits limits = {}) {
    const auto find = [used](uint64_t seed) -> std::optional<IssuedSeed> {
      if (seed != kSeed) return std::nullopt;
      return IssuedSeed{kIssued, used};
    };
    return proveHallGame(text, find, kIssued + after, limits);
  }
  static std::string changed(const std::string& text, const std::string& pattern,
                             const std::string& with) {
    const std::string out = std::regex_replace(text, std::regex(pattern), with,
                                               std::regex_constants::format_first_only);
    EXPECT_TRUE(out != text) << pattern;
    return out;
  }

  static std::string* game;
  static std::string* paused;
};

std::string* HallProofTest::game = nullptr;
std::string* HallProofTest::paused = nullptr;

TEST_F(HallProofTest, AWholeHallGameIsProvenToTheScoreItsLastStateTells) {
  const HallProof first = prove(*game, 40000);
  ASSERT_TRUE(first.proven()) << first.why;
  EXPECT_EQ(first.seed, kSeed);
  std::smatch last;
  ASSERT_TRUE(std::regex_search(*game, last, std::regex("# last frame (\\d+): .* score=(\\d+) ")));
  EXPECT_EQ(first.frames, std::stoi(last[1]));
  EXPECT_EQ(first.score, std::stoi(last[2]));
  EXPECT_GT(first.score, 0);
  // 30 s of play, charged frame by frame, less what falls cost.
  EXPECT_GT(first.playTime, 5000);
  EXPECT_LE(first.playTime, 30008);
  EXPECT_EQ(first.playTime % 8, 0);  // whole frames of 8 ms
  // Its recording starts as a program's first game does, though the run
  // played and missed before it.
  EXPECT_NE(game->find("misses=0 ages=0,0,0,0,0,0,0\n"), std::string::npos);
  EXPECT_EQ(hallSeed(*game), kSeed);
}

TEST_F(HallProofTest, EachThingACheatOrADamagedRecordingChangesIsRefusedForItsReason) {
  const HallProof honest = prove(*game, 40000);
  const int64_t play = honest.playTime;
  const int64_t margin = ProofLimits{}.lateMargin;
  const std::string halfway = game->substr(0, game->rfind('\n', game->size() / 2) + 1);
  struct Case {
    const char* what;
    HallProof proof;
    const char* reason;
  };
  const Case cases[] = {
      {"no header", prove(changed(*game, "^# Kinopa recording\n", ""), play), refusal::kNotARecording},
      {"no hall line", prove(changed(*game, "# hall generator[^\n]*\n", ""), play),
       refusal::kNotAHallGame},
      {"another generator", prove(changed(*game, "xoshiro256\\*\\*", "pcg32"), play),
       refusal::kNotAHallGame},
      {"no end", prove(changed(*game, "# end of recording\n", ""), play), refusal::kCutShort},
      {"another seed", prove(changed(*game, "seed 18", "seed 17"), play), refusal::kUnknownSeed},
      {"a used seed", prove(*game, play, true), refusal::kSeedUsed},
      {"misses carried", prove(changed(*game, "misses=0 ages", "misses=1 ages"), play),
       refusal::kNotAFirstGame},
      {"a popup carried", prove(changed(*game, "ages=0,", "ages=7,"), play),
       refusal::kNotAFirstGame},
      {"a value not the seed's", prove(changed(*game, "random 0\\.(\\d)", "random 0.$1$1"), play),
       refusal::kNotTheSeedsLuck},
      {"a value left out", prove(changed(*game, "random [^\n]*\n", ""), play),
       refusal::kNotTheSeedsLuck},
      {"a changed score line", prove(changed(*game, " score=(\\d)", " score=9$1"), play),
       refusal::kChanged},
      {"paused", prove(*paused, 40000), refusal::kUnfinished},
      {"cut before its end", prove(halfway + game->substr(game->find("# last frame")), play),
       refusal::kUnfinished},
      {"the clock back", prove(changed(*game, "tick 1([0-9]{4})\n", "tick $1\n"), play),
       refusal::kDamaged},
      {"a command unknown", prove(changed(*game, "\nframe\n", "\nframes\n"), play),
       refusal::kDamaged},
      {"a NUL in a comment", prove(changed(*game, "\ntick ", std::string("\n#\0\ntick ", 9)), play),
       refusal::kDamaged},
      {"too long to check", prove(*game, play, false, {std::chrono::milliseconds(-1)}),
       refusal::kTooSlow},
      {"too soon", prove(*game, play - 1), refusal::kTooSoon},
      {"too late", prove(*game, play + margin + 1), refusal::kTooLate},
  };
  for (const Case& c : cases) EXPECT_EQ(c.proof.refusal, c.reason) << c.what << ": " << c.proof.why;
  // The bounds themselves are in time.
  EXPECT_TRUE(prove(*game, play).proven());
  EXPECT_TRUE(prove(*game, play + margin).proven());
}

}  // namespace
}  // namespace kinopa
