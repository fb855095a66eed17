// Synthesises the game's wave files: four effects and the music loop, all
// 16-bit stereo PCM at 22050 Hz.
#include <QDir>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "assetgen.h"
#include "sound_pieces.h"
#include "wav_writer.h"

namespace kinopa::sound {
namespace {

constexpr double kFadeIn = 0.004;
constexpr double kFadeOut = 0.025;

struct Piece {
  const char* file;
  Track (*make)();
  double peakDb;   // level of the loudest sample, in dB below full scale
  bool fadeEnds;   // effects start and end in silence; the loop must not
};

// The effects sit a little above the music so they stand out over it; the
// miss is meant to be small.
const Piece kPieces[] = {
    {"zarupok.wav", &catchSound, -4.0, true},
    {"zarupfall.wav", &fallSound, -4.0, true},
    {"melkitok.wav", &hitSound, -4.5, true},
    {"melkitmiss.wav", &missSound, -9.0, true},
    {"music.wav", &musicLoop, -6.0, false},
};

void fadeEnds(Track& track) {
  const int64_t frames = track.frames();
  const int64_t in = std::min(framesOf(kFadeIn), frames);
  const int64_t out = std::min(framesOf(kFadeOut), frames);
  for (int64_t i = 0; i < frames; ++i) {
    float gain = 1.0f;
    if (i < in) gain *= attackGain(static_cast<double>(i) / kRate, kFadeIn);
    const int64_t fromEnd = frames - 1 - i;
    if (fromEnd < out) gain *= attackGain(static_cast<double>(fromEnd) / kRate, kFadeOut);
    track.left[i] *= gain;
    track.right[i] *= gain;
  }
}

std::vector<int16_t> toPcm(const Track& track, double peakDb) {
  const float peak = track.peak();
  const double scale = peak > 0.0f ? 32767.0 * std::pow(10.0, peakDb / 20.0) / peak : 0.0;
  std::vector<int16_t> pcm(static_cast<size_t>(track.frames()) * 2);
  auto sample = [scale](float v) {
    return static_cast<int16_t>(std::clamp(std::lround(v * scale), -32767L, 32767L));
  };
  for (int64_t i = 0; i < track.frames(); ++i) {
    pcm[2 * i] = sample(track.left[i]);
    pcm[2 * i + 1] = sample(track.right[i]);
  }
  return pcm;
}

}  // namespace
}  // namespace kinopa::sound

bool synthesiseSounds(const QString& dir) {
  using namespace kinopa::sound;
  for (const Piece& piece : kPieces) {
    Track track = piece.make();
    if (piece.fadeEnds) fadeEnds(track);
    const QString path = QDir(dir).filePath(QString::fromLatin1(piece.file));
    if (!writeWav(path, toPcm(track, piece.peakDb), 2, kRate)) return false;
  }
  return true;
}
