// kinopa_recordings: the peak resident memory of the programs that read a
// recording, against the recording's size: kinopa-replay, and kinopa --watch
// (the search for the last game, the run before it unseen, then the last
// game, a short one). Each recording is a long session of whole games,
// played by the rules and recorded by the recorder the game itself uses.
//   usage: build/bin/kinopa_recordings [MB...]   (default: 10 50 100)
//          build/bin/kinopa_recordings --make MB FILE   (one recording, kept)
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "play/recorder.h"
#include "game/game.h"
#include "game/nothing_shown.h"
#include "game/passes.h"

namespace {

using namespace kinopa;
namespace fs = std::filesystem;

class Clock : public TickCounter {
 public:
  int32_t now = 1000;
  int32_t GetTickCount() override { return now; }
};

class Seeded : public RandomSource {
 public:
  double Rnd() override { return std::uniform_real_distribution<double>(0, 1)(engine_); }

 private:
  std::mt19937_64 engine_{20261207};
};

// What the main loop's passes record, as the game's window records them.
class Recording : public PassHooks {
 public:
  explicit Recording(Recorder& r) : r_(r) {}
  void idled() override {
    r_.makeRoom();
    r_.idle();
  }
  void framed() override {
    r_.frame();
    r_.makeRoom();
  }

 private:
  Recorder& r_;
};

// A session of `games` whole games, the pointer after the zarup and a click
// now and then, then a short last game ended by Pause; written to `path`.
void makeRecording(const std::string& path, int games) {
  NothingShown quiet;
  Clock clock;
  Seeded seeded;
  Recorder recorder;
  RecordedTick tick(clock, recorder);
  RecordedRandom random(seeded, recorder);
  Game g(quiet, quiet, quiet, tick, random);
  Recording hooks(recorder);
  LoopPasses passes(g, hooks);
  g.setFixedNumbers();
  g.paused = kSet;
  g.gameinit();
  for (int n = 0; n <= games; ++n) {
    clock.now += 5;
    passes.idle();
    g.gamestart_Click();
    recorder.start();
    for (int frame = 0; g.paused == kClear; ++frame) {
      const float x = static_cast<float>(g.objects.zarupX) + 32.0f + static_cast<float>(frame % 7);
      g.Picture1_MouseMove(0, 0, x, 540);
      recorder.move(x, 540);
      if (frame % 97 == 0) {
        g.Picture1_MouseUp(1, 0, x, 300);
        recorder.up(x, 300);
      }
      clock.now += 8;
      passes.running();
      if (n == games && frame == 100) {
        g.gamestart_Click();  // Pause: the last game is a short one
        recorder.start();
      }
    }
  }
  std::ofstream(path, std::ios::binary) << recorder.text();
}

// Runs `argv` off screen until it ends, or until it has sat idle (no
// processor time) for two seconds, which --watch does once its last frame
// stays; returns its peak resident memory in MB.
double peakMb(const std::vector<std::string>& argv, double& seconds) {
  const auto begin = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (std::freopen("/dev/null", "w", stdout) == nullptr) _exit(126);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  long lastTicks = -1;
  int still = 0;
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, WNOHANG, &usage) == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    long ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i)
      if (i == 14 || i == 15) ticks += std::atol(field.c_str());
    still = ticks == lastTicks ? still + 1 : 0;
    lastTicks = ticks;
    if (still >= 20) kill(pid, SIGTERM);
  }
  seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  return static_cast<double>(usage.ru_maxrss) / 1024;
}

}  // namespace

// A recording of about `mb` MB: its share of one game measured first.
void makeRecordingOf(double mb, const std::string& path, const fs::path& dir) {
  const std::string probe = (dir / "probe.kinopa").string();
  makeRecording(probe, 1);
  const double perGame = static_cast<double>(fs::file_size(probe));
  fs::remove(probe);
  makeRecording(path, static_cast<int>(mb * 1e6 / perGame) + 1);
}

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--make") {
    makeRecordingOf(std::atof(argv[2]), argv[3], fs::path(argv[3]).parent_path());
    return 0;
  }
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10, 50, 100};
  const fs::path bin = KINOPA_BIN_DIR;
  const fs::path dir = fs::temp_directory_path() / "kinopa-recordings";
  fs::create_directories(dir);

  for (int mb : sizes) {
    const std::string path = (dir / (std::to_string(mb) + "mb.kinopa")).string();
    makeRecordingOf(mb, path, dir);
    const double fileMb = static_cast<double>(fs::file_size(path)) / 1e6;
    double replaySeconds = 0, watchSeconds = 0;
    const double replay = peakMb({(bin / "kinopa-replay").string(), path}, replaySeconds);
    const double watch = peakMb({(bin / "kinopa").string(), "--watch", path}, watchSeconds);
    std::printf("recording of %.1f MB: peak memory kinopa-replay %.1f MB (%.0f s), kinopa --watch "
                "%.1f MB (%.0f s)\n",
                fileMb, replay, replaySeconds, watch, watchSeconds);
    std::fflush(stdout);
    fs::remove(path);
  }
  fs::remove_all(dir);
  return 0;
}
