#include "wav_writer.h"

#include <QSaveFile>
#include <cstdio>

namespace kinopa::sound {
namespace {

void put16(QByteArray& out, uint16_t v) {
  out.append(char(v & 0xff));
  out.append(char(v >> 8));
}

void put32(QByteArray& out, uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.append(char((v >> shift) & 0xff));
}

}  // namespace

QByteArray encodeWav(const std::vector<int16_t>& samples, int channels, int frequency) {
  constexpr uint16_t kPcm = 1;
  constexpr uint16_t kBits = 16;
  const uint16_t blockAlign = static_cast<uint16_t>(channels * kBits / 8);
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * sizeof(int16_t));
  QByteArray out;
  out.reserve(static_cast<qsizetype>(44 + dataBytes));
  out.append("RIFF", 4);
  put32(out, 36 + dataBytes);  // everything after this field
  out.append("WAVE", 4);
  out.append("fmt ", 4);
  put32(out, 16);
  put16(out, kPcm);
  put16(out, static_cast<uint16_t>(channels));
  put32(out, static_cast<uint32_t>(frequency));
  put32(out, static_cast<uint32_t>(frequency) * blockAlign);  // bytes per second
  put16(out, blockAlign);
  put16(out, kBits);
  out.append("data", 4);
  put32(out, dataBytes);
  for (int16_t s : samples) put16(out, static_cast<uint16_t>(s));
  return out;
}

bool writeWav(const QString& path, const std::vector<int16_t>& samples, int channels,
              int frequency) {
  QSaveFile file(path);
  const QByteArray bytes = encodeWav(samples, channels, frequency);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
  }
  return true;
}

}  // namespace kinopa::sound
