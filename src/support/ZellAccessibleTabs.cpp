// SPDX-License-Identifier: MIT
#include "ZellAccessibleTabs.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QTabBar>
#include <memory>
#include <vector>

namespace Parlamine {

namespace {

// "&Subnet Info" is read "Subnet Info"; "&&" stands for one "&".
QString WithoutAccessKeyMarks(const QString& caption) {
  QString text;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size()) ++i;
    text.append(caption.at(i));
  }
  return text;
}

// One tab of a tab bar; it has no object of its own.
class TAccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  TAccessibleTab(QTabBar* bar, int index) : FBar(bar), FIndex(index) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }
  bool isValid() const override { return FBar && FIndex < FBar->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.selectable = true;
    state.selected = FIndex == FBar->currentIndex();
    state.focusable = FBar->focusPolicy() != Qt::NoFocus;
    state.focused = state.selected && FBar->hasFocus();
    state.disabled = !FBar->isTabEnabled(FIndex);
    state.invisible = !FBar->isTabVisible(FIndex);
    return state;
  }
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect tab = FBar->tabRect(FIndex);
    return {FBar->mapToGlobal(tab.topLeft()), tab.size()};
  }
  QString text(QAccessible::Text kind) const override {
    if (!isValid()) return {};
    if (kind == QAccessible::Name) return WithoutAccessKeyMarks(FBar->tabText(FIndex));
    if (kind == QAccessible::Description) return FBar->tabToolTip(FIndex);
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(FBar.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && isValid()) FBar->setCurrentIndex(FIndex);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<QTabBar> FBar;
  int FIndex;
};

// The tab bar with only its showing tabs as children.
class TAccessibleTabBar : public QAccessibleWidget {
 public:
  explicit TAccessibleTabBar(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
  ~TAccessibleTabBar() override {
    for (const QAccessible::Id id : std::as_const(FTabs)) QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return static_cast<int>(VisibleTabs().size()); }
  QAccessibleInterface* child(int index) const override {
    const std::vector<int> visible = VisibleTabs();
    if (index < 0 || index >= static_cast<int>(visible.size())) return nullptr;
    return Tab(visible[static_cast<size_t>(index)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<int> visible = VisibleTabs();
    for (size_t i = 0; i < visible.size(); ++i)
      if (Tab(visible[i]) == child) return static_cast<int>(i);
    return -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    for (const int tab : VisibleTabs())
      if (Tab(tab)->rect().contains(x, y)) return Tab(tab);
    return nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const int current = Bar()->currentIndex();
    return current >= 0 && Bar()->isTabVisible(current) ? Tab(current) : nullptr;
  }
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name && Bar()->accessibleName().isEmpty() && Bar()->currentIndex() >= 0)
      return WithoutAccessKeyMarks(Bar()->tabText(Bar()->currentIndex()));
    return QAccessibleWidget::text(kind);
  }

 private:
  QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }
  std::vector<int> VisibleTabs() const {
    std::vector<int> visible;
    for (int i = 0; i < Bar()->count(); ++i)
      if (Bar()->isTabVisible(i)) visible.push_back(i);
    return visible;
  }
  // Each tab keeps one interface, so that a screen reader meets the same one again.
  QAccessibleInterface* Tab(int index) const {
    const auto known = FTabs.constFind(index);
    if (known != FTabs.constEnd()) return QAccessible::accessibleInterface(*known);
    auto* tab = new TAccessibleTab(Bar(), index);
    FTabs.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
  }

  mutable QHash<int, QAccessible::Id> FTabs;
};

QAccessibleInterface* TabBarFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("QTabBar") && object && object->isWidgetType())
    return new TAccessibleTabBar(static_cast<QTabBar*>(object));
  return nullptr;
}

}  // namespace

void SkipHiddenTabs(QTabBar* bar) {
  auto shown = std::make_shared<int>(bar->currentIndex());
  QObject::connect(bar, &QTabBar::currentChanged, bar, [bar, shown](int index) {
    if (index < 0 || bar->isTabVisible(index)) {
      *shown = index;
      return;
    }
    const int step = index > *shown ? 1 : -1;
    int next = index + step;
    while (next >= 0 && next < bar->count() && !bar->isTabVisible(next)) next += step;
    const bool found = next >= 0 && next < bar->count();
    const int target = found ? next : *shown;
    bar->setCurrentIndex(target >= 0 && target < bar->count() && bar->isTabVisible(target) ? target : 0);
  });
}

void InstallAccessibleTabBars() {
  static const bool installed = [] {
    QAccessible::installFactory(TabBarFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

}  // namespace Parlamine
