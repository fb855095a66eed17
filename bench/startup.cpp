// kinopa_startup: the time from exec to the main window shown (mapped on the
// X server), over ten starts of the real program, then the resident memory
// and the processor time of the program standing idle (no game) for 10 s,
// thread by thread, once the sound device has closed.
// Each start runs a copy of the program in a game folder of its own, so the
// build's wave.ini is never touched.
// With --watch, the time from exec to the watch's window and to its progress
// dialog, watching a long recording (kinopa_recordings --make makes one).
//   usage: bench/xvfb.sh build/bin/kinopa_startup [STARTS]
//          bench/xvfb.sh build/bin/kinopa_startup --watch FILE [STARTS]
#include "bench_support.h"  // Qt's headers go before Xlib's macros

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace kinopa::bench;
namespace fs = std::filesystem;

// The processor time of each thread of a process so far, in ns, by thread
// id, with the thread's name (from the scheduler's own accounting, which is
// finer than the clock ticks of /proc/PID/stat).
struct ThreadTime {
  std::string name;
  long long ns = 0;
};
std::map<std::string, ThreadTime> threadTimes(pid_t pid) {
  std::map<std::string, ThreadTime> times;
  const fs::path tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  for (const fs::directory_entry& task : fs::directory_iterator(tasks, error)) {
    ThreadTime t;
    std::ifstream(task.path() / "comm") >> t.name;
    if (std::ifstream(task.path() / "schedstat") >> t.ns) {
      times[task.path().filename().string()] = t;
    } else {
      std::fprintf(stderr, "kinopa_startup: could not read %s/schedstat\n", task.path().c_str());
    }
  }
  if (error)
    std::fprintf(stderr, "kinopa_startup: %s: %s\n", tasks.c_str(), error.message().c_str());
  return times;
}

long residentKbOf(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// Whether the window's title (_NET_WM_NAME, UTF-8) is `title`.
bool named(Display* x, Window w, const char* title) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0, left = 0;
  unsigned char* name = nullptr;
  const Atom property = XInternAtom(x, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(x, "UTF8_STRING", False);
  const bool yes = XGetWindowProperty(x, w, property, 0, 256, False, utf8, &type, &format, &items,
                                      &left, &name) == Success &&
                   name != nullptr && type == utf8 &&
                   std::string(reinterpret_cast<char*>(name), items) == title;
  if (name != nullptr) XFree(name);
  return yes;
}

// Starts the program with `args`; returns its pid and the time until a
// window titled `titles[i]` was mapped, each in `shownMs[i]` (negative when
// not within 20 s).
pid_t startAndWaitForWindows(Display* x, const std::vector<std::string>& args,
                             const std::vector<const char*>& titles, std::vector<double>& shownMs) {
  XSync(x, True);  // nothing left over from the start before
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  shownMs.assign(titles.size(), -1);
  std::size_t seen = 0;
  const int fd = ConnectionNumber(x);
  while (ms(Clock::now() - start) < 20000) {
    while (XPending(x) > 0) {
      XEvent e;
      XNextEvent(x, &e);
      if (e.type != MapNotify) continue;
      for (std::size_t i = 0; i < titles.size(); ++i) {
        if (shownMs[i] < 0 && named(x, e.xmap.window, titles[i])) {
          shownMs[i] = ms(Clock::now() - start);
          if (++seen == titles.size()) return pid;
        }
      }
    }
    fd_set in;
    FD_ZERO(&in);
    FD_SET(fd, &in);
    timeval tick{0, 1000};
    select(fd + 1, &in, nullptr, nullptr, &tick);
  }
  return pid;
}

void stop(pid_t pid) {
  kill(pid, SIGTERM);
  for (int i = 0; i < 50; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const bool watching = argc > 2 && std::strcmp(argv[1], "--watch") == 0;
  const std::string recording = watching ? fs::absolute(argv[2]).string() : "";
  const int starts = watching ? (argc > 3 ? std::atoi(argv[3]) : 3) : argc > 1 ? std::atoi(argv[1]) : 10;
  Display* x = XOpenDisplay(nullptr);
  if (x == nullptr) {
    std::fprintf(stderr, "kinopa_startup: no X server: run it under bench/xvfb.sh\n");
    return 1;
  }
  XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);

  // The game folder: a copy of the program beside the build's pictures and
  // a copy of its sounds and settings.
  char pattern[] = "/tmp/kinopa-startup-XXXXXX";
  const fs::path root = mkdtemp(pattern);
  const fs::path build = fs::path(KINOPA_BIN_DIR).parent_path();
  fs::create_directories(root / "bin");
  fs::copy_file(build / "bin" / "kinopa", root / "bin" / "kinopa");
  fs::create_directory_symlink(build / "images", root / "images");
  fs::copy(build / "wave", root / "wave");
  fs::copy_file(build / "defaults" / "wave.ini", root / "wave" / "wave.ini",
                fs::copy_options::overwrite_existing);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const std::string program = (root / "bin" / "kinopa").string();

  if (watching) {
    // The watch's window, and its progress dialog (titled as the game is).
    std::vector<double> window, dialog;
    for (int i = 0; i < starts; ++i) {
      std::vector<double> t;
      const pid_t pid = startAndWaitForWindows(x, {program, "--watch", recording},
                                               {"Kinopa — recording", "Kinopa"}, t);
      window.push_back(t[0]);
      dialog.push_back(t[1]);
      stop(pid);
    }
    fs::remove_all(root);
    XCloseDisplay(x);
    std::printf("--watch %s (%.1f MB), exec to window shown over %d starts: median %.1f ms, max "
                "%.1f; to progress dialog shown: median %.1f ms, max %.1f (-1: not within 20 s)\n",
                recording.c_str(), static_cast<double>(fs::file_size(recording)) / 1e6, starts,
                quantile(window, 0.5), quantile(window, 1.0), quantile(dialog, 0.5),
                quantile(dialog, 1.0));
    return 0;
  }

  std::vector<double> shown;
  int failed = 0;
  for (int i = 0; i < starts; ++i) {
    std::vector<double> times;
    const pid_t pid = startAndWaitForWindows(x, {program}, {"Kinopa"}, times);
    const double t = times[0];
    const bool last = i + 1 == starts;
    if (t < 0) {
      ++failed;
    } else {
      shown.push_back(t);
    }
    if (last && t >= 0) {
      // Idle: the window shown, no game. Six seconds to settle (the sound
      // device closes after five at rest), then 10 s.
      std::this_thread::sleep_for(std::chrono::seconds(6));
      const std::map<std::string, ThreadTime> before = threadTimes(pid);
      const Clock::time_point from = Clock::now();
      std::this_thread::sleep_for(std::chrono::seconds(10));
      const std::map<std::string, ThreadTime> after = threadTimes(pid);
      const double seconds = ms(Clock::now() - from) / 1000;
      // Threads that came or went during the idle spell count from 0 or not at all.
      long long total = 0;
      std::string each;
      for (const auto& [tid, t] : after) {
        const auto was = before.find(tid);
        const long long used = t.ns - (was == before.end() ? 0 : was->second.ns);
        total += used;
        if (used > 0)
          each += (each.empty() ? "" : ", ") + t.name + " " + std::to_string(used / 1000) + " us";
      }
      std::printf("idle for %.1f s: %.3f %% of one core (%s)\n", seconds,
                  100.0 * static_cast<double>(total) / 1e9 / seconds, each.c_str());
      std::printf("resident memory while idle: %.1f MB\n",
                  static_cast<double>(residentKbOf(pid)) / 1024);
    }
    stop(pid);
  }
  fs::remove_all(root);
  XCloseDisplay(x);

  std::printf("exec to window shown over %zu starts (%d failed): median %.1f ms, min %.1f, max %.1f\n",
              shown.size(), failed, quantile(shown, 0.5), quantile(shown, 0.0001),
              quantile(shown, 1.0));
  return failed == 0 ? 0 : 1;
}
