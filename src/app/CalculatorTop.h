// SPDX-License-Identifier: MIT
// The banner across the top of the main window: the current calculator's
// logo (sliding in from above or below when the arrow buttons step to the
// previous or next calculator), its description as the logo's hint, and the
// picture button that opens the maker's web site and lights up under the
// mouse.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QToolButton>
#include <array>
#include <vector>

#include "Calculator.h"
#include "CustomCalculator.h"

class QTimer;

namespace Parlamine {

class TCanvasPanel;
class TControlMessageHook;
class TMessageComponent;

// A flat button that always shows its picture and nothing else: an action
// given to it (which brings its own empty icon and caption) never replaces
// the picture.
class TPictureToolButton : public QToolButton {
  Q_OBJECT

 public:
  explicit TPictureToolButton(QWidget* parent = nullptr);

  const QPixmap& Picture() const { return FPicture; }
  void SetPicture(const QPixmap& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap FPicture;
};

class TCalculatorTopFrame : public QFrame {
  Q_OBJECT

 public:
  // The banner cycles through the calculators in the order given (the
  // window gives them in the order of their values, RegisteredCalculatorInfos),
  // showing each one's logo, name and description.
  explicit TCalculatorTopFrame(std::vector<TCalculatorInfo> calculators, QWidget* parent = nullptr);
  ~TCalculatorTopFrame() override;

  TCalculator Calculator() const { return FCalculator; }
  // Shows the calculator's logo at once (no slide) and raises
  // OnCalculatorChange when the value changed.
  void SetCalculator(TCalculator value);
  // The main window gives it the web-site action; the frame only draws it.
  QToolButton* GotoWebsiteButton() const;

 signals:
  // Raised after Calculator changed, with the frame as sender.
  void OnCalculatorChange(QObject* sender);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void LoadImageLists();
  // Changes the calculator; the arrow buttons pass the side the new logo
  // comes from.
  void ChangeCalculator(TCalculator value, TSlideDirection direction);
  void UpdateHints(TCalculator value);
  // The position of the calculator in the cycle; -1 for none.
  int IndexOf(TCalculator value) const;
  const QPixmap& LogoAt(int index) const;
  void LogoUpDownButtonClick();
  void LogoAnimationTimerTimer();
  void LogoCanvasPanelCustomDraw(QPainter& canvas, const QRect& rect, bool& defaultDraw);
  void LogoCanvasPanelResize();
  void FrameResize();
  void GotoWebsiteButtonControlMessageHookMessage(TMessageComponent* sender, QEvent* message, bool& handled);

  QFrame* FrameTopBevel = nullptr;
  QFrame* FrameBottomBevel = nullptr;
  TCanvasPanel* FrameCanvasPanel = nullptr;
  TCanvasPanel* LogoCanvasPanel = nullptr;
  QToolButton* LogoUpButton = nullptr;
  QToolButton* LogoDownButton = nullptr;
  TPictureToolButton* FGotoWebsiteButton = nullptr;
  QTimer* LogoAnimationTimer = nullptr;
  TControlMessageHook* GotoWebsiteButtonControlMessageHook = nullptr;
  // In the order of their values; image i of the logos is the logo of
  // calculator i. The web-site button has its normal (0) and lit (1) picture.
  std::vector<TCalculatorInfo> FCalculators;
  std::vector<TCalculator> FCycle;
  std::vector<QPixmap> LogoImageList;
  std::array<QPixmap, 2> GotoWebsiteButtonImageList;

  // The logo's rest position in the logo panel, and the slide in progress.
  TLogoRect HomeRect{0, 0, LogoWidth, LogoHeight};
  TLogoSlide FSlide;
  int OldImageIndex = 0;
  int NewImageIndex = 0;
  // No calculator until the constructor selects the IP Subnet Calculator, so
  // that first selection runs the whole setter.
  TCalculator FCalculator = static_cast<TCalculator>(UINT8_MAX);
};

}  // namespace Parlamine
