// SPDX-License-Identifier: MIT
#include "ZellClipboardRequest.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>

namespace Parlamine {

TClipboardRequestEvent::TClipboardRequestEvent(TClipboardRequest request)
    : QEvent(EventType()), FRequest(request) {
  ignore();  // a handler that carries the request out accepts the event
}

QEvent::Type TClipboardRequestEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

static QLineEdit* LineEditOf(QWidget* target) {
  if (auto* edit = qobject_cast<QLineEdit*>(target)) return edit;
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(target)) return spin->findChild<QLineEdit*>();
  return nullptr;
}

QAction* StandardMenuAction(const QMenu* menu, TStandardMenuItem item) {
  struct TItemName {
    const char* ObjectName;
    const char* Caption;  // as QLineEdit translates it, before the tab and the shortcut
  };
  static const TItemName names[] = {{"edit-undo", "&Undo"},      {"edit-redo", "&Redo"},
                                    {"edit-cut", "Cu&t"},        {"edit-copy", "&Copy"},
                                    {"edit-paste", "&Paste"},    {"edit-delete", "Delete"},
                                    {"select-all", "Select All"}};
  const TItemName& name = names[static_cast<int>(item)];
  const QString caption = QLineEdit::tr(name.Caption);
  for (QAction* action : menu->actions()) {
    if (action->objectName() == QLatin1String(name.ObjectName)) return action;
    if (action->text().section(QLatin1Char('\t'), 0, 0) == caption) return action;
  }
  return nullptr;
}

bool SendClipboardRequest(QWidget* target, TClipboardRequest request) {
  if (!target) return false;
  TClipboardRequestEvent event(request);
  QCoreApplication::sendEvent(target, &event);
  if (event.isAccepted()) return true;
  QLineEdit* edit = LineEditOf(target);
  if (!edit) return false;
  // A read-only field can be copied from, never changed.
  if (edit->isReadOnly() && request != TClipboardRequest::crCopy) return false;
  switch (request) {
    case TClipboardRequest::crCopy: edit->copy(); break;
    case TClipboardRequest::crCut: edit->cut(); break;
    case TClipboardRequest::crPaste: edit->paste(); break;
    case TClipboardRequest::crClear: edit->del(); break;
  }
  return true;
}

}  // namespace Parlamine
