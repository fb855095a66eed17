// Frames into the window's buffer when the window moves to a screen of
// another scale. Run by ctest as ScreenFrame.twoScales, on the offscreen
// platform with two screens at scales 1 and 2; elsewhere it skips itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QScreen>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "qt/picture_box.h"

namespace kinopa {
namespace {

constexpr uint32_t kBlue = 0xff0000ff, kGreen = 0xff00ff00;

TEST(ScreenFrameTwoScales, TheFirstFrameAfterAMoveToAnotherScaleFillsTheNewBufferWhole) {
  const QList<QScreen*> screens = QGuiApplication::screens();
  if (screens.size() < 2 || screens[0]->devicePixelRatio() == screens[1]->devicePixelRatio())
    GTEST_SKIP() << "needs two screens of different scales";
  QWidget top;
  top.resize(100, 80);
  auto* box = new PictureBox(&top);
  box->setGeometry(0, 0, 40, 30);
  top.move(screens[0]->geometry().topLeft() + QPoint(10, 10));
  top.show();
  QApplication::processEvents();

  std::vector<uint32_t> frame(40 * 30, kBlue);
  const auto present = [&] {
    const QPoint at = box->mapToGlobal(QPoint(0, 0));
    ASSERT_TRUE(box->presentToScreen({frame.data(), 40, 30, 40}, {at.x(), at.y(), at.x() + 40, at.y() + 30}));
  };
  present();
  QApplication::processEvents();

  // Moved to the other screen; the window system has not repainted the
  // window yet when the next frame, one pixel different, comes.
  top.setUpdatesEnabled(false);
  top.move(screens[1]->geometry().topLeft() + QPoint(10, 10));
  frame[0] = kGreen;
  present();

  const auto* buffer = static_cast<const QImage*>(top.backingStore()->paintDevice());
  ASSERT_EQ(buffer->devicePixelRatio(), 2);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(buffer->pixel(x, y) | 0xff000000u, x < 2 && y < 2 ? kGreen : kBlue)
          << "device pixel " << x << "," << y;
}

}  // namespace
}  // namespace kinopa
