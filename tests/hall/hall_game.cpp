#include "hall/hall_game.h"

#include "core/random.h"
#include "play/headless_front.h"
#include "play/play_session.h"
#include "play/recorder.h"
#include "play/script_player.h"

namespace kinopa::testing_support {

std::string playHallGame(uint64_t seed, const HallPlay& how) {
  ScriptTick clock;
  clock.now = 5000;
  ClockSeededRandom platform(seed ^ 0x5eed);
  Recorder recorder;
  RecordedTick tick(clock, recorder);
  RecordedRandom random(platform, recorder);
  NoEvents pump;
  HeadlessFront front;
  PlaySession s(Services{tick, random, pump, Mode::script, &recorder}, front);
  s.startUp();
  s.loopStep();
  // A pass of the loop every 8 ms; the pointer follows the zarup, and
  // clicks that miss the melkit come every `missEvery` frames.
  const auto play = [&](int frames, int missEvery) {
    const Objects& o = s.game().objects;
    for (int i = 0; i < frames && s.game().paused == kClear; ++i) {
      clock.now += 8;
      s.mouseMove(0, 0, static_cast<float>(o.zarupX + 32 + i % 5), 540.5f);
      if (i % missEvery == missEvery / 2) s.mouseUp(1, 0, 20.5f, 300.0f);
      s.loopStep();
    }
  };
  if (how.framesBefore > 0) {
    s.startClicked();
    play(how.framesBefore, 97);
    if (s.game().paused == kClear) s.startClicked();  // Pause
    clock.now += 500;
    s.loopStep();
  }
  s.startHallGame(seed);
  play(how.pauseAfter > 0 ? how.pauseAfter : 100000, 1500);
  if (how.pauseAfter > 0) s.startClicked();
  clock.now += 8;
  s.loopStep();  // the idle pass after the game
  return recorder.gameText();
}

}  // namespace kinopa::testing_support
