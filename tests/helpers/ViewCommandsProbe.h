// SPDX-License-Identifier: MIT
// What a view offers besides its looks: the items of its context menu and its
// answers to the Edit menu's question.
#pragma once

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QStringList>
#include <utility>

#include "ZellClipboardRequest.h"

namespace ParlamineTest {

// Opens the control's context menu as the menu key does, then closes it: the
// captions of its shown items, "-" for a separator, a disabled one in brackets.
inline QStringList ContextMenuItems(QWidget* control) {
  const QPoint middle = control->rect().center();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, middle, control->mapToGlobal(middle));
  QApplication::sendEvent(control, &request);
  QStringList items;
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  for (const QAction* action : menu ? menu->actions() : QList<QAction*>()) {
    const QString caption = action->isSeparator() ? QStringLiteral("-") : action->text();
    if (action->isVisible())
      items << (action->isEnabled() ? caption : QLatin1Char('(') + caption + QLatin1Char(')'));
  }
  if (menu) menu->hide();
  return items;
}

// The requests the control says it could carry out now.
inline QStringList OfferedRequests(QWidget* control) {
  using Parlamine::TClipboardRequest;
  QStringList offered;
  for (const auto& [request, name] : {std::pair{TClipboardRequest::crCopy, "copy"},
                                      {TClipboardRequest::crCut, "cut"},
                                      {TClipboardRequest::crPaste, "paste"},
                                      {TClipboardRequest::crClear, "clear"}})
    if (Parlamine::CanCarryOut(control, request)) offered << QLatin1String(name);
  return offered;
}

}  // namespace ParlamineTest
