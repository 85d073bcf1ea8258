// SPDX-License-Identifier: MIT
#include "CustomCalculator.h"

#include <QRadioButton>
#include <QTabBar>

namespace Parlamine {

static QString CompactCaption(const QString& caption) {
  QString compact = caption;
  compact.remove(QLatin1Char(' '));
  return compact;
}

QString TCalculatorInfo::Name() const { return Caption + QStringLiteral(" Calculator"); }
QString TCalculatorInfo::MenuCaption() const { return QLatin1Char('&') + Name(); }
QString TCalculatorInfo::PageName() const { return CompactCaption(Caption) + QStringLiteral("TabSheet"); }
QString TCalculatorInfo::MenuItemName() const {
  return QStringLiteral("Calculator") + CompactCaption(Caption) + QStringLiteral("Item");
}

TCustomCalculator::TCustomCalculator(QWidget* parent) : QWidget(parent) {}

QWidget* TCustomCalculator::FocusControl() const {
  return FirstControlOf(const_cast<TCustomCalculator*>(this));
}

namespace {

// A control that Tab stops at: shown, enabled, taking Tab focus itself (not
// through a focus proxy).
bool IsTabStop(const QWidget* widget, const QWidget* window) {
  return widget->isVisibleTo(window) && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
         !widget->focusProxy();
}

// The checked item stands for its radio group, as Tab enters a group there.
QWidget* CheckedRadioOf(QWidget* widget) {
  auto* radio = qobject_cast<QRadioButton*>(widget);
  if (!radio || radio->isChecked() || !radio->autoExclusive() || !radio->parentWidget()) return widget;
  for (QRadioButton* sibling : radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
    if (sibling->isChecked() && sibling->isEnabled()) return sibling;
  return widget;
}

}  // namespace

QWidget* FirstControlOf(QWidget* page) {
  QWidget* window = page->window();
  for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
    if (page->isAncestorOf(w) && IsTabStop(w, window) && !qobject_cast<QTabBar*>(w)) return CheckedRadioOf(w);
  return nullptr;
}

}  // namespace Parlamine
