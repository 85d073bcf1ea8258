// SPDX-License-Identifier: MIT
// The application object: title, help file name, font, and the error handler
// that turns an exception leaving an event handler into a message box.
#pragma once

#include <QApplication>

namespace Parlamine {

class TParlamineApplication : public QApplication {
  Q_OBJECT
 public:
  TParlamineApplication(int& argc, char** argv);

  // The name the program gives its help file; the file is looked for beside
  // the program and in the installed data folder.
  static QString HelpFile();
  // The release, as --version and the About box show it.
  static QString Version();

  bool notify(QObject* receiver, QEvent* event) override;
};

// The program's own widget style: Fusion with tabs as narrow as their
// captions allow. The application sets it at start.
void ApplyProgramStyle();

// Shows an exception's message as the application's error handler does.
void ShowException(const std::exception& error);

}  // namespace Parlamine
