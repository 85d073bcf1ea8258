// SPDX-License-Identifier: MIT
#include "ZellButtons.h"

namespace Parlamine {

TOKButton::TOKButton(QWidget* parent) : QPushButton(QStringLiteral("OK"), parent) {
  setDefault(true);
  connect(this, &QPushButton::clicked, this, &TOKButton::EndModalDialog);
}

void TOKButton::EndModalDialog() {
  // Only a dialog running modal takes its result from the button; 0 means
  // "no result", as for a button without one.
  auto* dialog = qobject_cast<QDialog*>(window());
  if (dialog && dialog->isModal() && FModalResult != 0) dialog->done(FModalResult);
}

}  // namespace Parlamine
