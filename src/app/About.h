// SPDX-License-Identifier: MIT
// The About box: product picture (hiding the credits), title, release,
// the maker's contact lines and the notice. Modeless, kept for the whole run
// once created; closing only hides it. Like every dialog it opens centred
// over its owner unless it has been placed elsewhere.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutForm;
}

namespace Parlamine {

class TAboutForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutForm(QWidget* parent = nullptr);
  ~TAboutForm() override;

  // Showing the box while it is open brings it to the front.
  void setVisible(bool visible) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void AboutImageDblClick();
  void CreditsLabelClick();
  void OKButtonClick();

  std::unique_ptr<Ui::TAboutForm> FUi;
};

}  // namespace Parlamine
