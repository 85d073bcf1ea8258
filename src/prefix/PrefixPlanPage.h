// SPDX-License-Identifier: MIT
// The Prefix Calculator's "Plan" page: a parent block and a list of
// requirements (sites, VLANs, links) give a plan with the smallest fitting
// subnet for each, the free space and the totals, recomputed with every edit.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "PrefixAddress.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace Parlamine {

class TPrefixPlanTableSource;
class TSectionedStore;
class TTextBox;
class TVirtualListView;
class TZellLabel;

class TPrefixPlanPage : public QWidget {
  Q_OBJECT
 public:
  explicit TPrefixPlanPage(QWidget* parent = nullptr);
  ~TPrefixPlanPage() override;

  // The block planned while the parent field is empty: the network of the
  // Prefix field (none while that is no prefix).
  void SetDefaultParent(const std::optional<TPrefix>& prefix);

  // Keys "PlanParent", "PlanText", "PlanOrder" and "PlanPointToPoint" of the
  // calculator's section.
  void LoadSettings(TSectionedStore& store, const char* section);
  void SaveSettings(TSectionedStore& store, const char* section) const;

  // The handlers of the page's controls.
  void PlanInputChange();
  void PlanClipboardButtonClick();

 private:
  // The free space, the totals and the message of the plan in the table.
  void ShowPlanTexts(bool planned, const QString& parentError);
  void ShowMessage(const QString& message, const QString& details);
  void FitPlanColumns();

  QLineEdit* PlanParentEdit = nullptr;
  TZellLabel* PlanMessageLabel = nullptr;
  QPlainTextEdit* PlanMemo = nullptr;
  QComboBox* PlanOrderComboBox = nullptr;
  QCheckBox* PlanPointToPointCheckBox = nullptr;
  QToolButton* PlanClipboardButton = nullptr;
  TVirtualListView* PlanListView = nullptr;
  TTextBox* PlanFreeTextBox = nullptr;
  TTextBox* PlanTotalsTextBox = nullptr;

  std::unique_ptr<TPrefixPlanTableSource> FSource;
  std::optional<TPrefix> FDefaultParent;
};

}  // namespace Parlamine
