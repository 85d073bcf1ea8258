// SPDX-License-Identifier: MIT
#include "ControlsGeometry.h"

#include <algorithm>
#include <limits>

namespace Parlamine {

TRect InflateRect(TRect r, int amount) {
  return {r.Left - amount, r.Top - amount, r.Right + amount, r.Bottom + amount};
}

TRect OffsetRect(TRect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

TAlignPositions GetAlignPositions(TAlignment alignment, TTextLayout layout) {
  TAlignPositions positions;
  switch (alignment) {
    case taLeftJustify:
      positions.Horizontal = 0;
      break;
    case taCenter:
      positions.Horizontal = 1;
      break;
    case taRightJustify:
      positions.Horizontal = 2;
      break;
  }
  switch (layout) {
    case tlTop:
      positions.Vertical = 0;
      break;
    case tlCenter:
      positions.Vertical = 1;
      break;
    case tlBottom:
      positions.Vertical = 2;
      break;
  }
  return positions;
}

// The shift that puts [low, high) at the position inside [refLow, refHigh).
static int AlignOffset(int low, int high, int refLow, int refHigh, int position) {
  switch (position) {
    case 0:
      return refLow - low;
    case 1:
      return ((refLow + refHigh) - (low + high)) / 2;  // '/' truncates toward zero
    case 2:
      return refHigh - high;
    default:
      return 0;
  }
}

TRect AlignRect(TRect r, const TRect& ref, int horizontal, int vertical, int dx, int dy) {
  const int moveX = AlignOffset(r.Left, r.Right, ref.Left, ref.Right, horizontal);
  const int moveY = AlignOffset(r.Top, r.Bottom, ref.Top, ref.Bottom, vertical);
  return OffsetRect(r, moveX + dx, moveY + dy);
}

TDrawTextEllipsis EffectiveEllipsis(const TDrawTextParams& params) {
  return params.Has(dtoExpandTabs) ? dteNone : params.Ellipsis;
}

bool NeedsMeasuredPlacement(const TDrawTextParams& params) {
  return params.Layout != tlTop && !params.Has(dtoSingleLine);
}

TAlignment EffectiveAlignment(const TDrawTextParams& params) {
  if (params.BiDiMode == bdRightToLeft && params.Alignment != taCenter) return taRightJustify;
  return params.Alignment;
}

bool IsRightToLeftReading(const TDrawTextParams& params) { return params.BiDiMode != bdLeftToRight; }

TRect DisabledTextRect(const TRect& rect, const TDrawTextParams& params) {
  const int dx = EffectiveAlignment(params) == taRightJustify ? -1 : 0;
  const int dy = params.Layout == tlBottom ? -1 : 0;
  return OffsetRect(rect, dx, dy);
}

TRect CalcTextRect(const TRect& rect, TSize textSize, const TDrawTextParams& params) {
  const bool disabled = params.Has(dtoDisabled);
  if (!NeedsMeasuredPlacement(params)) {
    // Measured where it would be drawn: at the top-left corner, moved for the
    // engraving's shadow, and one pixel larger for its highlight copy.
    const TRect origin = disabled ? DisabledTextRect(rect, params) : rect;
    const int grow = disabled ? 1 : 0;
    return {origin.Left, origin.Top, origin.Left + textSize.Width + grow,
            origin.Top + textSize.Height + grow};
  }
  const TRect measured{rect.Left, rect.Top, rect.Left + textSize.Width, rect.Top + textSize.Height};
  const TAlignPositions positions = GetAlignPositions(EffectiveAlignment(params), params.Layout);
  TRect placed = AlignRect(measured, rect, positions.Horizontal, positions.Vertical);
  if (disabled) {
    if (EffectiveAlignment(params) == taRightJustify)
      --placed.Left;
    else
      ++placed.Right;
    if (params.Layout == tlBottom)
      --placed.Top;
    else
      ++placed.Bottom;
  }
  return placed;
}

TDrawTextParams LabelDrawTextParams(const TLabelTextState& state) {
  TDrawTextParams params;
  params.Alignment = state.Alignment;
  params.Layout = state.Layout;
  params.BiDiMode = state.BiDiMode;
  params.Ellipsis = state.AutoSize ? dteNone : state.Ellipsis;
  if (!state.Enabled) params.Options |= dtoDisabled;
  if (!state.ExpandReturns) params.Options |= dtoSingleLine;
  if (state.ExpandTabs) params.Options |= dtoExpandTabs;
  if (!state.ShowAccelChar) params.Options |= dtoNoPrefix;
  if (state.Transparent) params.Options |= dtoTransparent;
  if (state.WordWrap) params.Options |= dtoWordBreak;
  return params;
}

TRect FitBoundsRect(const TRect& bounds, const TRect& measured, int extraMargin, TAlignment alignment,
                    TTextLayout layout) {
  const TAlignPositions positions = GetAlignPositions(alignment, layout);
  return AlignRect(InflateRect(measured, extraMargin), bounds, positions.Horizontal, positions.Vertical);
}

int EdgeThickness(const TDrawEdgeParams& params) {
  return (params.Inner != esNone ? 1 : 0) + (params.Outer != esNone ? 1 : 0);
}

TRect EdgeInnerRect(const TRect& rect, const TDrawEdgeParams& params) {
  const int thickness = EdgeThickness(params);
  TRect inner = rect;
  if (params.Borders & ebLeft) inner.Left += thickness;
  if (params.Borders & ebTop) inner.Top += thickness;
  if (params.Borders & ebRight) inner.Right -= thickness;
  if (params.Borders & ebBottom) inner.Bottom -= thickness;
  return inner;
}

int PanelBorderSize(int borderWidth, int bevelWidth, TBevelCut bevelInner, TBevelCut bevelOuter) {
  int size = borderWidth;
  if (bevelInner != bvNone) size += bevelWidth;
  if (bevelOuter != bvNone) size += bevelWidth;
  return size;
}

std::vector<TRect> BackgroundPictureRects(TBackgroundPictureMode mode, const TRect& inner, TSize picture) {
  const int w = picture.Width;
  const int h = picture.Height;
  if (w <= 0 || h <= 0) return {};
  switch (mode) {
    case bpmNone:
      return {{inner.Left, inner.Top, inner.Left + w, inner.Top + h}};
    case bpmCentered: {
      const int left = ((inner.Left + inner.Right) - w) / 2;
      const int top = ((inner.Top + inner.Bottom) - h) / 2;
      return {{left, top, left + w, top + h}};
    }
    case bpmStretched:
      return {inner};
    case bpmTiled: {
      std::vector<TRect> tiles;
      for (int top = inner.Top; top < inner.Bottom; top += h)
        for (int left = inner.Left; left < inner.Right; left += w)
          tiles.push_back({left, top, left + w, top + h});
      return tiles;
    }
  }
  return {};
}

std::int32_t ClampSpinValue(std::int64_t value, std::int32_t minValue, std::int32_t maxValue) {
  if (minValue != maxValue) {
    if (value < minValue) value = minValue;
    if (value > maxValue) value = maxValue;
  }
  value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(value);
}

std::int32_t StepSpinValue(std::int32_t value, std::int64_t step, std::int32_t minValue,
                           std::int32_t maxValue) {
  return ClampSpinValue(static_cast<std::int64_t>(value) + step, minValue, maxValue);
}

std::int32_t SpinTextToValue(const std::string& text, std::int32_t currentValue) {
  if (text.empty()) return currentValue;
  std::string cleaned(1, text.front());
  for (std::size_t i = 1; i < text.size(); ++i)
    if (text[i] != '-') cleaned += text[i];

  std::size_t pos = 0;
  bool negative = false;
  if (cleaned[0] == '-' || cleaned[0] == '+') {
    negative = cleaned[0] == '-';
    pos = 1;
  }
  if (pos == cleaned.size()) return 0;
  // Accumulate in 64 bits and stop growing once past the 32-bit range, so a
  // long run of digits saturates instead of wrapping.
  constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (; pos < cleaned.size(); ++pos) {
    const char c = cleaned[pos];
    if (c < '0' || c > '9') return 0;
    magnitude = std::min(magnitude * 10 + (c - '0'), limit);
  }
  return ClampSpinValue(negative ? -magnitude : magnitude, 0, 0);
}

bool IsValidSpinKey(char32_t key, bool editorEnabled) {
  constexpr char32_t backspace = 8;
  constexpr char32_t enter = 13;
  const bool control = key < 32 && key != enter;
  if (!editorEnabled) return control && key != backspace;
  return control || key == U'-' || (key >= U'0' && key <= U'9');
}

int SpinEditMinHeight(int fontHeight, int systemFontHeight, int borderHeight) {
  return fontHeight + std::min(systemFontHeight, fontHeight) / 4 + 4 * borderHeight + 1;
}

TRect SpinButtonBounds(TSize field, int buttonWidth, int frame) {
  return {field.Width - buttonWidth - frame, frame, field.Width - frame, field.Height - frame};
}

TSpinButtonHalves SpinButtonHalves(TSize button) {
  const int width = std::max(button.Width, SpinButtonMinWidth);
  TSpinButtonHalves halves;
  halves.Up = {0, 0, width, button.Height / 2};
  halves.Down = {0, halves.Up.Bottom - 1, width, button.Height};
  return halves;
}

TRect SpeedButtonFocusRect(TSize button, bool pressed) {
  const TRect frame = InflateRect({0, 0, button.Width, button.Height}, -3);
  return pressed ? OffsetRect(frame, 1, 1) : frame;
}

}  // namespace Parlamine
