// The sound settings dialog's buttons.
#include "dialogs/sound_menu.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

#include "core/errors.h"
#include "core/folders.h"
#include "dialogs/sound_menu_controls.h"

namespace kinopa {

SoundMenu::SoundMenu(Routines routines) : routines_(std::move(routines)) {
  ShowOpen = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QString(), folder);
  };
  buildLayout();
}

SoundMenu::~SoundMenu() = default;

QLineEdit* SoundMenu::Text(int index) const {
  if (index < 1 || index > 5) throw IndexError();
  return texts_[index - 1];
}

CheckBox* SoundMenu::Check(int index) const {
  if (index < 1 || index > 10) throw IndexError();
  return checks_[index - 1];
}

void SoundMenu::Command1_Click() {
  KINOPA_ROUTINE("SoundMenu.Command1_Click");
  routines_.ok();
  hide();
}

void SoundMenu::Command2_Click() {
  KINOPA_ROUTINE("SoundMenu.Command2_Click");
  routines_.cancel();
  hide();
}

void SoundMenu::browse(int row) {
  KINOPA_ROUTINE("SoundMenu.browse");
  // Opens where the last chosen file lay, the first time in the sound folder.
  const QString folder = FileName.isEmpty()
                             ? QDir::cleanPath(QString::fromStdString(gameFolders().sounds))
                             : QFileInfo(FileName).absolutePath();
  const QString chosen = ShowOpen(this, folder);
  if (chosen.isEmpty()) return;  // cancelled: the row stays as it was
  FileName = chosen;
  SoundMenuControls controls([this]() -> SoundMenu& { return *this; });
  chooseSoundFile(controls, row, chosen.toStdString());
}

void SoundMenu::typedNameRefused(int row, const QString& name) {
  KINOPA_ROUTINE("SoundMenu.typedNameRefused");
  SoundMenuControls controls([this]() -> SoundMenu& { return *this; });
  chooseSoundFile(controls, row, name.toStdString(), NameGiven::typed);
}

void SoundMenu::unload() {
  unloading_ = true;
  close();
}

void SoundMenu::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      guarded([this] { Command2_Click(); });
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A focused button that is no dialog's default passes Enter on.
      if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
      } else {
        guarded([this] { Command1_Click(); });
      }
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void SoundMenu::closeEvent(QCloseEvent* event) {
  if (unloading_) {
    event->accept();
    return;
  }
  // The close box works as Cancel: the dialog is hidden, never destroyed, so
  // the settings it holds stay with the game.
  event->ignore();
  guarded([this] { Command2_Click(); });
}

}  // namespace kinopa
