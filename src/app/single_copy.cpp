#include "app/single_copy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QWidget>
#include <climits>
#include <cstdio>

namespace kinopa {
namespace {

QString folderOf(const std::string& settingsFolder) {
  return QDir::cleanPath(QString::fromStdString(settingsFolder));
}

}  // namespace

SingleCopy::SingleCopy(const std::string& settingsFolder)
    : serverName_(QStringLiteral("kinopa-") +
                  QString::fromLatin1(QCryptographicHash::hash(folderOf(settingsFolder).toUtf8(),
                                                               QCryptographicHash::Sha1)
                                          .toHex()
                                          .left(20))),
      lock_(folderOf(settingsFolder) + QStringLiteral("/kinopa.lock")) {
  // A lock is stale only when its copy is gone (crashed, killed): a copy that
  // has been running for hours still holds it.
  lock_.setStaleLockTime(INT_MAX);
}

SingleCopy::~SingleCopy() = default;

bool SingleCopy::acquire() {
  if (lock_.tryLock(0)) return true;
  if (lock_.error() != QLockFile::LockFailedError) {
    std::fprintf(stderr, "kinopa: no lock file in the settings folder, so a second copy could start\n");
    return true;
  }
  QLocalSocket running;
  running.connectToServer(serverName_);
  if (running.waitForConnected(2000)) {
    running.write("show\n");
    running.waitForBytesWritten(2000);
    running.disconnectFromServer();
  }
  return false;
}

void SingleCopy::listen(QWidget* window) {
  server_ = std::make_unique<QLocalServer>();
  // What a crashed copy left of its socket goes; the lock says it is ours.
  QLocalServer::removeServer(serverName_);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(serverName_)) {
    std::fprintf(stderr, "kinopa: later starts cannot reach this copy: %s\n",
                 server_->errorString().toLocal8Bit().constData());
    return;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, window, [this, window] {
    while (QLocalSocket* asker = server_->nextPendingConnection()) {
      QObject::connect(asker, &QLocalSocket::disconnected, asker, &QObject::deleteLater);
      window->showNormal();
      window->raise();
      window->activateWindow();
    }
  });
}

}  // namespace kinopa
