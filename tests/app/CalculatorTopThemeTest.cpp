// SPDX-License-Identifier: MIT
// The banner keeps its white band readable under a dark palette: the band and
// the buttons on it stay on the light palette the logos are drawn for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QToolButton>

#include "CalculatorList.h"
#include "CalculatorTop.h"
#include "ThemePalette.h"

namespace Parlamine {
namespace {

TEST(BannerTheme, TheBandAndItsButtonsStayLightUnderADarkPalette) {
  const QPalette original = QApplication::palette();
  TCalculatorTopFrame frame(RegisteredCalculatorInfos());
  QApplication::setPalette(DarkFusionPalette());
  QApplication::processEvents();
  auto* band = frame.findChild<QWidget*>(QStringLiteral("FrameCanvasPanel"));
  auto* up = frame.findChild<QToolButton*>(QStringLiteral("LogoUpButton"));
  const QPalette bandPalette = band->palette();
  const QPalette buttonPalette = up->palette();
  const QPalette framePalette = frame.palette();
  QApplication::setPalette(original);
  QApplication::processEvents();

  EXPECT_FALSE(IsDarkColour(ToRgb(bandPalette.color(QPalette::Button))));
  // The hover frame of an arrow is drawn with the button colour, the arrow
  // itself dark grey.
  EXPECT_GE(ContrastRatio(ToRgb(buttonPalette.color(QPalette::Button)), TRgb{0x3c, 0x3c, 0x3c}),
            MinimumTextContrast);
  EXPECT_TRUE(IsDarkColour(ToRgb(framePalette.color(QPalette::Window))));
}

}  // namespace
}  // namespace Parlamine
