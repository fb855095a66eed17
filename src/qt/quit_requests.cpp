#include "qt/quit_requests.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <cstring>

#include "core/errors.h"

namespace kinopa {
namespace {

// The signal handler's end of the pair, and the event loop's.
int g_pair[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// All a signal handler may do: one byte down the pipe, saying which signal.
// A second signal of the same kind finds the default action again and ends
// the program at once, should the first have hung.
extern "C" void onSignal(int number) {
  const int saved = errno;
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t n = ::write(g_pair[0], &byte, 1);
  errno = saved;
}

}  // namespace

QuitRequests::QuitRequests(std::function<void()> quit, std::function<void()> save)
    : quit_(std::move(quit)), save_(std::move(save)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0)
    throw PlatformError("Signals", "socketpair", std::strerror(errno));
  notifier_ = std::make_unique<QSocketNotifier>(g_pair[1], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { signalled(); });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (int number : kSignals) {
    if (::sigaction(number, &action, nullptr) != 0)
      throw PlatformError("Signals", "sigaction", std::strerror(errno));
  }
  // The session manager: its "save yourself" saves now; its "die" comes as
  // the application's quit event, which no event loop of ours would see.
  QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                   [this](QSessionManager&) { save_(); });
  qApp->installEventFilter(this);
}

QuitRequests::~QuitRequests() {
  qApp->removeEventFilter(this);
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int number : kSignals) ::sigaction(number, &action, nullptr);
  notifier_.reset();
  ::close(g_pair[0]);
  ::close(g_pair[1]);
  g_pair[0] = g_pair[1] = -1;
}

void QuitRequests::signalled() {
  char bytes[16];
  while (::read(g_pair[1], bytes, sizeof bytes) > 0) {
  }
  quit_();
}

bool QuitRequests::eventFilter(QObject* watched, QEvent* event) {
  if (watched == qApp && event->type() == QEvent::Quit) {
    quit_();
    return true;
  }
  return false;
}

}  // namespace kinopa
