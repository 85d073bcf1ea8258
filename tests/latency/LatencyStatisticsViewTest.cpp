// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLocale>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "LatencyStatisticsView.h"
#include "LatencyTestChains.h"
#include "ZellGlobal.h"
#include "ZellStringGrid.h"

namespace Parlamine {
namespace {

class StatisticsViewTest : public ::testing::Test {
 protected:
  void SetUp() override { FView.resize(306, 315); }

  QStringList Column(int col) {
    QStringList texts;
    for (int row = 0; row < Grid()->RowCount(); ++row) texts << Grid()->Cells(col, row);
    return texts;
  }
  TSuperStringGrid* Grid() { return FView.Grid(); }
  QList<QRadioButton*> DirectionButtons() {
    return FView.findChild<QGroupBox*>(QStringLiteral("PacketDirRadioGroup"))->findChildren<QRadioButton*>();
  }

  TLatencyStatisticsView FView;
};

TEST_F(StatisticsViewTest, TableIsPreparedOnConstruction) {
  ASSERT_EQ(Grid()->objectName(), QStringLiteral("LatencyStatsStringGrid"));
  EXPECT_EQ(Grid()->ColCount(), 3);
  EXPECT_EQ(Grid()->FixedRows(), 1);
  EXPECT_EQ(Grid()->FixedCols(), 0);
  EXPECT_FALSE(Grid()->AutoHeight());
  EXPECT_FALSE(Grid()->AutoWidth());
  EXPECT_EQ(Grid()->Cells(0, 0), QStringLiteral("Network Element"));
  EXPECT_EQ(Grid()->Cells(1, 0), QStringLiteral("Delay (sec)"));
  EXPECT_EQ(Grid()->Cells(2, 0), QStringLiteral("Percent"));
  EXPECT_EQ(Grid()->ColAlignment(0), taLeftJustify);
  EXPECT_EQ(Grid()->ColAlignment(1), taRightJustify);
  EXPECT_EQ(Grid()->ColAlignment(2), taRightJustify);
  EXPECT_EQ(Grid()->ColWidths(0), 145);

  auto* group = FView.findChild<QGroupBox*>(QStringLiteral("PacketDirRadioGroup"));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title(), QStringLiteral("Packet &Direction"));
  EXPECT_EQ(group->toolTip(),
            QStringLiteral("Select a packet transmission direction to show statistics for"));
  QStringList captions;
  for (QRadioButton* button : DirectionButtons()) captions << button->text();
  EXPECT_EQ(captions, QStringList({QStringLiteral("Clt -> Svr"), QStringLiteral("Clt <- Svr"),
                                   QStringLiteral("Clt <-> Svr")}));
  EXPECT_EQ(FView.Direction(), ldA);
  auto* copy = FView.findChild<QToolButton*>(QStringLiteral("CopyLatencyStatsButton"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->toolTip(), QStringLiteral("Copy latancy statistics table to clipboard"));
  EXPECT_EQ(copy->statusTip(), copy->toolTip());
}

TEST_F(StatisticsViewTest, EachDirectionShowsItsDelaysSharesAndTotal) {
  struct Row {
    TLatencyDirection Direction;
    QStringList Delays;
    QStringList Percents;
  };
  const std::vector<Row> rows = {
      {ldA,
       {"Delay (sec)", "0.0100000", "0.2710000", "0.0000000", "0.2810000"},
       {"Percent", "3.6%", "96.4%", "0.0%", "100.0%"}},
      {ldB,
       {"Delay (sec)", "0.0000000", "0.2860000", "0.0050000", "0.2910000"},
       {"Percent", "0.0%", "98.3%", "1.7%", "100.0%"}},
      {ldAB,
       {"Delay (sec)", "0.0100000", "0.5570000", "0.0050000", "0.5720000"},
       {"Percent", "1.7%", "97.4%", "0.9%", "100.0%"}},
  };
  const TLatencyResult result = SatelliteResult();
  for (const Row& row : rows) {
    FView.SetDirection(row.Direction);
    FView.Fill(SatelliteHints, result);
    EXPECT_EQ(Grid()->RowCount(), 5);
    EXPECT_EQ(Column(0), QStringList({QStringLiteral("Network Element"), SatelliteHints[0], SatelliteHints[1],
                                      SatelliteHints[2], QStringLiteral("Totals:")}));
    EXPECT_EQ(Column(1), row.Delays);
    EXPECT_EQ(Column(2), row.Percents);
  }
}

TEST_F(StatisticsViewTest, ZeroTotalsStillRead100Percent) {
  TNetworkElement unknown;
  FView.SetDirection(ldAB);
  FView.Fill(SatelliteHints,
             ComputeLatency({Station(nbDesktopCPU, 64, 0), unknown, Station(nbTowerCPU, 1024, 0)}));
  EXPECT_EQ(Column(1).mid(1), QStringList({"0.0000000", "0.0000000", "0.0000000", "0.0000000"}));
  EXPECT_EQ(Column(2).mid(1), QStringList({"0.0%", "0.0%", "0.0%", "100.0%"}));
}

class StatisticsViewCommaLocaleTest : public StatisticsViewTest {
 protected:
  void SetUp() override {
    StatisticsViewTest::SetUp();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(StatisticsViewCommaLocaleTest, FiguresUseTheLocalesDecimalSeparator) {
  FView.Fill(SatelliteHints, SatelliteResult());
  EXPECT_EQ(Column(1).mid(1), QStringList({"0,0100000", "0,2710000", "0,0000000", "0,2810000"}));
  EXPECT_EQ(Column(2).mid(1), QStringList({"3,6%", "96,4%", "0,0%", "100,0%"}));
}

TEST_F(StatisticsViewTest, ColumnsFitTheirWidestText) {
  ApplyApplicationFont();
  FView.Fill(SatelliteHints, SatelliteResult());
  const QFontMetrics metrics(Grid()->font());
  // The laid-out line (a pixel wider than the advance where glyphs end in
  // fractions), the cell's 2-pixel insets and the grid line, no more.
  const int line =
      std::max(metrics.horizontalAdvance(SatelliteHints[1]), metrics.size(0, SatelliteHints[1]).width());
  EXPECT_EQ(Grid()->ColWidths(0), line + 4 + 1);
  // Short figures keep the default width instead of shrinking below it.
  EXPECT_EQ(Grid()->ColWidths(2), Grid()->DefaultColWidth());
}

TEST_F(StatisticsViewTest, ClickingADirectionAsksTheOwnerToRefill) {
  FView.show();
  QSignalSpy spy(&FView, &TLatencyStatisticsView::OnPacketDirRadioGroupClick);
  QTest::mouseClick(DirectionButtons().at(2), Qt::LeftButton);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(FView.Direction(), ldAB);
  QTest::mouseClick(DirectionButtons().at(1), Qt::LeftButton);
  EXPECT_EQ(spy.count(), 2);
  EXPECT_EQ(FView.Direction(), ldB);
}

TEST_F(StatisticsViewTest, TheDirectionCanBeChosenFromTheKeyboard) {
  FView.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&FView));
  QSignalSpy spy(&FView, &TLatencyStatisticsView::OnPacketDirRadioGroupClick);
  QTest::keyClick(&FView, Qt::Key_D, Qt::AltModifier);
  ASSERT_EQ(QApplication::focusWidget(), DirectionButtons().at(0));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_EQ(FView.Direction(), ldB);
  EXPECT_EQ(spy.count(), 1);
}

TEST_F(StatisticsViewTest, WithoutAChoiceTheFirstCellIsSelectedAndCopied) {
  FView.Fill(SatelliteHints, SatelliteResult());
  EXPECT_TRUE(Grid()->item(0, 0)->isSelected());
  FView.findChild<QToolButton*>(QStringLiteral("CopyLatencyStatsButton"))->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("Network Element\r\n") + SatelliteHints[0] + QStringLiteral("\r\n"));
}

TEST_F(StatisticsViewTest, CopyButtonCopiesTheHeaderAndTheSelectedCells) {
  FView.Fill(SatelliteHints, SatelliteResult());
  FView.show();
  Grid()->SetSelection({0, 2, 2, 4});
  FView.findChild<QToolButton*>(QStringLiteral("CopyLatencyStatsButton"))->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("Network Element\tDelay (sec)\tPercent\r\n"
                           "Satellite (0.512 Mbps, 270 ms prop. delay)\t0.2710000\t96.4%\r\n"
                           "Server (1024 B pkt., 5 ms proc. time)\t0.0000000\t0.0%\r\n"
                           "Totals:\t0.2810000\t100.0%\r\n"));
}

TEST_F(StatisticsViewTest, PageFitsTheCalculatorsPageArea) {
  ApplyApplicationFont();
  FView.Fill(SatelliteHints, SatelliteResult());
  FView.show();
  QCoreApplication::processEvents();
  auto* group = FView.findChild<QGroupBox*>(QStringLiteral("PacketDirRadioGroup"));
  auto* copy = FView.findChild<QToolButton*>(QStringLiteral("CopyLatencyStatsButton"));
  EXPECT_GE(group->width(), group->minimumSizeHint().width());
  EXPECT_FALSE(group->geometry().intersects(copy->geometry()));
  EXPECT_TRUE(FView.rect().contains(Grid()->geometry()));
  EXPECT_GE(Grid()->height(), 100);
  if (const QByteArray dir = qgetenv("PARLAMINE_RENDER_DIR"); !dir.isEmpty())
    FView.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/latency_stats.png"));
}

}  // namespace
}  // namespace Parlamine
