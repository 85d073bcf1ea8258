// SPDX-License-Identifier: MIT
// One element of the latency chain as it stands on the Network Setup page: a
// square picture button for its kind, with its parameters as the hint and a
// small menu of its own ("Properties...", "Remove").
#pragma once

#include <QPushButton>
#include <cstdint>

#include "NetworkElement.h"

class QMenu;
class QAction;

namespace Parlamine {

class TNetworkButton : public QPushButton {
  Q_OBJECT

 public:
  // Side of the square button; its picture is 40 x 40.
  static constexpr int ButtonSize = 50;
  static constexpr int PictureSize = 40;

  explicit TNetworkButton(QWidget* parent = nullptr);
  ~TNetworkButton() override;

  // The element's values as the latency model reads them.
  const TNetworkElement& Element() const { return FElement; }

  TNetworkButtonKind NetworkButtonKind() const { return FElement.FNetworkButtonKind; }
  // Reloads the picture and shows the "Remove" items for a network kind, hides
  // them for a station; the same kind again changes nothing.
  void SetNetworkButtonKind(TNetworkButtonKind kind);
  bool IsStationButton() const { return IsStation(FElement.FNetworkButtonKind); }

  QString NetworkName() const;
  void SetNetworkName(const QString& name);
  double Bandwidth() const { return FElement.FBandwidth; }
  void SetBandwidth(double mbps) { FElement.FBandwidth = mbps; }
  int32_t PacketSize() const { return FElement.FPacketSize; }
  void SetPacketSize(int32_t bytes) { FElement.FPacketSize = bytes; }
  int32_t ProcessTime() const { return FElement.FProcessTime; }
  void SetProcessTime(int32_t ms) { FElement.FProcessTime = ms; }
  int32_t PropDelay() const { return FElement.FPropDelay; }
  void SetPropDelay(int32_t ms) { FElement.FPropDelay = ms; }
  // The length (km) and medium the propagation delay was filled from; 0 and
  // mdNone when the user gave none.
  double Distance() const { return FElement.FDistance; }
  TMedium Medium() const { return FElement.FMedium; }
  void SetDistance(double km, TMedium medium) {
    FElement.FDistance = km;
    FElement.FMedium = medium;
  }
  // Index of the name in the dialog's topology list, -1 until looked up.
  int16_t FTopologyIndex = -1;

  // The hint is the element's display name everywhere (statistics rows, graph
  // legend, remove submenu). Whoever changes a value calls UpdateHint after.
  void UpdateHint();
  QString Hint() const { return toolTip(); }

  void ShowRemoveItems();
  void HideRemoveItems();
  bool RemoveItemsVisible() const;
  QMenu* PopupMenu() const { return FPopupMenu; }
  QAction* PropertiesItem() const { return FPropertiesItem; }
  QAction* RemoveItem() const { return FRemoveItem; }

 signals:
  // Every mouse press, before the element's own menu opens on a right click.
  void OnMouseDown(TNetworkButton* sender, Qt::MouseButton button, QPoint position);
  // The in-window drag of a network: armed by the owner on a left press,
  // started once the pointer moved beyond the system's drag distance.
  void OnStartDrag(TNetworkButton* sender);
  void OnDragMove(TNetworkButton* sender, QPoint globalPosition);
  void OnEndDrag(TNetworkButton* sender);
  void OnProperties(TNetworkButton* sender);
  void OnRemove(TNetworkButton* sender);

 public:
  // Called by the owner from its OnMouseDown handler: a left press on a
  // network may turn into a drag.
  void ArmDrag(QPoint pressPosition);
  bool Dragging() const { return FDragging; }

 protected:
  virtual void DoRemove();
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void LoadPicture();
  void EndDrag();

  TNetworkElement FElement;
  QMenu* FPopupMenu = nullptr;
  QAction* FPropertiesItem = nullptr;
  QAction* FSeparatorItem = nullptr;
  QAction* FRemoveItem = nullptr;
  bool FDragArmed = false;
  bool FDragging = false;
  QPoint FDragStart;
  qreal FPictureRatio = 0;  // device pixel ratio the picture was rendered at
};

// The named picture rendered sharp for the given device pixel ratio.
QPixmap RenderLatencyPicture(const QString& name, QSize size, qreal devicePixelRatio);

}  // namespace Parlamine
