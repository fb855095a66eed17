#include <vector>

#include "sound_pieces.h"

namespace kinopa::sound {
namespace {

// A sixteenth note at 120 beats a minute, in whole frames so that every bar,
// and the loop itself, is a whole number of frames.
constexpr int64_t kStep = 2756;
constexpr int kStepsPerBar = 16;
constexpr int kBars = 8;
constexpr int kRest = 0;

double stepsToSeconds(int steps) { return static_cast<double>(steps * kStep) / kRate; }

struct Note {
  int length;  // in sixteenths
  int midi;    // kRest for silence
};

// The tune in C major, two four-bar phrases over C G Am F | C G F G; each
// bar adds up to 16 sixteenths. The last bar breathes before the loop
// starts again on the E of the first.
const std::vector<std::vector<Note>> kMelody = {
    {{2, 76}, {2, 79}, {4, 84}, {2, 83}, {2, 79}, {4, 76}},
    {{2, 74}, {2, 79}, {4, 83}, {2, 81}, {2, 79}, {4, 74}},
    {{2, 72}, {2, 76}, {4, 81}, {2, 79}, {2, 76}, {2, 72}, {2, 76}},
    {{4, 77}, {2, 81}, {2, 79}, {2, 77}, {2, 76}, {4, 74}},
    {{2, 76}, {2, 79}, {4, 84}, {2, 86}, {2, 84}, {4, 79}},
    {{2, 83}, {2, 81}, {4, 79}, {2, 74}, {2, 79}, {4, 83}},
    {{2, 81}, {2, 84}, {2, 81}, {2, 77}, {2, 79}, {2, 81}, {4, 84}},
    {{4, 83}, {2, 81}, {2, 79}, {2, 77}, {2, 74}, {4, kRest}},
};

struct Chord {
  int root;      // bass root
  int tones[3];  // the off-beat chord, around middle C
};
constexpr Chord kC{48, {60, 64, 67}};
constexpr Chord kG{43, {59, 62, 67}};
constexpr Chord kAm{45, {57, 60, 64}};
constexpr Chord kF{41, {57, 60, 65}};
const Chord kChords[kBars] = {kC, kG, kAm, kF, kC, kG, kF, kG};

struct BassNote {
  int step;
  int length;
  int interval;  // above the bar's root
};
const std::vector<BassNote> kBassBar = {{0, 4, 0}, {6, 2, 0}, {8, 4, 7}, {12, 2, 12}, {14, 2, 7}};
// The last bar walks up G B D F B towards the C the loop starts on.
const std::vector<BassNote> kBassTurn = {{0, 4, 0}, {6, 2, 0}, {8, 2, 4}, {10, 2, 7}, {12, 2, 10},
                                         {14, 2, 4}};

int64_t at(int bar, int step) { return (static_cast<int64_t>(bar) * kStepsPerBar + step) * kStep; }

void addMelody(Track& lead) {
  for (int bar = 0; bar < kBars; ++bar) {
    int step = 0;
    for (const Note& note : kMelody[bar]) {
      if (note.midi != kRest) {
        // Notes on the beat ring a little brighter than those between.
        const float accent = step % 4 == 0 ? 1.0f : 0.85f;
        lead.add(at(bar, step), mallet(noteHz(note.midi), accent), 0.5f * accent, 0.1f);
      }
      step += note.length;
    }
  }
}

void addHarmony(Track& music) {
  for (int bar = 0; bar < kBars; ++bar) {
    const Chord& chord = kChords[bar];
    for (int step = 2; step < kStepsPerBar; step += 4) {
      for (int tone : chord.tones) {
        music.add(at(bar, step), softPluck(noteHz(tone), 0.08, 0.12), 0.09f, -0.35f);
      }
    }
    const auto& bass = bar == kBars - 1 ? kBassTurn : kBassBar;
    for (const BassNote& note : bass) {
      music.add(at(bar, note.step), bassNote(noteHz(chord.root + note.interval),
                                             stepsToSeconds(note.length) - 0.03),
                0.42f, 0.0f);
    }
  }
}

void addBeat(Track& music) {
  Noise noise(0x00C0FFEEu);
  const Mono kickSound = kick(1.0f);
  for (int bar = 0; bar < kBars; ++bar) {
    const bool turn = bar % 4 == 3;
    for (int step : {0, 8}) music.add(at(bar, step), kickSound, 0.5f, 0.0f);
    if (turn) music.add(at(bar, 10), kickSound, 0.3f, 0.0f);
    for (int step : {4, 12}) music.add(at(bar, step), snare(noise), 0.16f, 0.1f);
    if (bar == kBars - 1) {
      music.add(at(bar, 14), snare(noise), 0.07f, 0.1f);
      music.add(at(bar, 15), snare(noise), 0.1f, 0.1f);
    }
    for (int step = 0; step < kStepsPerBar; ++step) {
      const bool offBeat = step % 4 == 2;
      const bool eighth = step % 2 == 0;
      // The second phrase adds soft sixteenths to lift it a little.
      if (!eighth && bar < 4) continue;
      const float gain = offBeat ? 0.1f : (eighth ? 0.06f : 0.035f);
      music.add(at(bar, step), hat(noise, offBeat ? 0.05 : 0.025), gain, 0.35f);
    }
  }
}

}  // namespace

Track musicLoop() {
  const int64_t frames = at(kBars, 0);
  Track music(frames, true);
  Track lead(frames, true);
  addMelody(lead);
  // A soft echo a dotted eighth and then a dotted quarter behind, left and
  // right, wrapping round the loop like everything else.
  music.addDelayed(lead, 3 * kStep, 0.22f, -0.6f);
  music.addDelayed(lead, 6 * kStep, 0.1f, 0.6f);
  for (int64_t i = 0; i < frames; ++i) {
    music.left[i] += lead.left[i];
    music.right[i] += lead.right[i];
  }
  addHarmony(music);
  addBeat(music);
  return music;
}

}  // namespace kinopa::sound
