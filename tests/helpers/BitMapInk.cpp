// SPDX-License-Identifier: MIT
#include "BitMapInk.h"

#include <QColor>
#include <QImage>
#include <algorithm>

namespace ParlamineTest {

namespace {

// The colour roles of the bit maps, and the text colour of separators and
// legend words, told apart on the drawn pixels.
char RoleOf(QRgb pixel) {
  struct Role {
    char Letter;
    QColor Colour;
  };
  const Role roles[] = {{'n', QColor(0, 0, 128)},
                        {'s', QColor(128, 0, 0)},
                        {'h', QColor(0, 128, 0)},
                        {'g', QColor(128, 0, 128)},
                        {'.', QColor(0, 0, 0)}};
  const QColor c(pixel);
  // Only the solid core of a glyph: anti-aliased rims blend with the
  // background and would read as another colour.
  if (std::min({c.red(), c.green(), c.blue()}) > 40) return 0;
  char best = 0;
  int bestDistance = 60 * 60;
  for (const Role& role : roles) {
    const int dr = c.red() - role.Colour.red(), dg = c.green() - role.Colour.green(),
              db = c.blue() - role.Colour.blue();
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = role.Letter;
    }
  }
  return best;
}

}  // namespace

std::string BitMapColourRuns(QWidget* control) {
  const QImage image = control->grab().toImage();
  std::string runs;
  for (int x = 3; x < image.width() - 3; ++x) {
    char column = 0;
    for (int y = 2; y < image.height() - 2 && !column; ++y) column = RoleOf(image.pixel(x, y));
    if (column && (runs.empty() || runs.back() != column)) runs.push_back(column);
  }
  return runs;
}

}  // namespace ParlamineTest
