// SPDX-License-Identifier: MIT
// Pixel helpers for the controls' painting tests.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>

namespace ControlsTest {

inline QImage Render(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle holding every pixel that matches, inside area.
inline QRect BoundsOf(const QImage& image, const std::function<bool(QRgb)>& matches, QRect area = {}) {
  if (area.isNull()) area = image.rect();
  QRect bounds;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (matches(image.pixel(x, y))) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

// Pixels that differ from the background colour: the ink of a text.
inline QRect InkBounds(const QImage& image, const QColor& background, QRect area = {}) {
  return BoundsOf(
      image, [&](QRgb p) { return p != background.rgb(); }, area);
}

inline QRect ColorBounds(const QImage& image, const QColor& color, QRect area = {}) {
  return BoundsOf(
      image, [&](QRgb p) { return p == color.rgb(); }, area);
}

}  // namespace ControlsTest
