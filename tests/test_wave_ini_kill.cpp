// Saving wave.ini or the best game killed at any moment, again and again: the
// file is always the old one or the new one, whole, never a mix or a piece.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "play/recorder.h"
#include "helpers/two_settings.h"
#include "sound/wave_ini.h"

extern char** environ;

namespace kinopa {
namespace {

using namespace testing_support;

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Starts the writer on `folder`, saving what `mode` says ("" for wave.ini);
// returns its pid once it has said "ready".
pid_t startWriter(const std::string& folder, const std::string& mode) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string program = KINOPA_INI_WRITER;
  std::string modeArg = mode;
  char* argv[] = {program.data(), const_cast<char*>(folder.c_str()),
                  mode.empty() ? nullptr : modeArg.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  char said[6] = {};
  pollfd wait{out[0], POLLIN, 0};
  const bool ready = pid > 0 && poll(&wait, 1, 10000) == 1 && read(out[0], said, 6) == 6 &&
                     std::string(said, 6) == "ready\n";
  close(out[0]);
  if (!ready && pid > 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
  }
  return pid;
}

std::string recordingOf(void (*record)(Recorder&)) {
  Recorder r;
  record(r);
  return r.text();
}

struct Saved {
  const char* mode;  // the writer's
  const char* file;  // in wave/
  std::string oldBytes, newBytes;
};
void PrintTo(const Saved& s, std::ostream* os) { *os << s.file; }

class KilledWhileSaving : public testing::TestWithParam<Saved> {};

TEST_P(KilledWhileSaving, LeavesTheOldFileOrTheNewOneWhole) {
  QTemporaryDir dir;
  const std::filesystem::path root = dir.path().toStdString();
  std::filesystem::create_directories(root / "bin");
  std::filesystem::create_directories(root / "wave");
  const Saved& saved = GetParam();
  const std::string& oldBytes = saved.oldBytes;
  const std::string& newBytes = saved.newBytes;

  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  // A save takes about a millisecond here; the kills fall anywhere in the
  // first dozen or so.
  std::uniform_int_distribution<int> delayUs(0, 15000);
  int sawOld = 0, sawNew = 0;
  for (int i = 0; i < 150; ++i) {
    const pid_t writer = startWriter(root.string(), saved.mode);
    ASSERT_GT(writer, 0) << "the writer did not start";
    std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random)));
    kill(writer, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
    const std::string bytes = fileBytes(root / "wave" / saved.file);
    if (bytes == oldBytes) {
      ++sawOld;
    } else if (bytes == newBytes) {
      ++sawNew;
    } else {
      FAIL() << "after kill " << i << " " << saved.file << " holds " << bytes.size() << " bytes";
    }
  }
  // A kill between writing the temporary file and renaming it leaves that
  // file behind; it harms nothing, but say how many there were.
  int leftOver = 0;
  for (const auto& entry : std::filesystem::directory_iterator(root / "wave"))
    leftOver += entry.path().filename() != saved.file;
  std::printf("150 kills: old file %d times, new file %d times, %d temporary files left\n",
              sawOld, sawNew, leftOver);
  // The kills really fell in the middle of saving, both ways.
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, KilledWhileSaving,
    testing::Values(
        Saved{"", "wave.ini", [] {
                SettingsValues s = oldSettings();
                return waveIniBytes(s, kOldHighScore);
              }(),
              [] {
                SettingsValues s = newSettings();
                return waveIniBytes(s, kNewHighScore);
              }()},
        Saved{"best-game", "best-game.kinopa", recordingOf(recordOldGame),
              recordingOf(recordNewGame)}));

}  // namespace
}  // namespace kinopa
