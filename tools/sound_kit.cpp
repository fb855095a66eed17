#include "sound_kit.h"

#include <algorithm>
#include <cmath>

namespace kinopa::sound {
namespace {

// Partials above this are left out, well below the 11025 Hz limit of the
// files, so nothing folds back as a false tone.
constexpr double kTopHz = 9500.0;

// Frames an exponential decay with time constant `decay` needs to fall by
// 60 dB, capped so a long ring stays a sensible length.
int64_t ringFrames(double decay, double cap) {
  return framesOf(std::min(decay * 6.9, cap));
}

// Gain of a note held for `hold` seconds and then released over `release`.
float releaseGain(double t, double hold, double release) {
  if (t <= hold) return 1.0f;
  if (t >= hold + release) return 0.0f;
  return static_cast<float>(0.5 + 0.5 * std::cos(kPi * (t - hold) / release));
}

struct Partial {
  double ratio;
  double amplitude;
  double decay;
};

Mono additive(double hz, const Partial* partials, int count, double attack, int64_t frames) {
  Mono out(static_cast<size_t>(frames), 0.0f);
  for (int p = 0; p < count; ++p) {
    const double f = hz * partials[p].ratio;
    if (f >= kTopHz) continue;
    const double step = 2.0 * kPi * f / kRate;
    for (int64_t i = 0; i < frames; ++i) {
      const double t = static_cast<double>(i) / kRate;
      out[i] += static_cast<float>(partials[p].amplitude * std::exp(-t / partials[p].decay) *
                                   std::sin(step * static_cast<double>(i)));
    }
  }
  for (int64_t i = 0; i < frames; ++i) out[i] *= attackGain(static_cast<double>(i) / kRate, attack);
  return out;
}

}  // namespace

double noteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

int64_t framesOf(double seconds) { return static_cast<int64_t>(std::lround(seconds * kRate)); }

Track::Track(int64_t frames, bool circular)
    : left(static_cast<size_t>(frames), 0.0f),
      right(static_cast<size_t>(frames), 0.0f),
      circular(circular) {}

void Track::add(int64_t start, const Mono& sound, float gain, float pan) {
  const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * kPi / 4.0;
  const float gl = gain * static_cast<float>(std::cos(angle) * std::sqrt(2.0));
  const float gr = gain * static_cast<float>(std::sin(angle) * std::sqrt(2.0));
  const int64_t n = frames();
  for (size_t i = 0; i < sound.size(); ++i) {
    int64_t at = start + static_cast<int64_t>(i);
    if (circular) {
      at %= n;
    } else if (at >= n) {
      break;
    }
    left[at] += gl * sound[i];
    right[at] += gr * sound[i];
  }
}

void Track::addDelayed(const Track& other, int64_t delay, float gain, float pan) {
  Mono mono(other.left.size());
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5f * (other.left[i] + other.right[i]);
  add(delay, mono, gain, pan);
}

float Track::peak() const {
  float p = 0.0f;
  for (size_t i = 0; i < left.size(); ++i) p = std::max({p, std::fabs(left[i]), std::fabs(right[i])});
  return p;
}

float Noise::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ / 2147483648.0 - 1.0);
}

namespace {
struct Cookbook {
  double cosw, alpha;
  Cookbook(double hz, double q) {
    const double w = 2.0 * kPi * hz / kRate;
    cosw = std::cos(w);
    alpha = std::sin(w) / (2.0 * q);
  }
};
}  // namespace

Biquad Biquad::lowPass(double hz, double q) {
  const Cookbook c(hz, q);
  const double a0 = 1.0 + c.alpha;
  Biquad f;
  f.b0_ = (1.0 - c.cosw) / 2.0 / a0;
  f.b1_ = (1.0 - c.cosw) / a0;
  f.b2_ = f.b0_;
  f.a1_ = -2.0 * c.cosw / a0;
  f.a2_ = (1.0 - c.alpha) / a0;
  return f;
}

Biquad Biquad::highPass(double hz, double q) {
  const Cookbook c(hz, q);
  const double a0 = 1.0 + c.alpha;
  Biquad f;
  f.b0_ = (1.0 + c.cosw) / 2.0 / a0;
  f.b1_ = -(1.0 + c.cosw) / a0;
  f.b2_ = f.b0_;
  f.a1_ = -2.0 * c.cosw / a0;
  f.a2_ = (1.0 - c.alpha) / a0;
  return f;
}

Biquad Biquad::bandPass(double hz, double q) {
  const Cookbook c(hz, q);
  const double a0 = 1.0 + c.alpha;
  Biquad f;
  f.b0_ = c.alpha / a0;
  f.b1_ = 0.0;
  f.b2_ = -c.alpha / a0;
  f.a1_ = -2.0 * c.cosw / a0;
  f.a2_ = (1.0 - c.alpha) / a0;
  return f;
}

float Biquad::run(float x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return static_cast<float>(y);
}

float attackGain(double t, double attack) {
  if (t >= attack) return 1.0f;
  return static_cast<float>(0.5 - 0.5 * std::cos(kPi * t / attack));
}

Mono mallet(double hz, float brightness) {
  const double decay = std::clamp(0.32 * std::sqrt(440.0 / hz), 0.12, 0.8);
  const Partial partials[] = {
      {1.0, 1.0, decay},
      {3.93, 0.22 * brightness, decay * 0.14},
      {9.4, 0.06 * brightness, 0.012},
  };
  return additive(hz, partials, 3, 0.0015, ringFrames(decay, 3.0));
}

Mono chime(double hz, double decay) {
  const Partial partials[] = {
      {1.0, 1.0, decay},
      {2.0, 0.45, decay * 0.5},
      {3.0, 0.22, decay * 0.3},
      {4.2, 0.12, decay * 0.2},
  };
  return additive(hz, partials, 4, 0.001, ringFrames(decay, 2.0));
}

Mono softPluck(double hz, double hold, double decay) {
  constexpr double kRelease = 0.03;
  const int64_t frames = std::min(ringFrames(decay, 2.0), framesOf(hold + kRelease));
  Mono out(static_cast<size_t>(frames));
  const double step = 2.0 * kPi * hz / kRate;
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double phase = step * static_cast<double>(i);
    const double index = 0.4 + 1.2 * std::exp(-t / 0.04);
    out[i] = static_cast<float>(std::sin(phase + index * std::sin(phase)) * std::exp(-t / decay)) *
             attackGain(t, 0.002) * releaseGain(t, hold, kRelease);
  }
  return out;
}

Mono bassNote(double hz, double hold) {
  constexpr double kRelease = 0.04;
  const int64_t frames = framesOf(hold + kRelease);
  Mono out(static_cast<size_t>(frames));
  const double step = 2.0 * kPi * hz / kRate;
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double phase = step * static_cast<double>(i);
    const double tone = std::sin(phase) + 0.3 * std::exp(-t / 0.12) * std::sin(2.0 * phase) +
                        0.08 * std::sin(3.0 * phase);
    out[i] = static_cast<float>(tone * std::exp(-t / 0.6)) * attackGain(t, 0.004) *
             releaseGain(t, hold, kRelease);
  }
  return out;
}

Mono kick(float punch) {
  const int64_t frames = framesOf(0.4);
  Mono out(static_cast<size_t>(frames));
  double phase = 0.0;
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double hz = 48.0 + 80.0 * std::exp(-t / 0.035);
    phase += 2.0 * kPi * hz / kRate;
    const double body = std::sin(phase) * std::exp(-t / 0.13);
    const double click = punch * 0.25 * std::sin(2.0 * phase) * std::exp(-t / 0.012);
    out[i] = static_cast<float>(body + click) * attackGain(t, 0.001);
  }
  return out;
}

Mono snare(Noise& noise) {
  const int64_t frames = framesOf(0.3);
  Mono out(static_cast<size_t>(frames));
  Biquad band = Biquad::bandPass(1800.0, 0.7);
  const double step = 2.0 * kPi * 185.0 / kRate;
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double rattle = band.run(noise.next()) * 1.6 * std::exp(-t / 0.06);
    const double body = 0.5 * std::sin(step * static_cast<double>(i)) * std::exp(-t / 0.04);
    out[i] = static_cast<float>(rattle + body) * attackGain(t, 0.001);
  }
  return out;
}

Mono hat(Noise& noise, double decay) {
  const int64_t frames = ringFrames(decay, 0.3);
  Mono out(static_cast<size_t>(frames));
  Biquad high = Biquad::highPass(7000.0, 0.7);
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    out[i] = high.run(noise.next()) * static_cast<float>(std::exp(-t / decay)) *
             attackGain(t, 0.0005);
  }
  return out;
}

Mono glide(double fromHz, double toHz, double glide, double seconds, double decay,
           float second, float third) {
  constexpr double kGlideRelease = 0.008;  // ends at zero, without a click
  const int64_t frames = framesOf(seconds);
  Mono out(static_cast<size_t>(frames));
  double phase = 0.0;
  for (int64_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double hz = fromHz * std::pow(toHz / fromHz, std::min(t, glide) / glide);
    phase += 2.0 * kPi * hz / kRate;
    double tone = std::sin(phase);
    if (2.0 * hz < kTopHz) tone += second * std::sin(2.0 * phase);
    if (3.0 * hz < kTopHz) tone += third * std::sin(3.0 * phase);
    out[i] = static_cast<float>(tone * std::exp(-t / decay)) * attackGain(t, 0.003) *
             releaseGain(t, seconds - kGlideRelease, kGlideRelease);
  }
  return out;
}

}  // namespace kinopa::sound
