#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <functional>

#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "play/script_player.h"
#include "fakes.h"
#include "core/program_folder.h"
#include "sequence_random.h"

namespace kinopa {
namespace {

// Whole games through the real main window, off screen, with the clock and
// the mouse driven frame by frame at 8 ms a frame.
class WholeGame : public testing::Test {
 protected:
  WholeGame() {
    overrideProgramFolder(KINOPA_BIN_DIR);
    w.session().startUp();
  }
  ~WholeGame() override { overrideProgramFolder(""); }

  // A real pointer move over the play field.
  void pointerAt(double x, double y) {
    const QPointF p(x, y);
    QMouseEvent move(QEvent::MouseMove, p, w.field().mapToGlobal(p), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w.field(), &move);
  }
  // Plays one game from the start button to its end; returns the frames.
  int play(const std::function<void()>& beforeEachFrame) {
    control<QPushButton>(w, "gamestart")->click();
    w.session().rules().prevTick = tick.now;
    int frames = 0;
    while (w.session().rules().paused == kClear && frames < 10000) {
      beforeEachFrame();
      tick.now += 8;
      w.session().rules().game();
      w.session().rules().raiseHighScore();
      ++frames;
    }
    return frames;
  }

  testing_support::ScriptedTick tick;
  SequenceRandom random{{0.3, 0.6, 0.45, 0.2, 0.7, 0.1, 0.9, 0.35}};
  NoEvents pump;
  ShownSession shown{Services{tick, random, pump, Mode::script}};
  DrawW& w = shown.window;
};

TEST_F(WholeGame, APlayerUnderTheZarupCatchesItAgainAndAgain) {
  const int frames = play([&] { pointerAt(w.session().rules().objects.zarupX + 32, 540); });
  // Never a fall, so the whole 30000 ms are played, 8 ms a frame.
  EXPECT_EQ(frames, 30000 / 8);
  EXPECT_EQ(control<QLabel>(w, "Label6")->text(), "0");
  EXPECT_EQ(control<QPushButton>(w, "gamestart")->text(), "Restart");
  // A round trip from the top to the tovrin and back takes about 1.8 s.
  EXPECT_GE(w.session().rules().score, 16);
  EXPECT_EQ(w.session().rules().highScore, w.session().rules().score);
  EXPECT_EQ(control<QLabel>(w, "Label8")->text(), QString::number(w.session().rules().score));
  EXPECT_EQ(w.session().rules().popupActive, (std::array<int16_t, 7>{}));
}

TEST_F(WholeGame, APlayerStandingStillLosesTimeToFallsAndTheGameEndsEarly) {
  pointerAt(380, 540);  // the tovrin stays in the far corner
  int falls = 0;
  double lastRemaining = 30000;
  const int frames = play([&] {
    // A frame takes 8 ms; a fall takes a share of what is left.
    if (lastRemaining - w.session().rules().remainingTime > 8) ++falls;
    lastRemaining = w.session().rules().remainingTime;
  });
  // Falling from the top takes about 0.95 s and every fall after that about
  // 1.9 s, each leaving 89 % of the time: about nine falls, and the game is
  // over after some 17 s of play instead of 30.
  EXPECT_GE(falls, 8);
  EXPECT_LT(frames, 18000 / 8);
  EXPECT_EQ(control<QPushButton>(w, "gamestart")->text(), "Restart");
}

// The source pixel that destination pixel i of the squeezed picture shows.
int sourceOf(int i, int from, int to) { return (2 * i + 1) * from / (2 * to); }

TEST_F(WholeGame, ThePresentedFrameShowsTheSpritesWhereTheirPositionsSay) {
  pointerAt(150, 540);
  int frames = 0;
  play([&] {
    if (++frames == 200) w.session().rules().gamestart_Click();  // Pause after 200 frames
  });
  const QImage shown = w.field().lastFrame();
  ASSERT_EQ(shown.size(), QSize(399, 599));
  const Surface& zarupSheet = *w.session().surfaces().zarupSurface;
  const Surface& tovrinSheet = *w.session().surfaces().tovrinSurface;
  const auto& o = w.session().rules().objects;
  const int zx = static_cast<int>(std::nearbyint(o.zarupX));
  const int zy = static_cast<int>(std::nearbyint(o.zarupY));
  const int zcell = static_cast<int>(o.zarupFrame);
  int checked = 0;
  for (int y = 0; y < 599; ++y) {
    for (int x = 0; x < 399; ++x) {
      const int sx = sourceOf(x, 400, 399), sy = sourceOf(y, 600, 599);
      // Zarup pixels that are not white, and not covered by the melkit.
      const int cx = sx - zx, cy = sy - zy;
      if (cx >= 0 && cx < 63 && cy >= 0 && cy < 54) {
        const uint32_t px = zarupSheet.pixel(64 * zcell + cx, cy);
        if (px != 0xffffffffu && std::fabs(o.melkitY - o.zarupY) > 60) {
          ASSERT_EQ(shown.pixel(x, y), px) << x << "," << y;
          ++checked;
        }
      }
      // The tovrin, drawn last, at its own place with its top at 500.
      const int tx = sx - w.session().rules().tovrinX, ty = sy - 500;
      if (tx >= 0 && tx < 83 && ty >= 0 && ty < 59) {
        const uint32_t px = tovrinSheet.pixel(84 * (o.tovrinFrame + (w.session().rules().zarupCaught ? 1 : 0)) + tx, ty);
        if (px != 0xffffffffu) {
          ASSERT_EQ(shown.pixel(x, y), px) << x << "," << y;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

// Only what changed is put on the screen each frame; the screen must still
// show every frame whole, also after the field was painted over in between.
TEST_F(WholeGame, TheScreenShowsEveryFrameWhole) {
  QCoreApplication::processEvents();  // the window painted: the frames reach its buffer
  const QPoint field = w.field().mapTo(&w, QPoint(0, 0));
  int frames = 0, compared = 0;
  play([&] {
    ++frames;
    pointerAt(20 + (frames * 7) % 360, 540);
    if (frames > 1 && (frames % 50 == 1 || frames % 23 == 0)) {  // the frame before this one
      const QImage screen = QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage();
      ASSERT_EQ(screen.copy(QRect(field, QSize(399, 599))).convertToFormat(QImage::Format_RGB32),
                w.field().lastFrame())
          << "frame " << frames - 1;
      ++compared;
    }
    if (frames % 50 == 0) w.field().repaint();  // its own picture, then frames again
  });
  EXPECT_GT(compared, 20);
}

}  // namespace
}  // namespace kinopa
