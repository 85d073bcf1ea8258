// SPDX-License-Identifier: MIT
// The copy, cut, paste and clear requests that the Edit menu sends to the
// focused control. Controls that know them handle the event and accept it;
// plain line edits and spin boxes fall back to their own copy() and paste().
#pragma once

#include <QEvent>

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

}  // namespace Parlamine
