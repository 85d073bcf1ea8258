// SPDX-License-Identifier: MIT
// The main window as a user meets it: first start, switching calculators by
// keyboard and menu, Stay On Top and what survives a restart (the Edit menu
// and its keys on every control: MainEditKeysTest).
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "CalculatorTop.h"
#include "FormPosition.h"
#include "LatencyCalculator.h"
#include "LatencySettings.h"
#include "Main.h"
#include "NetworkSetupEditor.h"
#include "ParlamineNetworkButton.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "ZellPanels.h"

using namespace Parlamine;

namespace {

const std::string Root = SettingsRoot;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { QFile::remove(TMainForm::SettingsFileName()); }
  void TearDown() override { QFile::remove(TMainForm::SettingsFileName()); }

  static void WriteSettings(const TRegistryTree& tree) {
    SaveRegistryFile(tree, TMainForm::SettingsFileName().toStdString());
  }
  static TRegistryTree ReadSettings() {
    return LoadRegistryFile(TMainForm::SettingsFileName().toStdString());
  }

  static std::unique_ptr<TMainForm> Open() {
    auto form = std::make_unique<TMainForm>();
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    return form;
  }

  static QAction* Action(TMainForm& form, const char* name) {
    return form.findChild<QAction*>(QString::fromLatin1(name));
  }
  static QWidget* CurrentPage(TMainForm& form) {
    return form.findChild<QTabWidget*>(QStringLiteral("MainPageControl"))->currentWidget();
  }
};

TEST_F(MainWindowTest, FirstStartShowsTheIPSubnetCalculatorAtMinimumSize) {
  auto form = Open();
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Parlamine"));
  EXPECT_EQ(form->size(), QSize(312, 463));
  EXPECT_EQ(form->minimumSize(), QSize(312, 463));
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caIPSubnet);
  EXPECT_EQ(CurrentPage(*form)->objectName(), QStringLiteral("IPSubnetTabSheet"));
  EXPECT_TRUE(Action(*form, "CalculatorIPSubnetItem")->isChecked());
  EXPECT_FALSE(Action(*form, "OptionsStayOnTopItem")->isChecked());
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(form->findChild<QTabWidget*>(QStringLiteral("MainPageControl"))->tabBar()->isVisible());
  EXPECT_EQ(form->findChild<QStatusBar*>(QStringLiteral("MainStatusBar"))->height(), 19);
  EXPECT_FALSE(form->Loading());
}

TEST_F(MainWindowTest, ShortcutsSwitchPageMenuCheckAndBannerTogether) {
  struct Step {
    Qt::Key Key;
    TCalculator Calculator;
    const char* Page;
    const char* Item;
  };
  const Step steps[] = {
      {Qt::Key_L, TCalculator::caLatency, "LatencyTabSheet", "CalculatorLatencyItem"},
      {Qt::Key_P, TCalculator::caPrefix, "PrefixTabSheet", "CalculatorPrefixItem"},
      {Qt::Key_H, TCalculator::caRadixer, "RadixerTabSheet", "CalculatorRadixerItem"},
      {Qt::Key_P, TCalculator::caPrefix, "PrefixTabSheet", "CalculatorPrefixItem"},
      {Qt::Key_I, TCalculator::caIPSubnet, "IPSubnetTabSheet", "CalculatorIPSubnetItem"},
      {Qt::Key_I, TCalculator::caIPSubnet, "IPSubnetTabSheet", "CalculatorIPSubnetItem"},
  };
  auto form = Open();
  auto* banner = form->findChild<TCalculatorTopFrame*>();
  ASSERT_NE(banner, nullptr);
  for (const Step& step : steps) {
    QTest::keyClick(form.get(), step.Key, Qt::ControlModifier);
    EXPECT_EQ(form->CurrentCalculator(), step.Calculator);
    EXPECT_EQ(CurrentPage(*form)->objectName(), QLatin1String(step.Page));
    EXPECT_TRUE(Action(*form, step.Item)->isChecked()) << step.Item;
    EXPECT_EQ(banner->Calculator(), step.Calculator);
  }
}

TEST_F(MainWindowTest, CalculatorMenuHasFourRadioItemsWithTheirKeys) {
  auto form = Open();
  auto* menu = form->findChild<QMenu*>(QStringLiteral("CalculatorMenu"));
  ASSERT_NE(menu, nullptr);
  const struct {
    const char* Name;
    const char* Text;
    QKeySequence Key;
  } items[] = {
      {"CalculatorRadixerItem", "&Radixer Calculator", QKeySequence(Qt::CTRL | Qt::Key_H)},
      {"CalculatorIPSubnetItem", "&IP Subnet Calculator", QKeySequence(Qt::CTRL | Qt::Key_I)},
      {"CalculatorLatencyItem", "&Latency Calculator", QKeySequence(Qt::CTRL | Qt::Key_L)},
      {"CalculatorPrefixItem", "&Prefix Calculator", QKeySequence(Qt::CTRL | Qt::Key_P)},
  };
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(actions[i]->objectName(), QLatin1String(items[i].Name));
    EXPECT_EQ(actions[i]->text(), QLatin1String(items[i].Text));
    EXPECT_EQ(actions[i]->shortcut(), items[i].Key);
    EXPECT_TRUE(actions[i]->isCheckable());
    ASSERT_NE(actions[i]->actionGroup(), nullptr);
    EXPECT_EQ(actions[i]->actionGroup(), actions[0]->actionGroup());
  }
  EXPECT_TRUE(actions[0]->actionGroup()->isExclusive());
  // No other action of the window answers to one of these keys.
  for (QAction* other : form->findChildren<QAction*>()) {
    if (actions.contains(other) || other->shortcut().isEmpty()) continue;
    for (const auto& item : items) EXPECT_NE(other->shortcut(), item.Key) << qPrintable(other->objectName());
  }
}

TEST_F(MainWindowTest, MenuItemsAndBannerSwitchTheCalculator) {
  auto form = Open();
  Action(*form, "CalculatorRadixerItem")->trigger();
  EXPECT_EQ(CurrentPage(*form)->objectName(), QStringLiteral("RadixerTabSheet"));
  auto* banner = form->findChild<TCalculatorTopFrame*>();
  banner->SetCalculator(TCalculator::caLatency);
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caLatency);
  EXPECT_EQ(CurrentPage(*form)->objectName(), QStringLiteral("LatencyTabSheet"));
  EXPECT_TRUE(Action(*form, "CalculatorLatencyItem")->isChecked());
  Action(*form, "CalculatorPrefixItem")->trigger();
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caPrefix);
  EXPECT_EQ(CurrentPage(*form)->objectName(), QStringLiteral("PrefixTabSheet"));
  EXPECT_EQ(banner->Calculator(), TCalculator::caPrefix);
  EXPECT_FALSE(Action(*form, "CalculatorLatencyItem")->isChecked());
}

TEST_F(MainWindowTest, StayOnTopTogglesAndSurvivesARestart) {
  {
    auto form = Open();
    QAction* item = Action(*form, "OptionsStayOnTopItem");
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form->isVisible()) << "the window stays shown";
    item->trigger();
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    item->trigger();
  }
  TRegistryTree saved = ReadSettings();
  EXPECT_EQ(TSectionedStore(saved, Root).ReadString("", "StayOnTop", ""), "1");
  auto form = Open();
  EXPECT_TRUE(Action(*form, "OptionsStayOnTopItem")->isChecked());
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindowTest, CalculatorAndPositionSurviveARestart) {
  QPoint position;
  {
    auto form = Open();
    QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
    form->move(40, 30);
    form->resize(400, 500);
    position = form->pos();
  }
  TRegistryTree saved = ReadSettings();
  TSectionedStore store(saved, Root);
  EXPECT_EQ(store.ReadInteger("", "Calculator", -1), 2);
  const TRegValue* record = saved.FindValue(Root, "Position");
  ASSERT_NE(record, nullptr);
  const auto unpacked = UnpackFormPosition(record->Bytes);
  ASSERT_TRUE(unpacked);
  EXPECT_EQ(unpacked->Right - unpacked->Left, 400);
  EXPECT_EQ(unpacked->Bottom - unpacked->Top, 500);

  auto form = Open();
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caLatency);
  EXPECT_EQ(form->size(), QSize(400, 500));
  EXPECT_EQ(form->pos(), position);
}

struct StoredCalculatorCase {
  const char* Text;
  TCalculator Expected;
};

class StoredCalculator : public ::testing::TestWithParam<StoredCalculatorCase> {
 protected:
  void TearDown() override { QFile::remove(TMainForm::SettingsFileName()); }
};

TEST_P(StoredCalculator, OutOfRangeShowsIPSubnet) {
  TRegistryTree tree;
  TSectionedStore(tree, Root).WriteString("", "Calculator", GetParam().Text);
  SaveRegistryFile(tree, TMainForm::SettingsFileName().toStdString());
  TMainForm form;
  EXPECT_EQ(form.CurrentCalculator(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredCalculator,
                         ::testing::Values(StoredCalculatorCase{"0", TCalculator::caRadixer},
                                           StoredCalculatorCase{"2", TCalculator::caLatency},
                                           StoredCalculatorCase{"3", TCalculator::caPrefix},
                                           StoredCalculatorCase{"4", TCalculator::caIPSubnet},
                                           StoredCalculatorCase{"-1", TCalculator::caIPSubnet},
                                           StoredCalculatorCase{"x", TCalculator::caIPSubnet}),
                         [](const auto& info) {
                           std::string name = "Stored";
                           for (const char* c = info.param.Text; *c; ++c)
                             name += *c == '-' ? "Minus" : std::string(1, *c);
                           return name;
                         });

TEST_F(MainWindowTest, StoredWindowIsFittedToTheScreen) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  TRegistryTree tree;
  TRegValue position;
  position.Type = static_cast<uint32_t>(TRegValueType::rvBinary);
  position.Bytes = PackFormPosition({-50, 10, -50 + screen.width() + 500, 10 + 470});
  tree.SetValue(Root, "Position", position);
  WriteSettings(tree);
  TMainForm form;
  EXPECT_EQ(form.pos(), QPoint(0, 10));
  EXPECT_EQ(form.width(), screen.width());
  EXPECT_EQ(form.height(), 470);
}

TEST_F(MainWindowTest, StoredMaximisedWindowOpensMaximised) {
  TRegistryTree tree;
  TRegValue position;
  position.Type = static_cast<uint32_t>(TRegValueType::rvBinary);
  position.Bytes = PackFormPosition({0, 0, 500, 600, TWindowState::wsMaximized});
  tree.SetValue(Root, "Position", position);
  WriteSettings(tree);
  TMainForm form;
  EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMaximized));
}

TEST_F(MainWindowTest, DamagedFileStartsWithDefaultsAndKeepsUnknownValues) {
  const QString file = TMainForm::SettingsFileName();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
  {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0]\r\n"
        "\"Calculator\"=\"2\r\n"            // cut off
        "\"Position\"=hex:01,02,03\r\n"     // too short
        "\"StayOnTop\"=dword:00000001\r\n"  // wrong type
        "\"FutureOption\"=\"kept\"\r\n"
        "\x01\x02\xff garbage\r\n"
        "[HKEY_CURRENT_USER\\Software\\Quillfern\\Parlamine\\3.2.1.0\\Unknown Section\r\n");
  }
  {
    auto form = Open();
    EXPECT_EQ(form->CurrentCalculator(), TCalculator::caIPSubnet);
    EXPECT_EQ(form->size(), QSize(312, 463));
    EXPECT_FALSE(Action(*form, "OptionsStayOnTopItem")->isChecked());
  }
  TRegistryTree saved = ReadSettings();
  const TRegValue* kept = saved.FindValue(Root, "FutureOption");
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->Text, "kept");
  const TRegValue* unread = saved.FindValue(Root, "StayOnTop");
  ASSERT_NE(unread, nullptr);
  EXPECT_EQ(unread->Type, static_cast<uint32_t>(TRegValueType::rvDword))
      << "kept until Stay On Top is changed";
  TSectionedStore store(saved, Root);
  EXPECT_EQ(store.ReadString("", "Calculator", ""), "1");
}

TEST_F(MainWindowTest, CtrlQClosesTheWindowAsExitDoes) {
  auto form = Open();
  QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, HelpWithoutItsFileSaysSo) {
  auto form = Open();
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  Action(*form, "HelpTopicsItem")->trigger();
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_TRUE(script.Shown()[0].Text.contains(QStringLiteral("Parlamine Help.html")));
}

TEST_F(MainWindowTest, WebsiteActionOpensTheAddressAndSaysPlainlyWhenNoBrowserTakesIt) {
  auto form = Open();
  QString opened;
  auto previous = SetOpenUrlHandler([&opened](const QString& url) {
    opened = url;
    return true;
  });
  Action(*form, "HelpGotoWebsiteAction")->trigger();
  EXPECT_EQ(opened, QString::fromLatin1(WebsiteAddress));
  SetOpenUrlHandler([](const QString&) { return false; });
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  Action(*form, "HelpGotoWebsiteAction")->trigger();
  SetOpenUrlHandler(previous);
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].Text, NoBrowserText(QString::fromLatin1(WebsiteAddress)));
}

// Stored network positions at the minimum window, started on the Network
// Setup page. The panel passes through provisional sizes while the window
// and its page controls are laid out; only the size it is shown at may pull
// a network in.
struct TStoredPositionsCase {
  const char* Name;
  std::vector<QPoint> Stored;
  bool StartOnIPSubnet = false;  // the page is shown only when the user picks the calculator
};

class StoredNetworkPositions : public ::testing::TestWithParam<TStoredPositionsCase> {
 protected:
  void SetUp() override { QFile::remove(TMainForm::SettingsFileName()); }
  void TearDown() override { QFile::remove(TMainForm::SettingsFileName()); }

  static void WriteChain(const std::vector<QPoint>& positions, bool startOnIPSubnet) {
    TRegistryTree tree;
    TSectionedStore store(tree, Root);
    store.WriteInteger("", "Calculator", startOnIPSubnet ? 1 : 2);
    TDirectStore direct(tree);
    EXPECT_TRUE(direct.OpenKey(LatencyKeyPath(), true));
    TLatencySettings settings;
    settings.Client = {64, 0};
    settings.Server = {1024, 0};
    for (const QPoint& position : positions) {
      TStoredNetwork network;
      network.Record = {1.544, position.x(), nbTCarrier, 5, position.y()};
      network.NetworkName = "T1";
      settings.Networks.push_back(network);
    }
    WriteLatencySettings(direct, settings);
    SaveRegistryFile(tree, TMainForm::SettingsFileName().toStdString());
  }
  static std::vector<QPoint> SavedPositions() {
    TRegistryTree tree = LoadRegistryFile(TMainForm::SettingsFileName().toStdString());
    TDirectStore direct(tree);
    EXPECT_TRUE(direct.OpenKey(LatencyKeyPath(), false));
    std::vector<QPoint> positions;
    for (int i = 1; i <= ReadNetworkCount(direct); ++i) {
      const TNetworkRecord record = ReadStoredNetwork(direct, i).Record;
      positions.emplace_back(record.Left, record.Top);
    }
    return positions;
  }
  static std::vector<QPoint> ShownPositions(const TNetworkSetupEditor& editor) {
    std::vector<QPoint> positions;
    for (qsizetype i = 1; i + 1 < editor.Networks().size(); ++i)
      positions.push_back(editor.Networks().at(i)->pos());
    return positions;
  }
};

TEST_P(StoredNetworkPositions, StayWhereTheyWereStoredThroughStartAndExit) {
  const std::vector<QPoint>& stored = GetParam().Stored;
  WriteChain(stored, GetParam().StartOnIPSubnet);
  {
    auto form = std::make_unique<TMainForm>();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QApplication::processEvents();
    if (GetParam().StartOnIPSubnet) {
      form->SelectCalculator(TCalculator::caLatency);
      QApplication::processEvents();
    }
    ASSERT_EQ(form->size(), QSize(312, 463));
    const TNetworkSetupEditor* editor = form->findChild<TLatencyCalculator*>()->SetupEditor();
    ASSERT_TRUE(editor->Panel()->isVisible());
    ASSERT_GE(editor->Panel()->height(), 190 + 50 + 8) << "the stored places fit the shown panel";
    EXPECT_EQ(ShownPositions(*editor), stored);
  }
  EXPECT_EQ(SavedPositions(), stored);
}

// Fourteen networks, the most a chain holds, all within the shown panel.
std::vector<QPoint> FourteenPlaces() {
  std::vector<QPoint> places;
  for (int top : {8, 70, 130, 190})
    for (int left : {8, 70, 130, 190})
      if (places.size() < 14) places.emplace_back(left + 10, top);
  return places;
}

INSTANTIATE_TEST_SUITE_P(MinimumWindow, StoredNetworkPositions,
                         ::testing::Values(TStoredPositionsCase{"OneNetwork", {{200, 190}}},
                                           TStoredPositionsCase{"FourteenNetworks", FourteenPlaces()},
                                           TStoredPositionsCase{"ShownLater", {{200, 190}}, true}),
                         [](const ::testing::TestParamInfo<TStoredPositionsCase>& info) {
                           return std::string(info.param.Name);
                         });

TEST_F(MainWindowTest, AStoredNetworkBeyondTheShownPanelIsPulledInToItsRealEdge) {
  TRegistryTree tree;
  TSectionedStore store(tree, Root);
  store.WriteInteger("", "Calculator", 2);
  TDirectStore direct(tree);
  ASSERT_TRUE(direct.OpenKey(LatencyKeyPath(), true));
  TLatencySettings settings;
  settings.Networks.push_back({{1.544, 900, nbTCarrier, 5, 900}, "T1"});
  WriteLatencySettings(direct, settings);
  WriteSettings(tree);
  QSize panel;
  {
    auto form = Open();
    QApplication::processEvents();
    const TNetworkSetupEditor* editor = form->findChild<TLatencyCalculator*>()->SetupEditor();
    panel = editor->Panel()->size();
    EXPECT_EQ(editor->Networks().at(1)->pos(), QPoint(panel.width() - 58, panel.height() - 58));
  }
  TRegistryTree saved = ReadSettings();
  TDirectStore after(saved);
  ASSERT_TRUE(after.OpenKey(LatencyKeyPath(), false));
  const TNetworkRecord record = ReadStoredNetwork(after, 1).Record;
  EXPECT_EQ(QPoint(record.Left, record.Top), QPoint(panel.width() - 58, panel.height() - 58));
}

TEST_F(MainWindowTest, AnUnreadableSettingsFileIsToldOnceAndNeverReplaced) {
  const QString name = TMainForm::SettingsFileName();
  QDir().mkpath(name);  // a folder where the file should be
  {
    ParlamineTest::TMessageBoxScript boxes({QMessageBox::Ok});
    auto form = Open();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].Text.contains(QStringLiteral("could not be read")))
        << boxes.Shown()[0].Text.toStdString();
    form.reset();
    EXPECT_EQ(boxes.Shown().size(), 1u) << "nothing more is said at exit";
  }
  EXPECT_TRUE(QFileInfo(name).isDir()) << "the unreadable place is left as it was";
  QDir(name).removeRecursively();
}

TEST_F(MainWindowTest, ADamagedLatencyKeyKeepsTheWindowsOwnSettings) {
  TRegistryTree tree;
  TSectionedStore store(tree, Root);
  store.WriteInteger("", "Calculator", 0);
  store.WriteBool("", "StayOnTop", true);
  TDirectStore direct(tree);
  ASSERT_TRUE(direct.OpenKey(Root + "\\Latency Calculator", true));
  direct.WriteInteger("ActivePageIndex", 0);
  direct.WriteString("NumNetworks", "3");  // mistyped
  WriteSettings(tree);
  {
    ParlamineTest::TMessageBoxScript boxes({QMessageBox::Ok});
    auto form = Open();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].Text.contains(QStringLiteral("Invalid data type for 'NumNetworks'")));
    EXPECT_EQ(form->CurrentCalculator(), TCalculator::caRadixer);
    EXPECT_TRUE(Action(*form, "OptionsStayOnTopItem")->isChecked());
  }
  TRegistryTree saved = ReadSettings();
  TSectionedStore after(saved, Root);
  EXPECT_EQ(after.ReadInteger("", "Calculator", 1), 0) << "the exit keeps the stored calculator";
  EXPECT_TRUE(after.ReadBool("", "StayOnTop", false));
}

TEST_F(MainWindowTest, ADamagedLatencyKeyStillLoadsThePrefixCalculatorAfterIt) {
  TRegistryTree tree;
  TSectionedStore store(tree, Root);
  store.WriteInteger("", "Calculator", 3);
  store.WriteInteger("Prefix Calculator", "ActivePageIndex", 2);
  TDirectStore direct(tree);
  ASSERT_TRUE(direct.OpenKey(Root + "\\Latency Calculator", true));
  direct.WriteInteger("ActivePageIndex", 0);
  direct.WriteString("NumNetworks", "3");  // mistyped
  WriteSettings(tree);
  ParlamineTest::TMessageBoxScript boxes({QMessageBox::Ok});
  auto form = Open();
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_TRUE(boxes.Shown()[0].Text.contains(QStringLiteral("Invalid data type for 'NumNetworks'")));
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caPrefix);
  EXPECT_EQ(CurrentPage(*form)->objectName(), QStringLiteral("PrefixTabSheet"));
  EXPECT_EQ(form->findChild<QTabWidget*>(QStringLiteral("PrefixPageControl"))->currentIndex(), 2)
      << "the prefix section is read although the latency key before it failed";
}

TEST_F(MainWindowTest, PrefixCalculatorIsSavedWithTheOthersAndShownAgain) {
  {
    auto form = Open();
    QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
    form->findChild<QTabWidget*>(QStringLiteral("PrefixPageControl"))->setCurrentIndex(1);
  }
  TRegistryTree saved = ReadSettings();
  TSectionedStore store(saved, Root);
  EXPECT_EQ(store.ReadInteger("", "Calculator", -1), 3);
  EXPECT_EQ(store.ReadInteger("Prefix Calculator", "ActivePageIndex", -1), 1);
  EXPECT_FALSE(saved.FindValue(Root + "\\IP Subnet Calculator", "IPAddress") == nullptr)
      << "the calculators saved before it are still saved";

  auto form = Open();
  EXPECT_EQ(form->CurrentCalculator(), TCalculator::caPrefix);
  EXPECT_TRUE(Action(*form, "CalculatorPrefixItem")->isChecked());
  EXPECT_EQ(form->findChild<TCalculatorTopFrame*>()->Calculator(), TCalculator::caPrefix);
  EXPECT_EQ(form->findChild<QTabWidget*>(QStringLiteral("PrefixPageControl"))->currentIndex(), 1);
}

// A latency setup of a client, a server and three named networks, one of
// its values damaged: the window says once, when it is up, which file,
// calculator and value; every other value is used; at exit nothing the user
// stored is lost, the damaged value included, while another setting is saved.
struct TDamagedLatencyCase {
  const char* Name;
  const char* Value;
  TRegValue Damaged;
  const char* Error;
};

void PrintTo(const TDamagedLatencyCase& damaged, std::ostream* out) { *out << damaged.Name; }

TRegValue StringValue(const char* text) {
  TRegValue value;
  value.Text = text;
  return value;
}

TRegValue BinaryValue(std::vector<uint8_t> bytes) {
  TRegValue value;
  value.Type = static_cast<uint32_t>(TRegValueType::rvBinary);
  value.Bytes = std::move(bytes);
  return value;
}

class DamagedLatencySetup : public MainWindowTest,
                            public ::testing::WithParamInterface<TDamagedLatencyCase> {};

TEST_P(DamagedLatencySetup, CostsOnlyItsValueAndStaysInTheFile) {
  TRegistryTree tree;
  TSectionedStore(tree, Root).WriteInteger("", "Calculator", 2);
  TDirectStore direct(tree);
  ASSERT_TRUE(direct.OpenKey(LatencyKeyPath(), true));
  TLatencySettings settings;
  settings.ActivePageIndex = 0;
  settings.Client = {64, 3};
  settings.Server = {1500, 7};
  const char* names[] = {"Campus", "Backbone", "Uplink"};
  for (int i = 0; i < 3; ++i)
    settings.Networks.push_back({{100.0 + i, 20 + 60 * i, nbOther, 4 + i, 40}, names[i]});
  WriteLatencySettings(direct, settings);
  tree.SetValue(LatencyKeyPath(), GetParam().Value, GetParam().Damaged);
  WriteSettings(tree);
  const TRegistryTree stored = ReadSettings();
  {
    ParlamineTest::TMessageBoxScript boxes({QMessageBox::Ok});
    auto form = Open();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    const QString text = boxes.Shown()[0].Text;
    for (const QString& part : {TMainForm::SettingsFileName(), QStringLiteral("Latency Calculator"),
                                QString::fromLatin1(GetParam().Error)})
      EXPECT_TRUE(text.contains(part)) << text.toStdString();
    const TNetworkSetupEditor* editor = form->findChild<TLatencyCalculator*>()->SetupEditor();
    ASSERT_EQ(editor->NetworkCount(), 3);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(editor->Networks().at(i + 1)->NetworkName(), QLatin1String(names[i])) << "network " << i + 1;
    QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);  // another setting changes
  }
  TRegistryTree saved = ReadSettings();
  EXPECT_EQ(TSectionedStore(saved, Root).ReadInteger("", "Calculator", -1), 0);
  for (const std::string& name : stored.ValueNames(LatencyKeyPath())) {
    const TRegValue* after = saved.FindValue(LatencyKeyPath(), name);
    ASSERT_NE(after, nullptr) << name;
    EXPECT_TRUE(*after == *stored.FindValue(LatencyKeyPath(), name)) << name << " changed";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, DamagedLatencySetup,
    ::testing::Values(TDamagedLatencyCase{"PageIndexAString", "ActivePageIndex", StringValue("1"),
                                          "Invalid data type for 'ActivePageIndex'"},
                      TDamagedLatencyCase{"ClientOf3Bytes", "Client", BinaryValue({64, 0, 0}),
                                          "Invalid data type for 'Client'"},
                      TDamagedLatencyCase{"CountAString", "NumNetworks", StringValue("3"),
                                          "Invalid data type for 'NumNetworks'"},
                      TDamagedLatencyCase{"SecondNetworkDamaged", "Network2", BinaryValue({1, 2, 3, 4}),
                                          "Invalid data type for 'Network2'"}),
    [](const ::testing::TestParamInfo<TDamagedLatencyCase>& info) { return std::string(info.param.Name); });

TEST_F(MainWindowTest, AChangeIsSavedShortlyAfterTheInputComesToRest) {
  auto form = Open();
  QTest::qWait(2500);  // the placing of the window settles first
  const QDateTime before = QFileInfo(TMainForm::SettingsFileName()).lastModified();
  QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
  QTest::qWait(500);
  EXPECT_EQ(QFileInfo(TMainForm::SettingsFileName()).lastModified(), before) << "not while the user works";
  QTest::qWait(2000);
  TRegistryTree saved = ReadSettings();
  EXPECT_EQ(TSectionedStore(saved, Root).ReadInteger("", "Calculator", -1), 2)
      << "saved with the window open";
}

}  // namespace
