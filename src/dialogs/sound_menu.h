#pragma once
// The sound settings dialog: for the music and each of the four effects a
// file name, a full-path box, a browse button and an off box. Its controls
// are the game's live sound settings. Modeless; one instance, made hidden
// when first needed and kept until the program ends.
#include <QWidget>
#include <array>
#include <functional>

#include "qt/check_box.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kinopa {

class SoundMenu : public QWidget {
  Q_OBJECT
 public:
  // What OK and Cancel do to the settings (PlaySession::soundSettingsOk
  // and soundSettingsCancel).
  struct Routines {
    std::function<void()> ok;
    std::function<void()> cancel;
  };
  explicit SoundMenu(Routines routines);
  ~SoundMenu() override;

  // The open-file dialog behind the browse buttons: modal; returns the
  // chosen file's complete path, or "" when the user cancelled. `folder` is
  // where it opens.
  using FileChooser = std::function<QString(QWidget* parent, const QString& folder)>;
  FileChooser ShowOpen;
  // The file chosen at the last browse that chose one.
  QString FileName;

  void Command1_Click();  // OK: load the sounds, save, hide
  void Command2_Click();  // Cancel: back to the saved settings, hide
  // The browse buttons Command4 to Command8, of rows 1 to 5: a chosen file
  // becomes the row's file name, taken as a full path.
  void browse(int row);
  void Command4_Click() { browse(1); }
  void Command5_Click() { browse(2); }
  void Command6_Click() { browse(3); }
  void Command7_Click() { browse(4); }
  void Command8_Click() { browse(5); }

  // A name typed into row `row`'s box that the settings file cannot keep:
  // refused, with a word why; the box keeps its name.
  void typedNameRefused(int row, const QString& name);

  // Closes the dialog for good at shutdown, shown or not.
  void unload();

  // `Text1` to `Text5` and `Check1` to `Check10` by number.
  QLineEdit* Text(int index) const;
  CheckBox* Check(int index) const;

  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
         *Label5 = nullptr, *Label6 = nullptr;
  QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
            *Text5 = nullptr;
  CheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr,
           *Check5 = nullptr, *Check6 = nullptr, *Check7 = nullptr, *Check8 = nullptr,
           *Check9 = nullptr, *Check10 = nullptr;
  QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command4 = nullptr,
              *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr,
              *Command8 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter presses the button that has the focus, else OK; Escape is Cancel.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void buildLayout();

  Routines routines_;
  std::array<QLineEdit*, 5> texts_{};
  std::array<CheckBox*, 10> checks_{};
  bool unloading_ = false;
};

}  // namespace kinopa
