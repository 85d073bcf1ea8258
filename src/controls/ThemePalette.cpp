// SPDX-License-Identifier: MIT
#include "ThemePalette.h"

#include <QEvent>

namespace Parlamine {

QPalette DarkFusionPalette() {
  const TPaletteColours& c = DarkFusionColours();
  QPalette palette;
  const auto set = [&palette](QPalette::ColorRole role, TRgb colour) {
    palette.setColor(role, ToQColor(colour));
  };
  set(QPalette::Window, c.Window);
  set(QPalette::WindowText, c.WindowText);
  set(QPalette::Base, c.Base);
  set(QPalette::AlternateBase, c.AlternateBase);
  set(QPalette::Text, c.Text);
  set(QPalette::Button, c.Button);
  set(QPalette::ButtonText, c.ButtonText);
  set(QPalette::BrightText, c.BrightText);
  set(QPalette::Light, c.Light);
  set(QPalette::Midlight, c.Midlight);
  set(QPalette::Mid, c.Mid);
  set(QPalette::Dark, c.Dark);
  set(QPalette::Shadow, c.Shadow);
  set(QPalette::Highlight, c.Highlight);
  set(QPalette::HighlightedText, c.HighlightedText);
  set(QPalette::Link, c.Link);
  set(QPalette::LinkVisited, c.LinkVisited);
  set(QPalette::ToolTipBase, c.ToolTipBase);
  set(QPalette::ToolTipText, c.ToolTipText);
  set(QPalette::PlaceholderText, c.PlaceholderText);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(QPalette::Disabled, role, ToQColor(c.DisabledText));
  return palette;
}

bool IsPaletteChange(int eventType) {
  return eventType == QEvent::PaletteChange || eventType == QEvent::ApplicationPaletteChange;
}

}  // namespace Parlamine
