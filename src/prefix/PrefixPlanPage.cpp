// SPDX-License-Identifier: MIT
#include "PrefixPlanPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "PrefixPlan.h"
#include "SettingsStore.h"
#include "ZellFontFit.h"
#include "ZellLabel.h"
#include "ZellTableExport.h"
#include "ZellTextFileDrop.h"

namespace Parlamine {

namespace {

// Longer than any prefix with blanks around it, as the Prefix field.
constexpr int ParentEditMaxLength = 255;
// The rows measured for the column widths: a long plan is wide enough when
// its first rows are.
constexpr size_t MeasuredRows = 200;

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

void SetHint(QWidget* widget, const QString& hint) {
  widget->setToolTip(hint);
  widget->setStatusTip(hint);
}

QLabel* NewCaption(QWidget* parent, const char* name, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setBuddy(buddy);
  return label;
}

// A result line: selected and copied as a read-only field; a long list ends
// in an ellipsis and its hint has it whole.
TTextBox* NewResultBox(QWidget* parent, const char* name) {
  auto* box = new TTextBox(parent);
  box->setObjectName(QLatin1String(name));
  box->SetExpandTabs(false);
  box->SetEllipsis(dteEnd);
  // Room for the ink of parentheses and commas inside the edges, at any font.
  FixHeightToFont(box, [](const QWidget& shown) { return shown.fontMetrics().height() + 8; });
  box->setMinimumWidth(40);
  return box;
}

}  // namespace

// The allocations of the last plan, their texts made when shown.
class TPrefixPlanTableSource : public TVirtualTableSource {
 public:
  void SetPlan(TPlan plan) { FPlan = std::move(plan); }
  const TPlan& Plan() const { return FPlan; }
  TAddressFamily Family() const { return FPlan.Parent.Network.Family; }

  int ColumnCount() const override { return PlanColumnCount(Family()); }
  QString ColumnCaption(int column) const override {
    const std::string_view caption = PlanColumnCaption(Family(), column);
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
  }
  Qt::Alignment ColumnAlignment(int column) const override {
    return (column < 2 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
  }
  int RowCount() const override { return static_cast<int>(FPlan.Allocations.size()); }
  QString CellText(int row, int column) const override {
    const std::vector<std::string> cells = PlanRowCells(FPlan, static_cast<size_t>(row));
    return column >= 0 && static_cast<size_t>(column) < cells.size()
               ? FromStd(cells[static_cast<size_t>(column)])
               : QString();
  }
  // Names are UTF-8, as the clipboard's plain text is.
  void AppendRowBytes(int row, QByteArray& out) const override {
    const std::vector<std::string> cells = PlanRowCells(FPlan, static_cast<size_t>(row));
    for (size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) out.append('\t');
      out.append(cells[i].data(), static_cast<qsizetype>(cells[i].size()));
    }
  }

 private:
  TPlan FPlan;
};

TPrefixPlanPage::TPrefixPlanPage(QWidget* parent)
    : QWidget(parent), FSource(std::make_unique<TPrefixPlanTableSource>()) {
  setObjectName(QStringLiteral("PlanTabSheet"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(3);

  PlanParentEdit = new QLineEdit(this);
  PlanParentEdit->setObjectName(QStringLiteral("PlanParentEdit"));
  PlanParentEdit->setMaxLength(ParentEditMaxLength);
  PlanParentEdit->setClearButtonEnabled(true);
  SetHint(
      PlanParentEdit,
      QStringLiteral("Enter the block to plan; while empty, the network of the Prefix Info page is planned"));
  auto* entry = new QHBoxLayout;
  entry->setSpacing(6);
  entry->addWidget(NewCaption(this, "PlanParentLabel", QStringLiteral("P&arent"), PlanParentEdit));
  entry->addWidget(PlanParentEdit, 1);
  layout->addLayout(entry);

  // One line, always there so that the page does not jump while the user
  // types: what is wrong with the input, or what does not fit.
  PlanMessageLabel = new TZellLabel(this);
  PlanMessageLabel->setObjectName(QStringLiteral("PlanMessageLabel"));
  PlanMessageLabel->SetExpandTabs(false);
  PlanMessageLabel->SetEllipsis(dteEnd);
  PlanMessageLabel->SetShowAccelChar(false);
  PlanMessageLabel->setMinimumWidth(40);
  PlanMessageLabel->setFixedHeight(PlanMessageLabel->fontMetrics().height());
  layout->addWidget(PlanMessageLabel);

  PlanMemo = new QPlainTextEdit(this);
  PlanMemo->setObjectName(QStringLiteral("PlanMemo"));
  PlanMemo->setTabChangesFocus(true);
  AcceptTextFileDrops(PlanMemo);
  PlanMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  PlanMemo->setPlaceholderText(
      QStringLiteral("Sales 120\nServers 30 +20%\nWAN 1 2\nPool 512 addresses\nSite /64\nCampus 200 /64s"));
  SetHint(PlanMemo,
          QStringLiteral("One requirement a line: a name and hosts (120), \"512 addresses\", a length "
                         "(/64) or a count of lengths (200 /64s), with an optional growth (+20%); "
                         "a line \"+20%\" alone grows every line"));
  layout->addWidget(NewCaption(this, "PlanLabel", QStringLiteral("&Requirements (one per line)"), PlanMemo));
  // Three lines at least: the page then fits the window's minimum size with
  // the table and the totals below.
  PlanMemo->setMinimumHeight(PlanMemo->fontMetrics().lineSpacing() * 3 + 2 * PlanMemo->frameWidth() + 8);
  layout->addWidget(PlanMemo, 2);

  PlanOrderComboBox = new QComboBox(this);
  PlanOrderComboBox->setObjectName(QStringLiteral("PlanOrderComboBox"));
  PlanOrderComboBox->addItems({QStringLiteral("Largest first"), QStringLiteral("Line order")});
  SetHint(PlanOrderComboBox, QStringLiteral("Largest first packs the block tightest; line order places each "
                                            "requirement after the one above it"));
  PlanPointToPointCheckBox = new QCheckBox(QStringLiteral("/&31 for 2 hosts"), this);
  PlanPointToPointCheckBox->setObjectName(QStringLiteral("PlanPointToPointCheckBox"));
  SetHint(PlanPointToPointCheckBox,
          QStringLiteral("Give a point-to-point link of exactly 2 hosts a /31 without network and broadcast "
                         "address (RFC 3021)"));
  auto* choices = new QHBoxLayout;
  choices->setSpacing(6);
  choices->addWidget(NewCaption(this, "PlanOrderLabel", QStringLiteral("&Order"), PlanOrderComboBox));
  choices->addWidget(PlanOrderComboBox);
  choices->addWidget(PlanPointToPointCheckBox);
  choices->addStretch(1);
  layout->addLayout(choices);

  PlanListView = new TVirtualListView(this);
  PlanListView->setObjectName(QStringLiteral("PlanListView"));
  PlanListView->SetSource(*FSource);
  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  bar->addWidget(
      CreateTableNavigationToolBar(this, PlanListView, QStringLiteral("Plan"), QStringLiteral("plan table")));
  bar->addStretch(1);
  PlanClipboardButton = CreateTableClipboardButton(this, QStringLiteral("PlanClipboardButton"),
                                                   QStringLiteral("Copy plan table to clipboard"));
  connect(PlanClipboardButton, &QToolButton::clicked, this, [this] { PlanClipboardButtonClick(); });
  bar->addWidget(PlanClipboardButton);
  layout->addLayout(bar);
  layout->addWidget(PlanListView, 3);
  CreateListViewControlMessageHook(PlanListView, PlanClipboardButton,
                                   QStringLiteral("PlanListViewControlMessageHook"));
  // The columns are measured in the table's font: a new font measures again.
  FollowFontChanges(PlanListView, [this](QWidget&) { FitPlanColumns(); });

  PlanFreeTextBox = NewResultBox(this, "PlanFreeTextBox");
  PlanFreeTextBox->setAccessibleName(QStringLiteral("Free space"));
  PlanTotalsTextBox = NewResultBox(this, "PlanTotalsTextBox");
  PlanTotalsTextBox->setAccessibleName(QStringLiteral("Totals"));
  layout->addWidget(PlanFreeTextBox);
  layout->addWidget(PlanTotalsTextBox);

  // Keyboard order: top to bottom, the list after the buttons above it.
  setTabOrder(PlanClipboardButton, PlanListView);
  setTabOrder(PlanListView, PlanFreeTextBox);
  setTabOrder(PlanFreeTextBox, PlanTotalsTextBox);

  connect(PlanParentEdit, &QLineEdit::textChanged, this, [this] { PlanInputChange(); });
  connect(PlanMemo, &QPlainTextEdit::textChanged, this, [this] { PlanInputChange(); });
  connect(PlanOrderComboBox, &QComboBox::currentIndexChanged, this, [this] { PlanInputChange(); });
  connect(PlanPointToPointCheckBox, &QCheckBox::toggled, this, [this] { PlanInputChange(); });
  PlanInputChange();
}

TPrefixPlanPage::~TPrefixPlanPage() {
  // The list view reads the source while it is torn down.
  delete PlanListView;
  PlanListView = nullptr;
}

void TPrefixPlanPage::SetDefaultParent(const std::optional<TPrefix>& prefix) {
  FDefaultParent = prefix;
  PlanParentEdit->setPlaceholderText(prefix ? FromStd(PrefixText(*prefix)) : QString());
  if (PlanParentEdit->text().trimmed().isEmpty()) PlanInputChange();
}

void TPrefixPlanPage::PlanInputChange() {
  std::optional<TPrefix> parent = FDefaultParent;
  QString parentError;
  if (!PlanParentEdit->text().trimmed().isEmpty()) {
    const TPrefixParse parsed = ParsePrefix(PlanParentEdit->text().toStdString());
    parent = parsed.Ok ? std::optional<TPrefix>(parsed.Prefix()) : std::nullopt;
    if (!parsed.Ok) parentError = FromStd(parsed.Error);
  }
  const int oldColumns = FSource->ColumnCount();
  TPlan plan;
  if (parent) {
    const QByteArray text = PlanMemo->toPlainText().toUtf8();
    const TPlanRequest request{PlanOrderComboBox->currentIndex() == 1, PlanPointToPointCheckBox->isChecked()};
    plan = PlanText(*parent, std::string_view(text.constData(), static_cast<size_t>(text.size())), request);
  }
  FSource->SetPlan(std::move(plan));
  // A new family brings other columns, which only a new model announces.
  if (FSource->ColumnCount() != oldColumns)
    PlanListView->SetSource(*FSource);
  else
    PlanListView->Model()->Refresh();
  FitPlanColumns();
  ShowPlanTexts(parent.has_value(), parentError);
}

void TPrefixPlanPage::ShowPlanTexts(bool planned, const QString& parentError) {
  const TPlan& plan = FSource->Plan();

  QStringList freeTexts;
  for (const TPrefix& prefix : plan.FreePrefixes) freeTexts << FromStd(PrefixText(prefix));
  PlanFreeTextBox->SetCaption(
      planned ? QStringLiteral("Free: ") +
                    (freeTexts.isEmpty() ? QStringLiteral("none") : freeTexts.join(QStringLiteral(", ")))
              : QString());
  PlanFreeTextBox->setToolTip(freeTexts.join(QLatin1Char('\n')));
  PlanTotalsTextBox->SetCaption(planned ? FromStd(plan.TotalsText()) : QString());
  PlanTotalsTextBox->setToolTip(PlanTotalsTextBox->Caption());

  QStringList errors;
  for (const TSummaryLineError& error : plan.Errors) errors << FromStd(SummaryErrorText(error));
  const QString failures = FromStd(plan.FailureText());
  if (!parentError.isEmpty())
    ShowMessage(parentError, parentError);
  else if (!errors.isEmpty())
    ShowMessage(errors.front(), errors.join(QLatin1Char('\n')) +
                                    (failures.isEmpty() ? QString() : QStringLiteral("\n") + failures));
  else
    ShowMessage(failures, failures);
}

void TPrefixPlanPage::ShowMessage(const QString& message, const QString& details) {
  PlanMessageLabel->SetCaption(message);
  // A message longer than the line ends in an ellipsis; its hint has it all.
  PlanMessageLabel->setToolTip(details);
}

void TPrefixPlanPage::FitPlanColumns() {
  const QFontMetrics metrics = PlanListView->fontMetrics();
  const TPlan& plan = FSource->Plan();
  QList<int> widths;
  for (int column = 0; column < FSource->ColumnCount(); ++column)
    widths << metrics.horizontalAdvance(FSource->ColumnCaption(column)) + 12;
  const size_t rows = std::min(plan.Allocations.size(), MeasuredRows);
  for (size_t row = 0; row < rows; ++row) {
    const std::vector<std::string> cells = PlanRowCells(plan, row);
    for (size_t c = 0; c < cells.size() && c < static_cast<size_t>(widths.size()); ++c)
      widths[static_cast<qsizetype>(c)] =
          std::max(widths[static_cast<qsizetype>(c)], metrics.horizontalAdvance(FromStd(cells[c])) + 12);
  }
  PlanListView->SetColumnWidths(widths);
}

void TPrefixPlanPage::PlanClipboardButtonClick() { CopyTableToClipboard(this, PlanListView); }

void TPrefixPlanPage::LoadSettings(TSectionedStore& store, const char* section) {
  const std::string parent = store.ReadString(section, "PlanParent", "");
  PlanParentEdit->setText(parent.size() <= static_cast<size_t>(ParentEditMaxLength) ? FromStd(parent)
                                                                                    : QString());
  PlanOrderComboBox->setCurrentIndex(store.ReadString(section, "PlanOrder", "size") == "input" ? 1 : 0);
  PlanPointToPointCheckBox->setChecked(store.ReadBool(section, "PlanPointToPoint", false));
  PlanMemo->setPlainText(FromStd(store.ReadString(section, "PlanText", "")));
  PlanInputChange();
}

void TPrefixPlanPage::SaveSettings(TSectionedStore& store, const char* section) const {
  store.WriteString(section, "PlanParent", PlanParentEdit->text().toStdString());
  store.WriteString(section, "PlanText", PlanMemo->toPlainText().toStdString());
  store.WriteString(section, "PlanOrder", PlanOrderComboBox->currentIndex() == 1 ? "input" : "size");
  store.WriteBool(section, "PlanPointToPoint", PlanPointToPointCheckBox->isChecked());
}

}  // namespace Parlamine
