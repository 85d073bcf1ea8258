// SPDX-License-Identifier: MIT
#include "ParlamineNetworkButton.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace Parlamine {

QPixmap RenderLatencyPicture(const QString& name, QSize size, qreal devicePixelRatio) {
  const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  QPixmap pixmap(size * ratio);
  pixmap.setDevicePixelRatio(ratio);
  pixmap.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/images/%1.svg").arg(name));
  QPainter painter(&pixmap);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return pixmap;
}

TNetworkButton::TNetworkButton(QWidget* parent) : QPushButton(parent) {
  setFixedSize(ButtonSize, ButtonSize);
  setIconSize(QSize(PictureSize, PictureSize));
  // The element's own menu opens on a right press (mousePressEvent) and from
  // the keyboard's menu key; never the panel's menu.
  setContextMenuPolicy(Qt::DefaultContextMenu);

  FPopupMenu = new QMenu(this);
  FPopupMenu->setObjectName(QStringLiteral("NetworkPopupMenu"));
  FPropertiesItem = FPopupMenu->addAction(QStringLiteral("Properties..."));
  FPropertiesItem->setObjectName(QStringLiteral("PropertiesItem"));
  FSeparatorItem = FPopupMenu->addSeparator();
  FRemoveItem = FPopupMenu->addAction(QStringLiteral("Remove"));
  FRemoveItem->setObjectName(QStringLiteral("RemoveItem"));
  connect(FPropertiesItem, &QAction::triggered, this, [this] { emit OnProperties(this); });
  connect(FRemoveItem, &QAction::triggered, this, [this] { DoRemove(); });

  LoadPicture();
  UpdateHint();
}

TNetworkButton::~TNetworkButton() = default;

void TNetworkButton::SetNetworkButtonKind(TNetworkButtonKind kind) {
  if (kind == FElement.FNetworkButtonKind) return;
  FElement.FNetworkButtonKind = kind;
  LoadPicture();
  if (IsStation(kind))
    HideRemoveItems();
  else
    ShowRemoveItems();
}

QString TNetworkButton::NetworkName() const { return QString::fromStdString(FElement.NetworkName); }

void TNetworkButton::SetNetworkName(const QString& name) { FElement.NetworkName = name.toStdString(); }

void TNetworkButton::UpdateHint() {
  const QString decimal = QLocale().decimalPoint();
  const char separator = decimal.size() == 1 ? decimal.at(0).toLatin1() : '.';
  const QString hint = QString::fromStdString(NetworkHint(FElement, separator ? separator : '.'));
  setToolTip(hint);
  setStatusTip(hint);
  setAccessibleName(hint);
  // A screen reader names the open menu after its element.
  FPopupMenu->setAccessibleName(hint);
}

void TNetworkButton::ShowRemoveItems() {
  FSeparatorItem->setVisible(true);
  FRemoveItem->setVisible(true);
}

void TNetworkButton::HideRemoveItems() {
  FSeparatorItem->setVisible(false);
  FRemoveItem->setVisible(false);
}

bool TNetworkButton::RemoveItemsVisible() const { return FRemoveItem->isVisible(); }

void TNetworkButton::DoRemove() { emit OnRemove(this); }

void TNetworkButton::ArmDrag(QPoint pressPosition) {
  FDragArmed = true;
  FDragStart = pressPosition;
}

void TNetworkButton::mousePressEvent(QMouseEvent* event) {
  FDragArmed = false;
  if (event->button() == Qt::LeftButton) QPushButton::mousePressEvent(event);
  emit OnMouseDown(this, event->button(), event->position().toPoint());
  if (event->button() == Qt::RightButton) {
    event->accept();
    FPopupMenu->popup(event->globalPosition().toPoint());
  }
}

void TNetworkButton::mouseMoveEvent(QMouseEvent* event) {
  if (FDragArmed && !FDragging && (event->buttons() & Qt::LeftButton) &&
      (event->position().toPoint() - FDragStart).manhattanLength() >= QApplication::startDragDistance()) {
    FDragging = true;
    // A dragged button is not clicked when it is let go.
    setDown(false);
    emit OnStartDrag(this);
  }
  if (FDragging) {
    emit OnDragMove(this, event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QPushButton::mouseMoveEvent(event);
}

void TNetworkButton::mouseReleaseEvent(QMouseEvent* event) {
  if (FDragging) {
    event->accept();
    EndDrag();
    return;
  }
  FDragArmed = false;
  QPushButton::mouseReleaseEvent(event);
}

void TNetworkButton::EndDrag() {
  FDragArmed = false;
  FDragging = false;
  emit OnEndDrag(this);
}

void TNetworkButton::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (event->reason() != QContextMenuEvent::Mouse) FPopupMenu->popup(mapToGlobal(rect().center()));
}

void TNetworkButton::showEvent(QShowEvent* event) {
  QPushButton::showEvent(event);
  // The screen (and with it the pixel ratio) is known only once shown.
  if (devicePixelRatioF() != FPictureRatio) LoadPicture();
}

void TNetworkButton::LoadPicture() {
  FPictureRatio = devicePixelRatioF();
  const QString name = QString::fromLatin1(KindPictureName(FElement.FNetworkButtonKind));
  setIcon(QIcon(RenderLatencyPicture(name, QSize(PictureSize, PictureSize), FPictureRatio)));
}

}  // namespace Parlamine
