// SPDX-License-Identifier: MIT
// The ways a desktop session ends other than by closing the window, turned
// into requests the main window answers: SIGTERM, SIGHUP and SIGINT (a
// logout, a closed terminal, a service manager, Ctrl+C) and the session
// manager's request to save; and the moment the user's input comes to rest,
// after which the settings are saved in case the display goes away.
#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace Parlamine {

class TSessionGuard : public QObject {
  Q_OBJECT
 public:
  // Catches SIGTERM, SIGHUP and SIGINT for as long as it lives; one at a
  // time in a process. A signal handler only writes the signal's number to a
  // socket; the event loop reads it and emits QuitRequested.
  explicit TSessionGuard(QObject* parent = nullptr);
  ~TSessionGuard() override;
  TSessionGuard(const TSessionGuard&) = delete;
  TSessionGuard& operator=(const TSessionGuard&) = delete;

 signals:
  // The session manager asks the program to save (commit data).
  void SaveRequested();
  // A signal asks the program to end.
  void QuitRequested(int signalNumber);

 private:
  void ReadSignals();
  QSocketNotifier* FNotifier = nullptr;
  void (*FPreviousPipeAction)(int) = nullptr;
};

// Emits Settled `delay` ms after the last key, click, wheel turn or drop
// anywhere in the application, or the last move, resize or state change of
// the watched window; a new one starts the wait again.
class TInputSettledWatcher : public QObject {
  Q_OBJECT
 public:
  TInputSettledWatcher(QWidget* window, int delay);

 signals:
  void Settled();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* FWindow;
  QTimer FTimer;
};

}  // namespace Parlamine
