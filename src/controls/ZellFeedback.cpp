// SPDX-License-Identifier: MIT
#include "ZellFeedback.h"

#include <QApplication>

#include <utility>

namespace Parlamine {

namespace {

TBeepHandler& BeepHandler() {
  static TBeepHandler handler;
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

}  // namespace Parlamine
