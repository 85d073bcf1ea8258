// SPDX-License-Identifier: MIT
#include "Spin.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <stdexcept>

#include "ZellFeedback.h"
#include "ZellLabel.h"

namespace Parlamine {

namespace {

// The arrow pictures are 9 by 6 pixels.
constexpr QSize GlyphSize(9, 6);

QIcon DefaultGlyph(bool up) {
  return QIcon(up ? QStringLiteral(":/images/SpinUp.svg") : QStringLiteral(":/images/SpinDown.svg"));
}

}  // namespace

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QToolButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(true);
  setIconSize(GlyphSize);
}

void TTimerSpeedButton::SetFocusFrame(bool frame) {
  if (frame == FFocusFrame) return;
  FFocusFrame = frame;
  update();
}

QSize TTimerSpeedButton::sizeHint() const { return GlyphSize + QSize(6, 4); }

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
  QToolButton::mousePressEvent(event);
  if (!FRepeatClicks || event->button() != Qt::LeftButton) return;
  if (!FRepeatTimer) {
    FRepeatTimer = new QTimer(this);
    // A coarse timer fires up to 5 % early or late: a one-second hold would
    // step seven or nine times instead of eight.
    FRepeatTimer->setTimerType(Qt::PreciseTimer);
    connect(FRepeatTimer, &QTimer::timeout, this, &TTimerSpeedButton::RepeatTimerExpired);
  }
  FRepeatTimer->setInterval(FirstRepeatDelayMs);
  FRepeatTimer->start();
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (FRepeatTimer) FRepeatTimer->stop();
  QToolButton::mouseReleaseEvent(event);
}

void TTimerSpeedButton::RepeatTimerExpired() {
  if (!FRepeatTimer) return;
  FRepeatTimer->setInterval(RepeatIntervalMs);
  // isDown() is false while the held pointer is off the button.
  if (!isDown()) return;
  // An exception may not leave a slot that a timer calls: it would cross Qt's
  // event loop. A failing click stops the repeat and is reported here.
  try {
    emit clicked(false);
  } catch (const std::exception& error) {
    FRepeatTimer->stop();
    ReportException(error);
  } catch (...) {
    FRepeatTimer->stop();
    ReportException(std::runtime_error("Unknown error"));
  }
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  QRect r = rect();
  canvas.fillRect(r, palette().color(QPalette::Button));
  TDrawEdgeParams edge;
  edge.Outer = isDown() ? esLowered : esRaised;
  edge.Inner = isDown() ? esLowered : esRaised;
  DrawEdgeWithParams(canvas, r, edge, palette());

  const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
  const QPixmap glyph = icon().pixmap(iconSize(), devicePixelRatioF(), mode);
  QRect target(QPoint(0, 0), iconSize());
  target.moveCenter(rect().center());
  if (isDown()) target.translate(1, 1);
  canvas.drawPixmap(target, glyph);

  if (FFocusFrame) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = ToQRect(SpeedButtonFocusRect({width(), height()}, isDown()));
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &canvas, this);
  }
}

// ---------------------------------------------------------------------------

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
  FUpButton = new TTimerSpeedButton(this);
  FUpButton->setObjectName(QStringLiteral("UpButton"));
  FUpButton->setAccessibleName(tr("Up"));
  FDownButton = new TTimerSpeedButton(this);
  FDownButton->setObjectName(QStringLiteral("DownButton"));
  FDownButton->setAccessibleName(tr("Down"));
  SetUpGlyph({});
  SetDownGlyph({});
  FFocusedButton = FUpButton;
  SetTabStop(false);
  setMinimumWidth(SpinButtonMinWidth);

  connect(FUpButton, &QAbstractButton::clicked, this, &TSpinButton::OnUpClick);
  connect(FDownButton, &QAbstractButton::clicked, this, &TSpinButton::OnDownClick);
  connect(FUpButton, &QAbstractButton::pressed, this, [this] { ButtonPressed(FUpButton); });
  connect(FDownButton, &QAbstractButton::pressed, this, [this] { ButtonPressed(FDownButton); });
  resize(20, 25);
}

void TSpinButton::SetUpGlyph(const QIcon& glyph) {
  FUpButton->setIcon(glyph.isNull() ? DefaultGlyph(true) : glyph);
}

void TSpinButton::SetDownGlyph(const QIcon& glyph) {
  FDownButton->setIcon(glyph.isNull() ? DefaultGlyph(false) : glyph);
}

void TSpinButton::SetFocusedButton(TTimerSpeedButton* button) {
  if (button == FFocusedButton || (button != FUpButton && button != FDownButton)) return;
  const bool focused = hasFocus();
  FFocusedButton->SetFocusFrame(false);
  FFocusedButton = button;
  FFocusedButton->SetFocusFrame(focused);
}

QSize TSpinButton::sizeHint() const { return QSize(SpinButtonMinWidth, 17); }

void TSpinButton::ButtonPressed(TTimerSpeedButton* button) {
  if (TabStop() && isEnabled()) SetFocusedButton(button);
  QWidget* control = FFocusControl;
  if (control && control->isEnabled() && control->focusPolicy() != Qt::NoFocus && !control->hasFocus()) {
    control->setFocus(Qt::MouseFocusReason);
  } else if (TabStop() && isEnabled() && !hasFocus()) {
    setFocus(Qt::MouseFocusReason);
  }
}

void TSpinButton::FitButtons() {
  const TSpinButtonHalves halves = SpinButtonHalves({width(), height()});
  FUpButton->setGeometry(ToQRect(halves.Up));
  FDownButton->setGeometry(ToQRect(halves.Down));
}

void TSpinButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitButtons();
}

void TSpinButton::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
      FFocusedButton->click();
      break;
    case Qt::Key_Up:
      SetFocusedButton(FUpButton);
      FUpButton->click();
      break;
    case Qt::Key_Down:
      SetFocusedButton(FDownButton);
      FDownButton->click();
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TSpinButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  FFocusedButton->SetFocusFrame(true);
}

void TSpinButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  FFocusedButton->SetFocusFrame(false);
}

}  // namespace Parlamine
