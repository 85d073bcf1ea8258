// SPDX-License-Identifier: MIT
// Background pictures of the canvas panel and the spin edit's value rules.
#include <gtest/gtest.h>

#include <climits>

#include "ControlsGeometry.h"

using namespace Parlamine;

namespace {

TEST(PanelBorderSizeTest, CountsEachBevelPresent) {
  EXPECT_EQ(PanelBorderSize(0, 1, bvNone, bvLowered), 1);
  EXPECT_EQ(PanelBorderSize(3, 2, bvRaised, bvLowered), 7);
  EXPECT_EQ(PanelBorderSize(4, 2, bvNone, bvNone), 4);
  EXPECT_EQ(PanelBorderSize(0, 2, bvSpace, bvNone), 2);
}

struct PictureCase {
  const char* Name;
  TBackgroundPictureMode Mode;
  TRect Inner;
  TSize Picture;
  std::vector<TRect> Expected;
};

class BackgroundPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(BackgroundPictureTest, DrawsInto) {
  const PictureCase& c = GetParam();
  EXPECT_EQ(BackgroundPictureRects(c.Mode, c.Inner, c.Picture), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BackgroundPictureTest,
    ::testing::Values(
        PictureCase{"NoneAtInnerTopLeft", bpmNone, {2, 3, 50, 40}, {10, 8}, {{2, 3, 12, 11}}},
        PictureCase{"Centred", bpmCentered, {1, 1, 99, 49}, {20, 10}, {{40, 20, 60, 30}}},
        PictureCase{"CentredOddRoundsTowardZero", bpmCentered, {0, 0, 11, 11}, {4, 4}, {{3, 3, 7, 7}}},
        // Larger than the area: centred, cut on all four sides by the panel.
        PictureCase{"CentredLargerPicture", bpmCentered, {1, 1, 51, 31}, {100, 60}, {{-24, -14, 76, 46}}},
        PictureCase{"StretchedFillsInner", bpmStretched, {1, 1, 51, 31}, {7, 3}, {{1, 1, 51, 31}}},
        PictureCase{"EmptyPictureDrawsNothing", bpmTiled, {0, 0, 50, 50}, {0, 10}, {}},
        PictureCase{"TiledEmptyAreaDrawsNothing", bpmTiled, {5, 5, 5, 5}, {10, 10}, {}},
        PictureCase{"TilesCrossTheEdgeWhole",
                    bpmTiled,
                    {0, 0, 25, 12},
                    {10, 10},
                    {{0, 0, 10, 10},
                     {10, 0, 20, 10},
                     {20, 0, 30, 10},
                     {0, 10, 10, 20},
                     {10, 10, 20, 20},
                     {20, 10, 30, 20}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(BackgroundPictureTest, TilesTenByTenOverNinetyFiveByFortyFive) {
  const TRect inner{1, 1, 96, 46};
  const auto tiles = BackgroundPictureRects(bpmTiled, inner, {10, 10});
  ASSERT_EQ(tiles.size(), 50u);  // 10 columns, 5 rows
  EXPECT_EQ(tiles.front(), (TRect{1, 1, 11, 11}));
  EXPECT_EQ(tiles[9], (TRect{91, 1, 101, 11}));
  EXPECT_EQ(tiles.back(), (TRect{91, 41, 101, 51}));
}

struct StepCase {
  const char* Name;
  std::int32_t Value;
  std::int64_t Step;
  std::int32_t Min;
  std::int32_t Max;
  std::int32_t Expected;
};

class StepSpinValueTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepSpinValueTest, StaysWithinLimitsAndRange) {
  const StepCase& c = GetParam();
  EXPECT_EQ(StepSpinValue(c.Value, c.Step, c.Min, c.Max), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepSpinValueTest,
    ::testing::Values(StepCase{"FastStepStopsAtMax", 95, 10, 0, 100, 100},
                      StepCase{"StepAtMaxStays", 100, 1, 0, 100, 100},
                      StepCase{"DownStopsAtMin", 3, -10, 0, 100, 0},
                      StepCase{"EqualLimitsMeanNone", 0, -5, 0, 0, -5},
                      StepCase{"EqualNonZeroLimitsMeanNone", 7, 1000, 7, 7, 1007},
                      StepCase{"NoLimitSaturatesAtTop", INT32_MAX - 1, 10, 0, 0, INT32_MAX},
                      StepCase{"NoLimitSaturatesAtBottom", INT32_MIN + 1, -10, 0, 0, INT32_MIN},
                      StepCase{"LimitNearRangeEnd", INT32_MAX - 2, 10, 0, INT32_MAX, INT32_MAX},
                      StepCase{"NegatedMinimumIncrement", 0, -std::int64_t{INT32_MIN}, 0, 0, INT32_MAX}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ClampSpinValueTest, AppliesMinimumThenMaximum) {
  EXPECT_EQ(ClampSpinValue(-3, 0, 100), 0);
  EXPECT_EQ(ClampSpinValue(999, 0, 100), 100);
  EXPECT_EQ(ClampSpinValue(50, 0, 100), 50);
  // Crossed limits: the maximum wins, as the two checks run in that order.
  EXPECT_EQ(ClampSpinValue(5, 100, 0), 0);
}

struct TextCase {
  const char* Name;
  const char* Text;
  std::int32_t Current;
  std::int32_t Expected;
};

class SpinTextToValueTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(SpinTextToValueTest, ReadsTheTypedText) {
  EXPECT_EQ(SpinTextToValue(GetParam().Text, GetParam().Current), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SpinTextToValueTest,
    ::testing::Values(TextCase{"Plain", "42", 7, 42}, TextCase{"Negative", "-12", 7, -12},
                      TextCase{"InnerDashesDropped", "5-0", 7, 50}, TextCase{"DoubleDash", "--5", 7, -5},
                      TextCase{"LoneDash", "-", 7, 0}, TextCase{"EmptyKeepsCurrent", "", 7, 7},
                      TextCase{"Unreadable", "12a", 7, 0}, TextCase{"Blank", " ", 7, 0},
                      TextCase{"InfinitySignUnreadable", "\xE2\x88\x9E", 7, 0},
                      TextCase{"RangeTop", "2147483647", 0, INT32_MAX},
                      TextCase{"RangeBottom", "-2147483648", 0, INT32_MIN},
                      TextCase{"PastTopSaturates", "99999999999", 0, INT32_MAX},
                      TextCase{"PastBottomSaturates", "-2147483649", 0, INT32_MIN},
                      TextCase{"ManyDigitsDoNotWrap", "184467440737095516170", 0, INT32_MAX}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(IsValidSpinKeyTest, EditorEnabledAcceptsDigitsDashAndControls) {
  for (char32_t c = U'0'; c <= U'9'; ++c) EXPECT_TRUE(IsValidSpinKey(c, true));
  EXPECT_TRUE(IsValidSpinKey(U'-', true));
  EXPECT_TRUE(IsValidSpinKey(8, true));    // backspace
  EXPECT_TRUE(IsValidSpinKey(22, true));   // Ctrl+V
  EXPECT_FALSE(IsValidSpinKey(13, true));  // Enter commits instead
  EXPECT_FALSE(IsValidSpinKey(U'+', true));
  EXPECT_FALSE(IsValidSpinKey(U' ', true));
  EXPECT_FALSE(IsValidSpinKey(U'a', true));
}

TEST(IsValidSpinKeyTest, EditorDisabledPassesOnlyOtherControls) {
  EXPECT_FALSE(IsValidSpinKey(U'5', false));
  EXPECT_FALSE(IsValidSpinKey(U'-', false));
  EXPECT_FALSE(IsValidSpinKey(8, false));
  EXPECT_FALSE(IsValidSpinKey(13, false));
  EXPECT_TRUE(IsValidSpinKey(3, false));  // Ctrl+C still copies
}

TEST(SpinSizingTest, MinimumHeightFollowsTheFonts) {
  EXPECT_EQ(SpinEditMinHeight(13, 13, 1), 13 + 3 + 4 + 1);
  EXPECT_EQ(SpinEditMinHeight(20, 13, 1), 20 + 3 + 4 + 1);  // the smaller font's quarter
  EXPECT_EQ(SpinEditMinHeight(8, 13, 2), 8 + 2 + 8 + 1);
}

TEST(SpinSizingTest, ButtonHalvesOverlapByOnePixel) {
  const TSpinButtonHalves halves = SpinButtonHalves({15, 17});
  EXPECT_EQ(halves.Up, (TRect{0, 0, 15, 8}));
  EXPECT_EQ(halves.Down, (TRect{0, 7, 15, 17}));
  EXPECT_EQ(SpinButtonHalves({9, 10}).Up.Width(), SpinButtonMinWidth);
}

TEST(SpinSizingTest, ButtonSitsInsideTheRightEndOfTheFrame) {
  EXPECT_EQ(SpinButtonBounds({65, 21}, 15, 2), (TRect{48, 2, 63, 19}));
  EXPECT_EQ(SpeedButtonFocusRect({15, 8}, false), (TRect{3, 3, 12, 5}));
  EXPECT_EQ(SpeedButtonFocusRect({15, 8}, true), (TRect{4, 4, 13, 6}));
}

}  // namespace
