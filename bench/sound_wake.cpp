// kinopa_sound_wake: how soon a sound is heard after Play, from each state
// the device rests in between sounds: running, paused once its buffers went
// out silent, and closed after a rest with no game. The time is from Play to
// the device's first mix of the sound (its position moves); a sound should
// never wait more than one device buffer, closed devices aside, which open
// first (a game opens the device at its Start, so its sounds never do).
//   usage: build/bin/kinopa_sound_wake [SOUNDS]   (SDL_AUDIODRIVER as set; dummy by default)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "platform/sound_device.h"
#include "platform/sound_mixer.h"

namespace {

using namespace kinopa;
using bench::Clock;

// Waits, polling, until `done` or a few seconds went by.
template <class F>
bool waitFor(F done) {
  const auto until = Clock::now() + std::chrono::seconds(3);
  while (!done()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(50));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int sounds = argc > 1 ? std::atoi(argv[1]) : 50;
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  DirectSound ds;
  const std::shared_ptr<SoundMixer> mixer = SoundMixer::shared();
  SoundBufferDesc desc{};
  WaveFormat format{};
  auto sound = ds.CreateSoundBufferFromFile(KINOPA_WAVE_DIR "/melkitmiss.wav", desc, format);
  const double bufferMs = 1000.0 * mixer->bufferFrames() / mixer->frequency();

  struct Rest {
    const char* name;
    SoundMixer::State state;
  };
  int failed = 0;
  for (const Rest rest : {Rest{"running", SoundMixer::State::running},
                          Rest{"paused", SoundMixer::State::paused},
                          Rest{"closed", SoundMixer::State::closed}}) {
    std::vector<double> waits;
    for (int i = 0; i < sounds; ++i) {
      sound->Play(0);  // the sound before
      if (!waitFor([&] { return !sound->isPlaying(); })) return 1;
      if (rest.state != SoundMixer::State::running &&
          !waitFor([&] {
            (void)mixer->tend(false);
            return mixer->state() == SoundMixer::State::paused;
          }))
        return 1;
      if (rest.state == SoundMixer::State::closed)
        (void)mixer->tend(false, Clock::now() + SoundMixer::kRestBeforeClosing);
      if (mixer->state() != rest.state) {
        ++failed;
        continue;
      }
      // A moment apart from the device's own rhythm, as events come.
      std::this_thread::sleep_for(std::chrono::microseconds(1000 + 997 * (i % 11)));
      const Clock::time_point played = Clock::now();
      sound->Play(0);
      if (!waitFor([&] { return sound->framePosition() > 0 || !sound->isPlaying(); })) return 1;
      waits.push_back(bench::ms(Clock::now() - played));
    }
    std::printf("Play to the first mix, device %s: median %.2f ms, max %.2f ms (%zu sounds)\n",
                rest.name, bench::quantile(waits, 0.5), bench::quantile(waits, 1.0), waits.size());
  }
  std::printf("one device buffer: %.1f ms; rests not reached: %d\n", bufferMs, failed);
  return failed == 0 ? 0 : 1;
}
