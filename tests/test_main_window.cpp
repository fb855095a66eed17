// The main window as created: a fixed frame, labels whose font has their
// characters, and the tab order.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "fakes.h"
#include "qt/fonts.h"
#include "qt/qt_event_pump.h"
#include "sequence_random.h"
#include "shown_session.h"
#include "window/draw_w.h"
#include "window_controls.h"

namespace kinopa {
namespace {

class MainWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() { installFontSubstitutes(); }
  testing_support::ScriptedTick tick;
  SequenceRandom random{{0.5}};
  QtEventPump pump;
  ShownSession shown{Services{tick, random, pump}};
  DrawW& w = shown.window;
};

TEST_F(MainWindow, IsFixedWithACloseBoxOnly) {
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(MainWindow, LabelsUseABoldFontThatHasTheirCharacters) {
  for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8"}) {
    const QLabel* label = control<QLabel>(w, name);
    EXPECT_TRUE(label->font().bold()) << name;
    const QFontMetrics metrics(label->font());
    for (QChar c : label->text()) EXPECT_TRUE(metrics.inFont(c)) << label->text().toStdString();
  }
}

TEST_F(MainWindow, TabGoesFieldEndStartSettings) {
  std::vector<QWidget*> order;
  QWidget* x = &w.field();
  do {
    if (x->focusPolicy() & Qt::TabFocus) order.push_back(x);
    x = x->nextInFocusChain();
  } while (x != &w.field());
  EXPECT_EQ(order, (std::vector<QWidget*>{&w.field(), control<QPushButton>(w, "gameend"),
                                          control<QPushButton>(w, "gamestart"),
                                          control<QPushButton>(w, "Command1")}));
}

}  // namespace
}  // namespace kinopa
