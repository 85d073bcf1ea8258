// SPDX-License-Identifier: MIT
// The copy, cut, paste and clear requests that the Edit menu sends to the
// focused control, and the question the menu asks first: what can the control
// do right now? Controls that know them handle the events and accept them;
// Qt's own text widgets (line edits, spin boxes, plain and rich text boxes)
// fall back to their own copy(), paste() and selection.
#pragma once

#include <QEvent>
#include <functional>

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

// Asks whether the control could carry the request out now (a selection to
// copy, a writable text and text on the clipboard to paste, a table to copy).
// A control answers with Answer (accepting the event; plain accept() means
// yes); it changes nothing. An unanswered query is left to the fallbacks.
class TClipboardQueryEvent : public QEvent {
 public:
  explicit TClipboardQueryEvent(TClipboardRequest request);
  static QEvent::Type EventType();
  TClipboardRequest Request() const { return FRequest; }
  void Answer(bool possible) {
    FPossible = possible;
    accept();
  }
  bool Possible() const { return FPossible; }

 private:
  TClipboardRequest FRequest;
  bool FPossible = true;
};

// What the Edit menu enables: the control's answer to the query, else what a
// Qt text widget could do now; false for every other control.
bool CanCarryOut(QWidget* target, TClipboardRequest request);

// Whether the clipboard holds text to paste.
bool ClipboardHasText();

// Sends the request to the widget. An event that no handler accepted is
// carried out by a QLineEdit (or the line edit of a spin box), a
// QPlainTextEdit or a QTextEdit itself.
// Returns true when someone carried it out.
bool SendClipboardRequest(QWidget* target, TClipboardRequest request);

// The items of a line edit's own context menu (createStandardContextMenu).
enum class TStandardMenuItem { smUndo, smRedo, smCut, smCopy, smPaste, smDelete, smSelectAll };

// Finds the item in a line edit's standard context menu, by the object name
// newer Qt releases give it, else by its caption; null when it is missing.
QAction* StandardMenuAction(const QMenu* menu, TStandardMenuItem item);

// Puts an item of the same caption, state and place in the standard item's
// stead that runs `run` instead (some standard items are bound to a line
// edit's internals, which a control with its own rules must not reach).
// Returns the new item, null when the menu has no such item.
QAction* ReplaceStandardMenuAction(QMenu* menu, TStandardMenuItem item, std::function<void()> run);

}  // namespace Parlamine
