#pragma once
// The ways the desktop asks a program to end, besides its own window's close
// box: SIGTERM (a logout, `kill`), SIGINT (Ctrl+C in a terminal), SIGHUP (the
// terminal closed), and the session manager's quit request. Each reaches the
// window system's event loop, where `quit` runs as a click on 終了 would; the
// session manager's wish to save first saves at once through `save`.
#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace kinopa {

class QuitRequests : public QObject {
 public:
  QuitRequests(std::function<void()> quit, std::function<void()> save);
  ~QuitRequests() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void signalled();

  std::function<void()> quit_;
  std::function<void()> save_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace kinopa
