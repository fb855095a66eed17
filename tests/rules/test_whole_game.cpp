// Whole games through a play session with no window system, the clock and
// the pointer driven frame by frame at 8 ms a frame.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "fakes.h"
#include "play/headless_front.h"
#include "play/play_session.h"
#include "play/script_player.h"
#include "sequence_random.h"

namespace kinopa {
namespace {

class WholeGame : public testing::Test {
 protected:
  WholeGame() { session.startUp(); }

  void pointerAt(double x, double y) {
    session.mouseMove(0, 0, static_cast<float>(x), static_cast<float>(y));
  }
  // Plays one game from the start button to its end; returns the frames.
  int play(const std::function<void()>& beforeEachFrame) {
    session.startClicked();
    Game& g = session.rules();
    g.prevTick = tick.now;
    int frames = 0;
    while (session.phase() == Phase::running && frames < 10000) {
      beforeEachFrame();
      tick.now += 8;
      g.game();
      g.raiseHighScore();
      ++frames;
    }
    return frames;
  }

  testing_support::ScriptedTick tick;
  SequenceRandom random{{0.3, 0.6, 0.45, 0.2, 0.7, 0.1, 0.9, 0.35}};
  NoEvents pump;
  HeadlessFront front;
  PlaySession session{Services{tick, random, pump, Mode::script}, front};
  const Game& g = session.game();
};

TEST_F(WholeGame, APlayerUnderTheZarupCatchesItAgainAndAgain) {
  const int frames = play([&] { pointerAt(g.objects.zarupX + 32, 540); });
  // Never a fall, so the whole 30000 ms are played, 8 ms a frame.
  EXPECT_EQ(frames, 30000 / 8);
  EXPECT_EQ(session.caption(Control::Label6), "0");
  EXPECT_EQ(session.caption(Control::gamestart), "Restart");
  // A round trip from the top to the tovrin and back takes about 1.8 s.
  EXPECT_GE(g.score, 16);
  EXPECT_EQ(g.highScore, g.score);
  EXPECT_EQ(session.caption(Control::Label8), std::to_string(g.score));
  EXPECT_EQ(g.popupActive, (std::array<int16_t, 7>{}));
}

// The source pixel that destination pixel i of the squeezed picture shows.
int sourceOf(int i, int from, int to) { return (2 * i + 1) * from / (2 * to); }

TEST_F(WholeGame, ThePresentedFrameShowsTheSpritesWhereTheirPositionsSay) {
  pointerAt(150, 540);
  int frames = 0;
  play([&] {
    if (++frames == 200) session.startClicked();  // Pause after 200 frames
  });
  const Picture& shown = front.fieldPicture();
  ASSERT_EQ(shown.width, 399);
  ASSERT_EQ(shown.height, 599);
  const auto at = [&](int x, int y) { return shown.pixels[static_cast<std::size_t>(y * 399 + x)]; };
  const Surface& zarupSheet = *session.surfaces().zarupSurface;
  const Surface& tovrinSheet = *session.surfaces().tovrinSurface;
  const auto& o = g.objects;
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
          ASSERT_EQ(at(x, y), px) << x << "," << y;
          ++checked;
        }
      }
      // The tovrin, drawn last, at its own place with its top at 500.
      const int tx = sx - g.tovrinX, ty = sy - 500;
      if (tx >= 0 && tx < 83 && ty >= 0 && ty < 59) {
        const uint32_t px = tovrinSheet.pixel(84 * (o.tovrinFrame + (g.zarupCaught ? 1 : 0)) + tx, ty);
        if (px != 0xffffffffu) {
          ASSERT_EQ(at(x, y), px) << x << "," << y;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

}  // namespace
}  // namespace kinopa
