// SPDX-License-Identifier: MIT
// The coloured bit maps of the address calculators: a legend that names the
// roles of the bits in their colours ("Subnet Bit Map (n=network;s=subnet;
// h=host)") and texts drawn one character at a time, each in the colour of
// its bit's role. Drawn from the custom-draw events of labels and text boxes.
#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>

#include "ThemeColors.h"
#include "ZellLabel.h"

class QAction;
class QPainter;

namespace Parlamine {

class TViewCommands;
class TZellCustomTextBox;

// What a bit map or its legend is drawn on: the control's colour, or its
// window's when it is transparent.
QColor BitMapBackground(const TZellCustomLabel& control);
// The colour of a role's bits and legend entry in `control`: the given role
// colour on a light background, a lighter shade of its hue on a dark one. Read at
// every paint, so a palette change shows with the repaint it causes.
QColor BitMapRoleTextColour(TBitMapRole role, const TZellCustomLabel& control);

// The parameters every piece of a bit map is drawn with: the control's
// alignment, layout and reading order, no ellipsis, no '&' processing, one line.
TDrawTextParams BitMapTextParams(const TZellCustomLabel& control);

// Pieces of a bit map are drawn side by side, each exactly as wide as its
// text, from the left edge of the area whatever the control's alignment.
class TBitMapPainter {
 public:
  TBitMapPainter(QPainter& canvas, const QRect& area, const TDrawTextParams& params)
      : FCanvas(canvas), FArea(area), FParams(params), FRight(area.left()) {}

  void Segment(const QString& text, const QColor& colour);

 private:
  QPainter& FCanvas;
  QRect FArea;
  TDrawTextParams FParams;
  int FRight;
};

// "n=network", "s=subnet", "h=host", "g=group".
QString BitMapLegendEntry(TBitMapRole role);
// The legend as one text, for the label's caption that a screen reader reads:
// title + " Bit Map (" + the entries joined by ";" + ")".
QString BitMapLegendText(const QString& title, const QList<TBitMapRole>& roles);

// Draws the legend into the label (the custom draw of a TZellLabel): the
// title and brackets in the label's text colour, each entry in its role's.
void DrawBitMapLegend(const TZellCustomLabel& label, QPainter& canvas, const QRect& rect,
                      const QString& title, const QList<TBitMapRole>& roles);

// Draws `shown` into the text box (its custom draw) one character at a time:
// the box's edge first, then each character in the colour the character at
// the same place of `colours` gives: n network, s subnet, h host, g group,
// '.' the window text; any other character keeps the colour before it
// (network at the start).
void DrawBitMapText(TZellCustomTextBox& box, QPainter& canvas, const QRect& rect, const QString& colours,
                    const QString& shown);

// The text box a bit map (or a text coloured after one) is drawn into with
// DrawBitMapText. The colours are the picture, so it is a keyboard stop with
// a focus frame, and Ctrl+C, the Edit menu's Copy and its context menu's
// "&Copy" put its picture on the clipboard.
class TBitMapTextBox : public TTextBox {
  Q_OBJECT

 public:
  explicit TBitMapTextBox(QWidget* parent = nullptr);

  // The box as shown, edge included, without the focus frame.
  void CopyPicture();
  // One of the page's commands for the context menu, below "&Copy".
  void AddContextAction(QAction* action);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  TViewCommands* FCommands = nullptr;
};

}  // namespace Parlamine
