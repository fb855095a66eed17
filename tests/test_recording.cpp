// Recording a run while it is played, keeping the best game, and reading
// recordings back.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/files.h"
#include "play/best_game.h"
#include "play/recorder.h"
#include "play/script_player.h"
#include "play/recording_file.h"
#include "play/headless_front.h"
#include "play/replay_run.h"
#include "fakes.h"
#include "sequence_random.h"
#include "sound_support.h"

namespace kinopa {
namespace {

using namespace testing_support;

std::vector<ReplayCommand> parse(const std::string& text) {
  std::istringstream in(text);
  return parseReplayScript(in);
}

// Every command of a recording file, read as watching reads it.
std::vector<ReplayCommand> readRecording(const std::string& path) {
  Recording recording(path);
  std::vector<ReplayCommand> script;
  for (ReplayCommand c; recording.next(c);) script.push_back(c);
  return script;
}

std::size_t lastGameIn(const std::string& text) {
  std::istringstream in(text);
  ScriptReader reader(in);
  return lastGameStart(reader, "r.kinopa");
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST(Recorder, PointerPositionsReadBackAsTheSameFloats) {
  const std::vector<float> table = {0.0f, -0.0f, 0.1f, 42.5f, 1e-7f, 398.99997f, 16777217.0f,
                                    -12345.678f, std::nextafter(100.0f, 200.0f), 3.4e38f};
  Recorder r;
  for (float v : table) r.move(v, -v);
  const auto script = parse(r.text());
  ASSERT_EQ(script.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(static_cast<float>(script[i].values[0]), table[i]) << i;
    EXPECT_EQ(static_cast<float>(script[i].values[1]), -table[i]) << i;
  }
}

TEST(Recorder, ALongRunLeavesMemoryForATemporaryFileAndComesBackWhole) {
  Recorder r;
  for (int i = 1; i <= 300000; ++i) {  // about 4 MB
    r.tick(i);
    if (i % 1000 == 0) r.makeRoom();
  }
  ASSERT_FALSE(r.full());
  const auto script = parse(r.text());
  ASSERT_EQ(script.size(), 300000u);
  for (int i = 0; i < 300000; ++i) ASSERT_EQ(script[i].number, i + 1);
  EXPECT_EQ(parse(r.text()).size(), 300000u);  // read back twice, the same
}

TEST(Recorder, ARunThatOutgrowsItsRoomStopsInsteadOfLyingAndIsNotKept) {
  Recorder r;
  for (int i = 0; i < 200000 && !r.full(); ++i) r.tick(i + 1);  // never makes room
  EXPECT_TRUE(r.full());
  GameFolder game;
  RecordingMessages messages;
  BestGame best(game.wave("best-game.kinopa").string());
  best.gameStarted(0);
  EXPECT_FALSE(best.gameEnded(10, r));
  EXPECT_FALSE(std::filesystem::exists(best.path()));
  EXPECT_EQ(messages.titles, std::vector<std::string>{kBestGameTitle});
}

TEST(BestGame, OnlyAScoreAboveTheRecordIsKept) {
  GameFolder game;
  BestGame best(game.wave("best-game.kinopa").string());
  Recorder first;
  first.start();
  best.gameStarted(7);
  EXPECT_FALSE(best.gameEnded(7, first));  // level with the record
  EXPECT_FALSE(std::filesystem::exists(best.path()));
  EXPECT_FALSE(best.gameEnded(20, first));  // no game was running
  best.gameStarted(7);
  EXPECT_TRUE(best.gameEnded(8, first));
  Recorder second;
  second.idle();
  best.gameStarted(8);
  EXPECT_TRUE(best.gameEnded(9, second));
  std::ifstream in(best.path());
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(bytes.str(), second.text());
  // A record read from a damaged wave.ini may be too low: the kept game's
  // own score still stands.
  const std::string kept =
      "# Kinopa recording\n# last frame 9: score=1231 rate=4\n# end of recording\n";
  std::ofstream(best.path()) << kept;
  best.gameStarted(0);
  EXPECT_FALSE(best.gameEnded(1231, first));
  EXPECT_EQ(readWholeFile(best.path()), kept);
  // A folder that cannot be written to costs the best game, nothing else,
  // and is said once in a run however many records follow.
  RecordingMessages messages;
  BestGame nowhere((game.wave("missing") / "best-game.kinopa").string());
  for (int32_t score : {1, 2}) {
    nowhere.gameStarted(score - 1);
    EXPECT_FALSE(nowhere.gameEnded(score, second));
  }
  EXPECT_EQ(messages.titles, std::vector<std::string>{kBestGameTitle});
}

// Writes `text` to a file of the game folder and reads it as a recording.
std::vector<ReplayCommand> readBack(const GameFolder& game, const std::string& text) {
  const std::string path = game.wave("r.kinopa").string();
  std::ofstream(path, std::ios::binary) << text;
  return readRecording(path);
}

TEST(RecordingFile, OnlyAWholeRecordingIsRead) {
  GameFolder game;
  Recorder r;
  r.start();
  const std::string whole = r.text();
  EXPECT_EQ(readBack(game, whole).size(), 1u);
  for (const std::string& bad :
       {std::string(), std::string("garbage\n"), whole.substr(0, whole.size() - 5),
        whole.substr(std::string(Recorder::kHeader).size() + 1),
        std::string(Recorder::kHeader) + "\njump\n" + Recorder::kEnd + "\n",
        std::string(Recorder::kHeader) + "\nidle\nstate high=0\n" + Recorder::kEnd + "\n"}) {
    EXPECT_THROW(readBack(game, bad), NotARecording) << bad;
  }
  EXPECT_THROW(readRecording(game.wave("none.kinopa").string()), NotARecording);
}

TEST(RecordingFile, TheLastGameBeginsAtTheLastStartThatFoundNoGame) {
  const auto at = lastGameIn;
  const std::string r = "random 0.5 0.5 0.5 0.5 0.5 0.5 0.5 0.5\n";
  //                       0 start  1 idle  2 start(Pause) 3 start 4 tick 5 frame
  EXPECT_EQ(at(r + "start\nidle\nstart\nstart\ntick 5\nframe\n"), 4u);  // counting `random`
  // Ending with Pause: the game began before it.
  EXPECT_EQ(at(r + "start\nidle\nframe\nstart\n"), 1u);
  // Time ran out in a frame, then Restart began the last game.
  EXPECT_EQ(at(r + "start\nidle\ntick 5\nframe\ntick 30010\nframe\ntick 30012\nframe\nstart\n"),
            9u);
  EXPECT_THROW(at(r + "idle\nframe\n"), NotARecording);
  EXPECT_THROW(at("start\n"), NotARecording);  // no random values for the game
}

// A whole run through a play session, recorded as it is played.
class RecordedRun : public testing::Test {
 protected:
  RecordedRun() { pump.tick = &tick; }
  void move(double x, double y) { session.mouseMove(0, 0, static_cast<float>(x), static_cast<float>(y)); }
  void up(double x, double y, int button) {
    session.mouseUp(button, 0, static_cast<float>(x), static_cast<float>(y));
  }

  GameFolder game;
  RecordingMessages messages;
  ScriptedTick tick;
  SequenceRandom random{{0.31, 0.72, 0.05, 0.93, 0.5, 0.27, 0.64, 0.11, 0.88}};
  Recorder recorder;
  RecordedTick recordedTick{tick, recorder};
  RecordedRandom recordedRandom{random, recorder};
  ScriptPump pump;
  BestGame best{game.wave("best-game.kinopa").string()};
  HeadlessFront front;
  PlaySession session{Services{recordedTick, recordedRandom, pump, Mode::play, &recorder, &best, {}},
                      front};
};

// Every frame of a script played through a play session of its own: the
// state line without its number, and the picture shown.
std::vector<std::pair<std::string, Picture>> playedFrames(const std::vector<ReplayCommand>& script) {
  ScriptTick tick;
  ScriptRandom random;
  NoEvents pump;
  HeadlessFront front;
  PlaySession session(Services{tick, random, pump, Mode::script}, front);
  ScriptPlayer player(session, tick, random);
  std::vector<std::pair<std::string, Picture>> frames;
  for (const ReplayCommand& c : script) {
    player.run(c);
    if (c.kind != ReplayCommand::frame) continue;
    const std::string line = stateLine(takeSnapshot(session), 0);
    frames.emplace_back(line.substr(line.find(':')), front.fieldPicture());
  }
  return frames;
}

TEST_F(RecordedRun, PlayedBackItGivesEveryFrameExactlyAndTheRecordGameStandsAlone) {
  game.writeIni(kInitialIni);  // highest score 0
  std::vector<std::string> shown;  // the state after each frame, as played
  std::vector<std::size_t> startedAt;  // frames shown before each game
  pump.afterFrame = [&] {
    shown.push_back(stateLine(frameSnapshot(session), static_cast<int>(shown.size()) + 1));
  };
  // Three games: the first and the last away from the zarup, missing the
  // melkit now and then; the second, the record, under the zarup.
  const auto chasing = [](std::size_t i) { return i >= 800 && i < 1700; };
  pump.step = [&](std::size_t i) {
    if (i == 0 || i == 800 || i == 2000) {
      startedAt.push_back(shown.size());
      session.startClicked();  // Start
    }
    if (i == 500 || i == 1700) session.startClicked();  // Pause
    if (i >= 2600) session.endClicked();
    const auto& o = session.game().objects;
    if (i == 800) {
      // The record game's first frame finds the pointer where the first
      // game left it, and a miss before it counts on the misses before.
      up(120.5, 300, kRightButton);
      return;
    }
    if (i % 50 <= 1) {
      move(o.melkitX + 50, o.melkitY + 20);
    } else if (chasing(i)) {
      move(i % 97 == 0 ? 30.25 : o.zarupX + 32 + (i % 7), 540);
    } else {
      move(o.zarupX < 200 ? 350.5 : 20.5, 540);
    }
    if (i % 50 == 1) up(o.melkitX + 50, o.melkitY + 20, kLeftButton);
    if (i % 131 == 0) up(120.5, 300, kRightButton);
  };
  session.run();

  const std::string recording = recorder.text();
  EXPECT_NE(recording.find("high 0\n"), std::string::npos);
  std::ostringstream replayed;
  std::istringstream played(recording);
  ScriptReader reader(played);
  ASSERT_EQ(runReplay(reader, replayed), 0) << replayed.str();
  const auto replayedLines = lines(replayed.str());
  ASSERT_EQ(replayedLines.size(), shown.size());
  for (std::size_t i = 0; i < shown.size(); ++i) ASSERT_EQ(replayedLines[i], shown[i]);
  EXPECT_NE(recording.find("# last " + shown.back() + "\n"), std::string::npos);

  // The second game set the record: the file kept holds that game alone,
  // and plays it from its Start as the whole run does, frame for frame.
  ASSERT_EQ(startedAt.size(), 3u);
  const auto kept = readRecording(best.path());
  ASSERT_EQ(kept.front().kind, ReplayCommand::state);
  EXPECT_NE(kept.front().values.at(11), 0);  // misses carried over from the first game
  const auto whole = playedFrames(parse(recording));
  const auto alone = playedFrames(kept);
  ASSERT_EQ(alone.size(), startedAt[2] - startedAt[1]);
  for (std::size_t i = 0; i < alone.size(); ++i) {
    ASSERT_EQ(alone[i].first, whole[startedAt[1] + i].first) << i;
    ASSERT_TRUE(alone[i].second == whole[startedAt[1] + i].second) << i;
  }
  Recording keptFile(best.path());
  EXPECT_EQ(lastGameStart(keptFile), 5u);  // state, tick, two random, high
  EXPECT_LT(std::filesystem::file_size(best.path()) * 2, recording.size());
  EXPECT_GT(session.game().highScore, 0);
}

// Restart clicked in the very turn of the window system that follows the
// frame in which the time ran out: the game that ended is kept as the best
// game before the next one begins.
TEST_F(RecordedRun, AGameEndedInTheTurnOfARestartClickIsKept) {
  game.writeIni(kInitialIni);  // highest score 0
  int32_t ended = -1;          // the score of the game that ran out
  pump.afterFrame = [&] {
    if (session.phase() != Phase::over || ended >= 0) return;
    ended = session.game().score;
    session.startClicked();  // Restart, in the same turn
  };
  pump.step = [&](std::size_t i) {
    Game& g = session.rules();
    if (i == 0) session.startClicked();
    if (ended < 0) {
      move(g.objects.zarupX + 32, 540);      // under the zarup
      if (g.score > 0) g.remainingTime = 1;  // time runs out next frame
    }
    if (ended >= 0 || i > 20000) session.endClicked();
  };
  session.run();
  ASSERT_GT(ended, 0) << "no catch to make a record with";
  ASSERT_TRUE(std::filesystem::exists(best.path())) << "the record game was not kept";
  std::ifstream kept(best.path());
  std::stringstream text;
  text << kept.rdbuf();
  EXPECT_NE(text.str().find(" score=" + std::to_string(ended) + " "), std::string::npos);
}

}  // namespace
}  // namespace kinopa
