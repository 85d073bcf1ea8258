// SPDX-License-Identifier: MIT
#include "ZellClipboardRequest.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace Parlamine {

TClipboardRequestEvent::TClipboardRequestEvent(TClipboardRequest request)
    : QEvent(EventType()), FRequest(request) {
  ignore();  // a handler that carries the request out accepts the event
}

QEvent::Type TClipboardRequestEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

TClipboardQueryEvent::TClipboardQueryEvent(TClipboardRequest request)
    : QEvent(EventType()), FRequest(request) {
  ignore();  // a control that could carry the request out accepts the event
}

QEvent::Type TClipboardQueryEvent::EventType() {
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

QAction* ReplaceStandardMenuAction(QMenu* menu, TStandardMenuItem item, std::function<void()> run) {
  QAction* standard = StandardMenuAction(menu, item);
  if (!standard) return nullptr;
  auto* replacement = new QAction(standard->icon(), standard->text(), menu);
  replacement->setObjectName(standard->objectName());
  replacement->setEnabled(standard->isEnabled());
  QObject::connect(replacement, &QAction::triggered, menu, std::move(run));
  menu->insertAction(standard, replacement);
  menu->removeAction(standard);
  delete standard;
  return replacement;
}

bool ClipboardHasText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasText();
}

// What a text widget could do now, given whether it has a selection and
// whether it may be changed.
static bool TextWidgetCan(TClipboardRequest request, bool hasSelection, bool readOnly) {
  switch (request) {
    case TClipboardRequest::crCopy:
      return hasSelection;
    case TClipboardRequest::crCut:
    case TClipboardRequest::crClear:
      return hasSelection && !readOnly;
    case TClipboardRequest::crPaste:
      return !readOnly && ClipboardHasText();
  }
  return false;
}

bool CanCarryOut(QWidget* target, TClipboardRequest request) {
  if (!target) return false;
  TClipboardQueryEvent query(request);
  QCoreApplication::sendEvent(target, &query);
  if (query.isAccepted()) return query.Possible();
  if (const QLineEdit* edit = LineEditOf(target))
    return TextWidgetCan(request, edit->hasSelectedText(), edit->isReadOnly());
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(target))
    return TextWidgetCan(request, plain->textCursor().hasSelection(), plain->isReadOnly());
  if (const auto* rich = qobject_cast<const QTextEdit*>(target))
    return TextWidgetCan(request, rich->textCursor().hasSelection(), rich->isReadOnly());
  return false;
}

// Carries the request out in a plain or rich text box: false when it is not one.
template <typename TTextWidget>
static bool TextBoxCarriesOut(QWidget* target, TClipboardRequest request) {
  auto* box = qobject_cast<TTextWidget*>(target);
  if (!box) return false;
  if (box->isReadOnly() && request != TClipboardRequest::crCopy) return false;
  switch (request) {
    case TClipboardRequest::crCopy:
      box->copy();
      break;
    case TClipboardRequest::crCut:
      box->cut();
      break;
    case TClipboardRequest::crPaste:
      box->paste();
      break;
    case TClipboardRequest::crClear:
      box->textCursor().removeSelectedText();
      break;
  }
  return true;
}

bool SendClipboardRequest(QWidget* target, TClipboardRequest request) {
  if (!target) return false;
  TClipboardRequestEvent event(request);
  QCoreApplication::sendEvent(target, &event);
  if (event.isAccepted()) return true;
  if (TextBoxCarriesOut<QPlainTextEdit>(target, request) || TextBoxCarriesOut<QTextEdit>(target, request))
    return true;
  QLineEdit* edit = LineEditOf(target);
  if (!edit) return false;
  // A read-only field can be copied from, never changed.
  if (edit->isReadOnly() && request != TClipboardRequest::crCopy) return false;
  switch (request) {
    case TClipboardRequest::crCopy:
      edit->copy();
      break;
    case TClipboardRequest::crCut:
      edit->cut();
      break;
    case TClipboardRequest::crPaste:
      edit->paste();
      break;
    case TClipboardRequest::crClear:
      edit->del();
      break;
  }
  return true;
}

}  // namespace Parlamine
