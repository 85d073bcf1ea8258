// SPDX-License-Identifier: MIT
// The copy commands of a view that is no text field: a table, a grid, a
// custom-drawn picture. The view keeps one TViewCommands and calls it from
// its own event handlers, so it answers for its keys itself:
// - Ctrl+C and, where the view selects, Ctrl+A (QKeySequence::Copy and
//   SelectAll) are claimed before any window shortcut and carried out;
// - the Edit menu's question and request (ZellClipboardRequest.h): Copy when
//   the view can copy now; Cut, Clear and Paste are refused;
// - the context menu: "&Copy", "Select &All" where the view selects, then the
//   commands its page added, opened by the mouse, the menu key and Shift+F10.
#pragma once

#include <QObject>
#include <functional>

class QAction;
class QContextMenuEvent;
class QEvent;
class QKeyEvent;
class QMenu;
class QWidget;

namespace Parlamine {

struct TViewCommandHandlers {
  // Whether there is something to copy now (a table with rows, a picture).
  std::function<bool()> CanCopy;
  std::function<void()> Copy;
  // Empty when the view has nothing to select.
  std::function<void()> SelectAll;
};

class TViewCommands : public QObject {
  Q_OBJECT

 public:
  // Owned by the view.
  TViewCommands(QWidget* view, TViewCommandHandlers handlers);

  QMenu* ContextMenu() const { return FMenu; }
  QAction* CopyAction() const { return FCopyAction; }
  // Null when the view has nothing to select.
  QAction* SelectAllAction() const { return FSelectAllAction; }
  // Adds one of the page's commands to the context menu, below the view's own.
  void AddContextAction(QAction* action);

  // For the view's event(): claims the keys (ShortcutOverride), answers the
  // Edit menu's question and carries out its request. True when the event
  // was one of these; a request someone else already carried out (a message
  // hook before the view) is left as it is.
  bool HandleEvent(QEvent* event);
  // For the view's keyPressEvent: true when the key was a command, which is
  // then carried out when it can be.
  bool HandleKey(QKeyEvent* event);
  // For the view's contextMenuEvent: opens the menu where the event asks
  // (for the keyboard, Qt puts that at the current item or the middle).
  void ShowContextMenu(QContextMenuEvent* event);

 private:
  bool CanCopy() const { return FHandlers.CanCopy && FHandlers.CanCopy(); }
  void Copy();

  TViewCommandHandlers FHandlers;
  QMenu* FMenu = nullptr;
  QAction* FCopyAction = nullptr;
  QAction* FSelectAllAction = nullptr;
  QAction* FPageSeparator = nullptr;
};

}  // namespace Parlamine
