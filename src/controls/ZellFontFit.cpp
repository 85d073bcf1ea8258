// SPDX-License-Identifier: MIT
#include "ZellFontFit.h"

#include <QEvent>
#include <QWidget>
#include <utility>

namespace Parlamine {

namespace {

// Owned by the control it watches, so it goes with it.
class TFontFollower : public QObject {
 public:
  TFontFollower(QWidget* control, std::function<void(QWidget&)> fit)
      : QObject(control), FFit(std::move(fit)) {
    control->installEventFilter(this);
    FFit(*control);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Qt sends FontChange to a control after its children got theirs, also
    // when the application font changes.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
      FFit(*static_cast<QWidget*>(watched));
    return false;
  }

 private:
  std::function<void(QWidget&)> FFit;
};

}  // namespace

void FollowFontChanges(QWidget* control, std::function<void(QWidget&)> fit) {
  new TFontFollower(control, std::move(fit));
}

void FixHeightToFont(QWidget* control, std::function<int(const QWidget&)> height) {
  FollowFontChanges(control,
                    [height = std::move(height)](QWidget& shown) { shown.setFixedHeight(height(shown)); });
}

}  // namespace Parlamine
