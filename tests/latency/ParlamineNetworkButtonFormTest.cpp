// SPDX-License-Identifier: MIT
// The properties dialog: setting up per kind, topology choice and typed
// names, the bandwidth key filter, OK / Apply / Cancel and the bad-number
// message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "ParlamineNetworkButton.h"
#include "ParlamineNetworkButtonForm.h"
#include "TestSupport.h"
#include "ZellSpinEdit.h"

using namespace Parlamine;

namespace {

// Names the user adds follow the listed topologies.
const int ListedTopologies = static_cast<int>(Topologies().size());

TEST(BandwidthText, ReadsNumbersWithTheDecimalSeparatorOnly) {
  struct Case {
    const char* Text;
    std::optional<double> Expected;
  } cases[] = {
      {"12.5", 12.5},        {"0", 0.0},
      {" 100 ", 100.0},      {"1.", 1.0},
      {".5", 0.5},           {"1e3", 1000.0},
      {"-2", -2.0},          {"", std::nullopt},
      {".", std::nullopt},   {"1.2.3", std::nullopt},
      {"1,5", std::nullopt}, {"12a", std::nullopt},
      {"1e", std::nullopt},  {"1e999", std::nullopt},
      {"nan", std::nullopt}, {"inf", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto value = TextToFloat(QString::fromLatin1(c.Text), u'.');
    EXPECT_EQ(value.has_value(), c.Expected.has_value()) << '"' << c.Text << '"';
    if (value && c.Expected) {
      EXPECT_DOUBLE_EQ(*value, *c.Expected) << c.Text;
    }
  }
  EXPECT_EQ(TextToFloat(QStringLiteral("1,5"), u','), 1.5);
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Host = std::make_unique<QWidget>();
    Network = new TNetworkButton(Host.get());
    Client = new TNetworkButton(Host.get());
    Client->SetNetworkButtonKind(nbDesktopCPU);
    Client->SetNetworkName(QStringLiteral("Client"));
    Client->SetPacketSize(64);
    Client->SetProcessTime(10);
    Form = new TNetworkButtonForm(Host.get());
    Form->SetOnApply([this] { ++Applied; });
  }

  template <class T>
  T* Find(const char* name) const {
    return Form->findChild<T*>(QLatin1String(name));
  }
  QComboBox* Topology() const { return Find<QComboBox>("TopologyComboBox"); }
  QComboBox* Bandwidth() const { return Find<QComboBox>("BandwidthComboBox"); }
  TBetterSpinEdit* PropDelay() const { return Find<TBetterSpinEdit>("PropDelaySpinEdit"); }
  QStringList Items(QComboBox* box) const {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
  }
  void Choose(const char* topology) {
    const int index = Topology()->findText(QLatin1String(topology));
    ASSERT_GE(index, 0) << topology;
    Topology()->setCurrentIndex(index);
    emit Topology()->activated(index);
  }
  void Leave(QWidget* field) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(field, &out);
  }
  void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

  std::unique_ptr<QWidget> Host;
  TNetworkButton* Network = nullptr;
  TNetworkButton* Client = nullptr;
  TNetworkButtonForm* Form = nullptr;
  int Applied = 0;
};

TEST_F(DialogTest, AStationShowsItsOwnFieldsInTheShortDialog) {
  Form->ShowFor(Client);
  EXPECT_TRUE(Form->isVisible());
  EXPECT_TRUE(Find<QWidget>("StationPanel")->isVisible());
  EXPECT_FALSE(Find<QWidget>("NetworkPanel")->isVisible());
  EXPECT_EQ(Form->height(), TNetworkButtonForm::StationHeight);
  EXPECT_EQ(Find<QPushButton>("OKButton")->y(), TNetworkButtonForm::StationButtonsTop);
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Client Properties"));
  EXPECT_EQ(Find<TBetterSpinEdit>("PacketSizeSpinEdit")->Value(), 64);
  EXPECT_EQ(Find<TBetterSpinEdit>("ProcessTimeSpinEdit")->Value(), 10);
  EXPECT_EQ(Topology()->currentText(), QStringLiteral("<Unknown Topology>"));

  Find<TBetterSpinEdit>("PacketSizeSpinEdit")->SetValue(1500);
  Click("OKButton");
  EXPECT_EQ(Client->PacketSize(), 1500);
  EXPECT_EQ(Client->Hint(), QStringLiteral("Client (1500 B pkt., 10 ms proc. time)"));
  EXPECT_EQ(Client->NetworkButtonKind(), nbDesktopCPU);
  EXPECT_EQ(Applied, 1);
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(DialogTest, TheDialogBorderKeepsItsSizeForEitherKind) {
  for (TNetworkButton* element : {Client, Network, Client}) {
    Form->ShowFor(element);
    EXPECT_EQ(Form->minimumSize(), Form->size()) << qPrintable(Form->windowTitle());
    EXPECT_EQ(Form->maximumSize(), Form->size()) << qPrintable(Form->windowTitle());
  }
}

TEST_F(DialogTest, EnterInANumberFieldPressesOK) {
  Form->ShowFor(Client);
  auto* packetSize = Find<TBetterSpinEdit>("PacketSizeSpinEdit");
  packetSize->setFocus();
  packetSize->selectAll();
  QTest::keyClicks(packetSize, QStringLiteral("4096"));
  QTest::keyClick(packetSize, Qt::Key_Return);
  EXPECT_EQ(Client->PacketSize(), 4096);
  EXPECT_EQ(Applied, 1);
  EXPECT_FALSE(Form->isVisible());
}

TEST_F(DialogTest, ANetworkShowsTheTallDialog) {
  Form->ShowFor(Network);
  EXPECT_EQ(Form->height(), TNetworkButtonForm::NetworkHeight);
  EXPECT_EQ(Form->width(), TNetworkButtonForm::FormClientWidth);
  EXPECT_EQ(Find<QPushButton>("ApplyButton")->y(), TNetworkButtonForm::NetworkButtonsTop);
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("<Unknown Topology> Properties"));
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("0"));
  EXPECT_EQ(Topology()->currentIndex(), -1);
  EXPECT_EQ(Network->FTopologyIndex, -1);
}

TEST_F(DialogTest, ChoosingSatelliteThenApplyingChangesTheElement) {
  Form->ShowFor(Network);
  Choose("Satellite");
  EXPECT_EQ(Items(Bandwidth()), QStringList({"0.064", "0.128", "0.256", "0.512", "1.024", "1.544", "6.312",
                                             "44.736", "274.176"}));
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("0.512"));
  EXPECT_TRUE(PropDelay()->isEnabled());
  EXPECT_EQ(PropDelay()->Value(), 270);
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Satellite Properties"));
  const QImage before = Network->icon().pixmap(40, 40).toImage();
  Click("ApplyButton");
  EXPECT_EQ(Network->NetworkButtonKind(), nbSatellite);
  EXPECT_EQ(Network->NetworkName(), QStringLiteral("Satellite"));
  EXPECT_DOUBLE_EQ(Network->Bandwidth(), 0.512);
  EXPECT_EQ(Network->PropDelay(), 270);
  EXPECT_EQ(Network->FTopologyIndex, 8);
  EXPECT_EQ(Network->Hint(), QStringLiteral("Satellite (0.512 Mbps, 270 ms prop. delay)"));
  EXPECT_NE(Network->icon().pixmap(40, 40).toImage(), before);
  EXPECT_TRUE(Form->isVisible());  // Apply keeps the dialog open
  EXPECT_EQ(Applied, 1);
}

TEST_F(DialogTest, PerKindSetUpOfBandwidthsAndPropagationDelay) {
  struct Case {
    const char* Topology;
    QStringList Choices;
    const char* Selected;
    bool DelayEnabled;
    int Delay;
  } cases[] = {
      {"Ethernet", {"10", "100", "1000"}, "10", false, 0},
      {"Token Ring", {"4", "16"}, "16", false, 0},
      {"ATM", {"25", "155.52", "622.08"}, "155.52", true, 1},
      {"56-Switched", {"0.056"}, "0.056", true, 10},
      {"HIPPI", {"800", "1600"}, "800", false, 0},
      {"T1",
       {"0.064", "0.128", "0.256", "0.512", "1.024", "1.544", "6.312", "44.736", "274.176"},
       "1.544",
       true,
       5},
  };
  Form->ShowFor(Network);
  for (const Case& c : cases) {
    Choose(c.Topology);
    EXPECT_EQ(Items(Bandwidth()), c.Choices) << c.Topology;
    EXPECT_EQ(Bandwidth()->currentText(), QLatin1String(c.Selected)) << c.Topology;
    EXPECT_EQ(PropDelay()->isEnabled(), c.DelayEnabled) << c.Topology;
    EXPECT_EQ(Find<QLabel>("PropDelayLabel")->isEnabled(), c.DelayEnabled) << c.Topology;
    EXPECT_EQ(PropDelay()->Value(), c.Delay) << c.Topology;
  }
}

TEST_F(DialogTest, TopologiesOfOneKindChangeOnlyTheBandwidth) {
  Form->ShowFor(Network);
  Choose("T1");
  PropDelay()->SetValue(7);
  Choose("T3");
  EXPECT_EQ(PropDelay()->Value(), 7);
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("44.736"));
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("T3 Properties"));
}

TEST_F(DialogTest, ATypedTopologyNameBecomesAnOtherNetworkAndStaysInTheList) {
  Form->ShowFor(Network);
  Choose("Ethernet");
  Topology()->setFocus();
  Topology()->lineEdit()->clear();
  QTest::keyClicks(Topology(), QStringLiteral("Campus"));
  EXPECT_EQ(Topology()->currentIndex(), -1);
  EXPECT_EQ(Topology()->currentText(), QStringLiteral("Campus"));
  EXPECT_EQ(Form->DialogKind(), nbOther);
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("0"));
  EXPECT_EQ(PropDelay()->Value(), 10);
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Campus Properties"));

  Leave(Topology());
  EXPECT_EQ(Topology()->count(), ListedTopologies + 1);
  EXPECT_EQ(Topology()->currentIndex(), ListedTopologies);
  EXPECT_EQ(Topology()->currentText(), QStringLiteral("Campus"));
  Click("OKButton");
  EXPECT_EQ(Network->NetworkName(), QStringLiteral("Campus"));
  EXPECT_EQ(Network->NetworkButtonKind(), nbOther);
  EXPECT_EQ(Network->FTopologyIndex, ListedTopologies);
  EXPECT_EQ(Network->Hint(), QStringLiteral("Campus (0 Mbps, 10 ms prop. delay)"));
}

TEST_F(DialogTest, LeavingTheTopologyFieldSelectsAMatchWithoutChangingTheKind) {
  Form->ShowFor(Network);
  Topology()->setFocus();
  Topology()->lineEdit()->clear();
  QTest::keyClicks(Topology(), QStringLiteral("ATM"));
  // Enter is swallowed and leaves the field as focus loss does.
  QTest::keyClick(Topology(), Qt::Key_Return);
  EXPECT_EQ(Topology()->currentIndex(), 1);
  EXPECT_EQ(Topology()->count(), ListedTopologies);
  EXPECT_EQ(Form->DialogKind(), nbOther);
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("0"));
  EXPECT_EQ(Applied, 0);  // Enter did not press OK here

  Topology()->lineEdit()->clear();
  Leave(Topology());
  EXPECT_EQ(Topology()->currentText(), QStringLiteral("<Unknown Topology>"));
  Click("ApplyButton");
  EXPECT_EQ(Network->NetworkName(), QStringLiteral("<Unknown Topology>"));
}

TEST_F(DialogTest, MovingTheFocusAwayLeavesTheTopologyField) {
  Form->ShowFor(Network);
  QApplication::setActiveWindow(Form);
  Topology()->setFocus();
  Topology()->lineEdit()->clear();
  QTest::keyClicks(Topology(), QStringLiteral("ATM"));
  Bandwidth()->setFocus();
  QApplication::processEvents();
  // The matching item is selected, but leaving does not choose the topology.
  EXPECT_EQ(Topology()->currentIndex(), 1);
  EXPECT_EQ(Form->DialogKind(), nbOther);
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("0"));

  Topology()->setFocus();
  Topology()->lineEdit()->clear();
  QTest::keyClicks(Topology(), QStringLiteral("Lab"));
  Bandwidth()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Topology()->count(), ListedTopologies + 1);
  EXPECT_EQ(Topology()->currentText(), QStringLiteral("Lab"));
}

TEST_F(DialogTest, BandwidthFieldTakesDigitsAndTheSeparatorAndRemembersNewValues) {
  Form->ShowFor(Network);
  Choose("Ethernet");
  Bandwidth()->setFocus();
  Bandwidth()->lineEdit()->clear();
  QTest::keyClicks(Bandwidth(), QStringLiteral("1a2-.5x "));
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("12.5"));
  QTest::keyClick(Bandwidth(), Qt::Key_Backspace);
  QTest::keyClicks(Bandwidth(), QStringLiteral("5"));
  Leave(Bandwidth());
  EXPECT_EQ(Items(Bandwidth()), QStringList({"10", "100", "1000", "12.5"}));
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("12.5"));
  Click("ApplyButton");
  EXPECT_DOUBLE_EQ(Network->Bandwidth(), 12.5);
  EXPECT_EQ(Network->Hint(), QStringLiteral("Ethernet (12.5 Mbps)"));

  Bandwidth()->lineEdit()->clear();
  Leave(Bandwidth());
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("0"));
  EXPECT_EQ(Bandwidth()->count(), 4);
}

TEST_F(DialogTest, ABandwidthThatIsNoNumberChangesNothingAndKeepsTheDialogOpen) {
  Form->ShowFor(Network);
  Choose("Satellite");
  Bandwidth()->setFocus();
  Bandwidth()->lineEdit()->clear();
  QTest::keyClicks(Bandwidth(), QStringLiteral("1.2.3"));
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  Click("OKButton");
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].Text, QStringLiteral("'1.2.3' is not a valid floating point value"));
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Network->NetworkButtonKind(), nbUnknownNetwork);
  EXPECT_EQ(Network->NetworkName(), QStringLiteral("<Unknown Topology>"));
  EXPECT_EQ(Network->PropDelay(), 0);
  EXPECT_EQ(Applied, 0);
}

TEST_F(DialogTest, CancelDiscardsAndShowingAnotherElementReloads) {
  Form->ShowFor(Network);
  Choose("FDDI");
  Click("CancelButton");
  EXPECT_FALSE(Form->isVisible());
  EXPECT_EQ(Network->NetworkButtonKind(), nbUnknownNetwork);

  Form->ShowFor(Network);
  Choose("X.25");
  Form->ShowFor(Client);  // unapplied edits of the network are lost
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Client Properties"));
  Form->ShowFor(Network);
  Click("ApplyButton");
  EXPECT_EQ(Network->NetworkButtonKind(), nbUnknownNetwork);
  EXPECT_EQ(Network->NetworkName(), QStringLiteral("<Unknown Topology>"));
}

TEST_F(DialogTest, StoredCustomValuesBecomeSelectable) {
  Network->SetNetworkButtonKind(nbOther);
  Network->SetNetworkName(QStringLiteral("Backbone"));
  Network->SetBandwidth(12.25);
  Form->RegisterCustomValues(Network);
  EXPECT_EQ(Topology()->findText(QStringLiteral("Backbone")), ListedTopologies);
  EXPECT_EQ(Network->FTopologyIndex, ListedTopologies);
  EXPECT_GE(Bandwidth()->findText(QStringLiteral("12.25")), 0);
  Form->ShowFor(Network);
  EXPECT_EQ(Topology()->currentText(), QStringLiteral("Backbone"));
  EXPECT_EQ(Bandwidth()->currentText(), QStringLiteral("12.25"));
}

// A length and its medium fill the propagation delay; the field stays the
// user's to change, and what it holds at OK is the delay.
TEST_F(DialogTest, ADistanceFillsThePropagationDelayFromTheMediumsSpeed) {
  Form->ShowFor(Network);
  Choose("Fibre");
  EXPECT_EQ(Form->MediumBox()->currentText(), QStringLiteral("Optical fibre"));
  EXPECT_EQ(PropDelay()->Value(), 5);
  const struct {
    const char* Distance;
    const char* Medium;
    int32_t Ms;
  } steps[] = {{"1000", "Optical fibre", 5},
               {"2000", "Optical fibre", 10},
               {"2000", "Radio / free space", 7},
               {"300", "Copper", 2}};
  for (const auto& step : steps) {
    Form->DistanceEdit()->clear();
    QTest::keyClicks(Form->DistanceEdit(), QLatin1String(step.Distance));
    const int medium = Form->MediumBox()->findText(QLatin1String(step.Medium));
    Form->MediumBox()->setCurrentIndex(medium);
    emit Form->MediumBox()->activated(medium);
    EXPECT_EQ(PropDelay()->Value(), step.Ms) << step.Distance << " km " << step.Medium;
  }
  PropDelay()->SetValue(3);  // the user's own figure wins
  Click("OKButton");
  EXPECT_EQ(Network->PropDelay(), 3);
  EXPECT_EQ(Network->Distance(), 300);
  EXPECT_EQ(Network->Medium(), mdCopper);
  EXPECT_EQ(Network->Hint(), QStringLiteral("Fibre (10000 Mbps, 3 ms prop. delay)"));

  // A kind whose propagation delay is fixed at 0 takes no distance either.
  Form->ShowFor(Network);
  Choose("Ethernet");
  EXPECT_FALSE(Form->DistanceEdit()->isEnabled());
  EXPECT_TRUE(Form->DistanceEdit()->text().isEmpty());
  Click("OKButton");
  EXPECT_EQ(Network->Distance(), 0);
  EXPECT_EQ(Network->Medium(), mdNone);
}

}  // namespace
