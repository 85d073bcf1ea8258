// SPDX-License-Identifier: MIT
// The "Latency Calculator" key: exact record bytes, a full round trip through
// the settings tree, first-run defaults, leftover values, damaged data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>

#include "LatencyCalculator.h"
#include "LatencySettings.h"
#include "NetworkSetupEditor.h"
#include "ParlamineNetworkButton.h"
#include "ParlamineNetworkButtonForm.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "TestSupport.h"

using namespace Parlamine;

namespace {

using Bytes = std::vector<uint8_t>;

TEST(LatencyRecords, StationRecordIsTwoLittleEndianIntegers) {
  EXPECT_EQ(PackStationRecord({64, 5}), (Bytes{0x40, 0, 0, 0, 5, 0, 0, 0}));
  EXPECT_EQ(PackStationRecord({-1, 0x01020304}), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1}));
  EXPECT_EQ(UnpackStationRecord({0x00, 0x04, 0, 0, 0x0A, 0, 0, 0}, "Server"), (TStationRecord{1024, 10}));
}

TEST(LatencyRecords, NetworkRecordLayoutWithPadding) {
  const TNetworkRecord record{0.512, 60, nbSatellite, 270, 120};
  // 0.512 as an IEEE double is 3FE0624DD2F1A9FC.
  const Bytes expected{0xFC, 0xA9, 0xF1, 0xD2, 0x4D, 0x62, 0xE0, 0x3F,  // bandwidth
                       60,   0,    0,    0,                             // Left
                       10,   0,    0,    0,                             // kind, three padding bytes
                       0x0E, 0x01, 0,    0,                             // 270 ms
                       120,  0,    0,    0};                            // Top
  EXPECT_EQ(PackNetworkRecord(record), expected);
  EXPECT_EQ(UnpackNetworkRecord(expected, "Network1"), record);
  // Padding bytes are not significant when read.
  Bytes padded = expected;
  padded[13] = 0xAA;
  padded[15] = 0x55;
  EXPECT_EQ(UnpackNetworkRecord(padded, "Network1"), record);
}

TEST(LatencyRecords, RecordsOfAnotherSizeAreRefusedByName) {
  struct Case {
    size_t Size;
    bool Station;
  } cases[] = {{0, true}, {7, true}, {9, true}, {23, false}, {25, false}, {8, false}};
  for (const Case& c : cases) {
    const Bytes bytes(c.Size, 0);
    try {
      if (c.Station)
        UnpackStationRecord(bytes, "Client");
      else
        UnpackNetworkRecord(bytes, "Network3");
      ADD_FAILURE() << "size " << c.Size << " accepted";
    } catch (const ERegistryException& error) {
      EXPECT_STREQ(error.what(),
                   c.Station ? "Invalid data type for 'Client'" : "Invalid data type for 'Network3'")
          << c.Size;
    }
  }
}

TEST(LatencyRecords, ValueNamesHaveNoLeadingZeros) {
  EXPECT_EQ(NetworkValueName(1), "Network1");
  EXPECT_EQ(NetworkValueName(12), "Network12");
  EXPECT_EQ(NetworkNameValueName(12), "Network12Name");
  EXPECT_EQ(LatencyKeyPath(), "Software\\Quillfern\\Parlamine\\3.2.1.0\\Latency Calculator");
}

class LatencySettingsTest : public ::testing::Test {
 protected:
  std::unique_ptr<TLatencyCalculator> NewCalculator() {
    auto calculator = std::make_unique<TLatencyCalculator>();
    calculator->resize(312, 340);
    return calculator;
  }
  const TRegValue* Value(const char* name) const { return Tree.FindValue(LatencyKeyPath(), name); }
  TDirectStore OpenLatencyKey() {
    TDirectStore store(Tree);
    store.OpenKey(LatencyKeyPath(), true);
    return store;
  }
  // Writes a consistent key with `count` networks, each an Ethernet at 10 Mbps.
  void StoreEthernets(int count, int32_t claimed) {
    TDirectStore store = OpenLatencyKey();
    store.WriteInteger("ActivePageIndex", 0);
    store.WriteBinaryData("Client", PackStationRecord({100, 1}));
    store.WriteBinaryData("Server", PackStationRecord({200, 2}));
    store.WriteInteger("NumNetworks", claimed);
    for (int i = 1; i <= count; ++i) {
      store.WriteBinaryData(NetworkValueName(i), PackNetworkRecord({10, 8 + i, nbEthernet, 0, 20 + i}));
      store.WriteString(NetworkNameValueName(i), "Ethernet");
    }
  }
  // The tree without one value of the latency key.
  void RemoveValue(const std::string& removed) {
    TRegistryTree copy;
    for (const std::string& path : Tree.KeyPaths())
      for (const std::string& name : Tree.ValueNames(path))
        if (path != LatencyKeyPath() || name != removed)
          copy.SetValue(path, name, *Tree.FindValue(path, name));
    Tree = copy;
  }
  std::string InitError(TLatencyCalculator& calculator) {
    try {
      calculator.InitLatency(Tree);
    } catch (const std::exception& error) {
      return error.what();
    }
    return {};
  }

  TRegistryTree Tree;
};

TEST_F(LatencySettingsTest, FirstRunDefaultsAndWhatTheyStoreByteForByte) {
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  TNetworkSetupEditor* editor = calculator->SetupEditor();
  ASSERT_EQ(editor->NetworkCount(), 1);
  EXPECT_EQ(editor->Client()->Hint(), QStringLiteral("Client (64 B pkt.)"));
  EXPECT_EQ(editor->Server()->Hint(), QStringLiteral("Server (1024 B pkt.)"));
  EXPECT_EQ(calculator->PageControl()->currentIndex(), 0);
  EXPECT_NE(calculator->GetNetworkButtonForm(false), nullptr);
  EXPECT_TRUE(calculator->Model().LatencyDirty());
  const QPoint place = editor->Networks().at(1)->pos();

  calculator->DoneLatency(Tree);
  ASSERT_NE(Value("ActivePageIndex"), nullptr);
  EXPECT_EQ(Value("ActivePageIndex")->Type, static_cast<uint32_t>(TRegValueType::rvDword));
  EXPECT_EQ(Value("Client")->Type, static_cast<uint32_t>(TRegValueType::rvBinary));
  EXPECT_EQ(Value("Client")->Bytes, (Bytes{64, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Value("Server")->Bytes, (Bytes{0x00, 0x04, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Value("NumNetworks")->Dword, 1u);
  EXPECT_EQ(Value("Network1")->Bytes, PackNetworkRecord({0, place.x(), nbUnknownNetwork, 0, place.y()}));
  EXPECT_EQ(Value("Network1Name")->Type, static_cast<uint32_t>(TRegValueType::rvString));
  EXPECT_EQ(Value("Network1Name")->Text, "<Unknown Topology>");
}

TEST_F(LatencySettingsTest, AChainComesBackAsItWasSaved) {
  {
    auto calculator = NewCalculator();
    calculator->InitLatency(Tree);
    TNetworkSetupEditor* editor = calculator->SetupEditor();
    TNetworkButton* first = editor->Networks().at(1);
    first->SetNetworkButtonKind(nbSatellite);
    first->SetNetworkName(QStringLiteral("Satellite"));
    first->SetBandwidth(0.512);
    first->SetPropDelay(270);
    first->move(100, 30);
    editor->SelectNetwork(editor->Server());
    TNetworkButton* second = editor->InsertNetwork();
    second->SetNetworkButtonKind(nbOther);
    second->SetNetworkName(QStringLiteral("Campus link"));
    second->SetBandwidth(12.25);
    second->move(150, 90);
    editor->Server()->SetProcessTime(5);
    calculator->PageControl()->setCurrentIndex(2);
    calculator->DoneLatency(Tree);
  }
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  TNetworkSetupEditor* editor = calculator->SetupEditor();
  ASSERT_EQ(editor->NetworkCount(), 2);
  EXPECT_EQ(calculator->PageControl()->currentIndex(), 2);
  const TNetworkButton* first = editor->Networks().at(1);
  const TNetworkButton* second = editor->Networks().at(2);
  EXPECT_EQ(first->Hint(), QStringLiteral("Satellite (0.512 Mbps, 270 ms prop. delay)"));
  EXPECT_EQ(first->NetworkButtonKind(), nbSatellite);
  EXPECT_EQ(first->pos(), QPoint(100, 30));
  EXPECT_EQ(second->Hint(), QStringLiteral("Campus link (12.25 Mbps)"));
  EXPECT_EQ(second->pos(), QPoint(150, 90));
  EXPECT_EQ(editor->Server()->Hint(), QStringLiteral("Server (1024 B pkt., 5 ms proc. time)"));
  EXPECT_TRUE(first->RemoveItemsVisible());
  // The custom name and bandwidth are selectable in the dialog.
  TNetworkButtonForm* form = calculator->GetNetworkButtonForm(false);
  EXPECT_EQ(form->TopologyBox()->findText(QStringLiteral("Campus link")), 15);
  EXPECT_GE(form->BandwidthBox()->findText(QStringLiteral("12.25")), 0);
}

TEST_F(LatencySettingsTest, AShorterChainLeavesTheOldValuesWhichAreNotReadBack) {
  StoreEthernets(5, 5);
  {
    auto calculator = NewCalculator();
    calculator->InitLatency(Tree);
    ASSERT_EQ(calculator->SetupEditor()->NetworkCount(), 5);
    calculator->SetupEditor()->NetworkButtonRemove(calculator->SetupEditor()->Networks().at(1));
    calculator->SetupEditor()->NetworkButtonRemove(calculator->SetupEditor()->Networks().at(1));
    calculator->DoneLatency(Tree);
  }
  EXPECT_EQ(Value("NumNetworks")->Dword, 3u);
  EXPECT_NE(Value("Network4"), nullptr);
  EXPECT_NE(Value("Network5Name"), nullptr);
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  EXPECT_EQ(calculator->SetupEditor()->NetworkCount(), 3);
}

TEST_F(LatencySettingsTest, NoMoreThanFourteenNetworksAreLoaded) {
  StoreEthernets(20, 20);
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  EXPECT_EQ(calculator->SetupEditor()->NetworkCount(), 14);
  EXPECT_EQ(calculator->SetupEditor()->Networks().size(), 16);
}

TEST_F(LatencySettingsTest, ZeroNetworksRestoresTheStationsOnly) {
  StoreEthernets(0, 0);
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  EXPECT_EQ(calculator->SetupEditor()->NetworkCount(), 0);
  EXPECT_EQ(calculator->SetupEditor()->Client()->Hint(),
            QStringLiteral("Client (100 B pkt., 1 ms proc. time)"));
}

// One damaged value costs only its own setting: the other values, every
// intact network among them, are read as stored, and the value is noted with
// the store's message.
TEST_F(LatencySettingsTest, ADamagedValueCostsOnlyItsOwnSetting) {
  const QString client = QStringLiteral("Client (100 B pkt., 1 ms proc. time)");
  const QString server = QStringLiteral("Server (200 B pkt., 2 ms proc. time)");
  const QString ethernet = QStringLiteral("Ethernet (10 Mbps)");
  const struct {
    const char* Name;
    std::function<void()> Damage;
    const char* Error;
    QStringList Hints;  // client, networks, server
  } cases[] = {
      {"count a string",
       [this] { OpenLatencyKey().WriteString("NumNetworks", "3"); },
       "Invalid data type for 'NumNetworks'",
       {client, ethernet, ethernet, ethernet, server}},
      {"count missing",
       [this] { RemoveValue("NumNetworks"); },
       "Failed to get data for 'NumNetworks'",
       {client, ethernet, ethernet, ethernet, server}},
      {"page index a string",
       [this] { OpenLatencyKey().WriteString("ActivePageIndex", "1"); },
       "Invalid data type for 'ActivePageIndex'",
       {client, ethernet, ethernet, ethernet, server}},
      {"client of 3 bytes",
       [this] { OpenLatencyKey().WriteBinaryData("Client", Bytes(3, 1)); },
       "Invalid data type for 'Client'",
       {QStringLiteral("Client (512 B pkt.)"), ethernet, ethernet, ethernet, server}},
      {"second record short",
       [this] { OpenLatencyKey().WriteBinaryData("Network2", Bytes(20, 0)); },
       "Invalid data type for 'Network2'",
       {client, ethernet, QStringLiteral("Ethernet (0 Mbps)"), ethernet, server}},
      {"second name a number",
       [this] { OpenLatencyKey().WriteInteger("Network2Name", 4); },
       "Invalid data type for 'Network2Name'",
       {client, ethernet, QStringLiteral("<Unknown Topology> (10 Mbps)"), ethernet, server}},
      {"a fourth record claimed but missing",
       [this] { OpenLatencyKey().WriteInteger("NumNetworks", 4); },
       "Failed to get data for 'Network4'",
       {client, ethernet, ethernet, ethernet, server}},
  };
  for (const auto& c : cases) {
    Tree = TRegistryTree();
    StoreEthernets(3, 3);
    c.Damage();
    auto calculator = NewCalculator();
    EXPECT_EQ(InitError(*calculator), "") << c.Name;
    QStringList hints;
    for (const TNetworkButton* element : calculator->SetupEditor()->Networks()) hints << element->Hint();
    EXPECT_EQ(hints, c.Hints) << c.Name;
    ASSERT_EQ(Tree.UnreadValues().size(), 1u) << c.Name;
    EXPECT_EQ(Tree.UnreadValues()[0].Error, c.Error) << c.Name;
    EXPECT_TRUE(Tree.UnreadValues()[0].Reported) << c.Name;
  }
}

TEST_F(LatencySettingsTest, ADamagedKeyWithoutNetworksStillGetsOne) {
  for (const bool countAString : {true, false}) {
    Tree = TRegistryTree();
    StoreEthernets(0, 0);
    if (countAString)
      OpenLatencyKey().WriteString("NumNetworks", "0");
    else
      OpenLatencyKey().WriteInteger("NumNetworks", 2);  // both records missing
    auto calculator = NewCalculator();
    calculator->InitLatency(Tree);
    EXPECT_EQ(calculator->SetupEditor()->NetworkCount(), 1) << countAString;
    EXPECT_EQ(calculator->SetupEditor()->Client()->PacketSize(), 100) << "the readable values are used";
  }
}

TEST_F(LatencySettingsTest, AKindByteThatIsNoNetworkLoadsAsUnknownAndNamesAbsentAsUnknown) {
  StoreEthernets(3, 3);
  TDirectStore store = OpenLatencyKey();
  store.WriteBinaryData("Network1", PackNetworkRecord({10, 60, 200, 0, 60}));
  store.WriteBinaryData("Network2", PackNetworkRecord({10, 120, nbTowerCPU, 0, 60}));
  RemoveValue("Network3Name");
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  const auto& chain = calculator->SetupEditor()->Networks();
  ASSERT_EQ(chain.size(), 5);
  EXPECT_EQ(chain.at(1)->NetworkButtonKind(), nbUnknownNetwork);
  EXPECT_EQ(chain.at(2)->NetworkButtonKind(), nbUnknownNetwork);
  EXPECT_TRUE(chain.at(2)->RemoveItemsVisible());
  EXPECT_EQ(chain.at(3)->NetworkName(), QStringLiteral("<Unknown Topology>"));
}

}  // namespace
