// SPDX-License-Identifier: MIT
#include "ZellFeedback.h"

#include <QApplication>
#include <QtDebug>
#include <utility>

namespace Parlamine {

namespace {

TBeepHandler& BeepHandler() {
  static TBeepHandler handler;
  return handler;
}

TExceptionHandler& ExceptionHandler() {
  static TExceptionHandler handler;
  return handler;
}

}  // namespace

void Beep() {
  if (BeepHandler())
    BeepHandler()();
  else
    QApplication::beep();
}

TBeepHandler SetBeepHandler(TBeepHandler handler) { return std::exchange(BeepHandler(), std::move(handler)); }

void ReportException(const std::exception& error) {
  if (ExceptionHandler())
    ExceptionHandler()(error);
  else
    qWarning("%s", error.what());
}

TExceptionHandler SetExceptionHandler(TExceptionHandler handler) {
  return std::exchange(ExceptionHandler(), std::move(handler));
}

}  // namespace Parlamine
