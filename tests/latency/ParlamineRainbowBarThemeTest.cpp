// SPDX-License-Identifier: MIT
// The graphs' bars follow a palette change at once.
#include <gtest/gtest.h>

#include <QApplication>

#include "ParlamineRainbowBar.h"
#include "ThemePalette.h"

namespace Parlamine {
namespace {

class RainbowBarPalette : public ::testing::Test {
 protected:
  ~RainbowBarPalette() override {
    QApplication::setPalette(FPalette);
    QApplication::processEvents();
  }
  QPalette FPalette = QApplication::palette();
};

TEST_F(RainbowBarPalette, TheBackgroundFollowsTheBaseColour) {
  TRainbowBar bar;
  ASSERT_EQ(bar.Color(), QApplication::palette().color(QPalette::Base));
  QApplication::setPalette(DarkFusionPalette());
  QApplication::processEvents();
  EXPECT_EQ(bar.Color(), ToQColor(DarkFusionColours().Base));
  QApplication::setPalette(FPalette);
  QApplication::processEvents();
  EXPECT_EQ(bar.Color(), FPalette.color(QPalette::Base));
}

TEST_F(RainbowBarPalette, AColourOfItsOwnIsKept) {
  TRainbowBar bar;
  bar.SetColor(QColor(10, 20, 30));
  QApplication::setPalette(DarkFusionPalette());
  QApplication::processEvents();
  EXPECT_EQ(bar.Color(), QColor(10, 20, 30));
}

}  // namespace
}  // namespace Parlamine
