// SPDX-License-Identifier: MIT
// The bit maps and their legends under the default and a dark palette: every
// coloured text readable on what it is drawn on, and a palette change shown by
// the next paint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <array>
#include <string>

#include "IPSubnetCalculator.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "ThemePalette.h"
#include "ZellGlobal.h"
#include "ZellLabel.h"

namespace Parlamine {
namespace {

constexpr std::array<const char*, 5> BitMapControls = {"ClassBitMapLabel", "SubnetBitMapLabel",
                                                       "ClassBitMapTextBox", "BinAddressTextBox",
                                                       "SubnetBitMapTextBox"};
constexpr std::array<TBitMapRole, BitMapRoleCount> Roles = {TBitMapRole::brNetwork, TBitMapRole::brSubnet,
                                                            TBitMapRole::brHost, TBitMapRole::brGroup};
// The given green on the light palette's grey: kept exactly, 4.47 : 1.
constexpr double GivenGreenOnLightGrey = 4.45;

class BitMapThemeTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    FPalette = QApplication::palette();
    if (GetParam()) QApplication::setPalette(DarkFusionPalette());
    // Widgets hear of the application's palette through posted events.
    QApplication::processEvents();
    TRegistryTree tree;
    TSectionedStore store(tree, SettingsRoot);
    Calculator.SetLoading(true);
    Calculator.LoadIPSubnetSettings(store);
    Calculator.SetLoading(false);
  }
  void TearDown() override {
    QApplication::setPalette(FPalette);
    QApplication::processEvents();
  }

  TZellCustomLabel* Control(const char* name) {
    return Calculator.findChild<TZellCustomLabel*>(QString::fromLatin1(name));
  }

  TIPSubnetCalculator Calculator;

 private:
  QPalette FPalette;
};

INSTANTIATE_TEST_SUITE_P(Palettes, BitMapThemeTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "DarkFusion" : "Default"; });

TEST_P(BitMapThemeTest, EveryColouredTextIsReadableOnItsBackground) {
  for (const char* name : BitMapControls) {
    TZellCustomLabel* control = Control(name);
    ASSERT_NE(control, nullptr) << name;
    const TRgb background = ToRgb(BitMapBackground(*control));
    ASSERT_EQ(IsDarkColour(background), GetParam()) << name;
    for (TBitMapRole role : Roles) {
      SCOPED_TRACE(std::string(name) + ", role " + std::to_string(static_cast<int>(role)));
      const TRgb text = ToRgb(BitMapRoleTextColour(role, *control));
      const bool givenGreen = text == LightBitMapRoleColours[static_cast<std::size_t>(TBitMapRole::brHost)];
      EXPECT_GE(ContrastRatio(text, background), givenGreen ? GivenGreenOnLightGrey : MinimumTextContrast);
    }
    // Titles, semicolons and dots are in the window text colour.
    EXPECT_GE(ContrastRatio(ToRgb(control->palette().color(QPalette::WindowText)), background),
              MinimumTextContrast)
        << name;
  }
}

TEST_P(BitMapThemeTest, TheGivenColoursOnlyOnALightPalette) {
  const auto& expected = GetParam() ? DarkBitMapRoleColours : LightBitMapRoleColours;
  for (std::size_t i = 0; i < Roles.size(); ++i)
    EXPECT_EQ(ToRgb(BitMapRoleTextColour(Roles[i], *Control("SubnetBitMapTextBox"))), expected[i]);
}

// How many pixels of the image lie within a small distance of the colour:
// the cores of the letters, whatever the anti-aliasing does at their edges.
int PixelsNear(const QImage& image, TRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.Red) + std::abs(c.green() - colour.Green) +
              std::abs(c.blue() - colour.Blue) <
          40)
        ++count;
    }
  return count;
}

TEST(BitMapTheme, APaletteChangeIsFollowedByTheNextPaint) {
  const QPalette original = QApplication::palette();
  TIPSubnetCalculator calculator;
  TRegistryTree tree;
  TSectionedStore store(tree, SettingsRoot);
  calculator.SetLoading(true);
  calculator.LoadIPSubnetSettings(store);
  calculator.SetLoading(false);
  calculator.resize(312, 340);
  auto* map = calculator.findChild<TZellCustomLabel*>(QStringLiteral("ClassBitMapTextBox"));
  ASSERT_NE(map, nullptr);
  const TRgb givenHost = LightBitMapRoleColours[static_cast<std::size_t>(TBitMapRole::brHost)];
  const TRgb darkHost = DarkBitMapRoleColours[static_cast<std::size_t>(TBitMapRole::brHost)];

  const QImage light = map->grab().toImage();
  EXPECT_GT(PixelsNear(light, givenHost), 0);
  EXPECT_EQ(PixelsNear(light, darkHost), 0);

  QApplication::setPalette(DarkFusionPalette());
  QApplication::processEvents();
  const QImage dark = map->grab().toImage();
  QApplication::setPalette(original);
  QApplication::processEvents();
  EXPECT_GT(PixelsNear(dark, darkHost), 0);
  EXPECT_EQ(PixelsNear(dark, givenHost), 0);
}

}  // namespace
}  // namespace Parlamine
