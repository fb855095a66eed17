#include "qt/screen_frame.h"

#include <QBackingStore>
#include <QPainter>
#include <QWindow>
#include <QWidget>

namespace kinopa {
namespace {

// Window pixels to buffer pixels, rounded as the window system rounds them.
QRect scaled(const QRect& r, qreal factor) {
  return QRect(qRound(r.left() * factor), qRound(r.top() * factor), qRound(r.width() * factor),
               qRound(r.height() * factor));
}

// The pixels of the formats our 0xffRRGGBB pixels mean the same in.
bool takesOurPixels(const QImage& image) {
  return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32 ||
         image.format() == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

QRegion ScreenFrame::changedArea(const QRect& shown) {
  QRegion area;
  const int32_t w = source_.width, h = source_.height;
  const int fw = shown.width(), fh = shown.height();
  for (const pixelcopy::FrameChanges::Band& b : changes_.update({source_.pixels, source_.stride},
                                                               {w, h})) {
    // The frame pixels that can show these source pixels, one more on each
    // side for the rounding of the stretch.
    const auto from = [](int32_t s, int32_t srcLength, int frameLength) {
      return static_cast<int>(static_cast<int64_t>(s) * frameLength / srcLength) - 1;
    };
    const auto to = [](int32_t s, int32_t srcLength, int frameLength) {
      return static_cast<int>((static_cast<int64_t>(s) * frameLength + srcLength - 1) / srcLength) +
             1;
    };
    const QRect r(QPoint(from(b.left, w, fw), from(b.top, h, fh)),
                  QPoint(to(b.right, w, fw) - 1, to(b.bottom, h, fh) - 1));
    area += r.translated(shown.topLeft()) & shown;
  }
  return area;
}

bool ScreenFrame::present(QWidget& box, const PixelView& source, const QRect& frame,
                          QRegion& written) {
  written = QRegion();
  source_ = source;
  frame_ = frame;
  QWidget* top = box.window();
  QBackingStore* store = box.backingStore();
  if (store == nullptr) return false;
  const QPoint offset = box.mapTo(top, QPoint(0, 0));
  const QRect shown = frame.translated(offset);
  const QRegion visible = box.visibleRegion().translated(offset) & shown;
  if (visible.isEmpty()) return true;
  // What the changes are counted against must still be on the screen: the
  // same place in the window, and the same buffer (a buffer of another size
  // or pixel ratio, after a move to a screen of another scale, is new).
  const BufferShape shape{store->size(), store->window() != nullptr
                                             ? store->window()->devicePixelRatio()
                                             : top->devicePixelRatioF()};
  if (shown != lastShown_ || !(shape == lastShape_)) changes_.forget();
  lastShown_ = shown;
  lastShape_ = shape;
  QRegion region = changedArea(shown) & visible;
  if (region.isEmpty()) return true;  // the screen shows this frame already
  if (store->paintDevice() == nullptr) {
    // A window shown but not given its buffer yet (X11 makes it at the
    // window's first exposure): there is nothing to paint into, and nothing
    // to begin or end; the next frame goes whole.
    changes_.forget();
    return true;
  }

  store->beginPaint(region);
  QPaintDevice* device = store->paintDevice();
  QImage* buffer =
      device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
  bool wrote = true;
  if (buffer != nullptr && buffer->isNull()) {
    wrote = false;  // a buffer not made yet (the window has not been painted)
  } else if (buffer != nullptr && takesOurPixels(*buffer)) {
    // The window system keeps a buffer's pixels from one painting to the
    // next (widgets repaint only what changed, too); whatever else paints
    // over the frame paints the box, which then forgets what it showed.
    const qreal factor = buffer->devicePixelRatio();
    const QRect onDevice = scaled(shown, factor);
    const pixelcopy::Extent deviceSize{onDevice.width(), onDevice.height()};
    const pixelcopy::ConstBlock from{source.pixels, source.stride};
    const int32_t stride = static_cast<int32_t>(buffer->bytesPerLine() / 4);
    for (const QRect& r : region) {
      const QRect part = scaled(r, factor) & onDevice & buffer->rect();
      if (part.isEmpty()) continue;
      auto* corner = reinterpret_cast<uint32_t*>(buffer->scanLine(part.top())) + part.left();
      const QRect inFrame = part.translated(-onDevice.topLeft());
      stretcher_.copyToDevice(from, {source.width, source.height},
                              {frame.width(), frame.height()}, deviceSize,
                              Rect{inFrame.left(), inFrame.top(), inFrame.right() + 1,
                                   inFrame.bottom() + 1},
                              {corner, stride});
    }
  } else {
    // A buffer of some other kind or format: let the window system scale
    // and convert the frame.
    QPainter painter(device);
    painter.setClipRegion(region);
    painter.drawImage(shown.topLeft(), picture());
  }
  store->endPaint();
  if (!wrote) {
    // Nothing reached the buffer: the frame after this one goes whole, and
    // nothing is claimed as shown.
    changes_.forget();
    return true;
  }
  written = region.translated(-offset);
  return true;
}

QImage ScreenFrame::picture() const {
  if (source_.pixels == nullptr) return QImage();
  QImage image(frame_.size(), QImage::Format_RGB32);
  pictureStretcher_.copy({source_.pixels, source_.stride}, source_.width, source_.height,
                         {reinterpret_cast<uint32_t*>(image.bits()),
                          static_cast<int32_t>(image.bytesPerLine() / 4)},
                         frame_.width(), frame_.height());
  return image;
}

void DevicePicture::set(const QImage& picture) {
  picture_ = picture.convertToFormat(QImage::Format_RGB32);
  onDevice_ = QImage();
}

void DevicePicture::paint(QPainter& painter, const QPoint& at) {
  if (picture_.isNull()) return;
  const qreal ratio = painter.device()->devicePixelRatioF();
  if (ratio == 1) {
    painter.drawImage(at, picture_);
    return;
  }
  if (onDevice_.devicePixelRatioF() != ratio) {
    const QSize size = scaled(picture_.rect(), ratio).size();
    onDevice_ = QImage(size, QImage::Format_RGB32);
    const auto stride = [](const QImage& i) { return static_cast<int32_t>(i.bytesPerLine() / 4); };
    stretcher_.copyToDevice(
        {reinterpret_cast<const uint32_t*>(picture_.constBits()), stride(picture_)},
        {picture_.width(), picture_.height()}, {picture_.width(), picture_.height()},
        {size.width(), size.height()}, Rect{0, 0, size.width(), size.height()},
        {reinterpret_cast<uint32_t*>(onDevice_.bits()), stride(onDevice_)});
    onDevice_.setDevicePixelRatio(ratio);
  }
  painter.drawImage(at, onDevice_);
}

}  // namespace kinopa
