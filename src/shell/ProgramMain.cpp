// SPDX-License-Identifier: MIT
// The program's entry (the main window arrives with the banner frame).
#include "ParlamineApplication.h"

#include <QMainWindow>

int main(int argc, char** argv) {
  Parlamine::TParlamineApplication app(argc, argv);
  QMainWindow window;
  window.show();
  return app.exec();
}
