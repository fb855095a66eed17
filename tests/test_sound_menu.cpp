// The sound settings dialog: its frame, its tab order, its buttons and keys.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QCoreApplication>
#include <functional>

#include "dialogs/sound_menu.h"
#include "core/errors.h"
#include "qt/fonts.h"
#include "core/program_folder.h"
#include "sound_support.h"

namespace kinopa {
namespace {

// A key pressed on `widget`, typing `text`.
void press(QWidget* widget, int key, const QString& text = {}) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(widget, &down);
}

class SoundMenuTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { installFontSubstitutes(); }
  std::vector<std::string> calls;
  SoundMenu menu{{[this] { calls.push_back("ok"); }, [this] { calls.push_back("cancel"); }}};
};

TEST_F(SoundMenuTest, IsAFixedWindowWithACloseBoxWhoseHeadingFits) {
  EXPECT_EQ(menu.minimumSize(), menu.maximumSize());
  EXPECT_TRUE(menu.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(menu.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_LE(QFontMetrics(menu.Label6->font()).horizontalAdvance(menu.Label6->text()),
            menu.Label6->width());
}

TEST_F(SoundMenuTest, TabGoesRowByRowThenOkAndCancel) {
  std::vector<QWidget*> expected;
  QPushButton* browse[] = {menu.Command4, menu.Command5, menu.Command6, menu.Command7,
                           menu.Command8};
  for (int r = 1; r <= 5; ++r)
    expected.insert(expected.end(), {menu.Text(r), menu.Check(r), browse[r - 1], menu.Check(r + 5)});
  expected.insert(expected.end(), {menu.Command1, menu.Command2});
  std::vector<QWidget*> order;
  QWidget* x = menu.Text1;
  do {
    if (x->focusPolicy() & Qt::TabFocus) order.push_back(x);
    x = x->nextInFocusChain();
  } while (x != menu.Text1);
  EXPECT_EQ(order, expected);
  for (QLabel* l : {menu.Label1, menu.Label2, menu.Label3, menu.Label4, menu.Label5, menu.Label6})
    EXPECT_EQ(l->focusPolicy(), Qt::NoFocus);
}

// OK and Cancel, their keys, and the close box (Cancel): each calls its
// handler once and hides the dialog.
TEST_F(SoundMenuTest, OkCancelTheirKeysAndTheCloseBox) {
  const std::pair<std::function<void()>, const char*> actions[] = {
      {[&] { menu.Command1->click(); }, "ok"},
      {[&] { menu.Command2->click(); }, "cancel"},
      {[&] { menu.close(); }, "cancel"},
      {[&] { press(menu.Text2, Qt::Key_Return); }, "ok"},
      {[&] { press(menu.Check3, Qt::Key_Enter); }, "ok"},
      {[&] { press(menu.Text4, Qt::Key_Escape); }, "cancel"},
      {[&] {
         menu.Command2->setFocus();
         press(menu.Command2, Qt::Key_Return);
       }, "cancel"}};
  int n = 0;
  for (const auto& [action, call] : actions) {
    menu.show();
    calls.clear();
    action();
    EXPECT_EQ(calls, std::vector<std::string>{call}) << "action " << n;
    EXPECT_FALSE(menu.isVisible()) << "action " << n++;
  }
  // Closed, the dialog keeps its controls; shutdown closes it for good,
  // reading nothing back.
  menu.Text2->setText("edited.wav");
  menu.show();
  menu.close();
  EXPECT_EQ(menu.Text2->text(), "edited.wav");
  calls.clear();
  menu.show();
  menu.unload();
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(menu.isVisible());
}

// A typed double quote is refused with a word why; the name stays as it was.
TEST_F(SoundMenuTest, ATypedNameTheSettingsFileCannotKeepIsRefused) {
  testing_support::RecordingMessages messages;
  menu.show();
  menu.Text2->setText("ab.wav");
  menu.Text2->setFocus();
  menu.Text2->setCursorPosition(2);
  press(menu.Text2, Qt::Key_C, "c");
  press(menu.Text2, Qt::Key_QuoteDbl, "\"");
  press(menu.Text2, Qt::Key_D, "d");
  EXPECT_EQ(menu.Text2->text(), "abcd.wav");
  EXPECT_EQ(messages.titles, std::vector<std::string>{"zarup受け止め成功効果音ファイルに関して"});
}

TEST_F(SoundMenuTest, AFailingButtonHandlerIsKeptForTheMainLoop) {
  SoundMenu failing{{[] { throw Error("load failed"); }, [] {}}};
  failing.show();
  failing.Command1->click();
  EXPECT_TRUE(failing.isVisible());  // the handler stopped where it failed
  EXPECT_THROW(rethrowDeferred(), Error);
}

TEST_F(SoundMenuTest, BrowseTakesAChosenFileAsAFullPathAndACancelChangesNothing) {
  overrideProgramFolder("/opt/kinopa/bin");
  std::vector<QString> openedIn;
  QString answer = "/home/me/曲.wav";
  menu.ShowOpen = [&](QWidget* parent, const QString& folder) {
    EXPECT_EQ(parent, &menu);
    openedIn.push_back(folder);
    return answer;
  };
  menu.Check8->setValue(1);
  menu.Command6->click();
  EXPECT_EQ(menu.Text3->text(), "/home/me/曲.wav");
  EXPECT_EQ(menu.Check3->value(), 1);
  EXPECT_EQ(menu.Check8->value(), 1);  // the off box is the user's to clear
  EXPECT_TRUE(calls.empty());          // nothing loaded or saved before OK

  answer = "";
  menu.Command4->click();
  EXPECT_EQ(menu.Text1->text(), "");
  EXPECT_EQ(menu.Check1->value(), 0);
  // First in the installed game's sound folder, then where the last file was
  // chosen.
  EXPECT_EQ(openedIn, (std::vector<QString>{"/opt/kinopa/share/kinopa/wave", "/home/me"}));
  overrideProgramFolder("");
}

TEST_F(SoundMenuTest, CheckBoxesHoldGreyedButClicksOnlyTickAndClear) {
  CheckBox& box = *menu.Check2;
  box.setValue(2);
  EXPECT_EQ(box.value(), 2);
  for (int16_t after : {1, 0, 1}) {
    box.click();
    EXPECT_EQ(box.value(), after);
  }
  EXPECT_THROW(box.setValue(3), Error);
  EXPECT_THROW(box.setValue(-1), Error);
  EXPECT_EQ(box.value(), 1);
}

}  // namespace
}  // namespace kinopa
