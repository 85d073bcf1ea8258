// SPDX-License-Identifier: MIT
// The Network Setup page: the chain client - networks - server laid out on a
// panel with a background picture, joined by a line in chain order. Insert,
// remove, reset, move left/right and dragging change it; the page tells its
// owner when the chain changed (results stale), when the selection moved and
// when an element's properties were asked for.
#pragma once

#include <QList>
#include <QWidget>
#include <vector>

#include "NetworkElement.h"

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace Parlamine {

class TCanvasPanel;
class TNetworkButton;

class TNetworkSetupEditor : public QWidget {
  Q_OBJECT

 public:
  // The chain never holds more: client, 14 networks, server.
  static constexpr int ChainCapacity = 16;

  explicit TNetworkSetupEditor(QWidget* parent = nullptr);
  ~TNetworkSetupEditor() override;

  // While set, selecting an element does not move the keyboard focus.
  void SetLoading(bool loading) { FLoading = loading; }

  TNetworkButton* Client() const { return DesktopNetworkButton; }
  TNetworkButton* Server() const { return TowerNetworkButton; }
  const QList<TNetworkButton*>& Networks() const { return FNetworks; }
  int NetworkCount() const { return static_cast<int>(FNetworks.size()) - 2; }
  TNetworkButton* SelectedNetwork() const { return FSelectedNetwork; }
  // The values of every element in chain order, as the latency model reads them.
  std::vector<TNetworkElement> ChainElements() const;
  TCanvasPanel* Panel() const { return NetworkSetupPanel; }

  // A new network with the defaults, placed on the first free grid point and
  // put into the chain before the selected element (after the client when the
  // client is selected); it becomes selected. Nothing when the chain is full.
  TNetworkButton* InsertNetwork();
  // Removes a network unless it is the only one left; the element is deleted
  // once control returns to the event loop, so a removal started from the
  // element's own menu never destroys that menu while it is being handled.
  void NetworkButtonRemove(TNetworkButton* element);
  void ResetNetworkButtonClick();
  // Swaps the selected network with its left or right neighbour network.
  void MoveNetwork(bool toRight);
  void SelectNetwork(TNetworkButton* element);
  // With one network left, its own "Remove" is hidden; with more, shown.
  void ApplyRemoveRule();
  // Moves the server to the panel's bottom-right corner, within the margins.
  void PlaceServerInCorner();
  // Loads the background with its grey shades in the current 3D colours.
  void ReloadBackground();
  void CopyNetworkSetupButtonClick();

 signals:
  // An insert, a removal or a reset: the results are stale.
  void OnChainChanged();
  // Move left / right swapped two networks (chain indexes); the results are
  // not stale, they change places with their elements.
  void OnNetworksSwapped(int first, int second);
  void OnSelectNetwork(TNetworkButton* element);
  void OnNetworkProperties(TNetworkButton* element);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyChainOrder();
  void CreateToolBar();
  void CreatePanel();
  void CreatePopupMenu();
  void BindElement(TNetworkButton* element);
  void PlaceNewNetwork(TNetworkButton* element);
  QSize PlacementSize() const;
  void UpdateMoveButtons();
  void SetInsertEnabled(bool enabled);
  void RemoveNetworkItemClick();
  void RemoveSubmenuClick(QAction* entry);
  void NetworkButtonMouseDown(TNetworkButton* element, Qt::MouseButton button, QPoint position);
  void NetworkButtonDragMove(TNetworkButton* element, QPoint globalPosition);
  void NetworkButtonEndDrag(TNetworkButton* element);
  void NetworkSetupPanelResize();
  void PullElementsInside();
  void NetworkSetupPanelCustomDraw(QPainter& canvas, const QRect& rect, bool& defaultDraw);
  // Ctrl+C on an element, and the Edit menu's question and request: the
  // setup's picture is copied. True when the event was one of these.
  bool HandleElementCopy(QEvent* event);

  QToolBar* NetworkSetupToolBar = nullptr;
  QToolButton* MoveNetworkLeftButton = nullptr;
  QToolButton* NewNetworkButton = nullptr;
  QToolButton* ResetNetworkButton = nullptr;
  QToolButton* MoveNetworkRightButton = nullptr;
  QToolButton* CopyNetworkSetupButton = nullptr;
  TCanvasPanel* NetworkSetupPanel = nullptr;
  TNetworkButton* DesktopNetworkButton = nullptr;
  TNetworkButton* TowerNetworkButton = nullptr;
  QMenu* NetworkSetupPopupMenu = nullptr;
  QAction* NewNetworkItem = nullptr;
  QAction* RemoveNetworkItem = nullptr;
  QMenu* FRemoveSubmenu = nullptr;

  QList<TNetworkButton*> FNetworks;
  QList<QAction*> FRemoveEntries;  // entry k belongs to chain entry k + 1
  TNetworkButton* FSelectedNetwork = nullptr;
  int FDragOffsetX = 0;
  int FDragOffsetY = 0;
  bool FLoading = false;
  bool FPullInsidePending = false;
};

}  // namespace Parlamine
