// SPDX-License-Identifier: MIT
#include "ZellMsgClasses.h"

#include <QEvent>

namespace Parlamine {

TMessageComponent::TMessageComponent(QObject* parent) : QObject(parent) {}

bool TMessageComponent::HookWndProc(QEvent* message) {
  bool handled = false;
  DoMessage(message, handled);
  // A swallowed event counts as answered, so senders that check acceptance
  // (the Edit menu's requests) see that it was carried out.
  if (handled) message->accept();
  return handled;
}

void TMessageComponent::DoMessage(QEvent* message, bool& handled) {
  if (FOnMessage) FOnMessage(this, message, handled);
}

TCustomControlMessageComponent::TCustomControlMessageComponent(QObject* parent) : TMessageComponent(parent) {}

TCustomControlMessageComponent::~TCustomControlMessageComponent() { SetControl(nullptr); }

void TCustomControlMessageComponent::SetControl(QWidget* control) {
  if (control == FControl) return;
  if (FControl) {
    FControl->removeEventFilter(this);
    disconnect(FDestroyedConnection);
  }
  FControl = control;
  if (control) {
    control->installEventFilter(this);
    FDestroyedConnection =
        connect(control, &QObject::destroyed, this, &TCustomControlMessageComponent::ControlDestroyed);
  }
}

void TCustomControlMessageComponent::ControlDestroyed(QObject* control) {
  // The pointer may already read null (QPointer clears first); forget it either way.
  if (!FControl || FControl == control) {
    FControl = nullptr;
    disconnect(FDestroyedConnection);
  }
}

bool TCustomControlMessageComponent::eventFilter(QObject* watched, QEvent* event) {
  if (!FControl || watched != FControl) return false;
  return HookWndProc(event);
}

TControlMessageHook::TControlMessageHook(QObject* parent) : TCustomControlMessageComponent(parent) {}

}  // namespace Parlamine
