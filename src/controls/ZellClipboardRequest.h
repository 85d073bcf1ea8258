// SPDX-License-Identifier: MIT
// The copy, cut, paste and clear requests that the Edit menu sends to the
// focused control. Controls that know them handle the event and accept it;
// plain line edits and spin boxes fall back to their own copy() and paste().
#pragma once

#include <QEvent>

class QAction;
class QMenu;
class QWidget;

namespace Parlamine {

enum class TClipboardRequest { crCopy, crCut, crPaste, crClear };

class TClipboardRequestEvent : public QEvent {
 public:
  explicit TClipboardRequestEvent(TClipboardRequest request);
  static QEvent::Type EventType();
  TClipboardRequest Request() const { return FRequest; }

 private:
  TClipboardRequest FRequest;
};

// Sends the request to the widget. An event that no handler accepted is
// carried out by a QLineEdit (or the line edit of a spin box) itself.
// Returns true when someone carried it out.
bool SendClipboardRequest(QWidget* target, TClipboardRequest request);

// The items of a line edit's own context menu (createStandardContextMenu).
enum class TStandardMenuItem { smUndo, smRedo, smCut, smCopy, smPaste, smDelete, smSelectAll };

// Finds the item in a line edit's standard context menu, by the object name
// newer Qt releases give it, else by its caption; null when it is missing.
QAction* StandardMenuAction(const QMenu* menu, TStandardMenuItem item);

}  // namespace Parlamine
