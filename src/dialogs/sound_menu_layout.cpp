// The sound settings dialog's look: sizes, positions, captions, fonts and
// the order of the tab key.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/sound_menu.h"
#include "core/errors.h"
#include "qt/fonts.h"

namespace kinopa {
namespace {

QLabel* makeLabel(QWidget* parent, const char* text, QRect box) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setGeometry(box);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QPushButton* makeButton(QWidget* parent, const char* text, QRect box) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setGeometry(box);
  button->setAutoDefault(false);
  return button;
}

CheckBox* makeCheck(QWidget* parent, const char* text, QRect box, const char* name) {
  auto* check = new CheckBox(QString::fromUtf8(text), parent);
  check->setGeometry(box);
  check->setObjectName(QString::fromLatin1(name));
  return check;
}

}  // namespace

void SoundMenu::buildLayout() {
  setWindowTitle(QStringLiteral("SoundMenu"));
  // A fixed frame with a close box only; the window system places it.
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(385, 295);

  Label6 = makeLabel(this, "音楽、効果音ファイル設定", QRect(32, 8, 281, 33));
  Label6->setFont(layoutFont("ＭＳ Ｐ明朝", 18, true));

  static const char* const titles[5] = {"音楽", "zarup受け止め成功", "zarup受け止め失敗",
                                        "melkitクリック成功", "melkitクリック失敗"};
  static const char* const names[5] = {"", "zarupok.wav", "zarupfall.wav", "melkitok.wav",
                                       "melkitmiss.wav"};
  static const char* const checkNames[10] = {"Check1", "Check2", "Check3", "Check4",
                                             "Check5", "Check6", "Check7", "Check8",
                                             "Check9", "Check10"};
  const QFont textFont = layoutFont("ＭＳ Ｐゴシック", 9.75, false);
  std::array<QLabel*, 5> labels{};
  std::array<QPushButton*, 5> browsers{};
  // Created row by row in tab order: name, full path, browse, off.
  for (int r = 0; r < 5; ++r) {
    const int top = 56 + 40 * r;
    labels[r] = makeLabel(this, titles[r], QRect(8, 40 + 40 * r, 145, 17));
    auto* text = new QLineEdit(QString::fromUtf8(names[r]), this);
    text->setGeometry(8, top, 209, r == 0 ? 19 : 18);
    text->setFont(textFont);
    texts_[r] = text;
    checks_[r] = makeCheck(this, "フルパス", QRect(224, top, 65, 17), checkNames[r]);
    browsers[r] = makeButton(this, "参照", QRect(296, top - 8, 41, 25));
    checks_[r + 5] = makeCheck(this, "無", QRect(344, top, 33, 17), checkNames[r + 5]);
  }
  Command1 = makeButton(this, "OK", QRect(48, 248, 105, 33));
  Command2 = makeButton(this, "Cancel", QRect(232, 248, 105, 33));

  // The music is off until a music file is chosen.
  checks_[5]->setValue(1);

  Label1 = labels[0], Label2 = labels[1], Label3 = labels[2], Label4 = labels[3],
  Label5 = labels[4];
  Text1 = texts_[0], Text2 = texts_[1], Text3 = texts_[2], Text4 = texts_[3], Text5 = texts_[4];
  Check1 = checks_[0], Check2 = checks_[1], Check3 = checks_[2], Check4 = checks_[3],
  Check5 = checks_[4];
  Check6 = checks_[5], Check7 = checks_[6], Check8 = checks_[7], Check9 = checks_[8],
  Check10 = checks_[9];
  Command4 = browsers[0], Command5 = browsers[1], Command6 = browsers[2],
  Command7 = browsers[3], Command8 = browsers[4];

  QWidget* previous = nullptr;
  auto chain = [&](QWidget* next) {
    if (previous) setTabOrder(previous, next);
    previous = next;
  };
  for (int r = 0; r < 5; ++r) {
    chain(texts_[r]);
    chain(checks_[r]);
    chain(browsers[r]);
    chain(checks_[r + 5]);
  }
  chain(Command1);
  chain(Command2);

  connect(Command1, &QPushButton::clicked, this, [this] { guarded([this] { Command1_Click(); }); });
  connect(Command2, &QPushButton::clicked, this, [this] { guarded([this] { Command2_Click(); }); });
  for (int r = 0; r < 5; ++r)
    connect(browsers[r], &QPushButton::clicked, this, [this, r] { guarded([this, r] { browse(r + 1); }); });
}

}  // namespace kinopa
