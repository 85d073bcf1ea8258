// SPDX-License-Identifier: MIT
// The program's entry: the application object, its title and help file, the
// main window, and the event loop until the main window closes. A logout, a
// closed terminal or a service manager ends it as a close of the window does,
// saving the settings.
#include "Main.h"
#include "ParlamineApplication.h"
#include "SessionGuard.h"

int main(int argc, char** argv) {
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
