// SPDX-License-Identifier: MIT
#include "ZellBitMap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

#include "ThemePalette.h"
#include "ZellPanels.h"
#include "ZellViewCommands.h"

namespace Parlamine {

QColor BitMapBackground(const TZellCustomLabel& control) {
  return control.Transparent() ? control.palette().color(QPalette::Window) : control.Color();
}

QColor BitMapRoleTextColour(TBitMapRole role, const TZellCustomLabel& control) {
  return ToQColor(BitMapRoleColour(role, ToRgb(BitMapBackground(control))));
}

TDrawTextParams BitMapTextParams(const TZellCustomLabel& control) {
  TDrawTextParams params;
  params.Alignment = control.Alignment();
  params.Layout = control.Layout();
  params.BiDiMode = control.BiDiMode();
  params.Ellipsis = dteNone;
  params.Options = dtoNoPrefix | dtoSingleLine;
  return params;
}

void TBitMapPainter::Segment(const QString& text, const QColor& colour) {
  const int width = FCanvas.fontMetrics().horizontalAdvance(text);
  QRect piece(FRight, FArea.top(), width, FArea.height());
  FRight += width;
  QString drawn = text;
  FCanvas.setPen(colour);
  DrawTextWithParams(FCanvas, piece, drawn, FParams);
}

QString BitMapLegendEntry(TBitMapRole role) {
  switch (role) {
    case TBitMapRole::brNetwork:
      return QStringLiteral("n=network");
    case TBitMapRole::brSubnet:
      return QStringLiteral("s=subnet");
    case TBitMapRole::brHost:
      return QStringLiteral("h=host");
    case TBitMapRole::brGroup:
      return QStringLiteral("g=group");
  }
  return {};
}

QString BitMapLegendText(const QString& title, const QList<TBitMapRole>& roles) {
  QStringList entries;
  for (TBitMapRole role : roles) entries << BitMapLegendEntry(role);
  return title + QStringLiteral(" Bit Map (") + entries.join(QLatin1Char(';')) + QLatin1Char(')');
}

void DrawBitMapLegend(const TZellCustomLabel& label, QPainter& canvas, const QRect& rect,
                      const QString& title, const QList<TBitMapRole>& roles) {
  const QColor text = label.palette().color(QPalette::WindowText);
  TBitMapPainter painter(canvas, rect, BitMapTextParams(label));
  painter.Segment(title + QStringLiteral(" Bit Map ("), text);
  for (qsizetype i = 0; i < roles.size(); ++i) {
    if (i > 0) painter.Segment(QStringLiteral(";"), text);
    painter.Segment(BitMapLegendEntry(roles[i]), BitMapRoleTextColour(roles[i], label));
  }
  painter.Segment(QStringLiteral(")"), text);
}

void DrawBitMapText(TZellCustomTextBox& box, QPainter& canvas, const QRect& rect, const QString& colours,
                    const QString& shown) {
  QRect area = rect;
  box.DrawEdges(canvas, area, box.EdgeParams());
  const QColor windowText = box.palette().color(QPalette::WindowText);
  TBitMapPainter painter(canvas, area, BitMapTextParams(box));
  const auto role = [&box](TBitMapRole r) { return BitMapRoleTextColour(r, box); };
  QColor colour = role(TBitMapRole::brNetwork);
  for (qsizetype p = 0; p < colours.size() && p < shown.size(); ++p) {
    switch (colours.at(p).unicode()) {
      case 'n':
        colour = role(TBitMapRole::brNetwork);
        break;
      case 's':
        colour = role(TBitMapRole::brSubnet);
        break;
      case 'h':
        colour = role(TBitMapRole::brHost);
        break;
      case 'g':
        colour = role(TBitMapRole::brGroup);
        break;
      case '.':
        colour = windowText;
        break;
      default:
        break;  // prefix digits keep the colour they follow
    }
    painter.Segment(shown.mid(p, 1), colour);
  }
}

TBitMapTextBox::TBitMapTextBox(QWidget* parent) : TTextBox(parent) {
  FCommands =
      new TViewCommands(this, {[this] { return !Caption().isEmpty(); }, [this] { CopyPicture(); }, {}});
  // Drawn in the bit-map colours, which show no text selection: the box is a
  // keyboard stop for its picture, not a selectable text.
  SetSelectable(false);
  setFocusPolicy(Qt::StrongFocus);
}

void TBitMapTextBox::CopyPicture() { QGuiApplication::clipboard()->setPixmap(GrabPicture(this, rect())); }

void TBitMapTextBox::AddContextAction(QAction* action) { FCommands->AddContextAction(action); }

bool TBitMapTextBox::event(QEvent* event) {
  if (FCommands && FCommands->HandleEvent(event)) return true;
  return TTextBox::event(event);
}

void TBitMapTextBox::keyPressEvent(QKeyEvent* event) {
  if (FCommands->HandleKey(event)) return;
  TTextBox::keyPressEvent(event);
}

void TBitMapTextBox::contextMenuEvent(QContextMenuEvent* event) { FCommands->ShowContextMenu(event); }

void TBitMapTextBox::focusInEvent(QFocusEvent* event) {
  TTextBox::focusInEvent(event);
  update();
}

void TBitMapTextBox::focusOutEvent(QFocusEvent* event) {
  TTextBox::focusOutEvent(event);
  update();
}

void TBitMapTextBox::paintEvent(QPaintEvent* event) {
  TTextBox::paintEvent(event);
  QPainter canvas(this);
  DrawFocusIndication(canvas, *this, rect());
}

}  // namespace Parlamine
