// SPDX-License-Identifier: MIT
#include "ZellPanels.h"

#include <QApplication>
#include <QBitmap>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include "ZellViewCommands.h"

namespace Parlamine {

namespace {

int PicturesBeingTaken = 0;

}  // namespace

bool TakingPicture() { return PicturesBeingTaken > 0; }

QPixmap GrabPicture(QWidget* widget, const QRect& rect) {
  struct TTaking {
    TTaking() { ++PicturesBeingTaken; }
    ~TTaking() { --PicturesBeingTaken; }
  } taking;
  return widget->grab(rect);
}

void DrawFocusIndication(QPainter& canvas, const QWidget& control, const QRect& rect) {
  if (!control.hasFocus() || TakingPicture()) return;
  // Two pixels wide, over the control's own edge, so that it shows on any
  // picture inside.
  constexpr int width = 2;
  const QColor colour = control.palette().color(QPalette::Highlight);
  canvas.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
  canvas.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
  canvas.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
  canvas.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), colour);
}

TZellCustomPanel::TZellCustomPanel(QWidget* parent) : QWidget(parent) {}

void TZellCustomPanel::SetBackgroundPicture(const QPixmap& picture) {
  FBackgroundPicture = picture;
  PictureChanged();
}

bool TZellCustomPanel::LoadBackgroundPicture(const QString& fileName) {
  QPixmap picture;
  if (!picture.load(fileName)) return false;
  SetBackgroundPicture(picture);
  return true;
}

void TZellCustomPanel::SetBackgroundPictureMode(TBackgroundPictureMode mode) {
  if (mode == FBackgroundPictureMode) return;
  FBackgroundPictureMode = mode;
  update();
}

void TZellCustomPanel::SetBackgroundPictureTransparent(bool transparent) {
  if (transparent == FBackgroundPictureTransparent) return;
  FBackgroundPictureTransparent = transparent;
  PictureChanged();
}

void TZellCustomPanel::PictureChanged() {
  FShownPicture = FBackgroundPicture;
  if (FBackgroundPictureTransparent && !FBackgroundPicture.isNull()) {
    const QImage image = FBackgroundPicture.toImage();
    const QColor key = image.pixelColor(0, image.height() - 1);
    FShownPicture.setMask(QBitmap::fromImage(image.createMaskFromColor(key.rgba(), Qt::MaskInColor)));
  }
  update();
}

void TZellCustomPanel::SetCaption(const QString& caption) {
  if (caption == FCaption) return;
  // The drawn caption is what a screen reader announces, unless the owner
  // named the panel otherwise.
  if (accessibleName().isEmpty() || accessibleName() == FCaption) setAccessibleName(caption);
  FCaption = caption;
  update();
}

void TZellCustomPanel::SetCaptionBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == FCaptionBorderWidth) return;
  FCaptionBorderWidth = width;
  update();
}

void TZellCustomPanel::SetAlignment(TAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  update();
}

void TZellCustomPanel::SetLayout(TTextLayout layout) {
  if (layout == FLayout) return;
  FLayout = layout;
  update();
}

void TZellCustomPanel::SetBiDiMode(TBiDiMode mode) {
  if (mode == FBiDiMode) return;
  FBiDiMode = mode;
  update();
}

void TZellCustomPanel::SetBevelInner(TBevelCut cut) {
  if (cut == FBevelInner) return;
  FBevelInner = cut;
  update();
}

void TZellCustomPanel::SetBevelOuter(TBevelCut cut) {
  if (cut == FBevelOuter) return;
  FBevelOuter = cut;
  update();
}

void TZellCustomPanel::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == FBevelWidth) return;
  FBevelWidth = width;
  update();
}

void TZellCustomPanel::SetBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == FBorderWidth) return;
  FBorderWidth = width;
  update();
}

QColor TZellCustomPanel::Color() const { return FColor.value_or(palette().color(QPalette::Button)); }

void TZellCustomPanel::SetColor(const QColor& color) {
  FColor = color;
  update();
}

void TZellCustomPanel::SetOnCustomDraw(TCustomDrawEvent handler) {
  FOnCustomDraw = std::move(handler);
  update();
}

int TZellCustomPanel::BorderSize() const {
  return PanelBorderSize(FBorderWidth, FBevelWidth, FBevelInner, FBevelOuter);
}

QRect TZellCustomPanel::InnerRect() const {
  const int size = BorderSize();
  return rect().adjusted(size, size, -size, -size);
}

TDrawTextParams TZellCustomPanel::CaptionTextParams() const {
  TDrawTextParams params;
  params.Alignment = FAlignment;
  params.Layout = FLayout;
  params.BiDiMode = FBiDiMode;
  params.Ellipsis = dteEnd;
  params.Options = dtoTransparent;
  if (!isEnabled()) params.Options |= dtoDisabled;
  return params;
}

void TZellCustomPanel::CopyRectToClipboard(const QRect& rect) {
  const QPixmap picture = GrabPicture(this, rect);
  QApplication::clipboard()->setPixmap(picture);
}

void TZellCustomPanel::EnablePictureCopy() {
  if (FCommands) return;
  FCommands = new TViewCommands(this, {[] { return true; }, [this] { CopyPicture(); }, {}});
  setFocusPolicy(Qt::StrongFocus);
}

void TZellCustomPanel::CopyPicture() {
  if (FOnCopyPicture)
    FOnCopyPicture();
  else
    CopyRectToClipboard(rect());
}

void TZellCustomPanel::AddContextAction(QAction* action) {
  if (FCommands) FCommands->AddContextAction(action);
}

void TZellCustomPanel::DrawPanel(QPainter& canvas, QRect& rect) {
  DrawBackground(canvas, rect);
  DrawBevels(canvas, rect);
  DrawCaption(canvas, rect, CaptionTextParams());
}

void TZellCustomPanel::DrawBackground(QPainter& canvas, QRect& rect) {
  canvas.fillRect(rect, Color());
  const int size = BorderSize();
  rect.adjust(size, size, -size, -size);
  if (FShownPicture.isNull()) return;
  const TSize picture{FShownPicture.width(), FShownPicture.height()};
  for (const TRect& target : BackgroundPictureRects(FBackgroundPictureMode, ToTRect(rect), picture)) {
    canvas.drawPixmap(ToQRect(target), FShownPicture);
  }
}

void TZellCustomPanel::Frame3D(QPainter& canvas, QRect& rect, TBevelCut cut) {
  const QColor shadow = palette().color(QPalette::Active, QPalette::Dark);
  const QColor highlight = palette().color(QPalette::Active, QPalette::Light);
  const QColor topLeft = cut == bvLowered ? shadow : highlight;
  const QColor bottomRight = cut == bvLowered ? highlight : shadow;
  for (int i = 0; i < FBevelWidth; ++i) {
    DrawFrameLines(canvas, rect, ebAll, topLeft, bottomRight);
    rect.adjust(1, 1, -1, -1);
  }
}

void TZellCustomPanel::DrawBevels(QPainter& canvas, QRect& rect) {
  rect = this->rect();
  if (FBevelOuter != bvNone) Frame3D(canvas, rect, FBevelOuter);
  if (FBorderWidth > 0) {
    const QColor color = Color();
    const int w = FBorderWidth;
    canvas.fillRect(QRect(rect.left(), rect.top(), rect.width(), w), color);
    canvas.fillRect(QRect(rect.left(), rect.bottom() - w + 1, rect.width(), w), color);
    canvas.fillRect(QRect(rect.left(), rect.top(), w, rect.height()), color);
    canvas.fillRect(QRect(rect.right() - w + 1, rect.top(), w, rect.height()), color);
    rect.adjust(w, w, -w, -w);
  }
  if (FBevelInner != bvNone) Frame3D(canvas, rect, FBevelInner);
}

void TZellCustomPanel::DrawCaption(QPainter& canvas, QRect& rect, const TDrawTextParams& params) {
  if (FCaption.isEmpty()) return;
  const int margin = FCaptionBorderWidth;
  rect.adjust(margin, margin, -margin, -margin);
  QString caption = FCaption;
  DrawTextWithParams(canvas, rect, caption, params, &palette());
}

void TZellCustomPanel::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  QRect r = rect();
  canvas.setBrush(Color());
  canvas.setPen(palette().color(QPalette::WindowText));
  canvas.setFont(font());
  canvas.fillRect(r, Color());
  bool defaultDraw = true;
  DoCustomDraw(canvas, r, defaultDraw);
  if (defaultDraw) DrawPanel(canvas, r);
  if (FCommands) DrawFocusIndication(canvas, *this, rect());
}

bool TZellCustomPanel::event(QEvent* event) {
  if (FCommands && FCommands->HandleEvent(event)) return true;
  return QWidget::event(event);
}

void TZellCustomPanel::keyPressEvent(QKeyEvent* event) {
  if (FCommands && FCommands->HandleKey(event)) return;
  QWidget::keyPressEvent(event);
}

void TZellCustomPanel::contextMenuEvent(QContextMenuEvent* event) {
  if (FCommands)
    FCommands->ShowContextMenu(event);
  else
    QWidget::contextMenuEvent(event);
}

void TZellCustomPanel::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  if (FCommands) update();
}

void TZellCustomPanel::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (FCommands) update();
}

void TZellCustomPanel::DoCustomDraw(QPainter& canvas, const QRect& rect, bool& defaultDraw) {
  if (FOnCustomDraw) FOnCustomDraw(canvas, rect, defaultDraw);
}

void TZellCustomPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}

TCanvasPanel::TCanvasPanel(QWidget* parent) : TZellCustomPanel(parent) {}

}  // namespace Parlamine
