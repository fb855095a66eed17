// kinopa_soak: 1000 whole games in a row in one process, through the real
// main window (off screen) with the real sound device (SDL's dummy driver),
// every sound switched on, so each game start reads wave.ini and loads all
// five sounds; then 100 OKs of the sound settings dialog, each loading every
// sound again and saving wave.ini. The pointer follows the zarup, mostly,
// and clicks now and then. Resident memory is reported along the way: after
// the first ten games (or OKs) it should stay where it is.
// With --as-played the run is recorded and the best game kept, as the
// program does when it plays.
//   usage: build/bin/kinopa_soak [--as-played] [GAMES] [OKS]
#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "play/best_game.h"
#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "play/recorder.h"
#include "play/script_player.h"
#include "bench_support.h"
#include "core/errors.h"
#include "qt/fonts.h"
#include "core/messages.h"
#include "core/random.h"

namespace {

using namespace kinopa;
using namespace kinopa::bench;

// The real window system's events, but no waiting between frames.
class Unpaced : public EventPump {
 public:
  void yield(bool) override { QCoreApplication::processEvents(); }
  void yieldUntilNextFrame() override { QCoreApplication::processEvents(); }
};

class AbortOnMessage : public MessageSink {
 public:
  void messageBox(const std::string& title, const std::string& text, int) override {
    std::fprintf(stderr, "message box %s: %s\n", title.c_str(), text.c_str());
    std::exit(1);
  }
  void errorBox(const std::string& title, const std::string& text) override {
    messageBox(title, text, 0);
  }
};

void send(QWidget* to, QEvent::Type type, double x, double y) {
  const QPointF p(x, y);
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, p, to->mapToGlobal(p), button,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                Qt::NoModifier);
  QCoreApplication::sendEvent(to, &e);
}

double mb(long kb) { return static_cast<double>(kb) / 1024; }

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  QApplication app(argc, argv);
  installFontSubstitutes();
  int arg = 1;
  const bool asPlayed = argc > 1 && std::string(argv[1]) == "--as-played";
  if (asPlayed) ++arg;
  const int games = argc > arg ? std::atoi(argv[arg]) : 1000;
  const int oks = argc > arg + 1 ? std::atoi(argv[arg + 1]) : 100;
  GameFolder folder(KINOPA_BIN_DIR);
  AbortOnMessage messages;
  setMessageSink(&messages);

  ScriptTick clock;
  clock.now = 1000;
  ClockSeededRandom randomness(7);
  Recorder recorder;
  RecordedTick recordedTick(clock, recorder);
  RecordedRandom recordedRandom(randomness, recorder);
  TickCounter& tick = asPlayed ? static_cast<TickCounter&>(recordedTick) : clock;
  RandomSource& random = asPlayed ? static_cast<RandomSource&>(recordedRandom) : randomness;
  Unpaced pump;
  std::mt19937 hand(7);
  std::uniform_int_distribution<int> percent(0, 99), wobble(-60, 60);
  long frames = 0;
  long gamesRss = 0, gamesRssAtBase = 0, oksRssAtBase = 0, end = 0;
  // Growth is measured from game 10 and OK 10 on (or the last, for shorter runs).
  const int gamesBase = std::min(10, games), oksBase = std::min(10, oks);
  try {
    BestGame best(settingsFile(kBestGameName));
    ShownSession shown({tick, random, pump, Mode::play, asPlayed ? &recorder : nullptr,
                        asPlayed ? &best : nullptr, {}});
    DrawW& w = shown.window;
    w.session().createSoundDevice();
    w.session().startUp();
    const Clock::time_point start = Clock::now();
    for (int game = 1; game <= games; ++game) {
      control<QPushButton>(w, "gamestart")->click();
      w.session().rules().prevTick = tick.GetTickCount();
      // Some games the player sleeps through, most are played.
      const bool asleep = percent(hand) < 20;
      while (w.session().rules().paused == kClear) {
        if (!asleep) {
          const double x = w.session().rules().objects.zarupX + 32 + (percent(hand) < 10 ? wobble(hand) : 0);
          send(&w.field(), QEvent::MouseMove, std::clamp(x, 0.0, 398.0), 540);
          if (percent(hand) == 0) {
            const double mx = w.session().rules().objects.melkitX + 50, my = w.session().rules().objects.melkitY + 20;
            send(&w.field(), QEvent::MouseButtonPress, mx, my);
            send(&w.field(), QEvent::MouseButtonRelease, mx, my);
          }
        }
        clock.now += 8;
        w.session().rules().game();
        if (asPlayed) {
          recorder.frame();
          recorder.keepState(frameSnapshot(w.session()));
          recorder.makeRoom();
        }
        pump.yieldUntilNextFrame();
        w.session().rules().raiseHighScore();
        ++frames;
      }
      if (asPlayed) best.gameEnded(w.session().rules().score, recorder);
      pump.yield(false);
      if (game == gamesBase) gamesRssAtBase = residentKb();
      if (game % 100 == 0 || game == 10) {
        std::printf("game %4d: %ld frames so far, high score %d, resident %.1f MB, %.0f s\n",
                    game, frames, w.session().rules().highScore, mb(residentKb()), ms(Clock::now() - start) / 1000);
        std::fflush(stdout);
      }
    }
    gamesRss = residentKb();
    oksRssAtBase = gamesRss;

    for (int ok = 1; ok <= oks; ++ok) {
      control<QPushButton>(w, "Command1")->click();  // the sound settings button: shows the dialog
      pump.yield(false);
      w.soundMenu().Command1->click();  // OK: loads every sound, saves, hides
      pump.yield(false);
      if (ok == oksBase) oksRssAtBase = residentKb();
      if (ok % 10 == 0) {
        std::printf("OK %3d: resident %.1f MB\n", ok, mb(residentKb()));
        std::fflush(stdout);
      }
    }
    end = residentKb();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kinopa_soak: %s\n", errorReport(e).c_str());
    return 1;
  }
  if (asPlayed) std::printf("recording: %d frames, %s\n", recorder.frames(), recorder.full() ? "stopped, out of room" : "whole");
  std::printf("soak%s: %d games (%ld frames), resident memory %+.2f MB after game %d; "
              "%d sound dialog OKs, %+.2f MB after OK %d\n",
              asPlayed ? " as played" : "", games, frames, mb(gamesRss - gamesRssAtBase), gamesBase,
              oks, mb(end - oksRssAtBase), oksBase);
  return 0;
}
