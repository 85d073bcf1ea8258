// SPDX-License-Identifier: MIT
#include "LayoutFit.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>

#include "ZellLabel.h"
#include "ZellStringGrid.h"

namespace ParlamineTest {

using Parlamine::TZellCustomLabel;
using Parlamine::TZellCustomTextBox;

namespace {

constexpr int IconTextGap = 4;  // the styles' space between an icon and its text
constexpr QChar Ellipsis(0x2026);

QString ClassName(const QWidget* widget) {
  return QString::fromLatin1(widget->metaObject()->className()).section(QStringLiteral("::"), -1);
}

// The object name; an unnamed control is named by its class inside its
// nearest named parent, a part Qt built by its control's name.
QString NameOf(const QWidget* widget) {
  if (widget->objectName().startsWith(QLatin1String("qt_")) && widget->parentWidget())
    return NameOf(widget->parentWidget()) + QLatin1Char(' ') + widget->objectName();
  if (!widget->objectName().isEmpty()) return widget->objectName();
  for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget())
    if (!parent->objectName().isEmpty())
      return ClassName(widget) + QStringLiteral(" in ") + parent->objectName();
  return ClassName(widget);
}

const QAbstractScrollArea* ScrollAreaOfViewport(const QWidget* widget) {
  const auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
  return area && area->viewport() == widget ? area : nullptr;
}

// What of area a scroll area's viewport (at viewport, in area's coordinates)
// leaves: only a direction the area cannot scroll cuts.
QRect ReachableByScrolling(const QAbstractScrollArea* scroller, const QRect& viewport, QRect area) {
  if (scroller->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
    area &= QRect(viewport.left(), area.top(), viewport.width(), area.height());
  if (scroller->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff)
    area &= QRect(area.left(), viewport.top(), area.width(), viewport.height());
  return area;
}

// The part of area (in the widget's coordinates) that shows: what the widget
// and every parent up to the window leave of it. Contents of a scroll area
// are shown by scrolling (Tab scrolls them into view too): the measure stops
// at its viewport, which cuts only across a direction that does not scroll.
QRect ShowingPart(const QWidget* widget, QRect area) {
  area &= widget->rect();
  QPoint origin;  // the widget's origin in the current parent's coordinates
  for (const QWidget* w = widget; !w->isWindow() && w->parentWidget(); w = w->parentWidget()) {
    origin += w->pos();
    const QRect parent = w->parentWidget()->rect().translated(-origin);
    if (const QAbstractScrollArea* scroller = ScrollAreaOfViewport(w->parentWidget()))
      return ReachableByScrolling(scroller, parent, area);
    area &= parent;
  }
  return area;
}

bool Fits(const QSize& needed, const QRect& room) {
  return needed.width() <= room.width() && needed.height() <= room.height();
}

class TFitCollector {
 public:
  explicit TFitCollector(std::vector<TFitFailure>& failures) : FFailures(failures) {}

  // Adds a failure when the text does not fit the showing part of room, or
  // when it was shortened with an ellipsis before it was shown.
  void Check(const QWidget* control, const QString& text, const QSize& needed, const QRect& room) {
    if (!Fits(needed, ShowingPart(control, room)) || text.contains(Ellipsis)) Cut(control, text);
  }
  void Cut(const QWidget* control, const QString& text) {
    FFailures.push_back({NameOf(control), text, QStringLiteral("cut")});
  }

 private:
  std::vector<TFitFailure>& FFailures;
};

QString WithoutMnemonic(QString text) {
  return text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
}

// What a text needs: its advance across; down, for one line, the part of the
// line its ink covers, kept symmetric about the line's middle as controls
// centre their text (so a room as high as the font's line always does).
QSize TextSize(const QFont& font, const QString& text, int flags = Qt::TextShowMnemonic) {
  const QFontMetrics metrics(font);
  const QSize line = metrics.size(flags, text);
  if (text.contains(QLatin1Char('\n'))) return line;
  const QRect ink = metrics.tightBoundingRect((flags & Qt::TextShowMnemonic) ? WithoutMnemonic(text) : text);
  const double middle = (metrics.descent() - metrics.ascent()) / 2.0;  // from the baseline, down positive
  const int inkHeight = 2 * qCeil(std::max(middle - ink.top(), ink.bottom() + 1 - middle));
  return {line.width(), std::min(line.height(), inkHeight)};
}

QSize BesideIcon(QSize text, const QIcon& icon, const QSize& iconSize) {
  if (icon.isNull()) return text;
  const QSize shown = icon.actualSize(iconSize);
  return {text.width() + shown.width() + IconTextGap, std::max(text.height(), shown.height())};
}

// What a label needs: a word-wrapped one is broken at the room's width.
QSize LabelTextSize(const QLabel* label, const QRect& area, int flags) {
  const bool rich = label->textFormat() == Qt::RichText ||
                    (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
  if (rich) {
    QTextDocument document;
    document.setDefaultFont(label->font());
    document.setDocumentMargin(0);
    document.setHtml(label->text());
    if (label->wordWrap()) document.setTextWidth(area.width());
    return {qCeil(label->wordWrap() ? document.size().width() : document.idealWidth()),
            qCeil(document.size().height())};
  }
  if (!label->wordWrap()) return TextSize(label->font(), label->text(), flags);
  return QFontMetrics(label->font())
      .boundingRect(QRect(0, 0, area.width(), 1 << 20), flags | Qt::TextWordWrap, label->text())
      .size();
}

void MeasureLabel(const QLabel* label, TFitCollector& fit) {
  if (label->text().isEmpty()) return;
  QRect area =
      label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
  int flags = label->buddy() ? Qt::TextShowMnemonic : 0;
  if (const auto* custom = qobject_cast<const TZellCustomLabel*>(label)) {
    if (custom->OnCustomDraw()) return;  // draws itself
    flags = (custom->ShowAccelChar() ? Qt::TextShowMnemonic : 0) |
            (custom->ExpandTabs() ? Qt::TextExpandTabs : 0);
  }
  if (const auto* box = qobject_cast<const TZellCustomTextBox*>(label)) {
    const int margin = box->CaptionBorderWidth();
    area = Parlamine::ToQRect(Parlamine::EdgeInnerRect(Parlamine::ToTRect(box->rect()), box->EdgeParams()))
               .adjusted(margin, margin, -margin, -margin);
  }
  fit.Check(label, label->text(), LabelTextSize(label, area, flags), area);
}

QStyle::SubElement ButtonContents(const QAbstractButton* button) {
  if (qobject_cast<const QCheckBox*>(button)) return QStyle::SE_CheckBoxContents;
  if (qobject_cast<const QRadioButton*>(button)) return QStyle::SE_RadioButtonContents;
  return QStyle::SE_PushButtonContents;
}

void MeasureButton(const QAbstractButton* button, TFitCollector& fit) {
  if (button->text().isEmpty()) return;
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  option.icon = button->icon();
  option.iconSize = button->iconSize();
  const QRect room = button->style()->subElementRect(ButtonContents(button), &option, button);
  fit.Check(button, button->text(),
            BesideIcon(TextSize(button->font(), button->text()), button->icon(), button->iconSize()), room);
}

void MeasureToolButton(const QToolButton* button, TFitCollector& fit) {
  if (button->text().isEmpty() || button->toolButtonStyle() == Qt::ToolButtonIconOnly) return;
  QStyleOptionToolButton option;
  option.initFrom(button);
  option.subControls = QStyle::SC_ToolButton;
  if (button->popupMode() == QToolButton::MenuButtonPopup) {
    option.subControls |= QStyle::SC_ToolButtonMenu;
    option.features |= QStyleOptionToolButton::MenuButtonPopup;
  }
  const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
  const QRect room = button->style()
                         ->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, button)
                         .adjusted(frame, frame, -frame, -frame);
  const QSize text = TextSize(button->font(), button->text());
  QSize needed = text;
  if (button->toolButtonStyle() == Qt::ToolButtonTextBesideIcon) {
    needed = BesideIcon(text, button->icon(), button->iconSize());
  } else if (button->toolButtonStyle() == Qt::ToolButtonTextUnderIcon && !button->icon().isNull()) {
    const QSize icon = button->icon().actualSize(button->iconSize());
    needed = {std::max(text.width(), icon.width()), text.height() + icon.height() + IconTextGap};
  }
  fit.Check(button, button->text(), needed, room);
}

// The widest text of the list that does not fit its text field; the
// current text is one of the items.
void MeasureComboBox(const QComboBox* box, TFitCollector& fit) {
  QStyleOptionComboBox option;
  option.initFrom(box);
  option.editable = box->isEditable();
  option.frame = box->hasFrame();
  option.currentText = box->currentText();
  option.iconSize = box->iconSize();
  option.subControls = QStyle::SC_All;
  QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
  if (!box->isEditable()) field.adjust(1, 0, -1, 0);  // the styles draw the text a pixel inside the field
  QStringList texts{box->currentText()};
  for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
  QString widest;
  QSize widestSize;
  for (const QString& text : texts) {
    const QSize size = TextSize(box->font(), text, 0);
    if (size.width() > widestSize.width()) {
      widest = text;
      widestSize = size;
    }
  }
  if (!widest.isEmpty()) fit.Check(box, widest, widestSize, field);
}

void MeasureLineEdit(const QLineEdit* edit, TFitCollector& fit) {
  const QString text = edit->displayText().isEmpty() ? edit->placeholderText() : edit->displayText();
  if (text.isEmpty()) return;
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->contentsRect();
  option.lineWidth =
      edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
  option.state |= QStyle::State_Sunken;
  QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  constexpr int EditTextMargin = 2;  // QLineEdit's own space left and right of its text
  room = room.marginsRemoved(edit->textMargins()).adjusted(EditTextMargin, 0, -EditTextMargin, 0);
  fit.Check(edit, text, TextSize(edit->font(), text, 0), room);
}

void MeasureGroupBox(const QGroupBox* group, TFitCollector& fit) {
  if (group->title().isEmpty()) return;
  QStyleOptionGroupBox option;
  option.initFrom(group);
  option.text = group->title();
  option.lineWidth = 1;
  option.textAlignment = group->alignment();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  if (group->isCheckable()) option.subControls |= QStyle::SC_GroupBoxCheckBox;
  if (group->isFlat()) option.features |= QStyleOptionFrame::Flat;
  const QRect label =
      group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
  fit.Check(group, group->title(), TextSize(group->font(), group->title()), label);
}

void MeasureHeader(const QHeaderView* header, TFitCollector& fit) {
  if (!header->isVisible() || !header->model()) return;
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  for (int section = 0; section < header->count(); ++section) {
    if (header->isSectionHidden(section)) continue;
    const QString text = header->model()->headerData(section, header->orientation()).toString();
    if (text.isEmpty()) continue;
    const QSize size = TextSize(header->font(), text, 0);
    const QSize needed(size.width() + 2 * margin, size.height());
    const QRect room = header->orientation() == Qt::Horizontal
                           ? QRect(0, 0, header->sectionSize(section), header->height())
                           : QRect(0, 0, header->width(), header->sectionSize(section));
    if (!Fits(needed, room) || text.contains(Ellipsis)) fit.Cut(header, text);
  }
}

// The cells of the showing rows against their column: each column's widest
// cut text once.
void MeasureItemView(const QAbstractItemView* view, TFitCollector& fit) {
  const QAbstractItemModel* model = view->model();
  if (!model) return;
  const auto* table = qobject_cast<const QTableView*>(view);
  if (table) {
    MeasureHeader(table->horizontalHeader(), fit);
    MeasureHeader(table->verticalHeader(), fit);
  }
  // The item delegate's space left and right of a cell's text; the string
  // grid draws its cells itself, 2 pixels in.
  const int margin = qobject_cast<const Parlamine::TSuperStringGrid*>(view)
                         ? 2
                         : view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
  const QModelIndex first = view->indexAt(QPoint(1, 1));
  for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
    if (table && table->isColumnHidden(column)) continue;
    QString widest;
    int widestWidth = 0;
    for (int row = first.isValid() ? first.row() : 0; row < model->rowCount(view->rootIndex()); ++row) {
      const QModelIndex index = model->index(row, column, view->rootIndex());
      const QRect cell = view->visualRect(index);
      if (cell.top() >= view->viewport()->height()) break;
      const QString text = index.data(Qt::DisplayRole).toString();
      const QVariant font = index.data(Qt::FontRole);
      const QSize size = TextSize(font.isValid() ? font.value<QFont>() : view->font(), text, 0);
      const QSize needed(size.width() + 2 * margin, size.height());
      const bool cut = !Fits(needed, QRect(QPoint(), cell.size())) || text.contains(Ellipsis);
      if (cut && needed.width() > widestWidth) {
        widest = text;
        widestWidth = needed.width();
      }
    }
    if (!widest.isEmpty()) fit.Cut(view, widest);
  }
}

void MeasureControl(const QWidget* widget, TFitCollector& fit) {
  if (const auto* label = qobject_cast<const QLabel*>(widget))
    MeasureLabel(label, fit);
  else if (const auto* tool = qobject_cast<const QToolButton*>(widget))
    MeasureToolButton(tool, fit);
  else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
    MeasureButton(button, fit);
  else if (const auto* box = qobject_cast<const QComboBox*>(widget))
    MeasureComboBox(box, fit);
  else if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
    MeasureLineEdit(edit, fit);
  else if (const auto* group = qobject_cast<const QGroupBox*>(widget))
    MeasureGroupBox(group, fit);
  else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget);
           view && !qobject_cast<const QHeaderView*>(view))
    MeasureItemView(view, fit);  // a header is measured with its view
}

// Parts Qt builds a control from are named "qt_..."; these controls place
// their parts themselves, overlapping where their look wants it.
bool PlacesItsOwnParts(const QWidget* widget) {
  return qobject_cast<const QAbstractScrollArea*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget) ||
         qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTabWidget*>(widget) ||
         qobject_cast<const QTabBar*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
         qobject_cast<const QToolBar*>(widget);
}

std::vector<const QWidget*> ShowingChildren(const QWidget* parent) {
  std::vector<const QWidget*> children;
  for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (child->isVisible() && !child->isWindow() && !child->geometry().isEmpty()) children.push_back(child);
  return children;
}

void CollectOverlaps(const QWidget* parent, std::vector<TFitFailure>& failures) {
  const std::vector<const QWidget*> children = ShowingChildren(parent);
  for (size_t i = 0; i < children.size() && !PlacesItsOwnParts(parent); ++i)
    for (size_t j = i + 1; j < children.size(); ++j)
      if (children[i]->geometry().intersects(children[j]->geometry()))
        failures.push_back({NameOf(children[i]), NameOf(children[j]), QStringLiteral("overlaps")});
  for (const QWidget* child : children) CollectOverlaps(child, failures);
}

}  // namespace

QString TFitFailure::ToString() const {
  if (Problem == QLatin1String("overlaps")) return QStringLiteral("%1 overlaps %2").arg(Control, Text);
  return QStringLiteral("%1: \"%2\" %3").arg(Control, Text, Problem);
}

std::vector<TFitFailure> CutTexts(const QWidget* root) {
  std::vector<TFitFailure> failures;
  TFitCollector fit(failures);
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(const_cast<QWidget*>(root));
  for (const QWidget* widget : widgets)
    if (widget->isVisible() && !qobject_cast<const QTabBar*>(widget)) MeasureControl(widget, fit);
  return failures;
}

std::vector<TFitFailure> OverlappingControls(const QWidget* root) {
  std::vector<TFitFailure> failures;
  CollectOverlaps(root, failures);
  return failures;
}

std::vector<TFitFailure> TabBarFailures(const QTabBar* bar) {
  std::vector<TFitFailure> failures;
  for (const QToolButton* arrow : bar->findChildren<QToolButton*>())
    if (arrow->isVisible())
      failures.push_back({NameOf(bar), arrow->objectName(), QStringLiteral("shows scroll arrows")});
  TFitCollector fit(failures);
  for (int i = 0; i < bar->count(); ++i) {
    if (!bar->isTabVisible(i)) continue;
    QStyleOptionTab option;
    option.initFrom(bar);
    option.text = bar->tabText(i);
    const int padding = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, bar) / 2;
    const QRect tab = bar->tabRect(i);
    if (ShowingPart(bar, tab) != tab)
      failures.push_back({NameOf(bar), bar->tabText(i), QStringLiteral("hidden")});
    fit.Check(bar, bar->tabText(i),
              BesideIcon(TextSize(bar->font(), bar->tabText(i)), bar->tabIcon(i), bar->iconSize()),
              tab.adjusted(padding, 0, -padding, 0));
  }
  return failures;
}

}  // namespace ParlamineTest
