// SPDX-License-Identifier: MIT
// The program's entry: the application object, its title and help file, the
// main window, and the event loop until the main window closes. A logout, a
// closed terminal or a service manager ends it as a close of the window does,
// saving the settings.
#include <QCommandLineParser>
#include <QCoreApplication>

#include "Main.h"
#include "ParlamineApplication.h"
#include "SessionGuard.h"

namespace {

// --help and --version print and end the program before any window or
// display is needed; every other argument is left to Qt (-style, -platform...).
void AnswerInformationOptions(int& argc, char** argv) {
  QCoreApplication reader(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("parlamine"));
  QCoreApplication::setApplicationVersion(Parlamine::TParlamineApplication::Version());
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Parlamine: Radixer, IP Subnet, Latency and Prefix calculators for network engineers.\n"
                     "The same calculations on the command line: parlamine-cli --help."));
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  const QStringList arguments = QCoreApplication::arguments();
  parser.parse(arguments);
  // --help-all adds Qt's own options; the parser answers it itself.
  if (arguments.contains(QStringLiteral("--help-all")))
    parser.process({arguments.constFirst(), QStringLiteral("--help-all")});
  if (parser.isSet(help)) parser.showHelp(0);
  if (parser.isSet(version)) parser.showVersion();
}

}  // namespace

int main(int argc, char** argv) {
  AnswerInformationOptions(argc, argv);
  Parlamine::TParlamineApplication app(argc, argv);
  Parlamine::TSessionGuard session;
  Parlamine::TMainForm mainForm;
  QObject::connect(&session, &Parlamine::TSessionGuard::SaveRequested, &mainForm,
                   [&mainForm] { mainForm.SaveSettingsNow(); });
  QObject::connect(&session, &Parlamine::TSessionGuard::QuitRequested, &mainForm,
                   &Parlamine::TMainForm::EndSession);
  mainForm.show();
  return app.exec();
}
