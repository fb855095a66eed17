#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QGuiApplication>
#include <QScreen>
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

// A whole game through the real main window, off screen, with the clock and
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
    while (w.session().phase() == Phase::running && frames < 10000) {
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
