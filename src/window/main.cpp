// Kinopa: catch the bouncing zarup, click the drifting melkit.
//   kinopa                 play
//   kinopa --record FILE   play, and write the whole run's recording to FILE
//   kinopa --watch FILE    watch a recording
//   kinopa --watch-best    watch the player's best game
//   kinopa --scores        the player's ten best games, each to watch
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <memory>

#include "play/player_run.h"
#include "window/draw_w.h"
#include "window/scores.h"
#include "window/single_copy.h"
#include "window/watch.h"
#include "core/errors.h"
#include "qt/qt_event_pump.h"
#include "qt/fonts.h"
#include "core/folders.h"
#include "core/messages.h"
#include "qt/quit_requests.h"
#include "qt/window_system_watch.h"
#include "core/files.h"
#include "core/write_failure.h"
#include "qt/translation.h"
#include "sound/wave_ini.h"

namespace {

struct Options {
  std::string record;
  std::string watch;
  bool watchBest = false;
  bool scores = false;
};

void print(std::FILE* to, const QString& text) { std::fputs(text.toLocal8Bit().constData(), to); }

// Loads the player's language into the application; what cannot be loaded
// is said on standard error and stays in English.
void loadLanguage() {
  const std::string missing = kinopa::useLanguage(QLocale::system().language());
  if (!missing.empty())
    std::fprintf(stderr, "kinopa: %s cannot be loaded; they stay in English\n", missing.c_str());
}

// Where this copy keeps the player's files, for --help.
QString filesText() {
  const kinopa::GameFolders folders = kinopa::gameFolders();
  const QString settings = folders.settings.empty()
                               ? QCoreApplication::translate("kinopa", "(no folder: the home folder is not known)") + QLatin1Char('/')
                               : QDir::cleanPath(QString::fromStdString(folders.settings)) + QLatin1Char('/');
  return QStringLiteral("\n%1\n  %2\n  %3\n  %4\n")
      .arg(folders.installed ? QCoreApplication::translate("kinopa", "Files of this copy (installed layout):")
                             : QCoreApplication::translate("kinopa", "Files of this copy (portable layout):"),
           QCoreApplication::translate("kinopa", "settings: %1").arg(settings + QLatin1String(kinopa::kWaveIniName)),
           QCoreApplication::translate("kinopa", "best game: %1").arg(settings + QLatin1String(kinopa::kBestGameName)),
           QCoreApplication::translate("kinopa", "ten best games: %1").arg(settings + QLatin1String(kinopa::kTenBestName) + QLatin1Char('/')));
}

// Reads the command line. Returns the exit status when the program is done
// with it (help, version, a mistake), -1 when it goes on.
int parseOptions(const QStringList& args, Options& options) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QCoreApplication::translate("kinopa", "Catch the bouncing zarup with the tovrin and click the drifting melkit."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QCoreApplication::translate("kinopa", "Show this help, and where the files are."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QCoreApplication::translate("kinopa", "Show the version."));
  parser.addOption(help);
  parser.addOption(version);
  const QCommandLineOption record(QStringLiteral("record"),
                                  QCoreApplication::translate("kinopa", "Play, and write the whole run's recording to FILE."),
                                  QCoreApplication::translate("kinopa", "FILE"));
  const QCommandLineOption watch(QStringLiteral("watch"),
                                 QCoreApplication::translate("kinopa", "Watch a recording, such as the best game."), QCoreApplication::translate("kinopa", "FILE"));
  const QCommandLineOption watchBest(QStringLiteral("watch-best"), QCoreApplication::translate("kinopa", "Watch your best game."));
  parser.addOption(record);
  parser.addOption(watch);
  const QCommandLineOption scores(QStringLiteral("scores"),
                                  QCoreApplication::translate("kinopa", "Show your ten best games, each to watch."));
  parser.addOption(watchBest);
  parser.addOption(scores);

  QString mistake;
  const int watches = parser.parse(args) ? parser.isSet(watch) + parser.isSet(watchBest) + parser.isSet(scores) : 0;
  if (!parser.errorText().isEmpty()) {
    mistake = parser.errorText();
  } else if (!parser.positionalArguments().isEmpty()) {
    mistake = QCoreApplication::translate("kinopa", "Unexpected argument '%1'.").arg(parser.positionalArguments().first());
  } else if (parser.isSet(record) && watches > 0) {
    mistake = QCoreApplication::translate("kinopa", "--record and watching cannot go together.");
  } else if (watches > 1 || parser.values(record).size() > 1 || parser.values(watch).size() > 1) {
    mistake = QCoreApplication::translate("kinopa", "Give --record, --watch, --watch-best or --scores once.");
  }
  if (!mistake.isEmpty()) {
    print(stderr, QStringLiteral("kinopa: %1\n\n").arg(mistake) + parser.helpText());
    return 2;
  }
  if (parser.isSet(help)) {
    print(stdout, parser.helpText() + filesText());
    return 0;
  }
  if (parser.isSet(version)) {
    print(stdout, QStringLiteral("kinopa %1\n").arg(QCoreApplication::applicationVersion()));
    return 0;
  }
  options.record = parser.value(record).toStdString();
  options.watch = parser.value(watch).toStdString();
  options.watchBest = parser.isSet(watchBest);
  options.scores = parser.isSet(scores);
  return -1;
}

// The desktop the window system is asked for, as the environment names it:
// "DISPLAY=:0", "WAYLAND_DISPLAY=wayland-0", or both.
QString desktopNamed() {
  QStringList names;
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!qEnvironmentVariableIsEmpty(name))
      names << QStringLiteral("%1=%2").arg(QLatin1String(name), qEnvironmentVariable(name));
  }
  return names.join(QStringLiteral(", "));
}

// Whether a desktop is named to open the window on. Whether it can be
// reached is the window system's to find (see WindowSystemWatch).
bool desktopThere() {
  const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")) &&
      !platform.startsWith(QLatin1String("wayland")))
    return true;  // offscreen, vnc and the like need no display
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Whether the recording asked for can be written at the end: a folder that
// takes no file would cost the whole run's recording, so it is tried now.
bool refuseRecordFile(const std::string& file) {
  const QFileInfo where(QString::fromStdString(file));
  QTemporaryFile probe(where.absolutePath() + QStringLiteral("/.kinopa-XXXXXX"));
  errno = 0;
  if (!where.isDir() && probe.open()) return false;
  const int number = errno;
  const std::string path = where.absoluteFilePath().toStdString();
  const std::string why = where.isDir() ? "a folder" : probe.errorString().toStdString();
  std::fprintf(stderr, "kinopa: the recording cannot be written to %s: %s\n", path.c_str(),
               why.c_str());
  kinopa::MsgBox(kinopa::unwritableFile(path, number, why), kinopa::MB_EXCLAMATION_OK, "Kinopa");
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

// A recording is of a run from its start: one beside a running copy would
// miss that copy's games and could not keep its record.
int refuseRecordingBesideCopy() {
  std::fprintf(stderr, "kinopa: another copy is running; recording needs it closed first\n");
  kinopa::MsgBox({QT_TRANSLATE_NOOP("kinopa",
                                    "Kinopa is already running. To record a run, close it first, "
                                    "then start Kinopa again with --record.")},
                 kinopa::MB_EXCLAMATION_OK, "Kinopa");
  return 1;
}

int play(const std::string& recordFile, kinopa::WindowSystemWatch& windowSystem) {
  const kinopa::GameFolders folders = kinopa::gameFolders();
  kinopa::PlayerRun::prepareFolder(folders);
  std::unique_ptr<kinopa::SingleCopy> single;
  if (!folders.settings.empty()) {
    single = std::make_unique<kinopa::SingleCopy>(folders.settings);
    switch (single->acquire()) {
      case kinopa::SingleCopy::Outcome::run: break;
      case kinopa::SingleCopy::Outcome::shown:  // the running copy came to the front
        return recordFile.empty() ? 0 : refuseRecordingBesideCopy();
      case kinopa::SingleCopy::Outcome::blocked: return refuseBesideStuckCopy(folders);
    }
    kinopa::PlayerRun::clearSaveLeftovers(folders);
  }
  kinopa::QtEventPump pump;
  try {
    kinopa::PlayerRun run(folders, recordFile);
    kinopa::DrawW::Front front;
    kinopa::PlaySession session(run.services(pump), front);
    kinopa::DrawW window(session, front);
    if (single) {
      single->listen([&session, &window] {
        if (session.phase() == kinopa::Phase::ending) return false;  // wait for us
        window.showNormal();
        window.raise();
        window.activateWindow();
        return true;
      });
    }
    // A logout, kill or Ctrl+C ends the program as 終了 does: all saved.
    kinopa::QuitRequests quitRequests([&window] { window.endRequested(); },
                                      [&session] { session.saveNow(); });
    // So does a lost display, at once: the window system ends the program
    // as soon as the save returns. Only while the session is there.
    const auto saving = windowSystem.saveWhenLost([&session] { session.endWithoutWindows(); });
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

// The player's best game, or a word that there is none yet.
int watchBest(std::chrono::steady_clock::time_point began) {
  const std::string path = kinopa::PlayerFiles(kinopa::gameFolders()).bestGame;
  if (path.empty() || !kinopa::fileExists(path)) {
    std::fprintf(stderr, "kinopa: there is no best game yet (%s)\n", path.c_str());
    kinopa::MsgBox({QT_TRANSLATE_NOOP("kinopa",
                                      "There is no best game yet. It is kept when a game beats "
                                      "your highest score.")},
                   kinopa::MB_EXCLAMATION_OK, "Kinopa");
    return 2;
  }
  return kinopa::watchRecording(path, began);
}

}  // namespace

int main(int argc, char** argv) {
  const auto began = std::chrono::steady_clock::now();
  // Also names the player's data folder (~/.local/share/kinopa).
  QCoreApplication::setApplicationName(QStringLiteral("kinopa"));
  QCoreApplication::setApplicationVersion(QStringLiteral(KINOPA_VERSION));
  Options options;
  QString cannotStart, lost;
  {
    // The command line is read, in the player's language, before anything
    // needs a desktop: --help works without one.
    QCoreApplication reading(argc, argv);
    loadLanguage();
    if (const int status = parseOptions(QCoreApplication::arguments(), options); status >= 0)
      return status;
    if (!desktopThere()) {
      print(stderr, QStringLiteral("kinopa: %1\n")
                        .arg(QCoreApplication::translate(
                            "kinopa",
                            "needs a desktop to show its window on (neither DISPLAY nor "
                            "WAYLAND_DISPLAY is set).")));
      return 1;
    }
    // What the window system's watch says, in the player's language, which
    // only this application knows yet.
    const QString desktop = desktopNamed();
    cannotStart = QStringLiteral("kinopa: %1").arg(
        QCoreApplication::translate("kinopa",
                                    "cannot show its window: the desktop (%1) cannot be reached, "
                                    "or this user may not use it.")
            .arg(desktop));
    lost = QStringLiteral("kinopa: %1").arg(
        options.watchBest || !options.watch.empty()
            ? QCoreApplication::translate("kinopa",
                                          "the connection to the desktop (%1) was lost; "
                                          "watching ends.")
                  .arg(desktop)
            : QCoreApplication::translate("kinopa",
                                          "the connection to the desktop (%1) was lost; the game "
                                          "saves what 終了 saves, and ends.")
                  .arg(desktop));
  }

  // Qt ends the program itself when the desktop cannot be reached, or is
  // lost later: its watch says so in one line, saves first, and ends with
  // status 1.
  kinopa::WindowSystemWatch windowSystem(cannotStart);
  QApplication app(argc, argv);
  windowSystem.started(lost);
  QGuiApplication::setDesktopFileName(QStringLiteral("net.kinopa.Kinopa"));
  kinopa::installFontSubstitutes();
  loadLanguage();

  if (!options.record.empty() && refuseRecordFile(options.record)) return 2;
  try {
    if (options.watchBest) return watchBest(began);
    if (options.scores) return kinopa::showScores();
    if (!options.watch.empty()) return kinopa::watchRecording(options.watch, began);
  } catch (const std::exception& e) {
    kinopa::showErrorBox(e);
    return 1;
  }
  return play(options.record, windowSystem);
}
