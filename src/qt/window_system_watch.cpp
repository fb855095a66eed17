#include "qt/window_system_watch.h"

#include <sys/mman.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "core/errors.h"
#include "core/messages.h"

namespace kinopa {
namespace {

// A message Qt gave while the window system was starting.
struct Held {
  QtMsgType type;
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString message;
};

std::mutex g_mutex;
QtMessageHandler g_previous = nullptr;
bool g_starting = false;
std::vector<Held> g_held;
QString g_startFailure;
QString g_lost;
std::function<void()> g_save;
// The main thread is saving; another thread has asked it to.
std::atomic<bool> g_saving{false};
std::atomic<bool> g_asked{false};

void say(const QString& line) {
  std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
  std::fflush(stderr);
}

// While the window system starts, standard error goes to a file in memory:
// the libraries under Qt write their own complaints there ("Authorization
// required..."), which are said only if the start succeeds.
class HeldStandardError {
 public:
  void hold() {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    held_ = ::memfd_create("kinopa-stderr", MFD_CLOEXEC);
    if (saved_ < 0 || held_ < 0 || ::dup2(held_, STDERR_FILENO) < 0) release(false);
  }
  // Standard error back as it was; what was held is said when `say`.
  void release(bool say) {
    std::fflush(stderr);
    if (saved_ >= 0) ::dup2(saved_, STDERR_FILENO);
    if (say && held_ >= 0 && ::lseek(held_, 0, SEEK_SET) == 0) {
      char buffer[4096];
      for (ssize_t n; (n = ::read(held_, buffer, sizeof buffer)) > 0;) {
        if (::write(STDERR_FILENO, buffer, static_cast<std::size_t>(n)) != n) break;
      }
    }
    for (int* fd : {&saved_, &held_}) {
      if (*fd >= 0) ::close(*fd);
      *fd = -1;
    }
  }

 private:
  int saved_ = -1;
  int held_ = -1;
};
HeldStandardError g_heldError;

// While the window system is gone, a box would need it: what a box would say
// goes to standard error.
class StandardErrorMessages : public MessageSink {
 public:
  void messageBox(const std::string& title, const std::string& text, int) override {
    std::fprintf(stderr, "kinopa: %s %s\n", title.c_str(), text.c_str());
  }
  void errorBox(const std::string& title, const std::string& text) override {
    messageBox(title, text, 0);
  }
};

// On the main thread: what there is to save, then the end.
[[noreturn]] void saveAndEnd() {
  StandardErrorMessages toStandardError;
  setMessageSink(&toStandardError);
  try {
    if (g_save) g_save();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "kinopa: %s\n", errorReport(e).c_str());
  } catch (...) {
    std::fputs("kinopa: the save failed\n", stderr);
  }
  say(g_lost);
  // Qt would end the program here all the same; no exit handler runs, as
  // none could reach the window system.
  std::_Exit(1);
}

bool onMainThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

// The connection to the window system is lost: Qt ends the program as soon
// as this returns. On the main thread the save runs here; from another
// thread the main thread is asked, and given a few seconds.
void connectionLost() {
  if (onMainThread()) {
    if (!g_saving.exchange(true)) saveAndEnd();
    return;  // a message from inside the save itself
  }
  if (!g_asked.exchange(true)) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] {
      if (!g_saving.exchange(true)) saveAndEnd();
    }, Qt::QueuedConnection);
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  say(g_lost);  // the main thread did not come: nothing was saved
}

void handler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_starting) {
      if (type == QtFatalMsg) {
        g_heldError.release(false);
        say(g_startFailure);
        std::_Exit(1);
      }
      g_held.push_back(
          {type, context.file, context.line, context.function, context.category, message});
      return;
    }
  }
  if (WindowSystemWatch::saysConnectionLost(message)) {
    connectionLost();
    return;
  }
  g_previous(type, context, message);
}

}  // namespace

WindowSystemWatch::WindowSystemWatch(QString startFailure) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_startFailure = std::move(startFailure);
  g_starting = true;
  g_previous = qInstallMessageHandler(handler);
  g_heldError.hold();
}

WindowSystemWatch::~WindowSystemWatch() {
  qInstallMessageHandler(g_previous);
  std::lock_guard<std::mutex> lock(g_mutex);
  if (g_starting) g_heldError.release(true);
  g_starting = false;
  g_held.clear();
  g_save = nullptr;
}

void WindowSystemWatch::started(QString lost) {
  std::vector<Held> held;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_starting = false;
    g_lost = std::move(lost);
    held.swap(g_held);
    g_heldError.release(true);
  }
  for (const Held& h : held) {
    const QMessageLogContext context(h.file, h.line, h.function, h.category);
    g_previous(h.type, context, h.message);
  }
}

WindowSystemWatch::Saving WindowSystemWatch::saveWhenLost(std::function<void()> save) {
  g_save = std::move(save);
  return Saving();
}

WindowSystemWatch::Saving::~Saving() { g_save = nullptr; }

bool WindowSystemWatch::saysConnectionLost(const QString& message) {
  return message.startsWith(QLatin1String("The X11 connection broke")) ||
         message.startsWith(QLatin1String("The Wayland connection broke")) ||
         message.startsWith(QLatin1String("The Wayland connection experienced a fatal error"));
}

}  // namespace kinopa
