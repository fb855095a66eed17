#pragma once
// One running copy of the game for each settings folder, so two copies never
// save over each other's record. The first copy holds a lock file in the
// folder and listens; a later start asks it to come to the front and ends.
#include <QLocalServer>
#include <QLockFile>
#include <memory>
#include <string>

class QWidget;

namespace kinopa {

class SingleCopy {
 public:
  explicit SingleCopy(const std::string& settingsFolder);
  ~SingleCopy();

  // True when this copy may run: it holds the folder's lock, or the folder
  // takes no lock file at all (one the player may not write to, where there
  // is nothing to save anyway). False when another copy holds it; that copy
  // has then been asked to show itself.
  bool acquire();
  // While this copy runs, a later start brings `window` to the front.
  void listen(QWidget* window);

 private:
  QString serverName_;
  QLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace kinopa
