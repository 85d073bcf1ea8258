// SPDX-License-Identifier: MIT
// Rectangle arithmetic of the custom controls, free of any toolkit: text
// placement, edges, background pictures and the spin edit's value rules. The
// Qt widgets of this folder call these functions and only paint.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace Parlamine {

// A rectangle with exclusive right and bottom edges, as the drawing code of
// the controls reasons about it: Width = Right - Left.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect&) const = default;
};

struct TSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const TSize&) const = default;
};

// Grows (positive) or shrinks (negative) the rectangle on every side.
TRect InflateRect(TRect r, int amount);
TRect OffsetRect(TRect r, int dx, int dy);

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Positions for AlignRect: 0 = left/top edge on edge, 1 = centred, 2 =
// right/bottom edge on edge.
struct TAlignPositions {
  int Horizontal = 0;
  int Vertical = 0;
  bool operator==(const TAlignPositions&) const = default;
};
TAlignPositions GetAlignPositions(TAlignment alignment, TTextLayout layout);

// Moves r, keeping its size, so that it sits inside (or around, when larger)
// ref at the given positions; centring halves the difference of the two
// left-plus-right (top-plus-bottom) sums, truncating toward zero. Then moves it
// by the extra offsets.
TRect AlignRect(TRect r, const TRect& ref, int horizontal, int vertical, int dx = 0, int dy = 0);

// ---------------------------------------------------------------------------
// Text drawing parameters shared by labels, text boxes, panels and bit maps.

enum TDrawTextEllipsis { dteNone, dteEnd, dtePath, dteWord };

// Bits of TDrawTextParams::Options.
enum TDrawTextOption : std::uint16_t {
  dtoDisabled = 1 << 0,
  dtoEditControl = 1 << 1,
  dtoExpandTabs = 1 << 2,
  dtoExternalLeading = 1 << 3,
  dtoInternal = 1 << 4,
  dtoNoClip = 1 << 5,
  dtoNoPrefix = 1 << 6,
  dtoSingleLine = 1 << 7,
  dtoTransparent = 1 << 8,
  dtoWordBreak = 1 << 9,
};

// Bits of TDrawTextParams::CalcOptions.
enum TDrawTextCalcOption : std::uint8_t {
  dtcCalcRect = 1 << 0,      // measure only and return the text's rectangle
  dtcModifyString = 1 << 1,  // hand back the shortened text when an ellipsis was used
};

struct TDrawTextParams {
  TAlignment Alignment = taLeftJustify;
  TTextLayout Layout = tlTop;
  TBiDiMode BiDiMode = bdLeftToRight;
  TDrawTextEllipsis Ellipsis = dteNone;
  std::uint16_t Options = 0;
  std::uint8_t CalcOptions = 0;

  bool Has(TDrawTextOption option) const { return (Options & option) != 0; }
  bool Has(TDrawTextCalcOption option) const { return (CalcOptions & option) != 0; }
  bool operator==(const TDrawTextParams&) const = default;
};

// The ellipsis actually used: expanded tabs switch it off (the text drawer
// never combines the two).
TDrawTextEllipsis EffectiveEllipsis(const TDrawTextParams& params);

// Whether the text is placed as a block that is measured first (several
// lines, centred or at the bottom) rather than drawn in one go.
bool NeedsMeasuredPlacement(const TDrawTextParams& params);

// Horizontal placement after the reading order: a right-to-left control
// (bdRightToLeft exactly) puts every text that is not centred on the right.
TAlignment EffectiveAlignment(const TDrawTextParams& params);
bool IsRightToLeftReading(const TDrawTextParams& params);

// The rectangle a measuring call returns for a text of the given size drawn
// into rect: top-left kept in the direct case, placed inside rect by the
// alignment and layout for a measured block; a disabled text grows by the
// one-pixel shadow of its engraving.
TRect CalcTextRect(const TRect& rect, TSize textSize, const TDrawTextParams& params);

// Where the engraved (disabled) text is drawn: the shadow copy's rectangle;
// the highlight copy sits one pixel right and down of it.
TRect DisabledTextRect(const TRect& rect, const TDrawTextParams& params);

// The properties of a label that decide its text parameters.
struct TLabelTextState {
  TAlignment Alignment = taLeftJustify;
  TTextLayout Layout = tlTop;
  TBiDiMode BiDiMode = bdLeftToRight;
  TDrawTextEllipsis Ellipsis = dteNone;
  bool AutoSize = true;
  bool Enabled = true;
  bool ExpandReturns = true;
  bool ExpandTabs = true;
  bool ShowAccelChar = true;
  bool Transparent = false;
  bool WordWrap = false;
};
// An auto-sized label never shortens its caption: it grows instead.
TDrawTextParams LabelDrawTextParams(const TLabelTextState& state);

// The bounds an auto-sized label takes: the measured text rectangle (grown by
// extraMargin on every side, the text box's edge and margin) moved against
// the current bounds so that a right-justified label keeps its right edge, a
// centred one its centre and a bottom-aligned one its bottom.
TRect FitBoundsRect(const TRect& bounds, const TRect& measured, int extraMargin, TAlignment alignment,
                    TTextLayout layout);

// ---------------------------------------------------------------------------
// Edges.

enum TDrawEdgeStyle { desDefault, desMono, desFlat, desSoft };
enum TEdgeStyle { esNone, esRaised, esLowered };
enum TEdgeBorder : std::uint8_t { ebLeft = 1, ebTop = 2, ebRight = 4, ebBottom = 8 };
inline constexpr std::uint8_t ebAll = ebLeft | ebTop | ebRight | ebBottom;
enum TDrawEdgeOption : std::uint8_t { deoAdjust = 1 << 0, deoMiddle = 1 << 1 };

struct TDrawEdgeParams {
  std::uint8_t Borders = ebAll;
  TEdgeStyle Inner = esNone;
  TEdgeStyle Outer = esLowered;
  TDrawEdgeStyle Style = desDefault;
  std::uint8_t Options = deoAdjust;
  bool operator==(const TDrawEdgeParams&) const = default;
};

// Pixels taken by the edge on each drawn side: one per edge part present.
int EdgeThickness(const TDrawEdgeParams& params);
// The area inside the edge (what Adjust hands back).
TRect EdgeInnerRect(const TRect& rect, const TDrawEdgeParams& params);

// ---------------------------------------------------------------------------
// Canvas panel.

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TBackgroundPictureMode { bpmNone = 0, bpmCentered = 1, bpmStretched = 2, bpmTiled = 3 };

// Border width plus one bevel width for each bevel present.
int PanelBorderSize(int borderWidth, int bevelWidth, TBevelCut bevelInner, TBevelCut bevelOuter);

// The rectangles a picture of the given size is drawn into, inside the inner
// area: one for every mode but tiling, none for an empty picture. Tiles are
// whole, also where they cross the right or bottom edge.
std::vector<TRect> BackgroundPictureRects(TBackgroundPictureMode mode, const TRect& inner, TSize picture);

// ---------------------------------------------------------------------------
// Spin edit.

// The value rule's limits: when minimum and maximum are equal there is none.
std::int32_t ClampSpinValue(std::int64_t value, std::int32_t minValue, std::int32_t maxValue);
// value + step, limited to the field's limits and never past the 32-bit range.
std::int32_t StepSpinValue(std::int32_t value, std::int64_t step, std::int32_t minValue,
                           std::int32_t maxValue);
// The typed text read as a number: every "-" after the first character is
// dropped; an empty text keeps the current value; a text that does not read
// gives 0; a number beyond the 32-bit range gives the range's end.
std::int32_t SpinTextToValue(const std::string& text, std::int32_t currentValue);

// Characters the field accepts while typing (control characters but Enter,
// "-" and digits); without the editor only the control characters other than
// backspace pass.
bool IsValidSpinKey(char32_t key, bool editorEnabled);

inline constexpr int SpinEditMinWidth = 33;
// The smallest height that shows the field's font: font height plus a quarter
// of the smaller of the system and field font heights plus four border
// heights plus one.
int SpinEditMinHeight(int fontHeight, int systemFontHeight, int borderHeight);
// The spin button inside the field's frame at its right end.
TRect SpinButtonBounds(TSize field, int buttonWidth, int frame);
// The two halves of the spin button: up on top, down below, overlapping by
// one pixel; the width is at least 15.
struct TSpinButtonHalves {
  TRect Up;
  TRect Down;
};
inline constexpr int SpinButtonMinWidth = 15;
TSpinButtonHalves SpinButtonHalves(TSize button);
// The dotted focus frame of a speed button: 3 pixels inside, moved one pixel
// right and down while pressed.
TRect SpeedButtonFocusRect(TSize button, bool pressed);

}  // namespace Parlamine
