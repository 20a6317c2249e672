#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QString>

#include <functional>
#include <memory>

namespace velt {

// One VELTPLUS per user. The first instance holds a lock file and listens on a local
// socket in the user's runtime folder; a later start finds the lock held, asks the
// running instance to show its window, and exits. A lock left by a crashed run is stale
// (its process is gone) and taken over, its socket replaced.
class SingleInstance {
 public:
  enum class Role { Primary, AlreadyRunning, Failed };

  // `folder` holds "VELTPLUS.lock" and "VELTPLUS.socket".
  explicit SingleInstance(const QString& folder);

  // Takes the lock, or tells the running instance to show itself.
  Role start();
  // Runs when a later start asks this instance to show its window.
  void setOnShowRequest(std::function<void()> handler) { onShow_ = std::move(handler); }

  // The user's runtime folder, or the temporary folder where there is none.
  static QString defaultFolder();

 private:
  bool askRunningInstanceToShow();
  void acceptRequest();

  QString socketPath_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
  std::function<void()> onShow_;
};

}  // namespace velt
