// SPDX-License-Identifier: MIT
// The calculator cycle and the banner's logo slide, without a window.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "Calculator.h"

namespace Parlamine {
namespace {

constexpr auto R = TCalculator::caRadixer;
constexpr auto I = TCalculator::caIPSubnet;
constexpr auto L = TCalculator::caLatency;
constexpr auto P = TCalculator::caPrefix;
constexpr TCalculator Cycle[] = {R, I, L, P};

TEST(CalculatorCycle, NeighboursOfEachCalculator) {
  struct Row {
    const char* name;
    TCalculator current;
    TAdjacentCalculators expected;
  };
  const Row rows[] = {
      {"radixer wraps back to prefix", R, {P, I}},
      {"ip subnet sits between radixer and latency", I, {R, L}},
      {"latency sits between ip subnet and prefix", L, {I, P}},
      {"prefix wraps forward to radixer", P, {L, R}},
      {"damaged ordinal counts as ip subnet", static_cast<TCalculator>(7), {R, L}},
  };
  for (const Row& row : rows) EXPECT_EQ(AdjacentCalculators(row.current, Cycle), row.expected) << row.name;
}

TEST(CalculatorCycle, FourStepsEitherWayReturnToTheStart) {
  for (TCalculator start : {R, I, L, P}) {
    TCalculator down = start, up = start;
    std::set<TCalculator> seenDown, seenUp;
    for (int i = 0; i < 4; ++i) {
      down = AdjacentCalculators(down, Cycle).Next;
      up = AdjacentCalculators(up, Cycle).Previous;
      seenDown.insert(down);
      seenUp.insert(up);
    }
    EXPECT_EQ(down, start);
    EXPECT_EQ(up, start);
    EXPECT_EQ(seenDown.size(), 4u) << "every calculator is passed on the way down";
    EXPECT_EQ(seenUp.size(), 4u) << "every calculator is passed on the way up";
  }
}

TEST(CalculatorCycle, OrdinalsOutsideTheEnumerationMeanIPSubnet) {
  struct Row {
    int ordinal;
    TCalculator expected;
  };
  const Row rows[] = {{-1, I}, {0, R}, {1, I}, {2, L}, {3, P}, {4, I}, {255, I}};
  for (const Row& row : rows)
    EXPECT_EQ(CalculatorFromOrdinal(row.ordinal, Cycle), row.expected) << row.ordinal;
  // A value stored by a release with a calculator this one lacks.
  constexpr TCalculator withoutPrefix[] = {R, I, L};
  EXPECT_EQ(CalculatorFromOrdinal(3, withoutPrefix), I);
  EXPECT_EQ(AdjacentCalculators(P, withoutPrefix), (TAdjacentCalculators{R, L}));
}

TEST(LogoGeometry, HomeRectIsCentredThenShiftedLeft) {
  struct Row {
    const char* name;
    int width, height;
    TLogoRect expected;
  };
  const Row rows[] = {
      // The banner at the window's minimum width gives a 182 x 71 logo panel.
      {"minimum window", 182, 71, {12, 6, 142, 58}},
      {"odd slack rounds toward zero", 183, 72, {12, 7, 142, 58}},
      {"exact fit", 142, 58, {-8, 0, 142, 58}},
      {"panel smaller than logo", 100, 40, {-29, -9, 142, 58}},
  };
  for (const Row& row : rows) EXPECT_EQ(LogoHomeRect(row.width, row.height), row.expected) << row.name;
}

// Runs a whole slide and records the top of the incoming logo after each
// tick that keeps the animation going.
struct TSlideRun {
  TLogoRect start;
  int ticks = 0;
  std::vector<int> tops;
};
TSlideRun RunSlide(TSlideDirection direction, int width, int height) {
  TLogoSlide slide;
  TSlideRun run;
  EXPECT_TRUE(slide.Start(direction, width, height));
  run.start = slide.SlideRect;
  const TLogoRect home = LogoHomeRect(width, height);
  for (int guard = 0; guard < 100; ++guard) {
    ++run.ticks;
    if (!slide.Tick(home)) break;
    run.tops.push_back(slide.SlideRect.Top);
  }
  EXPECT_EQ(slide.SlideDirection, TSlideDirection::sdNone);
  return run;
}

TEST(LogoSlide, FromAboveStartsJustAboveAndEndsOnTheEighthTick) {
  const TSlideRun run = RunSlide(TSlideDirection::sdFromAbove, 182, 71);
  EXPECT_EQ(run.start, (TLogoRect{12, -58, 142, 58}));
  EXPECT_EQ(run.ticks, 8);
  EXPECT_EQ(run.tops, (std::vector<int>{-50, -42, -34, -26, -18, -10, -2}));
}

TEST(LogoSlide, FromBelowStartsJustBelowAndMovesUp) {
  const TSlideRun run = RunSlide(TSlideDirection::sdFromBelow, 182, 71);
  EXPECT_EQ(run.start, (TLogoRect{12, 71, 142, 58}));
  // 65 pixels away (the rest position is rounded up toward the top), so the
  // logo takes one step more than from above and ends one pixel off home.
  EXPECT_EQ(run.tops, (std::vector<int>{63, 55, 47, 39, 31, 23, 15, 7}));
  EXPECT_EQ(run.ticks, 9);
}

TEST(LogoSlide, NoDirectionDoesNotStart) {
  TLogoSlide slide;
  EXPECT_FALSE(slide.Start(TSlideDirection::sdNone, 182, 71));
  EXPECT_FALSE(slide.Start(static_cast<TSlideDirection>(9), 182, 71));
  EXPECT_EQ(slide.SlideDirection, TSlideDirection::sdNone);
  EXPECT_EQ(slide.SlideRect, LogoHomeRect(182, 71));
}

}  // namespace
}  // namespace Parlamine
