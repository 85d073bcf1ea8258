// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ThemeColors.h"

namespace Parlamine {
namespace {

constexpr TRgb Black{0, 0, 0};
constexpr TRgb White{255, 255, 255};
// Qt's default light palette: grey windows and buttons, white fields.
constexpr TRgb LightWindow{239, 239, 239};

constexpr std::array<TBitMapRole, BitMapRoleCount> Roles = {TBitMapRole::brNetwork, TBitMapRole::brSubnet,
                                                            TBitMapRole::brHost, TBitMapRole::brGroup};
constexpr std::array<const char*, BitMapRoleCount> RoleNames = {"network", "subnet", "host", "group"};

TEST(ContrastRatio, MatchesTheWcagFormula) {
  struct Row {
    const char* name;
    TRgb first, second;
    double expected;
  };
  const Row rows[] = {
      {"black on white is the maximum", Black, White, 21.0},
      {"a colour on itself is the minimum", LightWindow, LightWindow, 1.0},
      {"given green on white", {0, 128, 0}, White, 5.14},
      {"given navy on dark Fusion grey", {0, 0, 128}, {53, 53, 53}, 1.31},
      {"given green on dark Fusion grey", {0, 128, 0}, {53, 53, 53}, 2.39},
      {"mid grey 118 on white, the AA limit", {118, 118, 118}, White, 4.54},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(ContrastRatio(row.first, row.second), row.expected, 0.01);
    EXPECT_DOUBLE_EQ(ContrastRatio(row.first, row.second), ContrastRatio(row.second, row.first));
  }
}

TEST(IsDarkColour, SplitsWhereWhiteAndBlackTextContrastEqually) {
  EXPECT_TRUE(IsDarkColour(Black));
  EXPECT_TRUE(IsDarkColour(DarkFusionColours().Window));
  EXPECT_TRUE(IsDarkColour({117, 117, 117}));
  EXPECT_FALSE(IsDarkColour({118, 118, 118}));
  EXPECT_FALSE(IsDarkColour(LightWindow));
  EXPECT_FALSE(IsDarkColour(White));
}

TEST(BitMapRoleColour, LightBackgroundsKeepTheGivenColoursExactly) {
  const std::array<TRgb, BitMapRoleCount> given = {{{0, 0, 128}, {128, 0, 0}, {0, 128, 0}, {128, 0, 128}}};
  for (int i = 0; i < BitMapRoleCount; ++i) {
    SCOPED_TRACE(RoleNames[i]);
    EXPECT_EQ(BitMapRoleColour(Roles[i], LightWindow), given[i]);
    EXPECT_EQ(BitMapRoleColour(Roles[i], White), given[i]);
  }
}

// Every coloured text of the bit maps on every background the program draws
// them on: windows and buttons (labels, text boxes) and fields.
TEST(BitMapRoleColour, EveryRoleIsReadableOnEveryBackground) {
  const TPaletteColours& dark = DarkFusionColours();
  struct Background {
    const char* name;
    TRgb colour;
    double minimum;
  };
  // The given green on Qt's light grey is 4.47 : 1; the given colours are
  // kept exactly on a light palette, so that pair is held to what it has.
  const Background backgrounds[] = {
      {"white field", White, MinimumTextContrast},
      {"light grey window", LightWindow, 4.45},
      {"dark Fusion window", dark.Window, MinimumTextContrast},
      {"dark Fusion button", dark.Button, MinimumTextContrast},
      {"dark Fusion field", dark.Base, MinimumTextContrast},
      {"dark Fusion alternate row", dark.AlternateBase, MinimumTextContrast},
      {"black", Black, MinimumTextContrast},
      {"dark grey at the limit", {117, 117, 117}, MinimumTextContrast},
  };
  for (const Background& background : backgrounds) {
    for (int i = 0; i < BitMapRoleCount; ++i) {
      SCOPED_TRACE(std::string(background.name) + ", " + RoleNames[i]);
      const double contrast = ContrastRatio(BitMapRoleColour(Roles[i], background.colour), background.colour);
      EXPECT_GE(contrast, background.minimum);
    }
  }
}

TEST(BitMapRoleColour, DarkBackgroundsGiveLighterShadesOfTheSameHues) {
  for (int i = 0; i < BitMapRoleCount; ++i) {
    SCOPED_TRACE(RoleNames[i]);
    const TRgb given = LightBitMapRoleColours[static_cast<std::size_t>(i)];
    const TRgb shade = BitMapRoleColour(Roles[i], DarkFusionColours().Window);
    EXPECT_EQ(shade, DarkBitMapRoleColours[static_cast<std::size_t>(i)]);
    EXPECT_GT(RelativeLuminance(shade), RelativeLuminance(given));
    // Same hue: the channels that lead in the given colour lead in the shade,
    // and the channels that are equal stay equal.
    const std::array<int, 3> g = {given.Red, given.Green, given.Blue};
    const std::array<int, 3> s = {shade.Red, shade.Green, shade.Blue};
    for (std::size_t a = 0; a < 3; ++a)
      for (std::size_t b = 0; b < 3; ++b) {
        if (g[a] > g[b]) {
          EXPECT_GT(s[a], s[b]);
        } else if (g[a] == g[b]) {
          EXPECT_EQ(s[a], s[b]);
        }
      }
  }
}

TEST(BitMapRoleColour, AnUnusuallyLightDarkBackgroundLiftsTheShadeTowardsWhite) {
  const TRgb background{110, 110, 110};
  const TRgb shade = DarkBitMapRoleColours[0];
  ASSERT_LT(ContrastRatio(shade, background), MinimumTextContrast);
  const TRgb lifted = BitMapRoleColour(TBitMapRole::brNetwork, background);
  EXPECT_GE(ContrastRatio(lifted, background), MinimumTextContrast);
  EXPECT_EQ(lifted.Red, lifted.Green);
  EXPECT_GE(lifted.Red, shade.Red);
}

TEST(MixColours, RunsFromTheColourToTheTarget) {
  EXPECT_EQ(MixColours({0, 0, 128}, White, 0.0), (TRgb{0, 0, 128}));
  EXPECT_EQ(MixColours({0, 0, 128}, White, 1.0), White);
  EXPECT_EQ(MixColours({0, 0, 128}, White, 0.5), (TRgb{128, 128, 192}));
  EXPECT_EQ(MixColours({0, 0, 128}, White, 7.0), White);
}

TEST(RgbValue, RoundTripsTheTableForm) {
  EXPECT_EQ(RgbFromValue(0x123456), (TRgb{0x12, 0x34, 0x56}));
  EXPECT_EQ(RgbValue(RgbFromValue(0xA0A0FF)), 0xA0A0FFu);
}

}  // namespace
}  // namespace Parlamine
