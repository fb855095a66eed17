#include <cmath>

#include "sound_pieces.h"

namespace kinopa::sound {

Track catchSound() {
  Track track(framesOf(0.5), false);
  // C6 then G6, a fifth up, with a faint sparkle an octave above that.
  track.add(0, chime(noteHz(84), 0.14), 0.8f, -0.1f);
  track.add(framesOf(0.07), chime(noteHz(91), 0.15), 0.9f, 0.1f);
  track.add(framesOf(0.07), chime(noteHz(103), 0.06), 0.15f, 0.2f);
  return track;
}

Track fallSound() {
  Track track(framesOf(0.48), false);
  // The landing: a soft low knock with a little dust of filtered noise.
  track.add(0, kick(0.4f), 0.9f, 0.0f);
  Noise noise(0x5EED0F01u);
  Biquad low = Biquad::lowPass(500.0, 0.7);
  Mono dust(static_cast<size_t>(framesOf(0.09)));
  for (size_t i = 0; i < dust.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    dust[i] = low.run(noise.next()) * static_cast<float>(std::exp(-t / 0.025));
  }
  track.add(0, dust, 0.8f, 0.0f);
  // The loss: a muted tone sinking from G3 to C3.
  track.add(framesOf(0.02), glide(noteHz(55), noteHz(48), 0.3, 0.46, 0.18, 0.35f, 0.12f), 0.55f,
            0.0f);
  return track;
}

Track hitSound() {
  Track track(framesOf(0.32), false);
  // A little upward pop, then G5, C6, E6 in quick steps.
  track.add(0, glide(500.0, 1400.0, 0.035, 0.05, 0.02, 0.0f, 0.0f), 0.35f, 0.0f);
  const int notes[] = {79, 84, 88};
  for (int n = 0; n < 3; ++n) {
    const bool last = n == 2;
    track.add(framesOf(0.02 + 0.045 * n), softPluck(noteHz(notes[n]), last ? 0.25 : 0.06, 0.09),
              0.55f, -0.25f + 0.25f * n);
  }
  track.add(framesOf(0.11), chime(noteHz(100), 0.05), 0.12f, 0.3f);
  return track;
}

Track missSound() {
  Track track(framesOf(0.16), false);
  // A soft hollow "bup" falling a fourth, quieter than the other effects.
  track.add(0, glide(noteHz(64), noteHz(59), 0.08, 0.16, 0.05, 0.25f, 0.1f), 1.0f, 0.0f);
  return track;
}

}  // namespace kinopa::sound
