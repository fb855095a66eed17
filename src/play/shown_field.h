#pragma once
// A play field with no window system behind it (a script's, the page's): it
// keeps what it shows as a window at scale 1 would show it: the last frame
// presented, stretched to the field's size, or before any, the field's own
// picture at its natural size, cut off at the field's edges.
#include <cstdint>
#include <string>

#include "core/media_types.h"
#include "core/surface_copy.h"

namespace kinopa {

// A window that is only a rectangle of its size.
class SizedWindow : public WindowHandle {
 public:
  SizedWindow(int32_t width, int32_t height) : rect_{0, 0, width, height} {}
  Rect windowRect() const override { return rect_; }

 private:
  Rect rect_;
};

class ShownField : public SizedWindow {
 public:
  // `ownPicture`: the field's own picture file ("": none).
  explicit ShownField(std::string ownPicture);

  bool presentToScreen(const PixelView& image, const Rect& screenRect) override;
  // Shows the field's own picture (again). Throws when there is none, or it
  // cannot be read.
  void showOwnPicture();
  // What the field shows: before anything was shown, its own picture.
  const Picture& shown();
  // A number that changes whenever what it shows does.
  int serial() const { return serial_; }

 private:
  std::string ownPicture_;
  Picture shown_;
  pixelcopy::Stretcher stretcher_;
  int serial_ = 0;
};

}  // namespace kinopa
