// SPDX-License-Identifier: MIT
// The Latency Calculator as a whole: the properties dialog opened from an
// element and following the selection, stale results recomputed only when a
// results page is entered, and Edit > Copy on the setup page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "LatencyCalculator.h"
#include "LatencyGraphsView.h"
#include "LatencyStatisticsView.h"
#include "LatencyThroughputView.h"
#include "NetworkSetupEditor.h"
#include "ParlamineNetworkButton.h"
#include "ParlamineNetworkButtonForm.h"
#include "ParlamineRainbowBar.h"
#include "QStringPrinter.h"
#include "RegistryTree.h"
#include "TestSupport.h"
#include "ViewCommandsProbe.h"
#include "ZellClipboardRequest.h"
#include "ZellPanels.h"
#include "ZellStringGrid.h"

using namespace Parlamine;

namespace {

class CalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Calculator = std::make_unique<TLatencyCalculator>();
    Calculator->resize(312, 340);
    Calculator->show();
    Calculator->InitLatency(Tree);
    Editor = Calculator->SetupEditor();
  }
  TNetworkButton* At(int index) const { return Editor->Networks().at(index); }
  TNetworkButtonForm* Form() const { return Calculator->GetNetworkButtonForm(false); }
  void EnterPage(int page) {
    Calculator->PageControl()->setCurrentIndex(page);
    QApplication::processEvents();
  }
  void Activate() {
    QApplication::setActiveWindow(Calculator.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Calculator.get()));
  }

  TRegistryTree Tree;
  std::unique_ptr<TLatencyCalculator> Calculator;
  TNetworkSetupEditor* Editor = nullptr;
};

TEST_F(CalculatorTest, PropertiesItemOpensTheDialogWhichFollowsTheSelection) {
  ASSERT_NE(Form(), nullptr);
  EXPECT_FALSE(Form()->isVisible());
  Editor->SelectNetwork(Editor->Server());  // hidden dialog: nothing shown
  EXPECT_FALSE(Form()->isVisible());

  At(1)->PropertiesItem()->trigger();
  EXPECT_TRUE(Form()->isVisible());
  EXPECT_EQ(Form()->NetworkButton(), At(1));
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("<Unknown Topology> Properties"));

  QTest::mouseClick(Editor->Client(), Qt::LeftButton);
  EXPECT_EQ(Form()->NetworkButton(), Editor->Client());
  EXPECT_EQ(Form()->windowTitle(), QStringLiteral("Client Properties"));
}

TEST_F(CalculatorTest, ApplyingMarksResultsStaleAndReappliesTheRemoveRule) {
  EnterPage(1);
  EXPECT_FALSE(Calculator->Model().LatencyDirty());
  EnterPage(0);

  At(1)->PropertiesItem()->trigger();
  QComboBox* topology = Form()->TopologyBox();
  const int ethernet = topology->findText(QStringLiteral("Ethernet"));
  topology->setCurrentIndex(ethernet);
  emit topology->activated(ethernet);
  Form()->findChild<QPushButton*>(QStringLiteral("ApplyButton"))->click();
  EXPECT_TRUE(Calculator->Model().LatencyDirty());
  // Applying a network kind shows "Remove", which the only network must not offer.
  EXPECT_EQ(At(1)->NetworkButtonKind(), nbEthernet);
  EXPECT_FALSE(At(1)->RemoveItemsVisible());

  EnterPage(1);
  EXPECT_FALSE(Calculator->Model().LatencyDirty());
  // Ethernet at 10 Mbps with the first-run packets: 64 B request, 1024 B reply.
  const TLatencyResult& result = Calculator->Model().Result();
  ASSERT_EQ(result.Elements.size(), 3u);
  EXPECT_FLOAT_EQ(result.TotalDelay[ldA], 0.0000672f);
  EXPECT_FLOAT_EQ(result.TotalDelay[ldB], 0.0008352f);
  EXPECT_FLOAT_EQ(result.TotalDelay[ldAB], 0.0009024f);
}

TEST_F(CalculatorTest, OnlyChainChangesMakeTheResultsStale) {
  EnterPage(2);
  ASSERT_FALSE(Calculator->Model().LatencyDirty());
  EnterPage(0);
  Editor->InsertNetwork();
  EXPECT_TRUE(Calculator->Model().LatencyDirty());
  EnterPage(1);
  ASSERT_FALSE(Calculator->Model().LatencyDirty());
  EnterPage(0);
  Editor->SelectNetwork(At(1));
  Editor->MoveNetwork(true);
  At(1)->move(200, 200);
  EXPECT_FALSE(Calculator->Model().LatencyDirty());
  Editor->ResetNetworkButtonClick();
  EXPECT_TRUE(Calculator->Model().LatencyDirty());
}

TEST_F(CalculatorTest, OverflowingPacketSizesAreReportedAndLeaveTheResultsStale) {
  Editor->Client()->SetPacketSize(2147483647);
  Editor->Server()->SetPacketSize(1);
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  EnterPage(1);
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].Text, QStringLiteral("Integer overflow"));
  EXPECT_TRUE(Calculator->Model().LatencyDirty());
}

// The setup panel, its elements and the graphs copy the picture of their
// page by Ctrl+C and by Edit, Copy, and offer nothing else.
TEST_F(CalculatorTest, PicturesAreCopiedByTheKeyAndTheEditMenu) {
  TLatencyGraphsView* graphs = Calculator->GraphsView();
  struct Row {
    const char* Name;
    int Page;
    QWidget* Target;
    std::function<QSize()> Picture;
  };
  const Row rows[] = {
      {"setup panel", 0, Editor->Panel(), [this] { return Editor->Panel()->InnerRect().size(); }},
      {"network element", 0, At(1), [this] { return Editor->Panel()->InnerRect().size(); }},
      {"graph", 2, graphs->Bar(ldB), [graphs] { return graphs->CanvasPanel()->size(); }},
  };
  const std::pair<const char*, std::function<void(QWidget*)>> ways[] = {
      {"Ctrl+C", [](QWidget* target) { QTest::keySequence(target, QKeySequence::Copy); }},
      {"Edit, Copy",
       [](QWidget* target) { EXPECT_TRUE(SendClipboardRequest(target, TClipboardRequest::crCopy)); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    EnterPage(row.Page);
    EXPECT_TRUE(CanCarryOut(row.Target, TClipboardRequest::crCopy)) << "Edit, Copy is offered";
    for (const auto& [way, copy] : ways) {
      QApplication::clipboard()->clear();
      copy(row.Target);
      const QImage image = QApplication::clipboard()->image();
      EXPECT_EQ(image.size() / image.devicePixelRatio(), row.Picture()) << way;
    }
    EXPECT_EQ(ParlamineTest::OfferedRequests(row.Target), QStringList{"copy"});
  }
}

TEST_F(CalculatorTest, TabReachesTheSetupPanelAndEachGraph) {
  Activate();
  TLatencyGraphsView* graphs = Calculator->GraphsView();
  const struct {
    int Page;
    QWidget* Start;
    QList<QWidget*> Stops;
  } rows[] = {
      {0, Editor->findChild<QWidget*>(QStringLiteral("CopyNetworkSetupButton")), {Editor->Panel()}},
      {2, Calculator->PageControl()->tabBar(), {graphs->Bar(ldA), graphs->Bar(ldB), graphs->Bar(ldAB)}},
  };
  for (const auto& row : rows) {
    EnterPage(row.Page);
    row.Start->setFocus(Qt::TabFocusReason);
    for (QWidget* stop : row.Stops) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget(), stop) << stop->objectName().toStdString();
    }
  }
  EXPECT_EQ(ParlamineTest::ContextMenuItems(Editor->Panel()), QStringList({"&Insert Network", "-", "&Copy"}));
  // The focused graph shows a frame, which its picture leaves out.
  TRainbowBar* bar = graphs->Bar(ldAB);
  const QRgb highlight = bar->palette().color(QPalette::Highlight).rgb();
  EXPECT_EQ(bar->grab().toImage().pixel(0, bar->height() / 2), highlight);
  EXPECT_EQ(ParlamineTest::ContextMenuItems(bar), QStringList{"&Copy"});
  bar->findChild<QAction*>(QStringLiteral("CopyItem"))->trigger();
  const QImage picture = QApplication::clipboard()->image();
  ASSERT_FALSE(picture.isNull());
  EXPECT_NE(picture.pixel(bar->mapTo(graphs->CanvasPanel(), QPoint(0, bar->height() / 2))), highlight);
}

TEST_F(CalculatorTest, StatisticsTableCopiesByItsKeysAndNeverTrapsTheFocus) {
  EnterPage(1);
  Activate();
  TSuperStringGrid* grid = Calculator->StatisticsView()->Grid();
  // 3 columns of 3 elements and the totals: 11 steps inside, the 12th out.
  for (const auto& [from, modifiers] :
       {std::pair{QPoint(0, 1), Qt::NoModifier}, {QPoint(2, 4), Qt::ShiftModifier}}) {
    grid->setFocus(Qt::TabFocusReason);
    grid->SetSelection({from.x(), from.y(), from.x(), from.y()});
    int presses = 0;
    for (; QApplication::focusWidget() == grid && presses < 20; ++presses)
      QTest::keyClick(grid, Qt::Key_Tab, modifiers);
    EXPECT_EQ(presses, 12) << modifiers;
  }
  // The grid's keys come before a window's shortcut for them.
  QAction windowCopy(QStringLiteral("Window copy"));
  windowCopy.setShortcut(QKeySequence::Copy);
  Calculator->addAction(&windowCopy);
  QSignalSpy windowCopied(&windowCopy, &QAction::triggered);
  grid->setFocus(Qt::TabFocusReason);
  QTest::keySequence(grid, QKeySequence::SelectAll);
  QTest::keySequence(grid, QKeySequence::Copy);
  EXPECT_EQ(windowCopied.count(), 0);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied.count(QStringLiteral("\r\n")), 5);
  Calculator->StatisticsView()->findChild<QToolButton*>(QStringLiteral("CopyLatencyStatsButton"))->click();
  EXPECT_EQ(QApplication::clipboard()->text(), copied);
  EXPECT_EQ(ParlamineTest::OfferedRequests(grid), QStringList{"copy"});
}

// Client 10 ms - Satellite 0.512 Mbps / 270 ms - T1 1.544 Mbps / 5 ms -
// server 5 ms, packets 64 and 1024 bytes. The request's delays:
// satellite 0.271, T1 0.005 + 512 / 1544000 = 0.0053316, client 0.010.
struct TMovedChainCase {
  bool MoveT1Left;  // else the satellite right: the same swap from the other side
};

class MovedChainTest : public CalculatorTest, public ::testing::WithParamInterface<TMovedChainCase> {
 protected:
  void BuildChain() {
    Editor->Client()->SetPacketSize(64);
    Editor->Client()->SetProcessTime(10);
    Editor->Server()->SetPacketSize(1024);
    Editor->Server()->SetProcessTime(5);
    SetNetwork(At(1), nbSatellite, QStringLiteral("Satellite"), 0.512, 270);
    Editor->SelectNetwork(Editor->Server());
    SetNetwork(Editor->InsertNetwork(), nbTCarrier, QStringLiteral("T1"), 1.544, 5);
    // The chain is now client, Satellite, T1, server.
  }
  static void SetNetwork(TNetworkButton* network, TNetworkButtonKind kind, const QString& name, double mbps,
                         int32_t delay) {
    network->SetNetworkButtonKind(kind);
    network->SetNetworkName(name);
    network->SetBandwidth(mbps);
    network->SetPropDelay(delay);
    network->UpdateHint();
  }
  // The statistics table's texts of chain element i (row i + 1, under the
  // header): the hint's first word, the delay, the percent.
  QStringList StatisticsRow(int i) const {
    const TSuperStringGrid* grid = Calculator->StatisticsView()->Grid();
    const int row = i + 1;
    return {grid->Cells(0, row).section(QLatin1Char(' '), 0, 0), grid->Cells(1, row), grid->Cells(2, row)};
  }
};

TEST_P(MovedChainTest, ResultsStayWithTheirElementsAfterAMove) {
  BuildChain();
  EnterPage(1);
  ASSERT_EQ(StatisticsRow(2), QStringList({"T1", "0.0053316", "1.9%"}));
  ASSERT_EQ(StatisticsRow(1), QStringList({"Satellite", "0.2710000", "94.6%"}));
  EnterPage(2);
  const float satelliteShare = Calculator->GraphsView()->Bar(ldA)->Stripes(1).Value();
  ASSERT_GT(satelliteShare, 0.9f);

  EnterPage(0);
  if (GetParam().MoveT1Left) {
    Editor->SelectNetwork(At(2));
    Editor->MoveNetwork(false);
  } else {
    Editor->SelectNetwork(At(1));
    Editor->MoveNetwork(true);
  }
  ASSERT_EQ(At(1)->NetworkName(), QStringLiteral("T1"));

  EnterPage(1);
  EXPECT_EQ(StatisticsRow(1), QStringList({"T1", "0.0053316", "1.9%"}));
  EXPECT_EQ(StatisticsRow(2), QStringList({"Satellite", "0.2710000", "94.6%"}));
  EXPECT_EQ(StatisticsRow(0), QStringList({"Client", "0.0100000", "3.5%"}));
  EXPECT_EQ(StatisticsRow(4), QStringList({"Totals:", "0.2863316", "100.0%"}));
  EnterPage(2);
  EXPECT_EQ(Calculator->GraphsView()->Bar(ldA)->Stripes(2).Value(), satelliteShare);
  EXPECT_LT(Calculator->GraphsView()->Bar(ldA)->Stripes(1).Value(), 0.02f);
}

INSTANTIATE_TEST_SUITE_P(BothDirections, MovedChainTest,
                         ::testing::Values(TMovedChainCase{true}, TMovedChainCase{false}),
                         [](const auto& info) {
                           return info.param.MoveT1Left ? "T1MovedLeft" : "SatelliteMovedRight";
                         });

// Entering the TCP page computes a changed chain; a committed input refills
// the table at once and is reported for storing; a text that is no size is
// put back; the copy button copies the table.
TEST_F(CalculatorTest, ThroughputPageFollowsTheChainAndItsInputs) {
  At(1)->SetNetworkButtonKind(nbWiFi);
  At(1)->SetNetworkName(QStringLiteral("Wi-Fi 6 (802.11ax)"));
  At(1)->SetBandwidth(50);
  At(1)->SetPropDelay(2);
  At(1)->UpdateHint();
  Editor->Client()->SetPacketSize(64);
  Editor->Server()->SetPacketSize(1500);
  EnterPage(3);
  TLatencyThroughputView* view = Calculator->ThroughputView();
  TSuperStringGrid* grid = view->Grid();
  EXPECT_EQ(grid->Cells(1, 2), QStringLiteral("Wi-Fi 6 (802.11ax) (50 Mbps, 2 ms prop. delay)"));
  EXPECT_EQ(grid->Cells(1, 3), QStringLiteral("0.0042502 s"));
  EXPECT_EQ(grid->Cells(1, 4), QStringLiteral("26564 B (25.94 KiB)"));

  QSignalSpy stored(view, &TLatencyThroughputView::OnInputsChanged);
  view->WindowEdit()->setText(QStringLiteral("16KiB"));
  emit view->WindowEdit()->editingFinished();
  EXPECT_EQ(view->Inputs().WindowBytes, 16384);
  EXPECT_EQ(view->WindowEdit()->text(), QStringLiteral("16384"));
  EXPECT_EQ(grid->Cells(0, 10), QStringLiteral("Your window 16 KiB"));
  EXPECT_EQ(grid->Cells(1, 10), QStringLiteral("30.8387 Mbps"));  // 16384 x 8 / 0.00425024 s
  EXPECT_EQ(stored.count(), 1);

  view->LossEdit()->setText(QStringLiteral("lots"));
  emit view->LossEdit()->editingFinished();
  EXPECT_EQ(view->LossEdit()->text(), QStringLiteral("0.01"));
  EXPECT_EQ(stored.count(), 1);

  QApplication::clipboard()->clear();
  grid->selectAll();
  view->findChild<QToolButton*>(QStringLiteral("CopyThroughputButton"))->click();
  EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("Round trip\t0.0042502 s")));
}

}  // namespace
