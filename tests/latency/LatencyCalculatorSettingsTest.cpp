// SPDX-License-Identifier: MIT
// The "Latency Calculator" key: exact record bytes, a full round trip through
// the settings tree, first-run defaults, leftover values, damaged data.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QTabWidget>

#include "LatencyCalculator.h"
#include "LatencySettings.h"
#include "LatencyThroughputView.h"
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

TEST(LatencyRecords, ADistanceAndItsMediumFollowTheRecordOfTheFirstReleases) {
  const TNetworkRecord record{10000, 60, nbFibre, 5, 120, 1000, mdFibre};
  const Bytes bytes = PackNetworkRecord(record);
  ASSERT_EQ(bytes.size(), NetworkRecordWithDistanceSize);
  // The first 24 bytes are the record without a distance, byte for byte.
  TNetworkRecord withoutDistance = record;
  withoutDistance.FDistance = 0;
  withoutDistance.Medium = mdNone;
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 24), PackNetworkRecord(withoutDistance));
  EXPECT_EQ(Bytes(bytes.begin() + 24, bytes.end()),
            (Bytes{0, 0, 0, 0, 0, 0x40, 0x8F, 0x40, mdFibre, 0, 0, 0}));  // 1000.0, medium, padding
  EXPECT_EQ(UnpackNetworkRecord(bytes, "Network1"), record);
  // A damaged distance or medium loses only the distance.
  for (const auto& [offset, value] : {std::pair{32, 9}, std::pair{31, 0xFF}}) {
    Bytes damaged = bytes;
    damaged[static_cast<size_t>(offset)] = static_cast<uint8_t>(value);
    if (offset == 31) damaged[30] = 0xF8;  // a NaN
    EXPECT_EQ(UnpackNetworkRecord(damaged, "Network1"), withoutDistance) << offset;
  }
}

TEST(LatencyRecords, RecordsOfAnotherSizeAreRefusedByName) {
  struct Case {
    size_t Size;
    bool Station;
  } cases[] = {{0, true},   {7, true},  {9, true},   {23, false},
               {25, false}, {8, false}, {35, false}, {37, false}};
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
  EXPECT_EQ(form->TopologyBox()->findText(QStringLiteral("Campus link")),
            static_cast<int>(Topologies().size()));
  EXPECT_GE(form->BandwidthBox()->findText(QStringLiteral("12.25")), 0);
}

// A settings file of the first releases: a satellite, a T1 and an Ethernet.
TEST_F(LatencySettingsTest, AChainOfTheFirstReleasesLoadsAndIsStoredAsItWas) {
  const std::string key = "[HKEY_CURRENT_USER\\" + LatencyKeyPath() + "]\r\n";
  Tree = TRegistryTree::FromRegText(
      "Windows Registry Editor Version 5.00\r\n\r\n" + key +
      "\"ActivePageIndex\"=dword:00000001\r\n"
      "\"Client\"=hex:40,00,00,00,0a,00,00,00\r\n"
      "\"Server\"=hex:00,04,00,00,05,00,00,00\r\n"
      "\"NumNetworks\"=dword:00000003\r\n"
      "\"Network1\"=hex:fc,a9,f1,d2,4d,62,e0,3f,3c,00,00,00,0a,00,00,00,0e,01,00,00,78,00,00,00\r\n"
      "\"Network1Name\"=\"Satellite\"\r\n"
      "\"Network2\"=hex:4e,62,10,58,39,b4,f8,3f,78,00,00,00,0c,00,00,00,05,00,00,00,3c,00,00,00\r\n"
      "\"Network2Name\"=\"T1\"\r\n"
      "\"Network3\"=hex:00,00,00,00,00,00,24,40,b4,00,00,00,04,00,00,00,00,00,00,00,3c,00,00,00\r\n"
      "\"Network3Name\"=\"Ethernet\"\r\n");
  const TRegistryTree stored = Tree;
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  EXPECT_TRUE(Tree.UnreadValues().empty());
  EXPECT_EQ(calculator->PageControl()->currentIndex(), 1);
  QStringList hints;
  for (const TNetworkButton* element : calculator->SetupEditor()->Networks()) hints << element->Hint();
  EXPECT_EQ(hints,
            QStringList({"Client (64 B pkt., 10 ms proc. time)", "Satellite (0.512 Mbps, 270 ms prop. delay)",
                         "T1 (1.544 Mbps, 5 ms prop. delay)", "Ethernet (10 Mbps)",
                         "Server (1024 B pkt., 5 ms proc. time)"}));
  const auto& chain = calculator->SetupEditor()->Networks();
  EXPECT_EQ(chain.at(1)->pos(), QPoint(60, 120));
  EXPECT_EQ(chain.at(2)->NetworkButtonKind(), nbTCarrier);
  EXPECT_EQ(chain.at(3)->pos(), QPoint(180, 60));

  calculator->DoneLatency(Tree);
  for (const std::string& name : stored.ValueNames(LatencyKeyPath())) {
    ASSERT_NE(Value(name.c_str()), nullptr) << name;
    EXPECT_EQ(*Value(name.c_str()), *stored.FindValue(LatencyKeyPath(), name)) << name;
  }
}

TEST_F(LatencySettingsTest, DistancesAndThroughputInputsComeBack) {
  TThroughputInputs inputs;
  inputs.WindowBytes = 4194304;
  inputs.LossPercent = 0.5;
  inputs.MssBytes = 8960;
  inputs.FileBytes = 7.5e9;
  {
    auto calculator = NewCalculator();
    calculator->InitLatency(Tree);
    TNetworkButton* fibre = calculator->SetupEditor()->Networks().at(1);
    fibre->SetNetworkButtonKind(nbFibre);
    fibre->SetBandwidth(10000);
    fibre->SetDistance(1000, mdFibre);
    fibre->SetPropDelay(5);
    calculator->ThroughputView()->SetInputs(inputs);
    calculator->PageControl()->setCurrentIndex(3);
    calculator->DoneLatency(Tree);
  }
  EXPECT_EQ(Value("Network1")->Bytes.size(), NetworkRecordWithDistanceSize);
  EXPECT_EQ(Value("ThroughputLoss")->Text, "0.5");
  auto calculator = NewCalculator();
  calculator->InitLatency(Tree);
  const TNetworkButton* fibre = calculator->SetupEditor()->Networks().at(1);
  EXPECT_EQ(fibre->Distance(), 1000);
  EXPECT_EQ(fibre->Medium(), mdFibre);
  // The whole 5 ms stored are what the distance fills, so the exact delay shows.
  EXPECT_TRUE(fibre->Hint().endsWith(QStringLiteral("(10000 Mbps, 4.89672 ms prop. delay)")))
      << fibre->Hint().toStdString();
  EXPECT_EQ(calculator->ThroughputView()->Inputs(), inputs);
  EXPECT_EQ(calculator->PageControl()->currentIndex(), 3);
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
