#pragma once
// The window system's two ways of ending the program from inside Qt: a
// display that cannot be reached at start (Qt aborts: "no Qt platform plugin
// could be initialized"), and the connection to it lost later (the xcb
// plugin calls exit(1) from inside its event processing, the Wayland plugin
// _exit, which runs no exit handler). Qt says so first through its message
// handler, and nothing else hears of it in time: so the watch is a message
// handler. At start it says in one line which display failed and ends with
// status 1; once the connection is lost it has the game save (on the main
// thread, touching no window), says so in one line and ends with status 1.
#include <QString>
#include <QtGlobal>
#include <functional>

namespace kinopa {

class WindowSystemWatch {
 public:
  // Installs the message handler. Until started(), Qt's messages and all
  // else written to standard error are held back (said only if the start
  // succeeds), and a fatal message is the window system failing to start:
  // `startFailure` is printed, and the program ends with status 1.
  explicit WindowSystemWatch(QString startFailure);
  ~WindowSystemWatch();
  WindowSystemWatch(const WindowSystemWatch&) = delete;
  WindowSystemWatch& operator=(const WindowSystemWatch&) = delete;

  // The application is made: the messages held back are said. From now on
  // a lost connection prints `lost` and ends the program with status 1.
  void started(QString lost);
  // What runs first when the connection is lost, for as long as the
  // returned guard lives: on the main thread, touching no window (message
  // boxes go to standard error meanwhile).
  class Saving {
   public:
    ~Saving();
    Saving(const Saving&) = delete;
    Saving& operator=(const Saving&) = delete;

   private:
    friend class WindowSystemWatch;
    Saving() = default;
  };
  [[nodiscard]] Saving saveWhenLost(std::function<void()> save);

  // Whether Qt's message says the connection to the window system broke.
  static bool saysConnectionLost(const QString& message);
};

}  // namespace kinopa
