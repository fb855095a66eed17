// Kinopa: catch the bouncing zarup, click the drifting melkit.
//   kinopa                 play
//   kinopa --record FILE   play, and write the whole run's recording to FILE
//   kinopa --watch FILE    watch a recording (the best game, for one)
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <memory>

#include "app/best_game.h"
#include "app/draw_w.h"
#include "app/recorder.h"
#include "app/single_copy.h"
#include "app/watch.h"
#include "platform/errors.h"
#include "platform/event_pump.h"
#include "platform/fonts.h"
#include "platform/game_folders.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "platform/text_file.h"
#include "platform/tick.h"
#include "platform/translation.h"
#include "sound/wave_ini.h"

namespace {

struct Options {
  std::string record;
  std::string watch;
};

void print(std::FILE* to, const QString& text) { std::fputs(text.toLocal8Bit().constData(), to); }

// Where this copy keeps the player's files, for --help.
QString filesText() {
  const kinopa::GameFolders folders = kinopa::gameFolders();
  const QString settings = folders.settings.empty()
                               ? QStringLiteral("(no folder: the home folder is not known)/")
                               : QDir::cleanPath(QString::fromStdString(folders.settings)) + QLatin1Char('/');
  return QStringLiteral("\nFiles of this copy (%1 layout):\n  settings   %2wave.ini\n"
                        "  best game  %2best-game.kinopa\n")
      .arg(folders.installed ? QStringLiteral("installed") : QStringLiteral("portable"), settings);
}

// Reads the command line. Returns the exit status when the program is done
// with it (help, version, a mistake), -1 when it goes on.
int parseOptions(int argc, char** argv, Options& options) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Catch the bouncing zarup with the tovrin and click the drifting melkit."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help, and where the files are."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Show the version."));
  parser.addOption(help);
  parser.addOption(version);
  const QCommandLineOption record(QStringLiteral("record"),
                                  QStringLiteral("Play, and write the whole run's recording to FILE."),
                                  QStringLiteral("FILE"));
  const QCommandLineOption watch(QStringLiteral("watch"),
                                 QStringLiteral("Watch a recording, such as the best game."),
                                 QStringLiteral("FILE"));
  parser.addOption(record);
  parser.addOption(watch);

  // Qt names the program after its path only once the application exists.
  const auto usage = [&parser] {
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("kinopa"));
  };
  QString mistake;
  if (!parser.parse(args)) {
    mistake = parser.errorText();
  } else if (!parser.positionalArguments().isEmpty()) {
    mistake = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
  } else if (parser.isSet(record) && parser.isSet(watch)) {
    mistake = QStringLiteral("--record and --watch cannot go together.");
  } else if (parser.values(record).size() > 1 || parser.values(watch).size() > 1) {
    mistake = QStringLiteral("Give --record or --watch once.");
  }
  if (!mistake.isEmpty()) {
    print(stderr, QStringLiteral("kinopa: %1\n\n").arg(mistake) + usage());
    return 2;
  }
  if (parser.isSet(help)) {
    print(stdout, usage() + filesText());
    return 0;
  }
  if (parser.isSet(version)) {
    print(stdout, QStringLiteral("kinopa %1\n").arg(QCoreApplication::applicationVersion()));
    return 0;
  }
  options.record = parser.value(record).toStdString();
  options.watch = parser.value(watch).toStdString();
  return -1;
}

// An installed game's first start makes the player's folder.
void makeSettingsFolder(const kinopa::GameFolders& folders) {
  try {
    kinopa::prepareSettingsFolder(folders);
  } catch (const kinopa::Error& e) {
    kinopa::MsgBox(e, kinopa::MB_EXCLAMATION_OK, kinopa::kWaveIniWriteTitle);
  }
}

// A save cut short by a crash or a kill leaves its temporary file: only the
// copy that holds the folder may clear them, never one saving right now.
void clearSaveLeftovers(const kinopa::GameFolders& folders) {
  try {
    kinopa::removeSaveLeftovers(folders.settings, {"wave.ini", "best-game.kinopa"});
  } catch (const kinopa::Error& e) {
    std::fprintf(stderr, "kinopa: %s\n", e.description().c_str());  // harmless: it stays
  }
}

// Whether the recording asked for can be written at the end: a folder that
// takes no file would cost the whole run's recording, so it is tried now.
bool refuseRecordFile(const std::string& file) {
  const QFileInfo where(QString::fromStdString(file));
  QTemporaryFile probe(where.absolutePath() + QStringLiteral("/.kinopa-XXXXXX"));
  if (probe.open()) return false;
  const std::string path = where.absoluteFilePath().toStdString();
  std::fprintf(stderr, "kinopa: the recording cannot be written to %s: %s\n", path.c_str(),
               probe.errorString().toLocal8Bit().constData());
  kinopa::MsgBox({QT_TRANSLATE_NOOP("kinopa", "The file %1 cannot be written."), path},
                 kinopa::MB_EXCLAMATION_OK, "Kinopa");
  return true;
}

// Another copy holds the folder's lock and answers nothing (stopped, or
// hanging): this start cannot play beside it, and says why.
int refuseBesideStuckCopy(const kinopa::GameFolders& folders) {
  std::fprintf(stderr,
               "kinopa: another copy holds the settings folder %s and does not answer; not "
               "starting\n",
               folders.settings.c_str());
  kinopa::MsgBox({QT_TRANSLATE_NOOP("kinopa",
                                    "Another copy of Kinopa is using the settings folder %1 and "
                                    "does not answer. Close it or end it, then start again."),
                  folders.settings},
                 kinopa::MB_EXCLAMATION_OK, "Kinopa");
  return 1;
}

int play(const std::string& recordFile) {
  const kinopa::GameFolders folders = kinopa::gameFolders();
  makeSettingsFolder(folders);
  std::unique_ptr<kinopa::SingleCopy> single;
  if (!folders.settings.empty()) {
    single = std::make_unique<kinopa::SingleCopy>(folders.settings);
    switch (single->acquire()) {
      case kinopa::SingleCopy::Outcome::run: break;
      case kinopa::SingleCopy::Outcome::shown: return 0;  // the running copy came to the front
      case kinopa::SingleCopy::Outcome::blocked: return refuseBesideStuckCopy(folders);
    }
    clearSaveLeftovers(folders);
  }
  kinopa::SteadyTickCounter clock;
  kinopa::ClockSeededRandom randomness;
  // Everything the rules read is recorded, so that a record game can be
  // kept and any run can be played back exactly.
  kinopa::Recorder recorder;
  kinopa::RecordedTick tick(clock, recorder);
  kinopa::RecordedRandom random(randomness, recorder);
  kinopa::QtEventPump pump;
  try {
    // With no folder for the player's files (no home folder) the game is
    // still played; a record game then says once that it cannot be kept.
    kinopa::BestGame best(folders.settings.empty() ? std::string()
                                                   : folders.settings + "best-game.kinopa");
    kinopa::DrawW window(
        {tick, random, pump, kinopa::Mode::play, &recorder, &best, recordFile});
    if (single) {
      single->listen([&window] {
        if (window.game().quitRequested != kinopa::kClear) return false;  // ending: wait for us
        window.showNormal();
        window.raise();
        window.activateWindow();
        return true;
      });
    }
    try {
      window.Form_Load();
    } catch (const std::exception& e) {
      kinopa::showErrorBox(e);  // shown while the window is still there
      return 1;
    }
    // Done: a start from now on finds the folder free, or soon will.
    if (single) single->release();
  } catch (const std::exception& e) {
    kinopa::showErrorBox(e);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Also names the player's data folder (~/.local/share/kinopa).
  QCoreApplication::setApplicationName(QStringLiteral("kinopa"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KINOPA_VERSION));
  Options options;
  if (const int status = parseOptions(argc, argv, options); status >= 0) return status;

  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("net.kinopa.Kinopa"));
  kinopa::installFontSubstitutes();
  if (!kinopa::useLanguage(QLocale::system().language()))
    std::fprintf(stderr, "kinopa: the Japanese messages cannot be loaded; they stay in English\n");

  if (!options.record.empty() && refuseRecordFile(options.record)) return 2;
  if (options.watch.empty()) return play(options.record);
  try {
    return kinopa::watchRecording(options.watch);
  } catch (const std::exception& e) {
    kinopa::showErrorBox(e);
    return 1;
  }
}
