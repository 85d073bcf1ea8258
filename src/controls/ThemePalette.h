// SPDX-License-Identifier: MIT
// Between Qt's colours and palettes and the plain colours of ThemeColors.h.
#pragma once

#include <QColor>
#include <QPalette>

#include "ThemeColors.h"

class QWidget;

namespace Parlamine {

inline TRgb ToRgb(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
          static_cast<std::uint8_t>(rgb.blue())};
}
inline QColor ToQColor(TRgb colour) { return QColor(colour.Red, colour.Green, colour.Blue); }

// The dark Fusion palette of DarkFusionColours, disabled texts greyed.
QPalette DarkFusionPalette();

// True for the palette change events a widget that picks colours by the
// palette must follow: its own palette, or the application's.
bool IsPaletteChange(int eventType);

}  // namespace Parlamine
