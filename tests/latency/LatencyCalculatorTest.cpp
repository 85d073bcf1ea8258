// SPDX-License-Identifier: MIT
// The Latency Calculator as a whole: the properties dialog opened from an
// element and following the selection, stale results recomputed only when a
// results page is entered, and Edit > Copy on the setup page.
#include "LatencyCalculator.h"
#include "NetworkSetupEditor.h"
#include "ParlamineNetworkButton.h"
#include "ParlamineNetworkButtonForm.h"
#include "RegistryTree.h"
#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellPanels.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

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

TEST_F(CalculatorTest, EditCopyOnTheSetupPageCopiesItsPicture) {
  QApplication::clipboard()->clear();
  for (QWidget* target : {static_cast<QWidget*>(Editor->Panel()), static_cast<QWidget*>(At(1))}) {
    QApplication::clipboard()->clear();
    EXPECT_TRUE(target->property("ClipboardCopy").toBool());
    EXPECT_TRUE(SendClipboardRequest(target, TClipboardRequest::crCopy));
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
  }
}

}  // namespace
