// SPDX-License-Identifier: MIT
// Entry of every widget test program: one application object on the offscreen
// platform, the C locale, settings in a temporary folder, and a message-box
// handler that fails the test instead of blocking on a modal dialog.
#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include "ParlamineApplication.h"
#include "TestSupport.h"

namespace ParlamineTest {

static QTemporaryDir* ConfigDir = nullptr;

QString TestConfigHome() { return ConfigDir ? ConfigDir->path() : QString(); }

}  // namespace ParlamineTest

int main(int argc, char** argv) {
  // PARLAMINE_TEST_PLATFORM=xcb runs the tests on a real X server (Xvfb),
  // where the X11 selection and window-manager focus can be checked too.
  const QByteArray platform = qgetenv("PARLAMINE_TEST_PLATFORM");
  qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
  QTemporaryDir configDir;
  ParlamineTest::ConfigDir = &configDir;
  qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
  QLocale::setDefault(QLocale::c());
  // The program's own application object: its title, font and error handler.
  Parlamine::TParlamineApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  // Any message box not scripted by a test fails it and is answered at once.
  ParlamineTest::TMessageBoxScript failOnUnexpectedBoxes;
  const int result = RUN_ALL_TESTS();
  ParlamineTest::ConfigDir = nullptr;
  return result;
}
