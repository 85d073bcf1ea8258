// SPDX-License-Identifier: MIT
// The shared virtual table: its model, the copy to the clipboard with the
// busy cursor, and the navigation on empty and filled tables.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <stdexcept>

#include "QStringPrinter.h"
#include "TestSupport.h"
#include "ViewCommandsProbe.h"
#include "ZellClipboardRequest.h"
#include "ZellMsgClasses.h"
#include "ZellTableExport.h"

namespace Parlamine {
namespace {

// Rows "r<k>" and "<k*k>"; a row can be made to fail while it is produced.
class TSquaresSource : public TVirtualTableSource {
 public:
  int Rows = 0;
  int FailingRow = -1;
  mutable int CursorShapeSeen = -1;

  int ColumnCount() const override { return 2; }
  QString ColumnCaption(int column) const override {
    return column == 0 ? QStringLiteral("Row") : QStringLiteral("Square");
  }
  int RowCount() const override { return Rows; }
  QString CellText(int row, int column) const override {
    return column == 0 ? QStringLiteral("r%1").arg(row) : QString::number(qint64(row) * row);
  }
  // The last row has the longest texts.
  QString WidestText(int column) const override { return Rows > 0 ? CellText(Rows - 1, column) : QString(); }
  void AppendRowBytes(int row, QByteArray& out) const override {
    if (row == FailingRow) throw std::runtime_error("Range check error");
    const QCursor* cursor = QGuiApplication::overrideCursor();
    CursorShapeSeen = cursor ? cursor->shape() : -2;
    out.append(CellText(row, 0).toLatin1()).append('\t').append(CellText(row, 1).toLatin1());
  }
};

QString ClipboardBytes() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data ? QString::fromLatin1(data->data(QStringLiteral("text/plain"))) : QString();
}

class TableExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Source.Rows = 100;
    View.SetSource(Source);
    View.resize(200, 150);
    View.show();
    QApplication::clipboard()->setText(QStringLiteral("before"));
  }
  void Select(std::initializer_list<int> rows) {
    for (int row : rows)
      View.selectionModel()->select(View.model()->index(row, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  bool RowVisible(int row) {
    return View.viewport()->rect().contains(View.visualRect(View.model()->index(row, 0)));
  }

  TSquaresSource Source;
  TVirtualListView View;
};

TEST_F(TableExportTest, ModelPassesTheItemModelChecks) {
  QAbstractItemModelTester tester(View.Model(), QAbstractItemModelTester::FailureReportingMode::Warning);
  Source.Rows = 3;
  View.Model()->Refresh();
  EXPECT_EQ(View.model()->rowCount(), 3);
  EXPECT_EQ(View.model()->index(2, 1).data().toString(), QStringLiteral("4"));
  EXPECT_EQ(View.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Square"));
  EXPECT_FALSE(View.model()->index(3, 0).data().isValid());
}

// Every column fits its caption and widest text in the view's font of the
// moment, with the item's margins; the stretch column takes what is left.
TEST_F(TableExportTest, ColumnsFollowTheWidestTextsTheFontAndTheRowCount) {
  View.FitColumnsToSource(0);
  const auto fitsItsTexts = [this](int column) {
    const QFontMetrics metrics(View.font());
    const int text = metrics.horizontalAdvance(Source.WidestText(column));
    return View.columnWidth(column) >= text + 6 &&
           View.columnWidth(column) >= metrics.horizontalAdvance(Source.ColumnCaption(column));
  };
  for (int pixels : {11, 30}) {
    QFont font = View.font();
    font.setPixelSize(pixels);
    View.setFont(font);
    QApplication::processEvents();
    for (const int rows : {100, 100000}) {
      Source.Rows = rows;
      View.Model()->Refresh();
      EXPECT_TRUE(fitsItsTexts(0) && fitsItsTexts(1)) << pixels << " px, " << rows << " rows";
      EXPECT_GE(View.columnWidth(0) + View.columnWidth(1), View.viewport()->width()) << pixels;
    }
  }
}

TEST_F(TableExportTest, SameCountKeepsTheSelectionNewCountResetsIt) {
  Select({4});
  View.Model()->Refresh();
  EXPECT_EQ(SelectedRowsInOrder(&View), QList<int>{4});
  Source.Rows = 50;
  View.Model()->Refresh();
  EXPECT_TRUE(SelectedRowsInOrder(&View).isEmpty());
  EXPECT_EQ(View.model()->rowCount(), 50);
}

TEST_F(TableExportTest, SelectedRowsComeOutInListOrderOnce) {
  Select({7, 3, 5});
  View.selectionModel()->select(QItemSelection(View.model()->index(4, 0), View.model()->index(6, 1)),
                                QItemSelectionModel::Select);
  EXPECT_EQ(SelectedRowsInOrder(&View), (QList<int>{3, 4, 5, 6, 7}));
}

TEST_F(TableExportTest, OneSelectedRowGivesTwoLinesUnderTheBusyCursor) {
  Select({9});
  EXPECT_TRUE(CopyTableToClipboard(nullptr, &View));
  EXPECT_EQ(ClipboardBytes(), QStringLiteral("Row\tSquare\r\nr9\t81\r\n"));
  EXPECT_EQ(Source.CursorShapeSeen, Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(TableExportTest, AnsweringNoChangesNothing) {
  ParlamineTest::TMessageBoxScript script({QMessageBox::No});
  EXPECT_FALSE(CopyTableToClipboard(nullptr, &View));
  EXPECT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  EXPECT_EQ(Source.CursorShapeSeen, -1) << "no row produced, no cursor shown";
}

TEST_F(TableExportTest, AnsweringYesCopiesEveryRow) {
  Source.Rows = 3;
  View.Model()->Refresh();
  ParlamineTest::TMessageBoxScript script({QMessageBox::Yes});
  EXPECT_TRUE(CopyTableToClipboard(nullptr, &View));
  EXPECT_EQ(ClipboardBytes(), QStringLiteral("Row\tSquare\r\nr0\t0\r\nr1\t1\r\nr2\t4\r\n"));
}

TEST_F(TableExportTest, AFailureWhileBuildingLeavesTheClipboardAndCursor) {
  Source.FailingRow = 50;
  ParlamineTest::TMessageBoxScript script({QMessageBox::Yes});
  EXPECT_THROW(CopyTableToClipboard(nullptr, &View), std::runtime_error);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(TableExportTest, KeysCopyAsTheCopyButtonDoesAndSelectEveryRow) {
  Source.Rows = 3;
  View.Model()->Refresh();
  const char* allRows = "Row\tSquare\r\nr0\t0\r\nr1\t1\r\nr2\t4\r\n";
  const struct {
    const char* Name;
    QList<int> Selected;
    QList<QKeySequence::StandardKey> Keys;
    std::deque<QMessageBox::StandardButton> Answers;  // to "Copy All Data?"
    const char* Copied;
  } rows[] = {
      {"Ctrl+C copies the selected rows",
       {2, 0},
       {QKeySequence::Copy},
       {},
       "Row\tSquare\r\nr0\t0\r\nr2\t4\r\n"},
      {"Ctrl+C with nothing selected asks first", {}, {QKeySequence::Copy}, {QMessageBox::Yes}, allRows},
      {"Ctrl+A selects every row", {1}, {QKeySequence::SelectAll, QKeySequence::Copy}, {}, allRows},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    ParlamineTest::TMessageBoxScript script(row.Answers);
    View.clearSelection();
    for (int selected : row.Selected) Select({selected});
    for (QKeySequence::StandardKey key : row.Keys) QTest::keySequence(&View, key);
    EXPECT_EQ(ClipboardBytes(), QLatin1String(row.Copied));
    EXPECT_EQ(script.Shown().size(), row.Answers.size());
  }
}

TEST_F(TableExportTest, ThePagesHookAndTheViewCopyOnlyOnce) {
  QToolButton button;
  QObject::connect(&button, &QToolButton::clicked, &View, [this] { CopyTableToClipboard(nullptr, &View); });
  CreateListViewControlMessageHook(&View, &button, QStringLiteral("Hook"));
  // A second copy would ask a second time, which the script does not answer.
  ParlamineTest::TMessageBoxScript script({QMessageBox::No});
  EXPECT_TRUE(SendClipboardRequest(&View, TClipboardRequest::crCopy));
  EXPECT_EQ(script.Shown().size(), 1u);
}

TEST_F(TableExportTest, MenuAndEditMenuOfferCopyWhileTheTableHasRows) {
  QAction pageCommand(QStringLiteral("Page command"));
  View.AddContextAction(&pageCommand);
  for (int rowCount : {100, 0}) {
    Source.Rows = rowCount;
    View.Model()->Refresh();
    const QString copy = rowCount ? QStringLiteral("&Copy") : QStringLiteral("(&Copy)");
    EXPECT_EQ(ParlamineTest::ContextMenuItems(&View),
              QStringList({copy, "Select &All", "-", "Page command"}));
    EXPECT_EQ(ParlamineTest::OfferedRequests(&View), rowCount ? QStringList{"copy"} : QStringList());
  }
}

TEST_F(TableExportTest, NavigationScrollsOnlyAndDoesNothingOnAnEmptyTable) {
  GoToLastRow(&View);
  EXPECT_TRUE(RowVisible(99));
  GoToFirstRow(&View);
  EXPECT_TRUE(RowVisible(0));
  GoToSelectedRow(&View);  // no current row
  EXPECT_TRUE(RowVisible(0));
  View.setCurrentIndex(View.model()->index(60, 0));
  View.clearSelection();
  GoToFirstRow(&View);
  GoToSelectedRow(&View);
  EXPECT_TRUE(RowVisible(60));
  EXPECT_FALSE(View.selectionModel()->hasSelection());
  EXPECT_EQ(View.currentIndex().row(), 60);

  Source.Rows = 0;
  View.Model()->Refresh();
  QApplication::processEvents();
  const int scrolled = View.verticalScrollBar()->value();
  GoToLastRow(&View);
  GoToFirstRow(&View);
  GoToSelectedRow(&View);
  EXPECT_EQ(View.verticalScrollBar()->value(), scrolled);
  EXPECT_FALSE(View.currentIndex().isValid());
}

}  // namespace
}  // namespace Parlamine
