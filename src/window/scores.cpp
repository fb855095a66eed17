#include "window/scores.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/folders.h"
#include "core/messages.h"
#include "play/player_run.h"
#include "play/ten_best.h"

namespace kinopa {
namespace {

QString translatedText(const char* text) { return QCoreApplication::translate("kinopa", text); }

// When the game was played, as the player's locale writes a date and time.
// The wall time where the player was is shown as it was then.
QString playedText(const LocalTime& t) {
  const QDateTime wall(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second), Qt::UTC);
  return QLocale().toString(wall, QLocale::ShortFormat);
}

// Watched as kinopa --watch watches it: by this program, started anew, in a
// window of its own, while the list stays open.
void watch(const std::string& path) {
  if (QProcess::startDetached(QCoreApplication::applicationFilePath(),
                              {QStringLiteral("--watch"), QString::fromStdString(path)}))
    return;
  std::fprintf(stderr, "kinopa: could not start the program to watch %s\n", path.c_str());
  MsgBox({QT_TRANSLATE_NOOP("kinopa",
                            "The game %1 cannot be watched: Kinopa could not be started."),
          path},
         MB_EXCLAMATION_OK, "Kinopa");
}

}  // namespace

int showScores() {
  const std::string folder = PlayerFiles(gameFolders()).tenBest;
  std::vector<KeptGame> games;
  try {
    if (!folder.empty()) games = tenBestIn(folder);
  } catch (const Error& e) {
    MsgBox(e, MB_EXCLAMATION_OK, "Kinopa",
           {QT_TRANSLATE_NOOP("kinopa", "Your ten best games cannot be read.")});
    return 1;
  }

  QDialog dialog;
  dialog.setWindowTitle(QCoreApplication::translate("kinopa", "Kinopa — your ten best games"));
  auto* column = new QVBoxLayout(&dialog);
  if (games.empty()) {
    auto* none = new QLabel(QCoreApplication::translate(
        "kinopa", "No game is kept yet. Each game that scores more than 0 is kept here while it "
                  "is among your ten best."));
    none->setWordWrap(true);
    column->addWidget(none);
  } else {
    auto* table = new QGridLayout;
    table->setHorizontalSpacing(16);
    const char* heads[] = {QT_TRANSLATE_NOOP("kinopa", "Rank"),
                           QT_TRANSLATE_NOOP("kinopa", "Score"),
                           QT_TRANSLATE_NOOP("kinopa", "Played")};
    for (int c = 0; c < 3; ++c) {
      auto* head =
          new QLabel(QStringLiteral("<b>%1</b>").arg(translatedText(heads[c]).toHtmlEscaped()));
      table->addWidget(head, 0, c, c < 2 ? Qt::AlignRight : Qt::AlignLeft);
    }
    const QLocale locale;
    for (std::size_t i = 0; i < games.size(); ++i) {
      const KeptGame& game = games[i];
      const int row = static_cast<int>(i) + 1;
      table->addWidget(new QLabel(locale.toString(row)), row, 0, Qt::AlignRight);
      table->addWidget(new QLabel(locale.toString(game.score)), row, 1, Qt::AlignRight);
      table->addWidget(new QLabel(playedText(game.ended)), row, 2);
      auto* watchButton = new QPushButton(QCoreApplication::translate("kinopa", "Watch"));
      QObject::connect(watchButton, &QPushButton::clicked, [path = game.path] { watch(path); });
      table->addWidget(watchButton, row, 3);
    }
    column->addLayout(table);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  column->addWidget(buttons);
  dialog.exec();
  return 0;
}

}  // namespace kinopa
