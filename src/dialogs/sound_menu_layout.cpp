// The sound settings dialog's widgets, made as its look says
// (play/window_look.h), holding the first sound settings.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include "dialogs/look_widgets.h"
#include "dialogs/sound_menu.h"
#include "sound/settings_values.h"
#include "sound/wave_ini.h"

namespace kinopa {
namespace {

// A file name box takes only what the settings file can keep; the last name
// it refused is kept for saying why.
class KeptNames : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    if (unkeptName(input.toStdString()).empty()) return Acceptable;
    refused = input;
    return Invalid;
  }
  mutable QString refused;
};

}  // namespace

void SoundMenu::buildLayout() {
  const WindowLook& look = soundMenuLook();
  setWindowTitle(QString::fromUtf8(look.caption));
  // A fixed frame with a close box only; the window system places it.
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(look.width, look.height);
  makeControls(*this, look);

  const auto name = [](const char* kind, int number) { return kind + std::to_string(number); };
  for (int i = 1; i <= 5; ++i)
    texts_[i - 1] = &controlWidget<QLineEdit>(*this, name("Text", i).c_str());
  for (int i = 1; i <= 10; ++i)
    checks_[i - 1] = &controlWidget<CheckBox>(*this, name("Check", i).c_str());
  // The settings a dialog holds before any are read.
  const SettingsValues first;
  for (int i = 1; i <= 5; ++i) Text(i)->setText(QString::fromStdString(first.texts[i - 1]));
  for (int row = 1; row <= 5; ++row) {
    auto* names = new KeptNames(Text(row));
    Text(row)->setValidator(names);
    connect(Text(row), &QLineEdit::inputRejected, this, [this, row, names] {
      guarded([this, row, names] { typedNameRefused(row, names->refused); });
    });
  }
  for (int i = 1; i <= 10; ++i) Check(i)->setValue(first.checks[i - 1]);

  Label1 = &controlWidget<QLabel>(*this, "Label1");
  Label2 = &controlWidget<QLabel>(*this, "Label2");
  Label3 = &controlWidget<QLabel>(*this, "Label3");
  Label4 = &controlWidget<QLabel>(*this, "Label4");
  Label5 = &controlWidget<QLabel>(*this, "Label5");
  Label6 = &controlWidget<QLabel>(*this, "Label6");
  Text1 = texts_[0], Text2 = texts_[1], Text3 = texts_[2], Text4 = texts_[3], Text5 = texts_[4];
  Check1 = checks_[0], Check2 = checks_[1], Check3 = checks_[2], Check4 = checks_[3],
  Check5 = checks_[4];
  Check6 = checks_[5], Check7 = checks_[6], Check8 = checks_[7], Check9 = checks_[8],
  Check10 = checks_[9];
  Command1 = &controlWidget<QPushButton>(*this, "Command1");
  Command2 = &controlWidget<QPushButton>(*this, "Command2");
  Command4 = &controlWidget<QPushButton>(*this, "Command4");
  Command5 = &controlWidget<QPushButton>(*this, "Command5");
  Command6 = &controlWidget<QPushButton>(*this, "Command6");
  Command7 = &controlWidget<QPushButton>(*this, "Command7");
  Command8 = &controlWidget<QPushButton>(*this, "Command8");

  connect(Command1, &QPushButton::clicked, this, [this] { guarded([this] { Command1_Click(); }); });
  connect(Command2, &QPushButton::clicked, this, [this] { guarded([this] { Command2_Click(); }); });
  // Each row's browse button.
  for (const ControlLook& c : look.controls) {
    if (c.kind != ControlKind::button || c.row == 0) continue;
    connect(&controlWidget<QPushButton>(*this, c.name), &QPushButton::clicked, this,
            [this, row = c.row] { guarded([this, row] { browse(row); }); });
  }
}

}  // namespace kinopa
