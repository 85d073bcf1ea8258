// SPDX-License-Identifier: MIT
#include "ZellViewCommands.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>
#include <utility>

#include "ZellClipboardRequest.h"

namespace Parlamine {

namespace {

QAction* NewMenuItem(QMenu* menu, const QString& caption, const char* name, QKeySequence::StandardKey key) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(QLatin1String(name));
  // The menu shows the key; the view itself carries the key out.
  item->setShortcut(key);
  item->setShortcutContext(Qt::WidgetShortcut);
  return item;
}

}  // namespace

TViewCommands::TViewCommands(QWidget* view, TViewCommandHandlers handlers)
    : QObject(view), FHandlers(std::move(handlers)) {
  FMenu = new QMenu(view);
  FMenu->setObjectName(QStringLiteral("ContextMenu"));
  FCopyAction = NewMenuItem(FMenu, QStringLiteral("&Copy"), "CopyItem", QKeySequence::Copy);
  connect(FCopyAction, &QAction::triggered, this, &TViewCommands::Copy);
  if (FHandlers.SelectAll) {
    FSelectAllAction =
        NewMenuItem(FMenu, QStringLiteral("Select &All"), "SelectAllItem", QKeySequence::SelectAll);
    connect(FSelectAllAction, &QAction::triggered, this, [this] { FHandlers.SelectAll(); });
  }
  connect(FMenu, &QMenu::aboutToShow, this, [this] { FCopyAction->setEnabled(CanCopy()); });
}

void TViewCommands::AddContextAction(QAction* action) {
  if (!FPageSeparator) FPageSeparator = FMenu->addSeparator();
  FMenu->addAction(action);
}

bool TViewCommands::HandleEvent(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::Copy) && !(FHandlers.SelectAll && key->matches(QKeySequence::SelectAll)))
      return false;
    event->accept();  // the key then arrives at keyPressEvent
    return true;
  }
  if (event->type() == TClipboardQueryEvent::EventType()) {
    const auto* query = static_cast<TClipboardQueryEvent*>(event);
    if (query->Request() == TClipboardRequest::crCopy && CanCopy()) event->accept();
    return true;
  }
  if (event->type() == TClipboardRequestEvent::EventType()) {
    const auto* request = static_cast<TClipboardRequestEvent*>(event);
    if (event->isAccepted() || request->Request() != TClipboardRequest::crCopy || !CanCopy()) return true;
    FHandlers.Copy();
    event->accept();
    return true;
  }
  return false;
}

bool TViewCommands::HandleKey(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    Copy();
  } else if (FHandlers.SelectAll && event->matches(QKeySequence::SelectAll)) {
    FHandlers.SelectAll();
  } else {
    return false;
  }
  event->accept();
  return true;
}

void TViewCommands::ShowContextMenu(QContextMenuEvent* event) {
  FMenu->popup(event->globalPos());
  event->accept();
}

void TViewCommands::Copy() {
  if (CanCopy()) FHandlers.Copy();
}

}  // namespace Parlamine
