#include "config_app/app/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include "base/log.h"

namespace velt {

namespace {
constexpr int kConnectTimeoutMs = 1000;
constexpr int kConnectAttempts = 5;  // a first instance may still be starting up
const QByteArray kShowRequest = "show\n";
}  // namespace

SingleInstance::SingleInstance(const QString& folder)
    : socketPath_(QDir(folder).filePath("VELTPLUS.socket")),
      lock_(QDir(folder).filePath("VELTPLUS.lock")) {
  lock_.setStaleLockTime(0);  // a lock is stale only when its process is gone
}

QString SingleInstance::defaultFolder() {
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

SingleInstance::Role SingleInstance::start() {
  if (!lock_.tryLock(0)) {
    if (lock_.error() != QLockFile::LockFailedError) {
      logLine("cannot use the instance lock; running without one");
      return Role::Failed;
    }
    return askRunningInstanceToShow() ? Role::AlreadyRunning : Role::Failed;
  }
  // Ours now: a socket still there is a crashed run's.
  QLocalServer::removeServer(socketPath_);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketPath_)) {
    logLine("cannot listen on " + socketPath_.toStdString() + ": " +
            server_->errorString().toStdString());
    return Role::Primary;
  }
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                   [this] { acceptRequest(); });
  return Role::Primary;
}

bool SingleInstance::askRunningInstanceToShow() {
  for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (socket.waitForConnected(kConnectTimeoutMs)) {
      socket.write(kShowRequest);
      return socket.waitForBytesWritten(kConnectTimeoutMs);
    }
    QThread::msleep(200);
  }
  return false;
}

void SingleInstance::acceptRequest() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
      if (socket->readAll().contains("show") && onShow_) onShow_();
    });
  }
}

}  // namespace velt
