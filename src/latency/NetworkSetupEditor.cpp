// SPDX-License-Identifier: MIT
#include "NetworkSetupEditor.h"

#include <QAction>
#include <QFile>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "NetworkSetupGeometry.h"
#include "ParlamineNetworkButton.h"
#include "ZellClipboardRequest.h"
#include "ZellPanels.h"

namespace Parlamine {

namespace {

// The panel's size before the page is laid out, so that elements placed at
// start-up land where they will be seen.
constexpr QSize DesignedPanelSize(298, 285);

// The background is drawn in four grey shades that stand for the 3D colours
// of the current palette.
QPixmap MappedBackground(const QPalette& palette) {
  QFile file(QStringLiteral(":/images/LATENCYCALCBACKGROUND.svg"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QString svg = QString::fromUtf8(file.readAll());
  const struct {
    const char* Grey;
    QPalette::ColorRole Role;
  } shades[] = {{"#808080", QPalette::Dark},
                {"#c0c0c0", QPalette::Button},
                {"#dfdfdf", QPalette::Midlight},
                {"#ffffff", QPalette::Light}};
  for (const auto& shade : shades)
    svg.replace(QLatin1String(shade.Grey), palette.color(shade.Role).name(), Qt::CaseInsensitive);
  QSvgRenderer renderer(svg.toUtf8());
  if (!renderer.isValid()) return {};
  QPixmap picture(renderer.defaultSize());
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  renderer.render(&painter);
  return picture;
}

QToolButton* NewToolButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setText(caption);
  button->setToolTip(hint);
  button->setStatusTip(hint);
  button->setAccessibleName(hint);  // what a screen reader says for the picture
  button->setAutoRaise(true);
  button->setMinimumWidth(55);
  return button;
}

}  // namespace

TNetworkSetupEditor::TNetworkSetupEditor(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("NetworkSetupTabSheet"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  CreateToolBar();
  CreatePanel();
  CreatePopupMenu();
  auto* top = new QHBoxLayout;
  top->setContentsMargins(0, 0, 0, 0);
  top->addWidget(NetworkSetupToolBar, 1);
  top->addWidget(CopyNetworkSetupButton, 0, Qt::AlignRight | Qt::AlignTop);
  layout->addLayout(top);
  layout->addWidget(NetworkSetupPanel, 1);

  DesktopNetworkButton = new TNetworkButton(NetworkSetupPanel);
  DesktopNetworkButton->setObjectName(QStringLiteral("DesktopNetworkButton"));
  DesktopNetworkButton->SetNetworkButtonKind(nbDesktopCPU);
  DesktopNetworkButton->SetNetworkName(QStringLiteral("Client"));
  DesktopNetworkButton->move(SetupPanelMargin, SetupPanelMargin);
  TowerNetworkButton = new TNetworkButton(NetworkSetupPanel);
  TowerNetworkButton->setObjectName(QStringLiteral("TowerNetworkButton"));
  TowerNetworkButton->SetNetworkButtonKind(nbTowerCPU);
  TowerNetworkButton->SetNetworkName(QStringLiteral("Server"));
  for (TNetworkButton* station : {DesktopNetworkButton, TowerNetworkButton}) {
    BindElement(station);
    station->UpdateHint();
  }
  FNetworks.reserve(ChainCapacity);
  FNetworks = {DesktopNetworkButton, TowerNetworkButton};
  PlaceServerInCorner();
  FSelectedNetwork = TowerNetworkButton;
  UpdateMoveButtons();
  ReloadBackground();
}

TNetworkSetupEditor::~TNetworkSetupEditor() = default;

void TNetworkSetupEditor::CreateToolBar() {
  NetworkSetupToolBar = new QToolBar(this);
  NetworkSetupToolBar->setObjectName(QStringLiteral("NetworkSetupToolBar"));
  NetworkSetupToolBar->setMovable(false);
  NetworkSetupToolBar->setFloatable(false);
  NetworkSetupToolBar->setIconSize(QSize(16, 16));
  NetworkSetupToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  MoveNetworkLeftButton = NewToolButton(NetworkSetupToolBar, "MoveNetworkLeftButton", QString(),
                                        QStringLiteral("Move currently selected network left"));
  MoveNetworkLeftButton->setIcon(QIcon(QStringLiteral(":/images/LeftArrow.svg")));
  NewNetworkButton = NewToolButton(NetworkSetupToolBar, "NewNetworkButton", QStringLiteral("Insert"),
                                   QStringLiteral("Insert new network before currently selected network"));
  ResetNetworkButton = NewToolButton(NetworkSetupToolBar, "ResetNetworkButton", QStringLiteral("Reset"),
                                     QStringLiteral("Clear all networks"));
  MoveNetworkRightButton = NewToolButton(NetworkSetupToolBar, "MoveNetworkRightButton", QString(),
                                         QStringLiteral("Move currently selected network right"));
  MoveNetworkRightButton->setIcon(QIcon(QStringLiteral(":/images/RightArrow.svg")));
  for (QToolButton* button :
       {MoveNetworkLeftButton, NewNetworkButton, ResetNetworkButton, MoveNetworkRightButton})
    NetworkSetupToolBar->addWidget(button);
  connect(MoveNetworkLeftButton, &QToolButton::clicked, this, [this] { MoveNetwork(false); });
  connect(MoveNetworkRightButton, &QToolButton::clicked, this, [this] { MoveNetwork(true); });
  connect(NewNetworkButton, &QToolButton::clicked, this, [this] { InsertNetwork(); });
  connect(ResetNetworkButton, &QToolButton::clicked, this, &TNetworkSetupEditor::ResetNetworkButtonClick);

  CopyNetworkSetupButton = NewToolButton(this, "CopyNetworkSetupButton", QString(),
                                         QStringLiteral("Copy network setup to clipboard"));
  CopyNetworkSetupButton->setIcon(QIcon(QStringLiteral(":/images/Clipboard.svg")));
  CopyNetworkSetupButton->setMinimumWidth(0);
  connect(CopyNetworkSetupButton, &QToolButton::clicked, this,
          &TNetworkSetupEditor::CopyNetworkSetupButtonClick);
}

void TNetworkSetupEditor::CreatePanel() {
  NetworkSetupPanel = new TCanvasPanel(this);
  NetworkSetupPanel->setObjectName(QStringLiteral("NetworkSetupPanel"));
  NetworkSetupPanel->SetColor(palette().color(QPalette::Base));
  NetworkSetupPanel->SetBevelOuter(bvLowered);  // the single border
  NetworkSetupPanel->SetBackgroundPictureTransparent(true);
  NetworkSetupPanel->SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    NetworkSetupPanelCustomDraw(canvas, rect, defaultDraw);
  });
  // A keyboard stop whose Ctrl+C copies the setup's picture; its menu is the
  // page's own, with Copy added.
  NetworkSetupPanel->EnablePictureCopy();
  NetworkSetupPanel->SetOnCopyPicture([this] { CopyNetworkSetupButtonClick(); });
  NetworkSetupPanel->setContextMenuPolicy(Qt::CustomContextMenu);
  NetworkSetupPanel->resize(DesignedPanelSize);
  NetworkSetupPanel->installEventFilter(this);
  connect(NetworkSetupPanel, &QWidget::customContextMenuRequested, this, [this](QPoint position) {
    NetworkSetupPopupMenu->popup(NetworkSetupPanel->mapToGlobal(position));
  });
}

void TNetworkSetupEditor::CreatePopupMenu() {
  NetworkSetupPopupMenu = new QMenu(this);
  NetworkSetupPopupMenu->setObjectName(QStringLiteral("NetworkSetupPopupMenu"));
  NewNetworkItem = NetworkSetupPopupMenu->addAction(QStringLiteral("&Insert Network"));
  NewNetworkItem->setObjectName(QStringLiteral("NewNetworkItem"));
  connect(NewNetworkItem, &QAction::triggered, this, [this] { InsertNetwork(); });
  FRemoveSubmenu = new QMenu(QStringLiteral("&Remove Network"), NetworkSetupPopupMenu);
  FRemoveSubmenu->setObjectName(QStringLiteral("RemoveNetworkSubmenu"));
  RemoveNetworkItem = NetworkSetupPopupMenu->addMenu(FRemoveSubmenu);
  RemoveNetworkItem->setObjectName(QStringLiteral("RemoveNetworkItem"));
  RemoveNetworkItem->setVisible(false);
  connect(FRemoveSubmenu, &QMenu::aboutToShow, this, &TNetworkSetupEditor::RemoveNetworkItemClick);
  NetworkSetupPopupMenu->addSeparator();
  QAction* copyItem = NetworkSetupPopupMenu->addAction(QStringLiteral("&Copy"));
  copyItem->setObjectName(QStringLiteral("CopyNetworkSetupItem"));
  copyItem->setShortcut(QKeySequence::Copy);  // shown; the panel carries the key out
  copyItem->setShortcutContext(Qt::WidgetShortcut);
  connect(copyItem, &QAction::triggered, this, &TNetworkSetupEditor::CopyNetworkSetupButtonClick);
}

void TNetworkSetupEditor::BindElement(TNetworkButton* element) {
  element->installEventFilter(this);
  connect(element, &TNetworkButton::OnMouseDown, this, &TNetworkSetupEditor::NetworkButtonMouseDown);
  connect(element, &TNetworkButton::OnStartDrag, this, [](TNetworkButton* dragged) { dragged->raise(); });
  connect(element, &TNetworkButton::OnDragMove, this, &TNetworkSetupEditor::NetworkButtonDragMove);
  connect(element, &TNetworkButton::OnEndDrag, this, &TNetworkSetupEditor::NetworkButtonEndDrag);
  connect(element, &TNetworkButton::OnRemove, this, &TNetworkSetupEditor::NetworkButtonRemove);
  connect(element, &TNetworkButton::OnProperties, this, &TNetworkSetupEditor::OnNetworkProperties);
}

std::vector<TNetworkElement> TNetworkSetupEditor::ChainElements() const {
  std::vector<TNetworkElement> chain;
  chain.reserve(static_cast<size_t>(FNetworks.size()));
  for (const TNetworkButton* element : FNetworks) chain.push_back(element->Element());
  return chain;
}

TNetworkButton* TNetworkSetupEditor::InsertNetwork() {
  if (FNetworks.size() >= ChainCapacity) return nullptr;
  auto* element = new TNetworkButton(NetworkSetupPanel);
  element->setObjectName(QStringLiteral("NetworkButton"));
  BindElement(element);
  PlaceNewNetwork(element);
  element->show();

  qsizetype index = FNetworks.indexOf(FSelectedNetwork);
  if (index <= 0) index = 1;  // with the client selected (or nothing): right after the client
  FNetworks.insert(index, element);
  ApplyChainOrder();
  NetworkSetupPanel->update();
  SelectNetwork(element);
  if (FNetworks.size() >= ChainCapacity) SetInsertEnabled(false);

  auto* entry = new QAction(FRemoveSubmenu);
  connect(entry, &QAction::triggered, this, [this, entry] { RemoveSubmenuClick(entry); });
  QAction* before = index - 1 < FRemoveEntries.size() ? FRemoveEntries.at(index - 1) : nullptr;
  FRemoveSubmenu->insertAction(before, entry);
  FRemoveEntries.insert(index - 1, entry);

  if (FNetworks.size() == 3) {
    element->HideRemoveItems();
  } else if (FNetworks.size() == 4) {
    FNetworks.at(1)->ShowRemoveItems();
    FNetworks.at(2)->ShowRemoveItems();
    RemoveNetworkItem->setVisible(true);
  }
  emit OnChainChanged();
  return element;
}

QSize TNetworkSetupEditor::PlacementSize() const {
  // Until the page is shown its size is only a passing one of the layout.
  return NetworkSetupPanel->isVisible() ? NetworkSetupPanel->size()
                                        : NetworkSetupPanel->size().expandedTo(DesignedPanelSize);
}

void TNetworkSetupEditor::PlaceNewNetwork(TNetworkButton* element) {
  std::vector<TElementPosition> taken;
  for (const TNetworkButton* other : FNetworks) taken.push_back({other->x(), other->y()});
  const QSize client = PlacementSize();
  const auto point = FreePlacement(taken, client.width(), client.height(), TNetworkButton::ButtonSize);
  element->move(point ? QPoint(point->Left, point->Top) : QPoint(0, 0));
}

void TNetworkSetupEditor::NetworkButtonRemove(TNetworkButton* element) {
  const qsizetype index = FNetworks.indexOf(element);
  if (index <= 0 || index >= FNetworks.size() - 1) return;  // not a network of this chain
  if (FNetworks.size() > 3) {
    QAction* entry = FRemoveEntries.takeAt(index - 1);
    FRemoveSubmenu->removeAction(entry);
    entry->deleteLater();
    element->hide();
    element->disconnect(this);
    element->removeEventFilter(this);
    FNetworks.removeAt(index);
    ApplyChainOrder();
    NetworkSetupPanel->update();
    SelectNetwork(FNetworks.at(index));
    if (FNetworks.size() == 3) {
      RemoveNetworkItem->setVisible(false);
      FNetworks.at(1)->HideRemoveItems();
    }
    SetInsertEnabled(true);
    // Not now: the request may come from the element's own menu, which is
    // still handling its command.
    element->deleteLater();
  }
  emit OnChainChanged();
}

void TNetworkSetupEditor::ResetNetworkButtonClick() {
  while (FNetworks.size() > 3) NetworkButtonRemove(FNetworks.at(1));
  SelectNetwork(TowerNetworkButton);
  InsertNetwork();
  NetworkButtonRemove(FNetworks.at(1));
  emit OnChainChanged();
  NetworkSetupPanel->update();
}

void TNetworkSetupEditor::MoveNetwork(bool toRight) {
  const qsizetype index = FNetworks.indexOf(FSelectedNetwork);
  if (index <= 0 || index >= FNetworks.size() - 1) return;
  const qsizetype neighbourIndex = toRight ? index + 1 : index - 1;
  if (neighbourIndex <= 0 || neighbourIndex >= FNetworks.size() - 1) return;
  TNetworkButton* moved = FNetworks.at(index);
  TNetworkButton* neighbour = FNetworks.at(neighbourIndex);
  const QPoint movedPosition = moved->pos();
  moved->hide();
  moved->move(neighbour->pos());
  moved->show();
  neighbour->hide();
  neighbour->move(movedPosition);
  neighbour->show();
  FNetworks.swapItemsAt(index, neighbourIndex);
  emit OnNetworksSwapped(static_cast<int>(index), static_cast<int>(neighbourIndex));
  // The remove submenu follows chain order.
  FRemoveEntries.swapItemsAt(index - 1, neighbourIndex - 1);
  // (clear() would delete the entries the submenu owns.)
  for (QAction* entry : FRemoveEntries) FRemoveSubmenu->removeAction(entry);
  FRemoveSubmenu->addActions(FRemoveEntries);
  ApplyChainOrder();
  NetworkSetupPanel->update();
  SelectNetwork(moved);
}

// Tab and screen readers meet the elements in chain order: the focus chain
// runs through them in that order, and so does the panel's child order,
// which is what the panel reports to assistive technology.
void TNetworkSetupEditor::ApplyChainOrder() {
  for (qsizetype i = 0; i < FNetworks.size(); ++i) {
    FNetworks.at(i)->raise();
    if (i > 0) QWidget::setTabOrder(FNetworks.at(i - 1), FNetworks.at(i));
  }
}

void TNetworkSetupEditor::SelectNetwork(TNetworkButton* element) {
  if (!element) return;
  FSelectedNetwork = element;
  if (!FLoading) element->setFocus(Qt::OtherFocusReason);
  UpdateMoveButtons();
  emit OnSelectNetwork(element);
}

void TNetworkSetupEditor::UpdateMoveButtons() {
  const int index = static_cast<int>(FNetworks.indexOf(FSelectedNetwork));
  const int count = static_cast<int>(FNetworks.size());
  MoveNetworkLeftButton->setEnabled(index >= 0 && CanMoveLeft(index, count));
  MoveNetworkRightButton->setEnabled(index >= 0 && CanMoveRight(index, count));
}

void TNetworkSetupEditor::SetInsertEnabled(bool enabled) {
  NewNetworkButton->setEnabled(enabled);
  NewNetworkItem->setEnabled(enabled);
}

void TNetworkSetupEditor::ApplyRemoveRule() {
  if (NetworkCount() == 1) {
    FNetworks.at(1)->HideRemoveItems();
  } else {
    for (qsizetype i = 1; i + 1 < FNetworks.size(); ++i) FNetworks.at(i)->ShowRemoveItems();
  }
}

void TNetworkSetupEditor::RemoveNetworkItemClick() {
  FRemoveSubmenu->setDefaultAction(nullptr);
  for (qsizetype k = 0; k < FRemoveEntries.size(); ++k) {
    const TNetworkButton* element = FNetworks.at(k + 1);
    FRemoveEntries.at(k)->setText(
        QString::fromStdString(RemoveEntryCaption(static_cast<int>(k), element->Hint().toStdString())));
    if (element == FSelectedNetwork) FRemoveSubmenu->setDefaultAction(FRemoveEntries.at(k));
  }
}

void TNetworkSetupEditor::RemoveSubmenuClick(QAction* entry) {
  const qsizetype k = FRemoveEntries.indexOf(entry);
  if (k >= 0 && k + 1 < FNetworks.size() - 1) NetworkButtonRemove(FNetworks.at(k + 1));
}

void TNetworkSetupEditor::NetworkButtonMouseDown(TNetworkButton* element, Qt::MouseButton button,
                                                 QPoint position) {
  FDragOffsetX = position.x();
  FDragOffsetY = position.y();
  SelectNetwork(element);
  if (button == Qt::LeftButton && element != DesktopNetworkButton && element != TowerNetworkButton)
    element->ArmDrag(position);
}

void TNetworkSetupEditor::NetworkButtonDragMove(TNetworkButton* element, QPoint globalPosition) {
  const QPoint pointer = NetworkSetupPanel->mapFromGlobal(globalPosition);
  // The stations take no drop: over them the network stays where it was.
  for (const TNetworkButton* station : {DesktopNetworkButton, TowerNetworkButton}) {
    if (station->isVisible() && station->geometry().contains(pointer)) {
      element->setCursor(Qt::ForbiddenCursor);
      return;
    }
  }
  element->setCursor(Qt::DragMoveCursor);
  const QSize client = NetworkSetupPanel->size();
  element->move(ClampToPanel(pointer.x(), FDragOffsetX, client.width(), element->width()),
                ClampToPanel(pointer.y(), FDragOffsetY, client.height(), element->height()));
  NetworkSetupPanel->update();
}

void TNetworkSetupEditor::NetworkButtonEndDrag(TNetworkButton* element) {
  element->unsetCursor();
  NetworkSetupPanel->update();
}

void TNetworkSetupEditor::PlaceServerInCorner() {
  const QSize client = PlacementSize();
  TowerNetworkButton->move(client.width() - TowerNetworkButton->width() - SetupPanelMargin,
                           client.height() - TowerNetworkButton->height() - SetupPanelMargin);
}

void TNetworkSetupEditor::NetworkSetupPanelResize() {
  // The server keeps to the bottom-right corner; everything else is only
  // pulled back inside when the panel shrank past it. That move is for good
  // (the stored places change), so it waits until control is back in the
  // event loop: while the window and its page controls are being shown, the
  // panel is shown and resized at provisional sizes before its real one.
  PlaceServerInCorner();
  NetworkSetupPanel->update();
  if (FPullInsidePending) return;
  FPullInsidePending = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        FPullInsidePending = false;
        if (NetworkSetupPanel->isVisible()) PullElementsInside();
      },
      Qt::QueuedConnection);
}

void TNetworkSetupEditor::PullElementsInside() {
  const QSize client = NetworkSetupPanel->size();
  for (TNetworkButton* element : FNetworks) {
    element->move(PulledInside(element->x(), client.width(), element->width()),
                  PulledInside(element->y(), client.height(), element->height()));
  }
  NetworkSetupPanel->update();
}

void TNetworkSetupEditor::NetworkSetupPanelCustomDraw(QPainter& canvas, const QRect& rect,
                                                      bool& defaultDraw) {
  defaultDraw = false;
  QRect inner = rect;
  NetworkSetupPanel->DrawPanel(canvas, inner);
  if (FNetworks.size() < 2) return;
  QPen pen(palette().color(QPalette::Highlight), 4);
  canvas.setPen(pen);
  canvas.setRenderHint(QPainter::Antialiasing, true);
  QPolygon line;
  for (const TNetworkButton* element : FNetworks)
    line << QPoint(element->x() + element->width() / 2, element->y() + element->height() / 2);
  canvas.drawPolyline(line);
}

void TNetworkSetupEditor::ReloadBackground() {
  NetworkSetupPanel->SetColor(palette().color(QPalette::Base));
  NetworkSetupPanel->SetBackgroundPicture(MappedBackground(palette()));
  update();
}

void TNetworkSetupEditor::CopyNetworkSetupButtonClick() {
  NetworkSetupPanel->CopyRectToClipboard(NetworkSetupPanel->InnerRect());
}

bool TNetworkSetupEditor::HandleElementCopy(QEvent* event) {
  const QEvent::Type type = event->type();
  const bool copyKey = (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) &&
                       static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy);
  const bool copyQuery = type == TClipboardQueryEvent::EventType() &&
                         static_cast<TClipboardQueryEvent*>(event)->Request() == TClipboardRequest::crCopy;
  const bool copyRequest =
      type == TClipboardRequestEvent::EventType() &&
      static_cast<TClipboardRequestEvent*>(event)->Request() == TClipboardRequest::crCopy;
  if (!copyKey && !copyQuery && !copyRequest) return false;
  // A key press and a request copy; the shortcut check and the question only
  // learn that an element can.
  if (type == QEvent::KeyPress || copyRequest) CopyNetworkSetupButtonClick();
  event->accept();
  return true;
}

bool TNetworkSetupEditor::event(QEvent* event) {
  if (event->type() == QEvent::PaletteChange) {
    const bool result = QWidget::event(event);
    ReloadBackground();
    return result;
  }
  return QWidget::event(event);
}

bool TNetworkSetupEditor::eventFilter(QObject* watched, QEvent* event) {
  // A hidden panel goes through passing sizes while the window is laid out
  // (100 x 0 among them); only the size it is shown at counts, once the
  // showing is over (NetworkSetupPanelResize).
  if (watched == NetworkSetupPanel &&
      ((event->type() == QEvent::Resize && NetworkSetupPanel->isVisible()) || event->type() == QEvent::Show))
    NetworkSetupPanelResize();
  if (event->type() == QEvent::FocusIn) {
    // Tabbing to an element selects it, so the chain can be edited from the
    // keyboard as well (its menu opens with the menu key).
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    auto* element = qobject_cast<TNetworkButton*>(watched);
    if (element && FNetworks.contains(element) && element != FSelectedNetwork &&
        (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason))
      SelectNetwork(element);
  }
  // The elements copy the setup's picture too (the panel does so itself).
  if (qobject_cast<TNetworkButton*>(watched) && HandleElementCopy(event)) return true;
  return QWidget::eventFilter(watched, event);
}

}  // namespace Parlamine
