#pragma once
// One running copy of the game for each settings folder, so two copies never
// save over each other's record. The first copy holds a lock file in the
// folder and listens on a socket named after the folder; a later start asks
// it to come to the front and ends, or, when it gets no answer, waits a
// while for the lock before it gives up and says so.
#include <QLocalServer>
#include <QLockFile>
#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace kinopa {

class SingleCopy {
 public:
  // How long a later start goes on trying the lock of a copy that does not
  // answer, or answers that it is ending.
  static constexpr std::chrono::seconds kPatience{5};

  explicit SingleCopy(const std::string& settingsFolder);
  ~SingleCopy();

  enum class Outcome {
    run,        // this copy holds the folder (or the folder takes no lock at all)
    shown,      // the running copy came to the front
    blocked,    // a copy holds the lock and does not answer
  };
  // Tries to become the folder's one copy. A folder the player may not
  // write to, which holds no lock of a live copy or no lock at all, lets this
  // copy run without one: there is nothing to save there anyway.
  Outcome acquire();

  // While this copy runs, a later start calls `show`, which brings the window
  // to the front and returns true, or returns false when the program is
  // ending (the later start then waits for the lock).
  void listen(std::function<bool()> show);
  // This copy is ending: later starts are no longer answered, and the lock
  // goes.
  void release();

  const QString& serverName() const { return serverName_; }

 private:
  // Asks the running copy to show itself; true when it answered that it did.
  bool askRunningCopy();
  bool folderTakesFiles() const;

  QString folder_;
  QString serverName_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace kinopa
