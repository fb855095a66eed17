#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"
#include "fakes.h"
#include "qt/fonts.h"
#include "core/program_folder.h"
#include "sequence_random.h"
#include "qt/qt_event_pump.h"

namespace kinopa {
namespace {

using testing_support::ScriptedTick;

// The window as created, before its load handler runs.
class MainWindowLayout : public testing::Test {
 protected:
  static void SetUpTestSuite() { installFontSubstitutes(); }
  ScriptedTick tick;
  SequenceRandom random{{0.5}};
  QtEventPump pump;
  ShownSession shown{Services{tick, random, pump}};
  DrawW& w = shown.window;
};

TEST_F(MainWindowLayout, WindowIsFixedWithCaptionAndIcon) {
  EXPECT_EQ(w.windowTitle(), "Kinopa");
  EXPECT_EQ(w.size(), QSize(512, 599));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowIcon().isNull());
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(w.isVisible());  // shown by start-up, not on creation
}

TEST_F(MainWindowLayout, LabelsUseABoldJapaneseFontThatHasTheirCharacters) {
  for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8"}) {
    const QLabel* label = control<QLabel>(w, name);
    const QFontInfo info(label->font());
    EXPECT_TRUE(info.family().startsWith("IPA")) << info.family().toStdString();
    EXPECT_TRUE(label->font().bold());
    const QFontMetrics metrics(label->font());
    for (QChar c : label->text()) EXPECT_TRUE(metrics.inFont(c)) << label->text().toStdString();
    EXPECT_TRUE(label->alignment() & Qt::AlignTop);
    EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
    EXPECT_FALSE(label->autoFillBackground());
  }
  const QColor magenta(255, 0, 255);
  EXPECT_EQ(control<QLabel>(w, "Label7")->palette().color(QPalette::WindowText), magenta);
  EXPECT_EQ(control<QLabel>(w, "Label8")->palette().color(QPalette::WindowText), magenta);
  EXPECT_NE(control<QLabel>(w, "Label4")->palette().color(QPalette::WindowText), magenta);
  EXPECT_TRUE(control<QLabel>(w, "Label7")->alignment() & Qt::AlignLeft);
  EXPECT_TRUE(control<QLabel>(w, "Label8")->alignment() & Qt::AlignHCenter);
}

TEST_F(MainWindowLayout, TabGoesFieldEndStartSettings) {
  std::vector<QWidget*> order;
  QWidget* x = &w.field();
  do {
    if (x->focusPolicy() & Qt::TabFocus) order.push_back(x);
    x = x->nextInFocusChain();
  } while (x != &w.field());
  EXPECT_EQ(order, (std::vector<QWidget*>{&w.field(), control<QPushButton>(w, "gameend"), control<QPushButton>(w, "gamestart"), control<QPushButton>(w, "Command1")}));
}

TEST_F(MainWindowLayout, PlayFieldShowsItsPictureAtNaturalSize) {
  const QImage& picture = w.field().picture();
  ASSERT_EQ(picture.size(), QSize(400, 600));
  const QImage shown = w.field().grab().toImage();
  ASSERT_EQ(shown.size(), QSize(399, 599));
  for (QPoint p : {QPoint(10, 10), QPoint(200, 300), QPoint(398, 598), QPoint(350, 60)})
    EXPECT_EQ(shown.pixel(p), picture.pixel(p)) << p.x() << "," << p.y();
}

}  // namespace
}  // namespace kinopa
