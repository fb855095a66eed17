#pragma once
// A small writer for RIFF/WAVE files holding 16-bit PCM.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace kinopa::sound {

// The whole file: a RIFF header, a 16-byte PCM "fmt " chunk and the "data"
// chunk with `samples` (interleaved, `channels` per frame, little-endian).
QByteArray encodeWav(const std::vector<int16_t>& samples, int channels, int frequency);

// Writes the file in one piece: on failure any earlier file stays as it was,
// a message goes to stderr and the result is false.
bool writeWav(const QString& path, const std::vector<int16_t>& samples, int channels,
              int frequency);

}  // namespace kinopa::sound
