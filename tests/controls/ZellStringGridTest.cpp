// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

#include "QStringPrinter.h"
#include "ViewCommandsProbe.h"
#include "ZellClipboardRequest.h"
#include "ZellStringGrid.h"

namespace Parlamine {
namespace {

using Grid = TSuperStringGrid;

// A 3 x 5 grid with one fixed row: headers "H0".."H2", cells "c:r".
class StringGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FGrid.SetColCount(3);
    FGrid.SetRowCount(5);
    for (int col = 0; col < 3; ++col) {
      FGrid.SetCells(col, 0, QStringLiteral("H%1").arg(col));
      for (int row = 1; row < 5; ++row) FGrid.SetCells(col, row, QStringLiteral("%1:%2").arg(col).arg(row));
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
  }

  static QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

  void ShowGrid() {
    FGrid.resize(300, 150);
    FGrid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&FGrid));
  }

  Grid FGrid;
};

TEST_F(StringGridTest, CopyOfOneCellGivesItsHeaderThenTheCell) {
  FGrid.SetSelection({0, 3, 0, 3});
  EXPECT_TRUE(SendClipboardRequest(&FGrid, TClipboardRequest::crCopy));
  EXPECT_EQ(ClipboardText(), QStringLiteral("H0\r\n0:3\r\n"));
}

TEST_F(StringGridTest, CopyModesChooseRowsColumnsAndHeaders) {
  struct Row {
    const char* Name;
    Grid::TCopyModes Modes;
    int FixedCols;
    const char* Text;
  };
  const std::vector<Row> rows = {
      {"defaults", Grid::cmFixedCols | Grid::cmFixedRows, 0, "H1\tH2\r\n1:2\t2:2\r\n1:3\t2:3\r\n"},
      {"no headers", {}, 0, "1:2\t2:2\r\n1:3\t2:3\r\n"},
      {"entire columns", Grid::cmEntireCols, 0, "1:1\t2:1\r\n1:2\t2:2\r\n1:3\t2:3\r\n1:4\t2:4\r\n"},
      {"entire rows", Grid::cmEntireRows | Grid::cmFixedRows, 0,
       "H0\tH1\tH2\r\n0:2\t1:2\t2:2\r\n0:3\t1:3\t2:3\r\n"},
      {"row headers", Grid::cmFixedCols | Grid::cmFixedRows, 1,
       "H0\tH1\tH2\r\n0:2\t1:2\t2:2\r\n0:3\t1:3\t2:3\r\n"},
      {"row headers left out", Grid::cmFixedRows, 1, "H1\tH2\r\n1:2\t2:2\r\n1:3\t2:3\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    FGrid.SetFixedCols(row.FixedCols);
    FGrid.SetCopyModes(row.Modes);
    FGrid.SetSelection({1, 2, 2, 3});
    FGrid.CopyToClipboard();
    EXPECT_EQ(ClipboardText(), QString::fromLatin1(row.Text));
  }
}

TEST_F(StringGridTest, KeysCarryOutOnlyTheAllowedRequests) {
  struct Row {
    const char* Name;
    Grid::TEditModes Modes;
    bool Editing;
    QKeySequence Key;
    const char* Clipboard;  // after the key
    const char* Cell;       // cell (1, 2) after the key
  };
  const std::vector<Row> rows = {
      {"copy", Grid::emCopy, false, QKeySequence(Qt::CTRL | Qt::Key_C), "H1\r\n1:2\r\n", "1:2"},
      {"copy not allowed", Grid::emClear, false, QKeySequence(Qt::CTRL | Qt::Key_C), "untouched", "1:2"},
      {"clear", Grid::emClear, false, QKeySequence(Qt::Key_Delete), "untouched", ""},
      {"clear not allowed", Grid::emCopy, false, QKeySequence(Qt::Key_Delete), "untouched", "1:2"},
      {"cut without editing keeps the cell", Grid::emCut, false, QKeySequence(Qt::CTRL | Qt::Key_X),
       "H1\r\n1:2\r\n", "1:2"},
      {"cut with editing empties the cell", Grid::emCut, true, QKeySequence(Qt::CTRL | Qt::Key_X),
       "H1\r\n1:2\r\n", ""},
      {"cut not allowed", Grid::emCopy, true, QKeySequence(Qt::CTRL | Qt::Key_X), "untouched", "1:2"},
      {"paste does nothing", Grid::emPaste | Grid::emCopy, true, QKeySequence(Qt::CTRL | Qt::Key_P),
       "untouched", "1:2"},
  };
  ShowGrid();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    FGrid.SetCells(1, 2, QStringLiteral("1:2"));
    FGrid.SetEditModes(row.Modes);
    FGrid.setEditTriggers(row.Editing ? QAbstractItemView::DoubleClicked : QAbstractItemView::NoEditTriggers);
    FGrid.SetSelection({1, 2, 1, 2});
    QTest::keySequence(&FGrid, row.Key);
    EXPECT_EQ(ClipboardText(), QString::fromLatin1(row.Clipboard));
    EXPECT_EQ(FGrid.Cells(1, 2), QString::fromLatin1(row.Cell));
    // The header row is never emptied.
    EXPECT_EQ(FGrid.Cells(1, 0), QStringLiteral("H1"));
  }
}

TEST_F(StringGridTest, MenuAndEditMenuOfferWhatTheModesAllowButNeverPaste) {
  QAction pageCommand(QStringLiteral("Page command"));
  FGrid.AddContextAction(&pageCommand);
  const struct {
    Grid::TEditModes Modes;
    QStringList Menu;
    QStringList Offered;
  } rows[] = {
      {Grid::emCopy, {"&Copy", "Select &All", "-", "Page command"}, {"copy"}},
      {Grid::emCut | Grid::emClear | Grid::emPaste,
       {"(&Copy)", "Select &All", "-", "Page command"},
       {"cut", "clear"}},
  };
  for (const auto& row : rows) {
    FGrid.SetEditModes(row.Modes);
    EXPECT_EQ(ParlamineTest::ContextMenuItems(&FGrid), row.Menu);
    EXPECT_EQ(ParlamineTest::OfferedRequests(&FGrid), row.Offered);
  }
  FGrid.SetEditModes(Grid::emCopy);
  FGrid.SetRowCount(1);  // the header row alone: nothing to copy
  EXPECT_EQ(ParlamineTest::OfferedRequests(&FGrid), QStringList());
}

TEST_F(StringGridTest, RequestsOutsideTheEditModesAreNotAccepted) {
  FGrid.SetEditModes(Grid::emCopy);
  EXPECT_TRUE(SendClipboardRequest(&FGrid, TClipboardRequest::crCopy));
  EXPECT_FALSE(SendClipboardRequest(&FGrid, TClipboardRequest::crCut));
  EXPECT_FALSE(SendClipboardRequest(&FGrid, TClipboardRequest::crClear));
  EXPECT_FALSE(SendClipboardRequest(&FGrid, TClipboardRequest::crPaste));
}

TEST_F(StringGridTest, ClearEmptiesEveryCellOfTheSelection) {
  FGrid.SetEditModes(Grid::emClear);
  FGrid.SetSelection({0, 1, 1, 2});
  SendClipboardRequest(&FGrid, TClipboardRequest::crClear);
  for (int row = 1; row <= 2; ++row)
    for (int col = 0; col <= 1; ++col) EXPECT_EQ(FGrid.Cells(col, row), QString()) << col << "," << row;
  EXPECT_EQ(FGrid.Cells(2, 1), QStringLiteral("2:1"));
  EXPECT_EQ(FGrid.Cells(0, 3), QStringLiteral("0:3"));
}

TEST_F(StringGridTest, HeaderClicksSelectColumnsAndShiftExtends) {
  ShowGrid();
  QHeaderView* header = FGrid.horizontalHeader();
  auto clickHeader = [&](int section, Qt::KeyboardModifiers modifiers) {
    const QPoint point(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                       header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, point);
  };
  clickHeader(2, Qt::NoModifier);
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{2, 1, 2, 4}));
  clickHeader(1, Qt::ShiftModifier);
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{1, 1, 2, 4}));
  FGrid.CopyToClipboard();
  EXPECT_EQ(ClipboardText(), QStringLiteral("H1\tH2\r\n1:1\t2:1\r\n1:2\t2:2\r\n1:3\t2:3\r\n1:4\t2:4\r\n"));
}

TEST_F(StringGridTest, AHeaderPressReleasedElsewhereSelectsNothing) {
  ShowGrid();
  FGrid.SetSelection({0, 3, 0, 3});
  QHeaderView* header = FGrid.horizontalHeader();
  const int y = header->height() / 2;
  auto middleOf = [&](int section) {
    return header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
  };
  QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(middleOf(2), y));
  QTest::mouseMove(header->viewport(), QPoint(middleOf(0), y));
  QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(middleOf(0), y));
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{0, 3, 0, 3}));
}

TEST_F(StringGridTest, RowHeadersAndTheCornerSelectRowsAndEverything) {
  FGrid.SetFixedCols(1);
  ShowGrid();
  QHeaderView* rows = FGrid.verticalHeader();
  auto clickRow = [&](int section, Qt::KeyboardModifiers modifiers) {
    const QPoint point(rows->width() / 2,
                       rows->sectionViewportPosition(section) + rows->sectionSize(section) / 2);
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, modifiers, point);
  };
  clickRow(3, Qt::NoModifier);  // grid row 4
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{1, 4, 2, 4}));
  clickRow(1, Qt::ShiftModifier);
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{1, 2, 2, 4}));
  // A column header click is no anchor for extending rows.
  QHeaderView* columns = FGrid.horizontalHeader();
  QTest::mouseClick(columns->viewport(), Qt::LeftButton, {},
                    QPoint(columns->sectionViewportPosition(1) + 5, columns->height() / 2));
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{2, 1, 2, 4}));
  clickRow(0, Qt::ShiftModifier);
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{1, 1, 2, 1}));

  auto* corner = FGrid.findChild<QAbstractButton*>();
  ASSERT_NE(corner, nullptr);
  corner->click();
  EXPECT_EQ(FGrid.Selection(), (Grid::TGridRect{1, 1, 2, 4}));
}

TEST_F(StringGridTest, ColumnAlignmentsFollowTheColumnCount) {
  FGrid.SetColAlignment(1, taRightJustify);
  FGrid.SetColAlignment(5, taCenter);  // outside the grid: ignored
  EXPECT_EQ(FGrid.ColAlignment(1), taRightJustify);
  EXPECT_EQ(FGrid.ColAlignment(5), taLeftJustify);
  QSignalSpy spy(&FGrid, &Grid::OnColCountChange);
  FGrid.SetColCount(6);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 3);
  EXPECT_EQ(FGrid.ColAlignment(5), taLeftJustify);
  EXPECT_EQ(FGrid.ColAlignment(1), taRightJustify);
  FGrid.SetColCount(6);
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(StringGridTest, RowColoursFollowTheRowCount) {
  FGrid.SetRowColor(2, Qt::yellow);
  QSignalSpy spy(&FGrid, &Grid::OnRowCountChange);
  FGrid.SetRowCount(8);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 5);
  EXPECT_EQ(FGrid.RowColor(2), QColor(Qt::yellow));
  EXPECT_FALSE(FGrid.RowColor(7).isValid());
  EXPECT_FALSE(FGrid.RowColor(8).isValid());
  EXPECT_FALSE(FGrid.RowColor(-1).isValid());
  FGrid.SetRowCount(2);
  EXPECT_EQ(spy.at(1).at(0).toInt(), 8);
  EXPECT_EQ(FGrid.Cells(0, 2), QString());  // rows beyond the count are gone
}

TEST_F(StringGridTest, AutoSizeColumnFitsTheWidestTextButNotBelowTheDefault) {
  const QFontMetrics metrics(FGrid.font());
  const QString wide = QStringLiteral("A rather long text for one cell");
  FGrid.SetCells(0, 2, wide);
  FGrid.AutoSizeColumn(0, 0, 4);
  EXPECT_EQ(FGrid.ColWidths(0), metrics.horizontalAdvance(wide) + 4 + 1);  // and the grid line
  // Rows outside the range do not count; the column shrinks to the default.
  FGrid.AutoSizeColumn(0, 3, 100);
  EXPECT_EQ(FGrid.ColWidths(0), FGrid.DefaultColWidth());
}

TEST_F(StringGridTest, AutoWidthGrowsAColumnWhenDrawnAndNeverShrinksIt) {
  ShowGrid();
  const QString wide = QStringLiteral("Text much wider than sixty-four pixels");
  const int needed = QFontMetrics(FGrid.font()).horizontalAdvance(wide) + 4 + 1;
  FGrid.SetCells(1, 1, wide);
  FGrid.grab();
  QCoreApplication::processEvents();
  EXPECT_EQ(FGrid.ColWidths(1), needed);
  FGrid.SetCells(1, 1, QStringLiteral("x"));
  FGrid.grab();
  QCoreApplication::processEvents();
  EXPECT_EQ(FGrid.ColWidths(1), needed);

  FGrid.SetAutoWidth(false);
  FGrid.SetCells(2, 1, wide);
  FGrid.grab();
  QCoreApplication::processEvents();
  EXPECT_EQ(FGrid.ColWidths(2), FGrid.DefaultColWidth());
}

TEST_F(StringGridTest, AutoSizingHappensWhenTheTextChangesNotWhilePainting) {
  ShowGrid();
  const QString wide = QStringLiteral("Another text far wider than the default column");
  FGrid.SetCells(1, 2, wide);
  // No paint has run: the column already fits, and painting changes nothing.
  EXPECT_EQ(FGrid.ColWidths(1), QFontMetrics(FGrid.font()).horizontalAdvance(wide) + 4 + 1);
  const int fitted = FGrid.ColWidths(1);
  FGrid.grab();
  EXPECT_EQ(FGrid.ColWidths(1), fitted);

  // Switching AutoWidth on fits the texts set while it was off.
  FGrid.SetAutoWidth(false);
  FGrid.SetCells(2, 2, wide);
  EXPECT_EQ(FGrid.ColWidths(2), FGrid.DefaultColWidth());
  FGrid.SetAutoWidth(true);
  EXPECT_EQ(FGrid.ColWidths(2), fitted);
}

TEST_F(StringGridTest, FixedFontFollowsTheParentUntilSet) {
  QWidget parent;
  QFont big = parent.font();
  big.setPointSize(big.pointSize() + 6);
  FGrid.setParent(&parent);
  parent.setFont(big);
  EXPECT_EQ(FGrid.FixedFont().pointSize(), big.pointSize());
  EXPECT_EQ(FGrid.GetCellFont(1, 0).pointSize(), big.pointSize());

  QFont own = big;
  own.setBold(true);
  FGrid.SetFixedFont(own);
  EXPECT_FALSE(FGrid.ParentFixedFont());
  parent.setFont(QFont());
  EXPECT_TRUE(FGrid.FixedFont().bold());
  EXPECT_TRUE(FGrid.GetCellFont(0, 0).bold());
  EXPECT_FALSE(FGrid.GetCellFont(0, 1).bold());  // normal cells use the grid's font
  FGrid.setParent(nullptr);
}

TEST_F(StringGridTest, OnGetCellFontMayChangeOneCell) {
  QObject::connect(&FGrid, &Grid::OnGetCellFont, &FGrid, [](QFont* font, int col, int row) {
    if (col == 2 && row == 3) font->setItalic(true);
  });
  EXPECT_TRUE(FGrid.GetCellFont(2, 3).italic());
  EXPECT_FALSE(FGrid.GetCellFont(2, 2).italic());
}

TEST_F(StringGridTest, MovingTheFixedRowKeepsTheTexts) {
  FGrid.SetFixedRows(0);
  EXPECT_EQ(FGrid.RowCount(), 5);
  EXPECT_EQ(FGrid.Cells(1, 0), QStringLiteral("H1"));
  EXPECT_EQ(FGrid.Cells(1, 4), QStringLiteral("1:4"));
  FGrid.SetFixedRows(1);
  EXPECT_EQ(FGrid.Cells(1, 0), QStringLiteral("H1"));
  EXPECT_EQ(FGrid.horizontalHeaderItem(1)->text(), QStringLiteral("H1"));
  EXPECT_EQ(FGrid.Cells(1, 4), QStringLiteral("1:4"));
}

}  // namespace
}  // namespace Parlamine
