#include "play/png_file.h"

#include <array>
#include <cstdint>

namespace kinopa {
namespace {

const std::array<uint32_t, 256>& crcTable() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xedb88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

uint32_t crc32(const std::string& bytes, std::size_t from) {
  uint32_t c = 0xffffffffu;
  for (std::size_t i = from; i < bytes.size(); ++i)
    c = crcTable()[(c ^ static_cast<uint8_t>(bytes[i])) & 0xff] ^ (c >> 8);
  return c ^ 0xffffffffu;
}

void putBig32(std::string& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
}

// A chunk: its length, type and data, and the CRC of type and data.
void chunk(std::string& out, const char* type, const std::string& data) {
  putBig32(out, static_cast<uint32_t>(data.size()));
  const std::size_t from = out.size();
  out += type;
  out += data;
  putBig32(out, crc32(out, from));
}

// `raw` as a zlib stream of stored (uncompressed) blocks.
std::string zlibStored(const std::string& raw) {
  std::string z = "\x78\x01";
  constexpr std::size_t kBlock = 65535;
  std::size_t at = 0;
  do {
    const std::size_t n = std::min(kBlock, raw.size() - at);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<char>(n & 0xff));
    z.push_back(static_cast<char>(n >> 8));
    z.push_back(static_cast<char>(~n & 0xff));
    z.push_back(static_cast<char>((~n >> 8) & 0xff));
    z.append(raw, at, n);
    at += n;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;  // Adler-32
  for (char ch : raw) {
    a = (a + static_cast<uint8_t>(ch)) % 65521;
    b = (b + a) % 65521;
  }
  putBig32(z, (b << 16) | a);
  return z;
}

}  // namespace

std::string pngBytes(const Picture& picture) {
  std::string raw;
  raw.reserve(static_cast<std::size_t>(picture.height) * (1 + 3 * static_cast<std::size_t>(picture.width)));
  for (int32_t y = 0; y < picture.height; ++y) {
    raw.push_back(0);  // no filter
    for (int32_t x = 0; x < picture.width; ++x) {
      const uint32_t p = picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + static_cast<std::size_t>(x)];
      raw.push_back(static_cast<char>((p >> 16) & 0xff));
      raw.push_back(static_cast<char>((p >> 8) & 0xff));
      raw.push_back(static_cast<char>(p & 0xff));
    }
  }
  std::string header;
  putBig32(header, static_cast<uint32_t>(picture.width));
  putBig32(header, static_cast<uint32_t>(picture.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace
  std::string png = "\x89PNG\r\n\x1a\n";
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", zlibStored(raw));
  chunk(png, "IEND", "");
  return png;
}

}  // namespace kinopa
