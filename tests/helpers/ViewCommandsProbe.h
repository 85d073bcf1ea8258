// SPDX-License-Identifier: MIT
// What a view offers besides its looks: the items of its context menu and its
// answers to the Edit menu's question.
#pragma once

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QStringList>

#include "ZellClipboardRequest.h"

namespace ParlamineTest {

// Opens the control's context menu as the menu key does, then closes it: the
// captions of its shown items, "-" for a separator, a disabled item in
// brackets. Empty when no menu opened.
inline QStringList ContextMenuItems(QWidget* control) {
  const QPoint middle = control->rect().center();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, middle, control->mapToGlobal(middle));
  QApplication::sendEvent(control, &request);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  QStringList items;
  if (!menu) return items;
  for (const QAction* action : menu->actions()) {
    if (!action->isVisible()) continue;
    const QString caption = action->isSeparator() ? QStringLiteral("-") : action->text();
    items << (action->isEnabled() ? caption : QLatin1Char('(') + caption + QLatin1Char(')'));
  }
  menu->hide();
  return items;
}

// The requests the control says it could carry out now: "copy", "cut",
// "paste", "clear".
inline QStringList OfferedRequests(QWidget* control) {
  using Parlamine::TClipboardRequest;
  const std::pair<TClipboardRequest, const char*> requests[] = {{TClipboardRequest::crCopy, "copy"},
                                                                {TClipboardRequest::crCut, "cut"},
                                                                {TClipboardRequest::crPaste, "paste"},
                                                                {TClipboardRequest::crClear, "clear"}};
  QStringList offered;
  for (const auto& [request, name] : requests)
    if (Parlamine::CanCarryOut(control, request)) offered << QLatin1String(name);
  return offered;
}

}  // namespace ParlamineTest
