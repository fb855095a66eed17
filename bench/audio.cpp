// kinopa_audio: the sound device's figures.
// 1. How soon a sound is heard after Play, from each state the device rests
//    in between sounds: running, paused once its buffers went out silent,
//    and closed after a rest with no game. The time is from Play to the
//    device's first mix of the sound (its position moves); a sound should
//    never wait more than one device buffer (a game opens a closed device at
//    its Start, so its sounds never find it closed).
// 2. Mixing over a whole game played by the rules, the pointer after the
//    zarup and the melkit clicked right after each catch, so that catches,
//    hits and falls sound together: the samples the sum of
//    the sounds would have clipped, and those the mix clipped (0 wanted);
//    and each sound alone comes out exactly as it went in.
//   usage: build/bin/kinopa_audio [SOUNDS]   (SDL_AUDIODRIVER as set; dummy by default)
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

#include "bench_support.h"
#include "game/game.h"
#include "game/nothing_shown.h"
#include "sdl/sdl_sound.h"
#include "sdl/sound_mixer.h"
#include "sdl/sound_wave_file.h"

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

int wakeFigures(const std::shared_ptr<SoundBuffer>& sound, int sounds) {
  const std::shared_ptr<SoundMixer> mixer = SoundMixer::shared();
  Voices& voices = mixer->voices();
  struct Rest {
    const char* name;
    Voices::State state;
  };
  int failed = 0;
  for (const Rest rest : {Rest{"running", Voices::State::running},
                          Rest{"paused", Voices::State::paused},
                          Rest{"closed", Voices::State::closed}}) {
    std::vector<double> waits;
    for (int i = 0; i < sounds; ++i) {
      sound->Play(0);  // the sound before
      if (!waitFor([&] { return !sound->isPlaying(); })) return -1;
      if (rest.state != Voices::State::running &&
          !waitFor([&] {
            (void)voices.tend(false, Clock::now());
            return voices.state() == Voices::State::paused;
          }))
        return -1;
      if (rest.state == Voices::State::closed)
        (void)voices.tend(false, Clock::now() + Voices::kRestBeforeClosing);
      if (voices.state() != rest.state) {
        ++failed;
        continue;
      }
      // A moment apart from the device's own rhythm, as events come.
      std::this_thread::sleep_for(std::chrono::microseconds(1000 + 997 * (i % 11)));
      const Clock::time_point played = Clock::now();
      sound->Play(0);
      if (!waitFor([&] { return sound->framePosition() > 0 || !sound->isPlaying(); })) return -1;
      waits.push_back(bench::ms(Clock::now() - played));
    }
    std::printf("Play to the first mix, device %s: median %.2f ms, max %.2f ms (%zu sounds)\n",
                rest.name, bench::quantile(waits, 0.5), bench::quantile(waits, 1.0), waits.size());
  }
  std::printf("one device buffer: %.1f ms; rests not reached: %d\n",
              1000.0 * mixer->bufferFrames() / mixer->frequency(), failed);
  return failed;
}

// The rules with nothing to draw on; the sounds they ask for, with their
// times on the game's clock.
class Listening : public NothingShown {
 public:
  struct Cue {
    int32_t ms;
    Sound sound;
  };
  std::vector<Cue> cues;
  const int32_t* now = nullptr;
  void restart(Sound s) override { cues.push_back({*now, s}); }
};

class GameClock : public TickCounter {
 public:
  int32_t now = 1000;
  int32_t GetTickCount() override { return now; }
};

class Dice : public RandomSource {
 public:
  double Rnd() override {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<double>(state_ >> 11) / 9007199254740992.0;
  }

 private:
  uint64_t state_ = 20261207;
};

// A whole game's sounds: when each effect starts, in ms from the Start.
std::vector<Listening::Cue> playOneGame() {
  Listening world;
  GameClock clock;
  Dice dice;
  world.now = &clock.now;
  Game g(world, world, world, clock, dice);
  g.setFixedNumbers();
  g.paused = kSet;
  g.gameinit();
  g.prevTick = clock.now;
  g.gamestart_Click();
  const int32_t start = clock.now;
  // Under the zarup; right after each catch, over the melkit for a frame and
  // a click on it, so that the hit sounds while the catch still does.
  int afterCatch = 0;
  while (g.paused == kClear) {
    const float melkitX = static_cast<float>(g.objects.melkitX + 50);
    const float melkitY = static_cast<float>(g.objects.melkitY + 20);
    if (afterCatch == 2) g.Picture1_MouseUp(1, 0, melkitX, melkitY);
    if (afterCatch == 1) {
      g.Picture1_MouseMove(0, 0, melkitX, melkitY);
    } else {
      g.Picture1_MouseMove(0, 0, static_cast<float>(g.objects.zarupX + 32), 540);
    }
    afterCatch = afterCatch > 0 ? (afterCatch + 1) % 3 : 0;
    const std::size_t before = world.cues.size();
    clock.now += 8;
    g.game();
    for (std::size_t i = before; i < world.cues.size(); ++i)
      if (world.cues[i].sound == Sound::zarupOk) afterCatch = 1;
  }
  for (Listening::Cue& c : world.cues) c.ms -= start;
  return world.cues;
}

// Voices with no device behind them: mixed here, by hand.
class OnPaper : public VoiceOutput {
 public:
  int frequency() const override { return SoundMixer::kFrequency; }
  int bufferFrames() const override { return SoundMixer::kBufferFrames; }
  int silentBuffersBeforePause() const override { return 2; }
  void open() override {}
  void resume() override {}
  void pause() override {}
  void close() override {}
};

void mixFigures() {
  // The music plays throughout, as it does with its 無 box clear.
  const char* files[] = {"music.wav", "zarupok.wav", "zarupfall.wav", "melkitok.wav",
                         "melkitmiss.wav"};
  constexpr int kRate = SoundMixer::kFrequency, kChannels = SoundMixer::kChannels;
  // Each effect in the device's format, through the game's own loader, and
  // two buffers of it: one in the mix of all, one alone.
  OnPaper paper;
  const auto all = std::make_shared<Voices>(paper);
  std::array<std::shared_ptr<Voices>, 5> alone;
  std::array<std::shared_ptr<SoundBuffer>, 5> together, heardAlone;
  std::vector<DeviceSound> sounds;
  for (std::size_t i = 0; i < 5; ++i) {
    sounds.push_back(readWaveFile(std::string(KINOPA_WAVE_DIR "/") + files[i], kRate, kChannels,
                                  "bench", "load"));
    alone[i] = std::make_shared<Voices>(paper);
    together[i] = makeVoiceBuffer(all, sounds[i]);
    heardAlone[i] = makeVoiceBuffer(alone[i], sounds[i]);
  }
  together[0]->Play(DSBPLAY_LOOPING);
  heardAlone[0]->Play(DSBPLAY_LOOPING);

  const std::vector<Listening::Cue> cues = playOneGame();
  const int64_t total = (cues.empty() ? 0 : int64_t{cues.back().ms} * kRate / 1000) + kRate;
  std::vector<int16_t> mixed(static_cast<std::size_t>(kChannels) * 512);
  std::array<std::vector<int16_t>, 5> each;
  for (auto& e : each) e.resize(mixed.size());
  long wouldClip = 0, clipped = 0, changedAlone = 0, overlaps = 0;
  std::size_t next = 0;
  for (int64_t at = 0; at < total - kRate;) {
    // Every cue due by now starts its sound over (stop, rewind, play).
    while (next < cues.size() && int64_t{cues[next].ms} * kRate / 1000 <= at) {
      const auto i = static_cast<std::size_t>(cues[next].sound);
      for (SoundBuffer* b : {together[i].get(), heardAlone[i].get()}) {
        b->Stop();
        b->SetCurrentPosition(0);
        b->Play(0);
      }
      ++next;
    }
    const int64_t until = next < cues.size() ? int64_t{cues[next].ms} * kRate / 1000 : total;
    const int frames = static_cast<int>(std::clamp<int64_t>(until - at, 1, 512));
    int playing = 0;
    for (std::size_t i = 1; i < together.size(); ++i) playing += together[i]->isPlaying();
    overlaps += playing > 1 ? frames : 0;
    all->mix(mixed.data(), frames, kChannels);
    for (std::size_t i = 0; i < alone.size(); ++i) {
      const int64_t from = heardAlone[i]->framePosition();
      const bool was = heardAlone[i]->isPlaying();
      alone[i]->mix(each[i].data(), frames, kChannels);
      // Alone, a sound comes out as it went in.
      const auto& in = sounds[i].samples;
      const int64_t played = heardAlone[i]->isLooping() ? frames : std::min<int64_t>(frames, sounds[i].frames - from);
      for (int k = 0; was && k < played * kChannels; ++k) {
        const auto source = static_cast<std::size_t>((from * kChannels + k) % int64_t(in.size()));
        changedAlone += each[i][static_cast<std::size_t>(k)] != in[source];
      }
    }
    for (int k = 0; k < frames * kChannels; ++k) {
      int32_t sum = 0;
      for (const auto& e : each) sum += e[static_cast<std::size_t>(k)];
      wouldClip += sum > 32767 || sum < -32768;
      clipped += mixed[static_cast<std::size_t>(k)] >= 32767 || mixed[static_cast<std::size_t>(k)] <= -32768;
    }
    at += frames;
  }
  std::printf("a game's %zu effects over its music, %.1f s of two effects at once: %ld samples the plain sum would "
              "clip, %ld clipped in the mix; samples of a sound alone changed: %ld\n",
              cues.size(), static_cast<double>(overlaps) / kRate, wouldClip, clipped, changedAlone);
}

}  // namespace

int main(int argc, char** argv) {
  const int sounds = argc > 1 ? std::atoi(argv[1]) : 50;
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SdlSound ds;
  auto sound = ds.CreateSoundBufferFromFile(KINOPA_WAVE_DIR "/melkitmiss.wav");
  const int failed = wakeFigures(sound, sounds);
  mixFigures();
  return failed == 0 ? 0 : 1;
}
