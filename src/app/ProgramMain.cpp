// SPDX-License-Identifier: MIT
// The program's entry: the application object, its title and help file, the
// main window, and the event loop until the main window closes.
#include "Main.h"
#include "ParlamineApplication.h"

int main(int argc, char** argv) {
  Parlamine::TParlamineApplication app(argc, argv);
  Parlamine::TMainForm mainForm;
  mainForm.show();
  return app.exec();
}
