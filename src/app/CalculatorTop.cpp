// SPDX-License-Identifier: MIT
#include "CalculatorTop.h"

#include <QEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QTimer>
#include <algorithm>

#include "ZellMsgClasses.h"
#include "ZellPanels.h"

namespace Parlamine {

namespace {

constexpr int FrameHeight = 83;
constexpr int BevelHeight = 2;
// Gap between the frame panel's edges and the logo panel and web-site button.
constexpr int InnerMargin = 4;
constexpr int ArrowButtonSize = 16;
constexpr int ArrowButtonMargin = 2;
constexpr QSize WebsiteButtonSize(118, 71);
constexpr QSize WebsiteImageSize(109, 68);
constexpr int LogoAnimationIntervalMs = 30;
constexpr const char* WebsiteHint = "Click to visit the Quillfern website";
constexpr const char* ChangeCalculatorHint = "Click to change to the %1";

QPixmap LoadPicture(const QString& name, QSize size) {
  return QIcon(QStringLiteral(":/images/%1.svg").arg(name)).pixmap(size, qApp->devicePixelRatio());
}

void SetHint(QWidget* widget, const QString& hint) {
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

QToolButton* MakeArrowButton(QWidget* parent, const char* name, const char* picture) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedSize(ArrowButtonSize, ArrowButtonSize);
  button->setIconSize(QSize(ArrowButtonSize, ArrowButtonSize));
  button->setIcon(QIcon(QStringLiteral(":/images/%1.svg").arg(QString::fromLatin1(picture))));
  return button;
}

QRect ToQRect(const TLogoRect& rect) { return {rect.Left, rect.Top, rect.Width, rect.Height}; }

}  // namespace

TPictureToolButton::TPictureToolButton(QWidget* parent) : QToolButton(parent) {}

void TPictureToolButton::SetPicture(const QPixmap& picture) {
  FPicture = picture;
  update();
}

void TPictureToolButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  option.text.clear();
  option.toolButtonStyle = Qt::ToolButtonIconOnly;
  option.icon = QIcon(FPicture);
  option.iconSize = FPicture.deviceIndependentSize().toSize();
  painter.drawComplexControl(QStyle::CC_ToolButton, option);
}

TCalculatorTopFrame::TCalculatorTopFrame(std::vector<TCalculatorInfo> calculators, QWidget* parent)
    : QFrame(parent), FCalculators(std::move(calculators)) {
  for (const TCalculatorInfo& info : FCalculators) FCycle.push_back(info.Value);
  setObjectName(QStringLiteral("CalculatorTopFrame"));
  setFixedHeight(FrameHeight);
  CreateComponents();
  LoadImageLists();
  FGotoWebsiteButton->SetPicture(GotoWebsiteButtonImageList[0]);
  FrameResize();
  // Nothing is connected yet, so this first selection only sets the logo
  // and the hints.
  SetCalculator(TCalculator::caIPSubnet);
}

TCalculatorTopFrame::~TCalculatorTopFrame() {
  // The children outlive this body: events they get while QWidget destroys
  // them must not reach the frame's handlers any more.
  LogoAnimationTimer->stop();
  GotoWebsiteButtonControlMessageHook->SetOnMessage({});
  LogoCanvasPanel->SetOnCustomDraw({});
  LogoCanvasPanel->removeEventFilter(this);
}

void TCalculatorTopFrame::CreateComponents() {
  FrameTopBevel = new QFrame(this);
  FrameBottomBevel = new QFrame(this);
  FrameTopBevel->setObjectName(QStringLiteral("FrameTopBevel"));
  FrameBottomBevel->setObjectName(QStringLiteral("FrameBottomBevel"));
  for (QFrame* bevel : {FrameTopBevel, FrameBottomBevel})
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  FrameCanvasPanel = new TCanvasPanel(this);
  FrameCanvasPanel->setObjectName(QStringLiteral("FrameCanvasPanel"));
  FrameCanvasPanel->SetColor(Qt::white);
  FrameCanvasPanel->SetBevelOuter(bvNone);
  // The logos and arrows are drawn for the white band, so the band keeps the
  // style's light palette (hover frames of its buttons included) whatever
  // palette the rest of the window has.
  FrameCanvasPanel->setPalette(style()->standardPalette());

  LogoCanvasPanel = new TCanvasPanel(FrameCanvasPanel);
  LogoCanvasPanel->setObjectName(QStringLiteral("LogoCanvasPanel"));
  LogoCanvasPanel->SetColor(FrameCanvasPanel->Color());
  LogoCanvasPanel->SetBevelOuter(bvNone);
  LogoCanvasPanel->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    LogoCanvasPanelCustomDraw(canvas, rect, defaultDraw);
  });
  LogoCanvasPanel->installEventFilter(this);

  LogoUpButton = MakeArrowButton(LogoCanvasPanel, "LogoUpButton", "LogoUp");
  LogoDownButton = MakeArrowButton(LogoCanvasPanel, "LogoDownButton", "LogoDown");
  connect(LogoUpButton, &QToolButton::clicked, this, &TCalculatorTopFrame::LogoUpDownButtonClick);
  connect(LogoDownButton, &QToolButton::clicked, this, &TCalculatorTopFrame::LogoUpDownButtonClick);

  FGotoWebsiteButton = new TPictureToolButton(FrameCanvasPanel);
  FGotoWebsiteButton->setObjectName(QStringLiteral("GotoWebsiteButton"));
  FGotoWebsiteButton->setAutoRaise(true);
  FGotoWebsiteButton->setFocusPolicy(Qt::NoFocus);
  FGotoWebsiteButton->setCursor(Qt::PointingHandCursor);
  FGotoWebsiteButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  FGotoWebsiteButton->resize(WebsiteButtonSize);
  SetHint(FGotoWebsiteButton, QString::fromLatin1(WebsiteHint));
  FGotoWebsiteButton->setAccessibleName(QString::fromLatin1(WebsiteHint));

  LogoAnimationTimer = new QTimer(this);
  LogoAnimationTimer->setObjectName(QStringLiteral("LogoAnimationTimer"));
  LogoAnimationTimer->setInterval(LogoAnimationIntervalMs);
  connect(LogoAnimationTimer, &QTimer::timeout, this, &TCalculatorTopFrame::LogoAnimationTimerTimer);

  GotoWebsiteButtonControlMessageHook = new TControlMessageHook(this);
  GotoWebsiteButtonControlMessageHook->setObjectName(QStringLiteral("GotoWebsiteButtonControlMessageHook"));
  GotoWebsiteButtonControlMessageHook->SetControl(FGotoWebsiteButton);
  GotoWebsiteButtonControlMessageHook->SetOnMessage(
      [this](TMessageComponent* sender, QEvent* message, bool& handled) {
        GotoWebsiteButtonControlMessageHookMessage(sender, message, handled);
      });
}

void TCalculatorTopFrame::LoadImageLists() {
  for (const TCalculatorInfo& info : FCalculators)
    LogoImageList.push_back(QIcon(info.Logo).pixmap(QSize(LogoWidth, LogoHeight), qApp->devicePixelRatio()));
  GotoWebsiteButtonImageList[0] = LoadPicture(QStringLiteral("GotoWebsite0"), WebsiteImageSize);
  GotoWebsiteButtonImageList[1] = LoadPicture(QStringLiteral("GotoWebsite1"), WebsiteImageSize);
}

QToolButton* TCalculatorTopFrame::GotoWebsiteButton() const { return FGotoWebsiteButton; }

void TCalculatorTopFrame::SetCalculator(TCalculator value) {
  ChangeCalculator(value, TSlideDirection::sdNone);
}

void TCalculatorTopFrame::ChangeCalculator(TCalculator value, TSlideDirection direction) {
  value = CalculatorFromOrdinal(static_cast<int>(value), FCycle);
  if (value == FCalculator) return;
  OldImageIndex = IndexOf(FCalculator);
  NewImageIndex = IndexOf(value);
  if (FSlide.Start(direction, LogoCanvasPanel->width(), LogoCanvasPanel->height())) {
    LogoAnimationTimer->start();
  } else {
    // A change from the menu or at start-up replaces the logo at once, also
    // in the middle of a slide.
    LogoAnimationTimer->stop();
    LogoCanvasPanel->update();
  }
  UpdateHints(value);
  FCalculator = value;
  emit OnCalculatorChange(this);
}

int TCalculatorTopFrame::IndexOf(TCalculator value) const {
  const auto found = std::find(FCycle.begin(), FCycle.end(), value);
  return found != FCycle.end() ? static_cast<int>(found - FCycle.begin()) : -1;
}

const QPixmap& TCalculatorTopFrame::LogoAt(int index) const {
  static const QPixmap none;
  return index >= 0 && index < static_cast<int>(LogoImageList.size()) ? LogoImageList[size_t(index)] : none;
}

void TCalculatorTopFrame::UpdateHints(TCalculator value) {
  const auto nameOf = [this](TCalculator calculator) {
    const int index = IndexOf(calculator);
    return index >= 0 ? FCalculators[size_t(index)].Name() : QString();
  };
  const int index = IndexOf(value);
  const QString description = index >= 0 ? FCalculators[size_t(index)].Description : QString();
  SetHint(LogoCanvasPanel, description);
  LogoCanvasPanel->setAccessibleName(nameOf(value));
  LogoCanvasPanel->setAccessibleDescription(description);

  const TAdjacentCalculators adjacent = AdjacentCalculators(value, FCycle);
  const QString format = QString::fromLatin1(ChangeCalculatorHint);
  const QString upHint = format.arg(nameOf(adjacent.Previous));
  const QString downHint = format.arg(nameOf(adjacent.Next));
  SetHint(LogoUpButton, upHint);
  SetHint(LogoDownButton, downHint);
  LogoUpButton->setAccessibleName(upHint);
  LogoDownButton->setAccessibleName(downHint);
}

void TCalculatorTopFrame::LogoUpDownButtonClick() {
  const TAdjacentCalculators adjacent = AdjacentCalculators(FCalculator, FCycle);
  if (sender() == LogoUpButton)
    ChangeCalculator(adjacent.Previous, TSlideDirection::sdFromAbove);
  else
    ChangeCalculator(adjacent.Next, TSlideDirection::sdFromBelow);
}

void TCalculatorTopFrame::LogoAnimationTimerTimer() {
  if (!FSlide.Tick(HomeRect)) LogoAnimationTimer->stop();
  LogoCanvasPanel->repaint();
}

void TCalculatorTopFrame::LogoCanvasPanelCustomDraw(QPainter& canvas, const QRect& rect, bool& defaultDraw) {
  defaultDraw = false;
  QRect panelRect = rect;
  LogoCanvasPanel->DrawPanel(canvas, panelRect);
  if (LogoAnimationTimer->isActive()) {
    canvas.drawPixmap(ToQRect(HomeRect).topLeft(), LogoAt(OldImageIndex));
    canvas.drawPixmap(ToQRect(FSlide.SlideRect).topLeft(), LogoAt(NewImageIndex));
  } else {
    canvas.drawPixmap(ToQRect(HomeRect).topLeft(), LogoAt(NewImageIndex));
  }
}

void TCalculatorTopFrame::LogoCanvasPanelResize() {
  // The logo rests left of centre; the arrow buttons sit just right of it,
  // or at the panel's right edge when the panel is narrow.
  HomeRect = LogoHomeRect(LogoCanvasPanel->width(), LogoCanvasPanel->height());
  const int buttonLeft = std::min(HomeRect.Right() + 1, LogoCanvasPanel->width() - ArrowButtonSize);
  LogoUpButton->move(buttonLeft, ArrowButtonMargin);
  LogoDownButton->move(buttonLeft, LogoCanvasPanel->height() - ArrowButtonSize - ArrowButtonMargin);
}

void TCalculatorTopFrame::FrameResize() {
  const int w = width();
  FrameTopBevel->setGeometry(0, 0, w, BevelHeight);
  FrameBottomBevel->setGeometry(0, height() - BevelHeight, w, BevelHeight);
  FrameCanvasPanel->setGeometry(0, BevelHeight, w, std::max(0, height() - 2 * BevelHeight));

  // The web-site button keeps to the right edge; the logo panel takes the
  // rest of the width, 4 pixels from everything around it.
  const int panelHeight = FrameCanvasPanel->height();
  const int buttonLeft = w - WebsiteButtonSize.width() - InnerMargin;
  FGotoWebsiteButton->setGeometry(buttonLeft, InnerMargin, WebsiteButtonSize.width(),
                                  std::max(0, panelHeight - 2 * InnerMargin));
  LogoCanvasPanel->setGeometry(InnerMargin, InnerMargin, std::max(0, buttonLeft - 2 * InnerMargin),
                               std::max(0, panelHeight - 2 * InnerMargin));
  LogoCanvasPanelResize();
}

void TCalculatorTopFrame::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  FrameResize();
}

bool TCalculatorTopFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == LogoCanvasPanel && event->type() == QEvent::Resize) LogoCanvasPanelResize();
  return QFrame::eventFilter(watched, event);
}

void TCalculatorTopFrame::GotoWebsiteButtonControlMessageHookMessage(TMessageComponent*, QEvent* message,
                                                                     bool&) {
  // The button still gets both events itself (hover look, status hint).
  if (message->type() == QEvent::Enter)
    FGotoWebsiteButton->SetPicture(GotoWebsiteButtonImageList[1]);
  else if (message->type() == QEvent::Leave)
    FGotoWebsiteButton->SetPicture(GotoWebsiteButtonImageList[0]);
}

}  // namespace Parlamine
