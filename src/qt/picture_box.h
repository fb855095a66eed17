#pragma once
// A picture box: shows its picture at natural size (cut off at its edges),
// reports mouse moves and releases in its own pixels, and is the window that
// frames are presented into.
#include <QImage>
#include <QWidget>
#include <functional>

#include "core/media_types.h"
#include "qt/screen_frame.h"

namespace kinopa {

class PictureBox : public QWidget, public WindowHandle {
  Q_OBJECT
 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_.picture(); }

  using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
  MouseHandler onMouseMove;
  MouseHandler onMouseUp;
  std::function<void()> onPaint;

  Rect windowRect() const override;
  bool presentToScreen(const PixelView& image, const Rect& screenRect) override;

  // The last frame presented, one frame pixel to a pixel (see
  // ScreenFrame::picture), and how many frames have reached the screen.
  QImage lastFrame() const { return frame_.picture(); }
  int presentCount() const { return presents_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Taking or losing the focus changes nothing on screen: the picture shown
  // (a presented frame, say) stays.
  void focusInEvent(QFocusEvent*) override {}
  void focusOutEvent(QFocusEvent*) override {}

 private:
  DevicePicture picture_;
  QRegion pending_;  // frames written, not yet shown by the window system
  ScreenFrame frame_;
  int presents_ = 0;
};

}  // namespace kinopa
