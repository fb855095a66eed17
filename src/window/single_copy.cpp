#include "window/single_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <cstdio>

namespace kinopa {
namespace {

// The folder as the file system knows it, so that the same folder reached
// through a symbolic link (or written with a trailing slash) is one folder.
QString canonicalFolder(const std::string& settingsFolder) {
  const QString path = QString::fromStdString(settingsFolder);
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(path) : canonical;
}

// The socket: in the user's own runtime folder, where the session keeps
// such things (the temporary folder without one), named after the folder.
QString socketPath(const QString& folder) {
  QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = QDir::tempPath();
  const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256);
  return QDir(dir).filePath(QStringLiteral("kinopa-") + QString::fromLatin1(hash.toHex().left(24)));
}

constexpr char kShown[] = "shown\n";
constexpr char kEnding[] = "ending\n";

}  // namespace

SingleCopy::SingleCopy(const std::string& settingsFolder)
    : folder_(canonicalFolder(settingsFolder)),
      serverName_(socketPath(folder_)),
      lock_(folder_ + QStringLiteral("/kinopa.lock")) {
  // A lock is stale only when its copy is gone (crashed, killed): one that
  // has run for weeks still holds it. 0 turns the test of its age off.
  lock_.setStaleLockTime(0);
}

SingleCopy::~SingleCopy() { release(); }

bool SingleCopy::folderTakesFiles() const { return QFileInfo(folder_).isWritable(); }

SingleCopy::Outcome SingleCopy::acquire() {
  if (lock_.tryLock(0)) return Outcome::run;
  if (lock_.error() != QLockFile::LockFailedError) {
    std::fprintf(stderr, "kinopa: no lock file in the settings folder, so a second copy could start\n");
    return Outcome::run;
  }
  if (askRunningCopy()) return Outcome::shown;
  // A lock left by a copy that is gone, in a folder nobody may write to now:
  // it cannot be cleared, and there is nothing to save, so the game plays.
  if (!folderTakesFiles()) {
    std::fprintf(stderr, "kinopa: the settings folder cannot be written to; playing without its lock\n");
    return Outcome::run;
  }
  // No answer, or the running copy is ending: it lets go of the lock when it
  // is done (at once, if it crashed).
  if (lock_.tryLock(std::chrono::milliseconds(kPatience))) return Outcome::run;
  return lock_.error() == QLockFile::LockFailedError ? Outcome::blocked : Outcome::run;
}

bool SingleCopy::askRunningCopy() {
  QElapsedTimer asking;
  asking.start();
  constexpr int kWaitMs = 1000;  // a copy that answers does so at its next turn
  QLocalSocket running;
  running.connectToServer(serverName_);
  if (!running.waitForConnected(kWaitMs)) return false;
  QByteArray answer;
  while (!answer.endsWith('\n') && asking.elapsed() < kWaitMs &&
         running.state() == QLocalSocket::ConnectedState) {
    if (running.waitForReadyRead(static_cast<int>(kWaitMs - asking.elapsed())))
      answer += running.readAll();
  }
  answer += running.readAll();
  running.abort();
  return answer == kShown;
}

void SingleCopy::listen(std::function<bool()> show) {
  server_ = std::make_unique<QLocalServer>();
  // What a crashed copy left of its socket goes; the lock says it is ours.
  QLocalServer::removeServer(serverName_);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(serverName_)) {
    std::fprintf(stderr, "kinopa: later starts cannot reach this copy: %s\n",
                 server_->errorString().toLocal8Bit().constData());
    return;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this, show = std::move(show)] {
                     while (QLocalSocket* asker = server_->nextPendingConnection()) {
                       QObject::connect(asker, &QLocalSocket::disconnected, asker,
                                        &QObject::deleteLater);
                       asker->write(show() ? kShown : kEnding);
                       asker->flush();
                       asker->disconnectFromServer();
                     }
                   });
}

void SingleCopy::release() {
  server_.reset();  // closing it removes the socket
  if (lock_.isLocked()) lock_.unlock();
}

}  // namespace kinopa
