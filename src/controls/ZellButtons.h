// SPDX-License-Identifier: MIT
// Standard dialog buttons that come ready-made with their caption and role.
#pragma once

#include <QDialog>
#include <QPushButton>

namespace Parlamine {

// "OK", the default button of its window (Enter presses it), ending a modal
// dialog with ModalResult (QDialog::Accepted, 1). In a window shown modeless
// the result is not used and the window's own click handler decides.
class TOKButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)

 public:
  explicit TOKButton(QWidget* parent = nullptr);

  int ModalResult() const { return FModalResult; }
  void SetModalResult(int value) { FModalResult = value; }

 private:
  void EndModalDialog();

  int FModalResult = QDialog::Accepted;
};

}  // namespace Parlamine
