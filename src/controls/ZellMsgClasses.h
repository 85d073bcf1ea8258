// SPDX-License-Identifier: MIT
// A component that sees every event one control receives before the control
// does, so a window can react to (or swallow) it without deriving a new
// control class: copy requests on a list view, the mouse entering a button.
//
// The hook is an event filter installed on the control. OnMessage is called
// with the event; setting Handled keeps the event from the control and marks
// it accepted (so a TClipboardRequestEvent counts as carried out). Leaving
// Handled false lets the control receive the event as if no hook were there.
// The hook lets go of a control that is destroyed, and a destroyed hook
// leaves its control working.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QEvent;

namespace Parlamine {

class TMessageComponent;

// (Sender, AMessage, Handled): the hook that saw the event, the event (which
// the handler may change), and whether the handler swallows it.
using TMessageNotifyEvent = std::function<void(TMessageComponent* Sender, QEvent* AMessage, bool& Handled)>;

class TMessageComponent : public QObject {
  Q_OBJECT

 public:
  explicit TMessageComponent(QObject* parent = nullptr);

  const TMessageNotifyEvent& OnMessage() const { return FOnMessage; }
  void SetOnMessage(TMessageNotifyEvent handler) { FOnMessage = std::move(handler); }

 protected:
  // Runs the handler; returns whether the event was handled (and so must not
  // reach the control).
  virtual bool HookWndProc(QEvent* message);
  // Raises OnMessage when a handler is bound.
  virtual void DoMessage(QEvent* message, bool& handled);

 private:
  TMessageNotifyEvent FOnMessage;
};

class TCustomControlMessageComponent : public TMessageComponent {
  Q_OBJECT

 public:
  explicit TCustomControlMessageComponent(QObject* parent = nullptr);
  ~TCustomControlMessageComponent() override;

  QWidget* Control() const { return FControl; }
  // Hooks the control (unhooking the previous one); the same control again
  // does nothing, nullptr only unhooks.
  void SetControl(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ControlDestroyed(QObject* control);

  QPointer<QWidget> FControl;
  QMetaObject::Connection FDestroyedConnection;
};

class TControlMessageHook : public TCustomControlMessageComponent {
  Q_OBJECT

 public:
  explicit TControlMessageHook(QObject* parent = nullptr);
};

}  // namespace Parlamine
