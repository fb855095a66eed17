#pragma once
// Building blocks for the game's synthesised sounds: a stereo track to mix
// notes into, simple voices with their envelopes, a fixed-seed noise source
// and a two-pole filter. Everything is deterministic.
#include <cstdint>
#include <vector>

namespace kinopa::sound {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Mono = std::vector<float>;

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double noteHz(int midi);

int64_t framesOf(double seconds);

// A stereo mix. A circular track wraps whatever runs past its end round to
// its start, so a loop rendered into it has no seam; otherwise the overhang
// is dropped.
struct Track {
  Track(int64_t frames, bool circular);
  std::vector<float> left;
  std::vector<float> right;
  bool circular;

  int64_t frames() const { return static_cast<int64_t>(left.size()); }
  // Adds `sound` from frame `start`, panned between -1 (left) and 1 (right)
  // with constant power.
  void add(int64_t start, const Mono& sound, float gain, float pan);
  // Adds `other` delayed by `delay` frames (wrapping when circular).
  void addDelayed(const Track& other, int64_t delay, float gain, float pan);
  float peak() const;
};

// Noise in [-1, 1) from a 32-bit xorshift generator with a fixed seed.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 1u) {}
  float next();

 private:
  uint32_t state_;
};

// Two-pole filter with the usual audio cookbook coefficients.
class Biquad {
 public:
  static Biquad lowPass(double hz, double q);
  static Biquad highPass(double hz, double q);
  static Biquad bandPass(double hz, double q);
  float run(float x);

 private:
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A smooth attack from 0 to 1 over `attack` seconds (raised cosine).
float attackGain(double t, double attack);

// A note of a mallet instrument (marimba-like): a round fundamental and a
// short, bright strike partial. Rings out by itself.
Mono mallet(double hz, float brightness);
// A glassy chime: harmonic partials that fade from the top down.
Mono chime(double hz, double decay);
// A soft, slightly hollow plucked tone (gentle FM, a chiptune flavour),
// `hold` seconds long before a quick release.
Mono softPluck(double hz, double hold, double decay);
// A round bass note of `hold` seconds.
Mono bassNote(double hz, double hold);
// Drums: a soft low kick, a light snare and a closed hi-hat.
Mono kick(float punch);
Mono snare(Noise& noise);
Mono hat(Noise& noise, double decay);

// A sine whose pitch glides exponentially from `fromHz` to `toHz` over
// `glide` seconds, with harmonics at 2 and 3 times the pitch.
Mono glide(double fromHz, double toHz, double glide, double seconds, double decay,
           float second, float third);

}  // namespace kinopa::sound
