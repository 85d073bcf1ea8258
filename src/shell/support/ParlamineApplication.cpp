// SPDX-License-Identifier: MIT
#include "ParlamineApplication.h"

#include "ZellGlobal.h"

#include <exception>

namespace Parlamine {

TParlamineApplication::TParlamineApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Parlamine"));
  setApplicationDisplayName(QStringLiteral("Parlamine"));
  setApplicationVersion(QStringLiteral("3.2.1.0"));
  setOrganizationName(QStringLiteral("Quillfern"));
  setProperty("HelpFile", HelpFile());
  ApplyApplicationFont();
}

QString TParlamineApplication::HelpFile() { return QStringLiteral("Parlamine Help.html"); }

void ShowException(const std::exception& error) {
  ShowError(QApplication::activeWindow(), QString::fromUtf8(error.what()));
}

bool TParlamineApplication::notify(QObject* receiver, QEvent* event) {
  // An error that leaves an event handler is reported and the program goes on.
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowError(QApplication::activeWindow(), QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace Parlamine
