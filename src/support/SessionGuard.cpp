// SPDX-License-Identifier: MIT
#include "SessionGuard.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <iterator>

namespace Parlamine {

namespace {

constexpr int CaughtSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The socket pair's two ends: the handler writes, the event loop reads.
int SignalWriteEnd = -1;
int SignalReadEnd = -1;
struct sigaction PreviousActions[std::size(CaughtSignals)];

extern "C" void WriteSignalNumber(int signalNumber) {
  // Only async-signal-safe calls here; errno is the interrupted code's.
  const int savedErrno = errno;
  const char number = static_cast<char>(signalNumber);
  (void)!::write(SignalWriteEnd, &number, 1);
  errno = savedErrno;
}

}  // namespace

TSessionGuard::TSessionGuard(QObject* parent) : QObject(parent) {
  Q_ASSERT(SignalWriteEnd < 0);
  int ends[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0) {
    qWarning("Parlamine: no socket for signals; SIGTERM, SIGHUP and SIGINT end the program unsaved.");
    return;
  }
  SignalWriteEnd = ends[0];
  SignalReadEnd = ends[1];
  FNotifier = new QSocketNotifier(SignalReadEnd, QSocketNotifier::Read, this);
  connect(FNotifier, &QSocketNotifier::activated, this, &TSessionGuard::ReadSignals);
  struct sigaction action {};
  action.sa_handler = WriteSignalNumber;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(CaughtSignals); ++i)
    ::sigaction(CaughtSignals[i], &action, &PreviousActions[i]);
  // A closed error output (a terminal's pipe gone with it) must not end the
  // program with SIGPIPE while it says why it closes, before it saved.
  FPreviousPipeAction = ::signal(SIGPIPE, SIG_IGN);
  // Qt asks before the session ends; the window is not closed then.
  connect(qApp, &QGuiApplication::commitDataRequest, this,
          [this](QSessionManager&) { emit SaveRequested(); });
}

TSessionGuard::~TSessionGuard() {
  if (SignalWriteEnd < 0) return;
  for (size_t i = 0; i < std::size(CaughtSignals); ++i)
    ::sigaction(CaughtSignals[i], &PreviousActions[i], nullptr);
  ::signal(SIGPIPE, FPreviousPipeAction);
  delete FNotifier;
  ::close(SignalWriteEnd);
  ::close(SignalReadEnd);
  SignalWriteEnd = SignalReadEnd = -1;
}

void TSessionGuard::ReadSignals() {
  char numbers[16];
  ssize_t count = 0;
  while ((count = ::read(SignalReadEnd, numbers, sizeof numbers)) > 0)
    for (ssize_t i = 0; i < count; ++i) emit QuitRequested(numbers[i]);
}

TInputSettledWatcher::TInputSettledWatcher(QWidget* window, int delay) : QObject(window), FWindow(window) {
  FTimer.setSingleShot(true);
  FTimer.setInterval(delay);
  connect(&FTimer, &QTimer::timeout, this, &TInputSettledWatcher::Settled);
  qApp->installEventFilter(this);
}

bool TInputSettledWatcher::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::Drop:
    case QEvent::TouchEnd:
      FTimer.start();
      break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowStateChange:
      if (watched == FWindow) FTimer.start();
      break;
    default:
      break;
  }
  return false;
}

}  // namespace Parlamine
