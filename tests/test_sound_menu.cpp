// The sound settings dialog: its look, its tab order and its buttons.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/sound_menu.h"
#include "core/errors.h"
#include "qt/fonts.h"
#include "core/program_folder.h"

namespace kinopa {
namespace {

class SoundMenuTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { installFontSubstitutes(); }
  std::vector<std::string> calls;
  SoundMenu menu{{[this] { calls.push_back("ok"); }, [this] { calls.push_back("cancel"); }}};
};

TEST_F(SoundMenuTest, IsAFixedHiddenModelessWindow) {
  EXPECT_EQ(menu.windowTitle(), "SoundMenu");
  EXPECT_EQ(menu.size(), QSize(385, 295));
  EXPECT_EQ(menu.minimumSize(), menu.maximumSize());
  EXPECT_TRUE(menu.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(menu.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(menu.windowModality(), Qt::NonModal);
  EXPECT_FALSE(menu.isVisible());
}

TEST_F(SoundMenuTest, ControlsStandWhereTheyBelongWithTheirFirstValues) {
  const std::vector<std::tuple<QWidget*, QRect, QString>> table = {
      {menu.Label6, {32, 8, 281, 33}, "音楽、効果音ファイル設定"},
      {menu.Label1, {8, 40, 145, 17}, "音楽"},
      {menu.Label2, {8, 80, 145, 17}, "zarup受け止め成功"},
      {menu.Label3, {8, 120, 145, 17}, "zarup受け止め失敗"},
      {menu.Label4, {8, 160, 145, 17}, "melkitクリック成功"},
      {menu.Label5, {8, 200, 145, 17}, "melkitクリック失敗"},
      {menu.Text1, {8, 56, 209, 19}, ""},
      {menu.Text2, {8, 96, 209, 18}, "zarupok.wav"},
      {menu.Text3, {8, 136, 209, 18}, "zarupfall.wav"},
      {menu.Text4, {8, 176, 209, 18}, "melkitok.wav"},
      {menu.Text5, {8, 216, 209, 18}, "melkitmiss.wav"},
      {menu.Command1, {48, 248, 105, 33}, "OK"},
      {menu.Command2, {232, 248, 105, 33}, "Cancel"},
  };
  for (const auto& [widget, box, text] : table) {
    EXPECT_EQ(widget->geometry(), box) << text.toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      EXPECT_EQ(label->text(), text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      EXPECT_EQ(edit->text(), text);
    } else {
      EXPECT_EQ(static_cast<QPushButton*>(widget)->text(), text);
    }
  }
  QPushButton* browse[] = {menu.Command4, menu.Command5, menu.Command6, menu.Command7,
                           menu.Command8};
  for (int r = 0; r < 5; ++r) {
    const int top = 56 + 40 * r;
    EXPECT_EQ(menu.Check(r + 1)->geometry(), QRect(224, top, 65, 17));
    EXPECT_EQ(menu.Check(r + 1)->text(), "フルパス");
    EXPECT_EQ(menu.Check(r + 1)->value(), 0);
    EXPECT_EQ(browse[r]->geometry(), QRect(296, top - 8, 41, 25));
    EXPECT_EQ(browse[r]->text(), "参照");
    EXPECT_EQ(menu.Check(r + 6)->geometry(), QRect(344, top, 33, 17));
    EXPECT_EQ(menu.Check(r + 6)->text(), "無");
    EXPECT_EQ(menu.Check(r + 6)->value(), r == 0 ? 1 : 0);  // only the music is off

    const QFontInfo text(menu.Text(r + 1)->font());
    EXPECT_TRUE(text.family().startsWith("IPAPGothic")) << text.family().toStdString();
    EXPECT_EQ(menu.Text(r + 1)->font().pixelSize(), 13);
    EXPECT_FALSE(menu.Text(r + 1)->font().bold());
  }
  const QFontInfo heading(menu.Label6->font());
  EXPECT_TRUE(heading.family().startsWith("IPAPMincho")) << heading.family().toStdString();
  EXPECT_EQ(menu.Label6->font().pixelSize(), 24);
  EXPECT_TRUE(menu.Label6->font().bold());
  // The heading fits its box on one line.
  EXPECT_LE(QFontMetrics(menu.Label6->font()).horizontalAdvance(menu.Label6->text()), 281);
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

TEST_F(SoundMenuTest, OkLoadsSavesAndHidesCancelRereadsAndHides) {
  menu.show();
  menu.Command1->click();
  EXPECT_EQ(calls, std::vector<std::string>{"ok"});
  EXPECT_FALSE(menu.isVisible());
  calls.clear();
  menu.show();
  menu.Command2->click();
  EXPECT_EQ(calls, std::vector<std::string>{"cancel"});
  EXPECT_FALSE(menu.isVisible());
}

TEST_F(SoundMenuTest, TheCloseBoxWorksAsCancelAndKeepsTheDialog) {
  menu.show();
  menu.Text2->setText("edited.wav");
  menu.close();
  EXPECT_EQ(calls, std::vector<std::string>{"cancel"});
  EXPECT_FALSE(menu.isVisible());
  EXPECT_EQ(menu.Text2->text(), "edited.wav");  // the controls are still there
  calls.clear();
  menu.show();
  menu.unload();  // shutdown: closed for good, nothing read back
  EXPECT_TRUE(calls.empty());
  EXPECT_FALSE(menu.isVisible());
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
  for (int16_t v : {2, 1, 0, 2}) {
    box.setValue(v);
    EXPECT_EQ(box.value(), v);
  }
  box.click();  // greyed -> ticked
  EXPECT_EQ(box.value(), 1);
  box.click();
  EXPECT_EQ(box.value(), 0);
  box.click();
  EXPECT_EQ(box.value(), 1);
  EXPECT_THROW(box.setValue(3), Error);
  EXPECT_THROW(box.setValue(-1), Error);
  EXPECT_EQ(box.value(), 1);
}

}  // namespace
}  // namespace kinopa
