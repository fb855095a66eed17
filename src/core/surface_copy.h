#pragma once
// Pixel loops behind the surface copies: plain rows, colour-keyed rows and
// nearest-pixel stretching. Callers have checked every rectangle already.
#include <cstdint>
#include <vector>

#include "core/media_types.h"

namespace kinopa::pixelcopy {

// A block of 0xffRRGGBB pixels, `stride` pixels from one row to the next.
struct Block {
  uint32_t* pixels = nullptr;
  int32_t stride = 0;
};
struct ConstBlock {
  const uint32_t* pixels = nullptr;
  int32_t stride = 0;
};

// width x height pixels from `src` to `dst`; the blocks must not overlap.
void copyRows(ConstBlock src, Block dst, int32_t width, int32_t height);
// The same, leaving the destination alone wherever the source equals `key`.
void copyRowsKeyed(ConstBlock src, Block dst, int32_t width, int32_t height, uint32_t key);

// The source pixel (counted from the source rectangle's edge) that
// destination pixel `i` shows when `srcLength` pixels are stretched or
// squeezed to `dstLength`: floor((i + 0.5) * srcLength / dstLength), the
// source pixel under the centre of the destination pixel, computed exactly as
// floor((2i + 1) * srcLength / (2 * dstLength)). Squeezing 400 to 399 drops
// source pixel 199; doubling shows every source pixel twice.
int32_t stretchSource(int32_t i, int32_t srcLength, int32_t dstLength);

struct Extent {
  int32_t width = 0;
  int32_t height = 0;
};

// Nearest-pixel stretching copy. Keeps its column tables between calls, so
// repeated copies of one size allocate nothing.
class Stretcher {
 public:
  // Stretches srcW x srcH pixels of `src` to dstW x dstH pixels of `dst`.
  // The blocks must not overlap.
  void copy(ConstBlock src, int32_t srcW, int32_t srcH, Block dst, int32_t dstW, int32_t dstH);

  // The same stretch to a `frame` of logical pixels, put on a screen whose
  // pixels are finer: the frame covers `device` screen pixels. Each screen
  // pixel shows the frame pixel under its centre, which shows the source
  // pixel under its own centre; at a whole scale n every frame pixel becomes
  // an n x n block. Only the screen pixels of `part` (counted from the
  // frame's corner) are written, `part`'s corner going to `dst`.
  void copyToDevice(ConstBlock src, Extent source, Extent frame, Extent device, const Rect& part,
                    Block dst);

 private:
  // Destination columns [dst, dst + length) show source columns
  // [src, src + length): such stretches are copied a run at a time.
  struct Run {
    int32_t dst;
    int32_t src;
    int32_t length;
  };
  void plan(int32_t srcW, int32_t frameW, int32_t deviceW, int32_t from, int32_t count);

  // Plans the columns of a stretch of srcW pixels through frameW to deviceW,
  // and the runs of the part [from, from + count).
  std::vector<int32_t> columns_;  // all deviceW of them
  std::vector<Run> allRuns_;
  std::vector<Run> runs_;  // those of the part, counted from its first column
  // What the tables were planned for: the same stretch needs no new ones.
  int32_t planned_[3] = {-1, -1, -1};
};

}  // namespace kinopa::pixelcopy
