// The player's ten best games over a run of games ending one after another:
// which are kept, in which order they read back, and what each file holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/files.h"
#include "play/recorder.h"
#include "play/ten_best.h"
#include "stand_in_face.h"

namespace kinopa {
namespace {

TEST(TenBest, TheTenBestAreKeptBestFirstTheEarlierAheadOnAnEqualScore) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("kinopa-ten-best-" + std::to_string(::getpid()));
  std::filesystem::remove_all(root);
  testing_support::standInWritable() = root.string() + "/";
  const std::string folder = root.string() + "/" + kTenBestName + "/";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "notes.txt") << "not a game";  // the player's own: left alone

  // Game i ends at 10:i, an hour ahead of UTC; game 13 after the clocks went
  // back to UTC, at 09:59 on the wall but later than every game before it.
  struct Game {
    int32_t score;
    bool kept;
  };
  const Game games[] = {
      {5, true},   {0, false},  {12, true}, {7, true},  {12, true},
      {-3, false}, {30, true},  {7, true},  {1, true},  {9, true},
      {2, true},   {7, true},   // ten now; the lowest is game 8's 1
      {1, false},  // as low as the tenth, and later: it stays out
      {12, true},  // behind the two earlier 12s; game 8 goes
      {3, true},   // game 10 goes
  };
  TenBest tenBest(folder);
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < std::size(games); ++i) {
    LocalTime& now = testing_support::standInNow();
    now = LocalTime{2026, 12, 8, 10, static_cast<int>(i), 30, 250, 60};
    if (i == 13) now = LocalTime{2026, 12, 8, 9, 59, 0, 0, 0};
    Recorder recorder;
    recorder.random(static_cast<double>(i) / 100);
    texts.push_back(recorder.gameText());
    EXPECT_EQ(tenBest.gameEnded(games[i].score, recorder), games[i].kept) << "game " << i;
  }

  const std::pair<int32_t, std::size_t> expected[] = {
      {30, 6}, {12, 2}, {12, 4}, {12, 13}, {9, 9}, {7, 3}, {7, 7}, {7, 11}, {5, 0}, {3, 14}};
  const std::vector<KeptGame> read = tenBestIn(folder);
  ASSERT_EQ(read.size(), std::size(expected));
  for (std::size_t rank = 0; rank < read.size(); ++rank) {
    const auto [score, game] = expected[rank];
    EXPECT_EQ(read[rank].score, score) << "rank " << rank + 1;
    const int minute = game == 13 ? 59 : static_cast<int>(game);
    EXPECT_EQ(read[rank].ended.minute, minute) << "rank " << rank + 1;
    // Its recording alone, as the recorder gave it.
    EXPECT_EQ(readWholeFile(read[rank].path), texts[game]) << "rank " << rank + 1;
  }
  // The games pushed out are gone; nothing else was touched.
  EXPECT_EQ(keptGamesIn(folder).size(), 10u);
  EXPECT_EQ(filesIn(folder).size(), 11u);

  testing_support::standInWritable().clear();
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace kinopa
