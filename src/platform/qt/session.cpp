#include "platform/qt/session.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <iterator>

#include "platform/qt/window.h"

namespace z2 {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The write end of the pipe, for the signal handler. One window per process.
volatile sig_atomic_t g_pipe_write = -1;
// Set by the signal handler: a handler of the game that runs when the signal
// comes sees it before the event loop serves the pipe.
volatile sig_atomic_t g_signalled = 0;

extern "C" void on_signal(int sig) {
  // Only async-signal-safe work here: one byte to the pipe, errno kept.
  const int saved = errno;
  const unsigned char b = static_cast<unsigned char>(sig);
  g_signalled = 1;
  if (g_pipe_write >= 0) {
    ssize_t n = ::write(g_pipe_write, &b, 1);
    (void)n;  // a full pipe already holds a byte that ends the session
  }
  errno = saved;
}

}  // namespace

struct SessionEnd::Impl {
  MainWindow& w;
  int fds[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier;
  struct sigaction old[std::size(kSignals)] = {};
  bool installed = false;
  int seen = 0;
  QMetaObject::Connection commit;

  explicit Impl(MainWindow& win) : w(win) {}
};

SessionEnd::SessionEnd(MainWindow& w) : d_(std::make_unique<Impl>(w)) {
  Impl& d = *d_;
  if (::pipe2(d.fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    d.notifier = std::make_unique<QSocketNotifier>(d.fds[0], QSocketNotifier::Read);
    QObject::connect(d.notifier.get(), &QSocketNotifier::activated, &w, [&d] {
      unsigned char buf[64];
      ssize_t n;
      while ((n = ::read(d.fds[0], buf, sizeof buf)) > 0)
        if (d.seen == 0) d.seen = buf[0];
      d.w.end_session();
    });
    g_pipe_write = d.fds[1];
    g_signalled = 0;
    w.end_pending = [] { return g_signalled != 0; };
    struct sigaction sa = {};
    sa.sa_handler = on_signal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &sa, &d.old[i]);
    d.installed = true;
  }
  // Logging out: the session manager asks the program to keep its data.
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    d.commit = QObject::connect(app, &QGuiApplication::commitDataRequest, &w,
                                [&d](QSessionManager&) { d.w.end_session(); }, Qt::DirectConnection);
}

SessionEnd::~SessionEnd() {
  Impl& d = *d_;
  QObject::disconnect(d.commit);
  if (d.installed) {
    for (size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &d.old[i], nullptr);
    g_pipe_write = -1;
    d.w.end_pending = nullptr;
  }
  d.notifier.reset();
  for (int fd : d.fds)
    if (fd >= 0) ::close(fd);
}

int SessionEnd::signal_seen() const { return d_->seen; }

}  // namespace z2
