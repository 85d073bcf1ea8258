// SPDX-License-Identifier: MIT
// The up/down button pair of the spin edit. Each half is a flat button that
// repeats its click while held: the first repeat 400 ms after the press, then
// one every 100 ms while the pointer stays on the button, and the ordinary
// click on release.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QToolButton>
#include <QWidget>

class QTimer;

namespace Parlamine {

class TTimerSpeedButton : public QToolButton {
  Q_OBJECT

 public:
  static constexpr int FirstRepeatDelayMs = 400;
  static constexpr int RepeatIntervalMs = 100;

  explicit TTimerSpeedButton(QWidget* parent = nullptr);

  // Whether holding the button repeats its click.
  bool RepeatClicks() const { return FRepeatClicks; }
  void SetRepeatClicks(bool repeat) { FRepeatClicks = repeat; }
  // Whether the dotted focus frame is drawn (the spin button owning the focus
  // marks its current half this way).
  bool FocusFrame() const { return FFocusFrame; }
  void SetFocusFrame(bool frame);
  // The repeat timer; null until the first press, then owned by the button.
  QTimer* RepeatTimer() const { return FRepeatTimer; }

  // One tick of the repeat timer: repeats the click while the button is held
  // down with the pointer on it. The timer calls it; so may tests.
  void RepeatTimerExpired();

  QSize sizeHint() const override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QTimer* FRepeatTimer = nullptr;
  bool FRepeatClicks = true;
  bool FFocusFrame = false;
};

class TSpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit TSpinButton(QWidget* parent = nullptr);

  TTimerSpeedButton* UpButton() const { return FUpButton; }
  TTimerSpeedButton* DownButton() const { return FDownButton; }
  TTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
  void SetFocusedButton(TTimerSpeedButton* button);

  // The control that takes the focus when a button is pressed; forgotten
  // when it is destroyed.
  QWidget* FocusControl() const { return FFocusControl; }
  void SetFocusControl(QWidget* control) { FFocusControl = control; }

  // A null icon restores the program's own arrow ("SpinUp", "SpinDown").
  QIcon UpGlyph() const { return FUpButton->icon(); }
  void SetUpGlyph(const QIcon& glyph);
  QIcon DownGlyph() const { return FDownButton->icon(); }
  void SetDownGlyph(const QIcon& glyph);

  // Whether the pair takes the focus with Tab (off by default).
  bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
  void SetTabStop(bool tabStop) { setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus); }

  QSize sizeHint() const override;

 signals:
  void OnUpClick();
  void OnDownClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void ButtonPressed(TTimerSpeedButton* button);
  void FitButtons();

  TTimerSpeedButton* FUpButton = nullptr;
  TTimerSpeedButton* FDownButton = nullptr;
  TTimerSpeedButton* FFocusedButton = nullptr;
  QPointer<QWidget> FFocusControl;
};

}  // namespace Parlamine
