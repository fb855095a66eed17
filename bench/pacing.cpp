// kinopa_pacing: one whole game in the real main window on a real X server,
// with the real main loop, clock, event pump, presentation and sound (SDL's
// dummy driver mixes it) and the recording of the run, as the program plays;
// the pointer steered by script after the zarup.
// Reports the intervals between presented frames, the frames the 10 ms rule
// dropped, the processor time of play, and the time from a pointer motion
// reaching the program to the frame that shows the tovrin there.
//   usage: bench/xvfb.sh build/bin/kinopa_pacing [SEED]
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>

#include "play/best_game.h"
#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "play/recorder.h"
#include "bench_support.h"
#include "core/errors.h"
#include "qt/fonts.h"
#include "core/random.h"
#include "core/tick.h"
#include "qt/qt_event_pump.h"

namespace {

using namespace kinopa;
using namespace kinopa::bench;

struct Move {
  Clock::time_point warped;
  int x;  // in the play field
  std::optional<Clock::time_point> arrived;
};

struct Results {
  std::vector<Clock::time_point> presented;  // each drawn frame on the screen
  int calls = 0;                             // game() calls while playing
  int dropped = 0;                           // of those, intervals over 10 ms
  std::map<int, int> elapsedSeen;            // the intervals the rules measured
  double cpuStart = 0, cpuEnd = 0;
  Clock::time_point playStart, playEnd;
  std::vector<double> arrivedToShown, warpedToShown;
  std::vector<double> work;  // from the end of a yield to its frame being on the screen
  int superseded = 0, notShown = 0;
};

// The real pump, watched: its caller has just run game().
class WatchedPump : public EventPump {
 public:
  std::function<void()> afterGame;
  void yield(bool waitForEvent) override { real_.yield(waitForEvent); }
  void yieldUntilNextFrame() override {
    // The window system's turn that shows the frame (and the labels it
    // changed) is part of the frame's work: it is over when the frame is
    // on the screen.
    QCoreApplication::processEvents();
    afterGame();
    const Clock::time_point yielded = Clock::now();
    real_.yieldUntilNextFrame();
    frameStarted = Clock::now();
    yields.push_back(ms(frameStarted - yielded));
  }
  Clock::time_point frameStarted;
  std::vector<double> yields;

 private:
  QtEventPump real_;
};

// Sees every pointer motion reach the play field before its handler runs.
class MotionWatch : public QObject {
 public:
  std::function<void(int x)> onMotion;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseMove)
      onMotion(static_cast<int>(static_cast<QMouseEvent*>(event)->position().x()));
    return false;
  }
};

void printStats(const char* what, const std::vector<double>& v) {
  std::printf("%-34s n=%zu  median %.3f  p99 %.3f  p99.9 %.3f  max %.3f ms\n", what, v.size(),
              quantile(v, 0.5), quantile(v, 0.99), quantile(v, 0.999), quantile(v, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  QApplication app(argc, argv);
  const QString platform = QGuiApplication::platformName();
  if (platform != "xcb" && !platform.startsWith("wayland"))
    std::fprintf(stderr,
                 "warning: no window system (%s): run it under bench/xvfb.sh or bench/weston.sh\n",
                 qPrintable(platform));
  installFontSubstitutes();
  const unsigned seed = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 1;
  GameFolder folder(KINOPA_BIN_DIR);

  // As the program plays: everything the rules read is recorded, and the
  // best game is kept.
  SteadyTickCounter clock;
  ClockSeededRandom randomness(seed);
  Recorder recorder;
  RecordedTick tick(clock, recorder);
  RecordedRandom random(randomness, recorder);
  WatchedPump pump;
  Results r;
  std::deque<Move> moves;  // warped, not yet shown
  std::mt19937 script(seed);
  int lastX = -1;
  double scale = 0;  // screen pixels to a pixel of the window, as played

  try {
    BestGame best(settingsFile(kBestGameName));
    ShownSession shown({tick, random, pump, Mode::play, &recorder, &best, {}});
    DrawW& w = shown.window;
    const Game& g = w.session().game();
    bool playing = false;

    pump.afterGame = [&] {
      const Clock::time_point now = Clock::now();
      if (!playing) {
        playing = true;
        scale = w.devicePixelRatioF();
        r.playStart = now;
        r.cpuStart = processSeconds();
      }
      ++r.calls;
      ++r.elapsedSeen[static_cast<int>(g.frameElapsed)];
      const bool drawn = g.frameElapsed <= 10 && g.paused == kClear;
      if (g.frameElapsed > 10) ++r.dropped;
      if (g.paused != kClear) {  // the time is up: this call ended the game
        r.playEnd = now;
        r.cpuEnd = processSeconds();
        return;
      }
      if (!drawn) return;
      r.presented.push_back(now);
      if (pump.frameStarted != Clock::time_point{}) r.work.push_back(ms(now - pump.frameStarted));
      // Every motion that arrived before this frame began is in it; only
      // the last one's place is shown. Those that arrived while it was being
      // shown are for the next one.
      const auto inThisFrame = [&](const Move& m) {
        return m.arrived && *m.arrived <= pump.frameStarted;
      };
      while (!moves.empty() && inThisFrame(moves.front())) {
        const Move m = moves.front();
        moves.pop_front();
        if (!moves.empty() && inThisFrame(moves.front())) {
          ++r.superseded;
          continue;
        }
        const int expectedX = std::clamp(m.x - 42, 0, 399 - 84);
        if (g.tovrinX != expectedX) {
          ++r.notShown;
          continue;
        }
        r.arrivedToShown.push_back(ms(now - *m.arrived));
        r.warpedToShown.push_back(ms(now - m.warped));
      }
    };

    MotionWatch watch;
    watch.onMotion = [&](int x) {
      for (Move& m : moves) {
        if (!m.arrived && m.x == x) {
          m.arrived = Clock::now();
          return;
        }
      }
    };
    w.field().installEventFilter(&watch);

    // The player: a second to look, Start, then the pointer after the zarup
    // every 12 to 28 ms (a little off, as a hand is) until the time is up.
    QTimer steer;
    steer.setSingleShot(true);
    steer.setTimerType(Qt::PreciseTimer);
    std::uniform_int_distribution<int> every(12, 28), off(-20, 20);
    QObject::connect(&steer, &QTimer::timeout, [&] {
      if (g.paused != kClear) {
        QTimer::singleShot(300, [&] { control<QPushButton>(w, "gameend")->click(); });
        return;
      }
      const int x = std::clamp(static_cast<int>(g.objects.zarupX) + 32 + off(script), 1, 397);
      // A warp to where the pointer already is moves nothing.
      if (x != lastX) {
        lastX = x;
        moves.push_back({Clock::now(), x, std::nullopt});
        QCursor::setPos(w.field().mapToGlobal(QPoint(x, 540)));
      }
      steer.start(every(script));
    });
    QTimer::singleShot(1000, [&] {
      control<QPushButton>(w, "gamestart")->click();
      steer.start(every(script));
    });

    w.Form_Load();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kinopa_pacing: %s\n", errorReport(e).c_str());
    return 1;
  }

  std::vector<double> intervals;
  for (size_t i = 1; i < r.presented.size(); ++i)
    intervals.push_back(ms(r.presented[i] - r.presented[i - 1]));
  const double wall = ms(r.playEnd - r.playStart) / 1000;
  std::printf("play: %.2f s, %d calls of game, %zu frames presented\n", wall, r.calls,
              r.presented.size());
  std::printf("intervals the rules measured (ms: calls):");
  for (const auto& [elapsed, n] : r.elapsedSeen) std::printf(" %d: %d", elapsed, n);
  std::printf("\n");
  std::printf("processor time during play: %.1f %% of one core (%.2f s)\n",
              100 * (r.cpuEnd - r.cpuStart) / wall, r.cpuEnd - r.cpuStart);
  printStats("input to screen, from arrival:", r.arrivedToShown);
  printStats("input to screen, from the warp:", r.warpedToShown);
  std::printf("motions superseded by a later one before a frame: %d, not shown: %d\n",
              r.superseded, r.notShown);
  printStats("work of a drawn frame (game):", r.work);
  printStats("yields between frames:", pump.yields);
  printStats("presented frame intervals:", intervals);
  std::printf(
      "pacing: dropped %d of %d frames, median %.2f ms, p99.9 %.2f ms, max %.2f ms, scale %g\n",
      r.dropped, r.calls, quantile(intervals, 0.5), quantile(intervals, 0.999),
      quantile(intervals, 1.0), scale);
  return 0;
}
