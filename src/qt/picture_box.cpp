#include "qt/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/errors.h"

namespace kinopa {
namespace {

int buttonsOf(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? kLeftButton : 0) | (b & Qt::RightButton ? kRightButton : 0) |
         (b & Qt::MiddleButton ? kMiddleButton : 0);
}

int shiftOf(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? kShiftKey : 0) | (m & Qt::ControlModifier ? kCtrlKey : 0) |
         (m & Qt::AltModifier ? kAltKey : 0);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);  // moves are reported with no button held, too
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setPicture(const QImage& picture) {
  picture_.set(picture);
  update();
}

Rect PictureBox::windowRect() const {
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  return Rect{origin.x(), origin.y(), origin.x() + width(), origin.y() + height()};
}

bool PictureBox::presentToScreen(const PixelView& image, const Rect& screenRect) {
  if (!isVisible()) return true;  // nothing of the box is on the screen
  const QPoint origin = mapToGlobal(QPoint(0, 0));
  const QRect frame(screenRect.left - origin.x(), screenRect.top - origin.y(),
                    screenRect.width(), screenRect.height());
  QRegion written;
  if (!frame_.present(*this, image, frame, written)) return false;
  // The window system shows it together with the labels the frame changed,
  // at its next turn, which follows each frame at once.
  pending_ += written;
  update(written);
  ++presents_;
  return true;
}

void PictureBox::paintEvent(QPaintEvent* event) {
  const bool frameOnly = (event->region() - pending_).isEmpty();
  pending_ = QRegion();
  if (frameOnly) return;  // the frame is in the window's buffer already
  // Painted by the window system: the box's own picture, until the next
  // frame is presented.
  guarded([this] {
    if (onPaint) onPaint();
  });
  frame_.invalidate();
  QPainter painter(this);
  painter.fillRect(event->rect(), palette().window());
  picture_.paint(painter, QPoint(0, 0));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  guarded([&] {
    if (onMouseMove)
      onMouseMove(buttonsOf(event->buttons()), shiftOf(event->modifiers()),
                  static_cast<float>(p.x()), static_cast<float>(p.y()));
  });
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  guarded([&] {
    if (onMouseUp)
      onMouseUp(buttonsOf(event->button()), shiftOf(event->modifiers()),
                static_cast<float>(p.x()), static_cast<float>(p.y()));
  });
}

}  // namespace kinopa
