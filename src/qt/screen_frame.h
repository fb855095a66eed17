#pragma once
// A frame put on the screen the short way: stretched straight into the
// buffer the window system shows, at that buffer's own pixels. Only what
// changed since the last frame is written; the window system shows it with
// whatever else of the window changed, in one go.
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>

#include "core/frame_changes.h"
#include "core/media_types.h"
#include "core/surface_copy.h"

class QPainter;
class QWidget;

namespace kinopa {

class ScreenFrame {
 public:
  // Writes `source` stretched to `frame` (in the box's own pixels), the part
  // inside the box only, into the window's buffer; `written` is what the box
  // must have shown (in its own pixels). False when the box's window has no
  // buffer to draw in.
  bool present(QWidget& box, const PixelView& source, const QRect& frame, QRegion& written);

  // The last frame as the box's own pixels show it, one frame pixel to a
  // pixel, read from the source as it is now: take it before the next frame
  // is drawn. Null before the first frame.
  QImage picture() const;
  // Something else was painted where the frame is: the next one goes whole.
  void invalidate() { changes_.forget(); }

 private:
  // Where the changes go in the window, in its own pixels.
  QRegion changedArea(const QRect& shown);

  // A window buffer as the frame sees it: its size in window pixels and its
  // pixel ratio.
  struct BufferShape {
    QSize size;
    qreal ratio = 0;
    bool operator==(const BufferShape&) const = default;
  };

  PixelView source_;
  QRect frame_;
  pixelcopy::Stretcher stretcher_;
  pixelcopy::FrameChanges changes_;
  // Where in the window the last frame went, and into what kind of buffer.
  QRect lastShown_;
  BufferShape lastShape_;
  mutable pixelcopy::Stretcher pictureStretcher_;
};

// A picture painted at its natural size in window pixels, kept at the
// screen's own pixels as well (each screen pixel showing the picture pixel
// under its centre), so that painting it is a plain copy at any scale.
class DevicePicture {
 public:
  void set(const QImage& picture);
  const QImage& picture() const { return picture_; }
  bool isNull() const { return picture_.isNull(); }
  // Paints it with its corner at `at` on a device of `painter`'s scale.
  void paint(QPainter& painter, const QPoint& at);

 private:
  QImage picture_;
  QImage onDevice_;
  pixelcopy::Stretcher stretcher_;
};

}  // namespace kinopa
