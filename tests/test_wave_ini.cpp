// wave.ini: the exact bytes written, what the reader makes of hand-edited and
// broken files, and that neither a record nor the old file is ever lost.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "sound/wave_ini.h"
#include "sound_support.h"

namespace kinopa {
namespace {

using namespace testing_support;

// The controls and the highest score in one line: "text" full off | ... | score.
std::string dump(SettingsValues& c, int32_t highScore) {
  std::string s;
  for (int row = 1; row <= 5; ++row)
    s += '"' + c.Text(row) + "\" " + std::to_string(c.Check(row)) + " " +
         std::to_string(c.Check(row + 5)) + " | ";
  return s + std::to_string(highScore);
}

const std::string kInitial = dump(*std::make_unique<SettingsValues>(), 0);

struct ReadCase {
  const char* name;
  std::string file;
  int32_t reached;  // the highest score before reading
  std::string expected;
  bool message;
  std::optional<int32_t> bestGame = {};  // the best game's own score
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class Reading : public testing::TestWithParam<ReadCase> {};

// A whole file is taken as it reads; of a damaged one, what stands as the
// game writes it, the first settings for the rest, and a record no lower
// than the best game's.
TEST_P(Reading, TakesWhatCanBeRead) {
  const ReadCase& c = GetParam();
  GameFolder game;
  if (c.file != "<none>") game.writeIni(c.file);
  RecordingMessages messages;
  SettingsValues controls;
  controls.texts[4] = "changed.wav";  // a change made before reading, never kept
  int32_t highScore = c.reached;
  waveiniread(controls, highScore, [&] { return c.bestGame; });
  EXPECT_EQ(dump(controls, highScore), c.expected);
  EXPECT_EQ(messages.titles,
            c.message ? std::vector<std::string>{kWaveIniReadTitle} : std::vector<std::string>{});
}

const std::string kFull =
    "\"m.wav\" 1 0 | \"a.wav\" 0 1 | \"b.wav\" 2 0 | \"c.wav\" 0 2 | \"d.wav\" 1 1 | 40000";

INSTANTIATE_TEST_SUITE_P(
    WaveIni, Reading,
    testing::Values(
        ReadCase{"AllOnOneLine",
                 "\"m.wav\",1,0,\"a.wav\",0,1,\"b.wav\",2,0,\"c.wav\",0,2,\"d.wav\",1,1,40000",
                 0, kFull, false},
        ReadCase{"EndsAfterLine3", "\"m.wav\",1,0\r\n\"a.wav\",0,1\r\n\"b.wav\",2,0\r\n", 0,
                 "\"m.wav\" 1 0 | \"a.wav\" 0 1 | \"b.wav\" 2 0 | \"melkitok.wav\" 0 0 | "
                 "\"melkitmiss.wav\" 0 0 | 0",
                 true},
        ReadCase{"OffBoxOf5TakesTheFirstSettingsOfItsSoundAlone",
                 "\"m.wav\",1,0\r\n\"a.wav\",1,5\r\n\"b.wav\",2,0\r\n\"c.wav\",0,2\r\n"
                 "\"d.wav\",1,1\r\n40000\r\n",
                 0,
                 "\"m.wav\" 1 0 | \"zarupok.wav\" 0 0 | \"b.wav\" 2 0 | \"c.wav\" 0 2 | "
                 "\"d.wav\" 1 1 | 40000",
                 true},
        ReadCase{"BoxValueBeyond16BitsStopsBeforeItsLine",
                 "\"m.wav\",1,0\r\n\"a.wav\",70000,0\r\n", 0,
                 "\"m.wav\" 1 0 | \"zarupok.wav\" 0 0 | \"zarupfall.wav\" 0 0 | "
                 "\"melkitok.wav\" 0 0 | \"melkitmiss.wav\" 0 0 | 0",
                 true},
        ReadCase{"NegativeBoxValue", "\"m.wav\",-1,0\r\n", 0, kInitial, true},
        // Random bytes: nothing of them becomes a name or a box.
        ReadCase{"Garbage",
                 "\x93\x01 q\xfe,\"x\r\n\x7f\x02,,9\xc3(\n\xff\"\"\r\x10 3,", 0,
                 kInitial, true},
        // Cut short after 40 bytes, the record lost: the best game knows it.
        ReadCase{"CutShortTakesTheBestGamesScore",
                 "\"\",0,1\r\n\"zarupok.wav\",0,0\r\n\"zarupfall.wa", 0,
                 dump(*std::make_unique<SettingsValues>(), 1231), true, 1231},
        ReadCase{"DamagedKeepsAHigherRecordOfItsOwn",
                 "\"\",0,1\r\n\"zarupok.wav\",0,0\r\n\"zarupfall.wa\r\n\r\n\r\n2000\r\n", 0,
                 dump(*std::make_unique<SettingsValues>(), 2000), true, 1231},
        ReadCase{"MissingFileTakesTheBestGamesScore", "<none>", 0,
                 "\"\" 0 1 | \"zarupok.wav\" 0 0 | \"zarupfall.wav\" 0 0 | \"melkitok.wav\" 0 0 | "
                 "\"changed.wav\" 0 0 | 1231",
                 true, 1231},
        // A whole file is the player's word, even below the best game.
        ReadCase{"WholeFileKeepsItsOwnRecord",
                 "\"\",0,1\r\n\"a\",0,0\r\n\"b\",0,0\r\n\"c\",0,0\r\n\"d\",0,0\r\n50\r\n", 0,
                 "\"\" 0 1 | \"a\" 0 0 | \"b\" 0 0 | \"c\" 0 0 | \"d\" 0 0 | 50", false, 1231},
        // An unquoted name with a quote in it, which no writer makes and none
        // could write back.
        ReadCase{"UnquotedNameWithAQuote",
                 "\"\",0,1\r\nmy\"a.wav,0,0\r\n\"b\",0,0\r\n\"c\",0,0\r\n\"d\",0,0\r\n8\r\n", 0,
                 "\"\" 0 1 | \"zarupok.wav\" 0 0 | \"b\" 0 0 | \"c\" 0 0 | \"d\" 0 0 | 8", true},
        ReadCase{"ScoreBeyond32BitsKeepsTheScore",
                 "\"\",0,1\r\n\"a\",0,0\r\n\"b\",0,0\r\n\"c\",0,0\r\n\"d\",0,0\r\n2147483648\r\n",
                 12, "\"\" 0 1 | \"a\" 0 0 | \"b\" 0 0 | \"c\" 0 0 | \"d\" 0 0 | 12", true},
        ReadCase{"CommasQuotesAndJapanese",
                 "\"音楽/曲 1.wav\",1,0\r\n\"a,b.wav\",0,0\r\n\"my\"file.wav\",0,0\r\n"
                 "\"効果音.wav\",0,0\r\n\"\",0,1\r\n7\r\n",
                 0,
                 "\"音楽/曲 1.wav\" 1 0 | \"a,b.wav\" 0 0 | \"my\" 0 0 | \"効果音.wav\" 0 0 | "
                 "\"\" 0 1 | 7",
                 false},
        ReadCase{"HandEditedUnquotedBlanksLinefeedsAndWords",
                 "\xEF\xBB\xBF  m.wav  , 1 ,off\n  \"a.wav\" junk ,0,0\nb.wav,2.4,1e0\r"
                 "c.wav,0,0\n\"d.wav\",0,0\n 1500 points\n",
                 0,
                 "\"m.wav\" 1 0 | \"a.wav\" 0 0 | \"b.wav\" 2 1 | \"c.wav\" 0 0 | "
                 "\"d.wav\" 0 0 | 1500",
                 false},
        // A record reached earlier in this run is never taken back.
        ReadCase{"LowerStoredScoreKeepsTheRecord", "\"\",0,1,\"a\",0,0,\"b\",0,0,\"c\",0,0,\"d\",0,0,100",
                 500, "\"\" 0 1 | \"a\" 0 0 | \"b\" 0 0 | \"c\" 0 0 | \"d\" 0 0 | 500", false},
        ReadCase{"HigherStoredScoreWins", "\"\",0,1,\"a\",0,0,\"b\",0,0,\"c\",0,0,\"d\",0,0,900",
                 500, "\"\" 0 1 | \"a\" 0 0 | \"b\" 0 0 | \"c\" 0 0 | \"d\" 0 0 | 900", false}),
    [](const auto& info) { return std::string(info.param.name); });

// Names as a player gives them: one the file can keep is taken, written and
// read back unchanged with every box and the highest score; any other is refused with a word why, the row keeps
// its file, and the writer refuses it too rather than write what reads back
// as another name.
TEST(WaveIniWriting, NamesRoundTripOrAreRefused) {
  const struct {
    std::string name;
    bool kept;
  } names[] = {{"a,b.wav", true},          {" spaced  name .wav ", true},
               {"é.wav", true},            {"/home/プレイヤー/曲 1.wav", true},
               {"quo\"te.wav", false},     {"two\nlines.wav", false},
               {"cr\r.wav", false},        {"\xff\xfe.wav", false}};
  for (const auto& [name, kept] : names) {
    SCOPED_TRACE(name);
    GameFolder game;
    game.writeIni(kInitialIni);
    RecordingMessages messages;
    SettingsValues controls;
    controls.checks = {1, 2, 0, 1, 0, 0, 1, 2, 0, 1};
    controls.texts[1] = "before.wav";
    EXPECT_EQ(chooseSoundFile(controls, 2, name), kept);
    EXPECT_EQ(messages.titles.size(), kept ? 0u : 1u);
    if (!kept) {
      EXPECT_EQ(controls.texts[1], "before.wav");
      controls.texts[1] = name;  // as no dialog lets it
      waveiniwrite(controls, 9);
      EXPECT_EQ(messages.titles.back(), kWaveIniWriteTitle);
      EXPECT_EQ(game.readIni(), kInitialIni);
      continue;
    }
    waveiniwrite(controls, 2147483647);
    SettingsValues read;
    int32_t highScore = 0;
    waveiniread(read, highScore);
    EXPECT_TRUE(messages.titles.empty());
    EXPECT_EQ(dump(read, highScore), dump(controls, 2147483647));
  }
}

// A file saved by the game on a Japanese Windows system is in code page 932:
// its names read right, and the next save writes them in UTF-8.
TEST(WaveIniWriting, CodePage932NamesReadAndAreWrittenBackInUtf8) {
  GameFolder game;
  game.writeIni(
      "\"\x82\xd2\x82\xe6.wav\",0,0\r\n\"\x8c\xf8\x89\xca\x89\xb9.wav\",1,0\r\n\"b.wav\",0,0\r\n"
      "\"c.wav\",0,0\r\n\"d.wav\",0,1\r\n321\r\n");
  RecordingMessages messages;
  SettingsValues controls;
  int32_t highScore = 0;
  waveiniread(controls, highScore);
  EXPECT_TRUE(messages.titles.empty());
  EXPECT_EQ(dump(controls, highScore),
            "\"ぴよ.wav\" 0 0 | \"効果音.wav\" 1 0 | \"b.wav\" 0 0 | \"c.wav\" 0 0 | \"d.wav\" 0 1 | 321");
  waveiniwrite(controls, highScore);
  EXPECT_EQ(game.readIni(),
            "\"ぴよ.wav\",0,0\r\n\"効果音.wav\",1,0\r\n\"b.wav\",0,0\r\n\"c.wav\",0,0\r\n"
            "\"d.wav\",0,1\r\n321\r\n");
}

// A damaged file still holds what the player cares about (line 6: the
// record), so the first save after reading it keeps it: as wave.ini.bak, or
// beside a damaged file kept before, never in its place.
TEST(WaveIniWriting, DamagedFileIsKeptAsBakBeforeItIsReplaced) {
  namespace fs = std::filesystem;
  GameFolder game;
  const std::string damaged =
      "\"\",0,1\r\n\"zarupok.wav\",0,0\r\n\x01garbage\"\r\n\"melkitok.wav\",0,0\r\n"
      "\"melkitmiss.wav\",0,0\r\n17\r\n";
  game.writeIni(damaged);
  std::ofstream(game.wave("wave.ini.bak")) << "an older backup";
  RecordingMessages messages;
  SettingsValues controls;
  int32_t highScore = 0;
  waveiniread(controls, highScore);
  ASSERT_EQ(messages.texts.size(), 1u);
  EXPECT_NE(messages.texts[0].find("wave.ini.bak.1"), std::string::npos) << messages.texts[0];
  waveiniwrite(controls, highScore);
  const auto bytesOf = [&](const char* name) {
    std::ifstream in(game.wave(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(bytesOf("wave.ini.bak"), "an older backup");
  EXPECT_EQ(bytesOf("wave.ini.bak.1"), damaged);
  // The next saves find a sound file and leave the backups alone.
  waveiniwrite(controls, 5);
  EXPECT_FALSE(fs::exists(game.wave("wave.ini.bak.2")));
  EXPECT_EQ(bytesOf("wave.ini.bak.1"), damaged);
  // A missing file is no damage: nothing to keep.
  fs::remove(game.wave("wave.ini"));
  messages.texts.clear();
  waveiniread(controls, highScore);
  EXPECT_EQ(messages.texts[0].find("wave.ini.bak"), std::string::npos) << messages.texts[0];
}

// Shutdown saves only what changed (a read-only folder then stays quiet); OK
// always saves.
TEST(WaveIniWriting, ShutdownLeavesAFileThatWouldNotChange) {
  GameFolder game;
  game.writeIni(kInitialIni);
  SettingsValues controls;
  struct stat before {}, after {};
  stat(game.wave("wave.ini").c_str(), &before);
  waveiniwrite(controls, 0, true);
  stat(game.wave("wave.ini").c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);
  waveiniwrite(controls, 0);
  stat(game.wave("wave.ini").c_str(), &after);
  EXPECT_NE(before.st_ino, after.st_ino);
  waveiniwrite(controls, 1, true);
  EXPECT_NE(game.readIni(), kInitialIni);
}

// How a write can fail, as any user (root too) can arrange it.
enum class Failure { missingFolder, fullDisk, readOnlyFolder };

class FailedWrite : public testing::TestWithParam<Failure> {};

TEST_P(FailedWrite, IsReportedAndLeavesTheOldFileAsItWas) {
  namespace fs = std::filesystem;
  GameFolder game;
  const std::string old = kInitialIni;
  game.writeIni(old);
  SettingsValues controls;
  controls.texts[0] = std::string(4000, 'm');  // more than the disk takes below
  RecordingMessages messages;
  rlimit before{};
  switch (GetParam()) {
    case Failure::missingFolder:
      fs::remove_all(game.wave());
      break;
    case Failure::fullDisk:
      std::signal(SIGXFSZ, SIG_IGN);
      getrlimit(RLIMIT_FSIZE, &before);
      {
        rlimit small = before;
        small.rlim_cur = 1024;
        setrlimit(RLIMIT_FSIZE, &small);
      }
      break;
    case Failure::readOnlyFolder:
      fs::permissions(game.wave(), fs::perms::owner_write | fs::perms::group_write |
                                       fs::perms::others_write, fs::perm_options::remove);
      if (access(game.wave().c_str(), W_OK) == 0) {
        fs::permissions(game.wave(), fs::perms::owner_write, fs::perm_options::add);
        GTEST_SKIP() << "this user writes into read-only folders";
      }
      break;
  }
  waveiniwrite(controls, 99);
  if (GetParam() == Failure::fullDisk) setrlimit(RLIMIT_FSIZE, &before);
  if (GetParam() == Failure::readOnlyFolder)
    fs::permissions(game.wave(), fs::perms::owner_write, fs::perm_options::add);

  ASSERT_EQ(messages.titles, std::vector<std::string>{kWaveIniWriteTitle});
  EXPECT_NE(messages.texts[0].find("wave.ini"), std::string::npos) << messages.texts[0];
  if (GetParam() == Failure::missingFolder) {
    EXPECT_FALSE(fs::exists(game.wave()));
  } else {
    EXPECT_EQ(game.readIni(), old);
    // No half-written temporary file is left behind either.
    EXPECT_EQ(std::distance(fs::directory_iterator(game.wave()), fs::directory_iterator()), 6);
  }
}

std::string failureName(Failure f) {
  switch (f) {
    case Failure::missingFolder: return "MissingFolder";
    case Failure::fullDisk: return "FullDisk";
    case Failure::readOnlyFolder: return "ReadOnlyFolder";
  }
  return "?";
}
void PrintTo(Failure f, std::ostream* os) { *os << failureName(f); }

INSTANTIATE_TEST_SUITE_P(WaveIni, FailedWrite,
                         testing::Values(Failure::missingFolder, Failure::fullDisk,
                                         Failure::readOnlyFolder),
                         [](const auto& info) { return failureName(info.param); });

}  // namespace
}  // namespace kinopa
