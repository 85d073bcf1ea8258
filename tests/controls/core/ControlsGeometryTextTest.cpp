// SPDX-License-Identifier: MIT
// Placement of text, labels and edges.
#include <gtest/gtest.h>

#include <ostream>

#include "ControlsGeometry.h"

namespace Parlamine {
void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
}  // namespace Parlamine

using namespace Parlamine;

namespace {

struct AlignCase {
  const char* Name;
  TRect R;
  TRect Ref;
  int Horizontal;
  int Vertical;
  TRect Expected;
};

class AlignRectTest : public ::testing::TestWithParam<AlignCase> {};

TEST_P(AlignRectTest, PlacesTheRectangleKeepingItsSize) {
  const AlignCase& c = GetParam();
  const TRect placed = AlignRect(c.R, c.Ref, c.Horizontal, c.Vertical);
  EXPECT_EQ(placed, c.Expected);
  EXPECT_EQ(placed.Width(), c.R.Width());
  EXPECT_EQ(placed.Height(), c.R.Height());
}

INSTANTIATE_TEST_SUITE_P(
    Positions, AlignRectTest,
    ::testing::Values(
        AlignCase{"TopLeft", {5, 5, 15, 10}, {0, 0, 100, 50}, 0, 0, {0, 0, 10, 5}},
        AlignCase{"Centred", {0, 0, 10, 6}, {0, 0, 100, 50}, 1, 1, {45, 22, 55, 28}},
        AlignCase{"BottomRight", {0, 0, 10, 6}, {0, 0, 100, 50}, 2, 2, {90, 44, 100, 50}},
        // An odd difference is halved toward zero: (0 + 11 - (0 + 10)) / 2 = 0.
        AlignCase{"OddDifferenceTruncates", {0, 0, 10, 10}, {0, 0, 11, 11}, 1, 1, {0, 0, 10, 10}},
        // A larger rectangle around the reference: -3 / 2 truncates to -1, not -2.
        AlignCase{
            "LargerAroundRefTruncatesTowardZero", {0, 0, 13, 13}, {0, 0, 10, 10}, 1, 1, {-1, -1, 12, 12}},
        // (-11 - 4) / 2 = -7 (toward zero), not -8.
        AlignCase{"NegativeCoordinates", {0, 0, 4, 4}, {-10, -10, -1, -1}, 2, 1, {-5, -7, -1, -3}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(AlignRectTest, AddsTheExtraOffsetsLast) {
  EXPECT_EQ(AlignRect({0, 0, 10, 10}, {0, 0, 20, 20}, 2, 0, -3, 4), (TRect{7, 4, 17, 14}));
}

TEST(GetAlignPositionsTest, MapsAlignmentAndLayout) {
  EXPECT_EQ(GetAlignPositions(taLeftJustify, tlTop), (TAlignPositions{0, 0}));
  EXPECT_EQ(GetAlignPositions(taCenter, tlCenter), (TAlignPositions{1, 1}));
  EXPECT_EQ(GetAlignPositions(taRightJustify, tlBottom), (TAlignPositions{2, 2}));
}

TDrawTextParams Params(TAlignment alignment, TTextLayout layout, std::uint16_t options = 0,
                       TBiDiMode bidi = bdLeftToRight) {
  TDrawTextParams params;
  params.Alignment = alignment;
  params.Layout = layout;
  params.Options = options;
  params.BiDiMode = bidi;
  params.CalcOptions = dtcCalcRect;
  return params;
}

struct CalcCase {
  const char* Name;
  TDrawTextParams Params;
  TRect Expected;
};

class CalcTextRectTest : public ::testing::TestWithParam<CalcCase> {};

// A 30 x 12 text measured into (10, 20, 110, 70).
TEST_P(CalcTextRectTest, ReturnsWhereTheTextGoes) {
  EXPECT_EQ(CalcTextRect({10, 20, 110, 70}, {30, 12}, GetParam().Params), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, CalcTextRectTest,
    ::testing::Values(
        // Drawn in one go (top layout or one line): the top-left corner stays.
        CalcCase{"TopKeepsCorner", Params(taRightJustify, tlTop), {10, 20, 40, 32}},
        CalcCase{"SingleLineCentredKeepsCorner", Params(taCenter, tlCenter, dtoSingleLine), {10, 20, 40, 32}},
        // A block centred or at the bottom is measured and placed as a whole.
        CalcCase{"BlockCentred", Params(taCenter, tlCenter), {45, 39, 75, 51}},
        CalcCase{"BlockBottomRight", Params(taRightJustify, tlBottom), {80, 58, 110, 70}},
        CalcCase{"RightToLeftIsRightJustified",
                 Params(taLeftJustify, tlBottom, 0, bdRightToLeft),
                 {80, 58, 110, 70}},
        CalcCase{"RightToLeftKeepsCentre", Params(taCenter, tlCenter, 0, bdRightToLeft), {45, 39, 75, 51}},
        // Disabled text takes one more pixel for the engraving's highlight.
        CalcCase{"DisabledBlockCentredGrowsRightAndDown",
                 Params(taCenter, tlCenter, dtoDisabled),
                 {45, 39, 76, 52}},
        CalcCase{"DisabledBlockBottomRightGrowsLeftAndUp",
                 Params(taRightJustify, tlBottom, dtoDisabled),
                 {79, 57, 110, 70}},
        CalcCase{"DisabledTopGrowsFromCorner", Params(taLeftJustify, tlTop, dtoDisabled), {10, 20, 41, 33}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(EllipsisRulesTest, ExpandedTabsSwitchTheEllipsisOff) {
  TDrawTextParams params;
  params.Ellipsis = dteEnd;
  EXPECT_EQ(EffectiveEllipsis(params), dteEnd);
  params.Options = dtoExpandTabs;
  EXPECT_EQ(EffectiveEllipsis(params), dteNone);
}

struct LabelCase {
  const char* Name;
  TLabelTextState State;
  TDrawTextEllipsis Ellipsis;
  std::uint16_t Options;
};

TLabelTextState Label(bool autoSize, bool expandTabs, TDrawTextEllipsis ellipsis) {
  TLabelTextState state;
  state.AutoSize = autoSize;
  state.ExpandTabs = expandTabs;
  state.Ellipsis = ellipsis;
  return state;
}

class LabelParamsTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(LabelParamsTest, DerivesTheTextParameters) {
  const TDrawTextParams params = LabelDrawTextParams(GetParam().State);
  EXPECT_EQ(EffectiveEllipsis(params), GetParam().Ellipsis);
  EXPECT_EQ(params.Options, GetParam().Options);
  EXPECT_EQ(params.CalcOptions, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Labels, LabelParamsTest,
    ::testing::Values(LabelCase{"AutoSizeNeverShortens", Label(true, false, dteEnd), dteNone, 0},
                      LabelCase{"FixedSizeShortens", Label(false, false, dteEnd), dteEnd, 0},
                      LabelCase{"ExpandedTabsHideTheEllipsis", Label(false, true, dtePath), dteNone,
                                dtoExpandTabs},
                      LabelCase{"Disabled",
                                [] {
                                  auto s = Label(false, false, dteWord);
                                  s.Enabled = false;
                                  return s;
                                }(),
                                dteWord, dtoDisabled},
                      LabelCase{"OneLineNoAccelTransparentWrapped",
                                [] {
                                  auto s = Label(true, false, dteNone);
                                  s.ExpandReturns = false;
                                  s.ShowAccelChar = false;
                                  s.Transparent = true;
                                  s.WordWrap = true;
                                  return s;
                                }(),
                                dteNone, dtoSingleLine | dtoNoPrefix | dtoTransparent | dtoWordBreak}),
    [](const auto& info) { return std::string(info.param.Name); });

struct FitCase {
  const char* Name;
  TAlignment Alignment;
  TTextLayout Layout;
  int Margin;
  TRect Expected;
};

class FitBoundsTest : public ::testing::TestWithParam<FitCase> {};

// Bounds (100, 10, 150, 30); the caption measures 80 x 14 from the corner.
TEST_P(FitBoundsTest, KeepsTheAnchoredEdge) {
  const FitCase& c = GetParam();
  EXPECT_EQ(FitBoundsRect({100, 10, 150, 30}, {100, 10, 180, 24}, c.Margin, c.Alignment, c.Layout),
            c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, FitBoundsTest,
    ::testing::Values(FitCase{"LeftTopGrowsRight", taLeftJustify, tlTop, 0, {100, 10, 180, 24}},
                      FitCase{"RightJustifiedGrowsLeft", taRightJustify, tlTop, 0, {70, 10, 150, 24}},
                      FitCase{"CentredKeepsCentre", taCenter, tlCenter, 0, {85, 13, 165, 27}},
                      FitCase{"BottomKeepsBottom", taLeftJustify, tlBottom, 0, {100, 16, 180, 30}},
                      // A text box adds its edge and margin on every side.
                      FitCase{"TextBoxMargin", taLeftJustify, tlTop, 2, {100, 10, 184, 28}}),
    [](const auto& info) { return std::string(info.param.Name); });

struct EdgeCase {
  const char* Name;
  TDrawEdgeParams Params;
  TRect Expected;
};

TDrawEdgeParams Edge(std::uint8_t borders, TEdgeStyle inner, TEdgeStyle outer) {
  TDrawEdgeParams params;
  params.Borders = borders;
  params.Inner = inner;
  params.Outer = outer;
  return params;
}

class EdgeInnerRectTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeInnerRectTest, ExcludesTheDrawnSides) {
  EXPECT_EQ(EdgeInnerRect({0, 0, 121, 21}, GetParam().Params), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, EdgeInnerRectTest,
    ::testing::Values(EdgeCase{"DefaultTextBox", TDrawEdgeParams{}, {1, 1, 120, 20}},
                      EdgeCase{"InnerAndOuter", Edge(ebAll, esRaised, esLowered), {2, 2, 119, 19}},
                      EdgeCase{"NoParts", Edge(ebAll, esNone, esNone), {0, 0, 121, 21}},
                      EdgeCase{
                          "TopAndBottomOnly", Edge(ebTop | ebBottom, esNone, esRaised), {0, 1, 121, 20}}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
