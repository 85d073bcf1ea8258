// SPDX-License-Identifier: MIT
// The Prefix Calculator as a user drives it: prefixes typed, the message
// while the text is none, the IPv6 page, split lengths picked and the split
// table copied, lists summarised, the keyboard order and the settings
// section saved, restored and damaged.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <memory>
#include <set>
#include <vector>

#include "PrefixAddress.h"
#include "PrefixCalculator.h"
#include "QStringPrinter.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellLabel.h"
#include "ZellTableExport.h"

namespace Parlamine {
namespace {

constexpr const char* Section = "Prefix Calculator";

QString ClipboardText() {
  return QString::fromLatin1(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")));
}

class PrefixCalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override { Create(); }

  void Create() {
    Calculator = std::make_unique<TPrefixCalculator>();
    TSectionedStore store(Tree, SettingsRoot);
    Calculator->LoadPrefixSettings(store);
    Calculator->resize(312, 340);
    Calculator->show();
    QApplication::setActiveWindow(Calculator.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Calculator.get()));
  }

  template <typename T>
  T* Find(const char* name) const {
    return ParlamineTest::FindNamed<T>(Calculator.get(), name);
  }
  QString Text(const char* box) const { return Find<TTextBox>(box)->Caption(); }
  QLineEdit* Edit() const { return Find<QLineEdit>("PrefixEdit"); }
  QComboBox* Lengths() const { return Find<QComboBox>("SplitLengthComboBox"); }
  TVirtualListView* Table() const { return Find<TVirtualListView>("SplitListView"); }
  QTabWidget* Pages() const { return Find<QTabWidget>("PrefixPageControl"); }
  QString Message() const { return Find<TZellLabel>("PrefixMessageLabel")->Caption(); }

  void ShowPage(int index) const {
    Pages()->setCurrentIndex(index);
    QApplication::processEvents();
  }
  // Replaces the text as a user does: select all, type.
  void Type(const char* text) const {
    Edit()->setFocus();
    Edit()->selectAll();
    if (*text == 0)
      QTest::keyClick(Edit(), Qt::Key_Delete);
    else
      QTest::keyClicks(Edit(), QString::fromUtf8(text));
  }
  QString Row(int row) const {
    QStringList cells;
    for (int c = 0; c < Table()->model()->columnCount(); ++c)
      cells << Table()->model()->index(row, c).data().toString();
    return cells.join(QLatin1Char('|'));
  }
  QStringList Captions() const {
    QStringList captions;
    for (int c = 0; c < Table()->model()->columnCount(); ++c)
      captions << Table()->model()->headerData(c, Qt::Horizontal).toString();
    return captions;
  }
  // Picks the list item whose text starts with `start` with the keyboard.
  void PickLength(const char* start) const {
    ShowPage(1);
    const int index = Lengths()->findText(QString::fromLatin1(start), Qt::MatchStartsWith);
    ASSERT_GE(index, 0) << start;
    Lengths()->setFocus();
    while (Lengths()->currentIndex() < index) QTest::keyClick(Lengths(), Qt::Key_Down);
    while (Lengths()->currentIndex() > index) QTest::keyClick(Lengths(), Qt::Key_Up);
  }
  void Summarize(const char* lines) const {
    ShowPage(2);
    auto* memo = Find<QPlainTextEdit>("SummarizeMemo");
    memo->setPlainText(QString::fromUtf8(lines));
    QTest::mouseClick(Find<QPushButton>("SummarizeButton"), Qt::LeftButton);
  }
  QStringList SummaryItems() const {
    QStringList items;
    const QAbstractItemModel* model = Find<QListView>("SummaryListView")->model();
    for (int r = 0; r < model->rowCount(); ++r) items << model->index(r, 0).data().toString();
    return items;
  }
  std::string Stored(const char* name) const {
    const TRegValue* v = Tree.FindValue(std::string(SettingsRoot) + "\\" + Section, name);
    return v ? v->Text : std::string("<missing>");
  }

  TRegistryTree Tree;
  std::unique_ptr<TPrefixCalculator> Calculator;
  // Any message box would fail the test: the page reports by its message line.
  ParlamineTest::TMessageBoxScript NoBoxes;
};

struct InfoCase {
  const char* Name;
  const char* Typed;
  std::vector<std::pair<const char*, const char*>> Boxes;
};

class PrefixInfoEntry : public PrefixCalculatorTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(PrefixInfoEntry, ShowsTheResultsAsOneTypes) {
  Type(GetParam().Typed);
  EXPECT_EQ(Message(), QString());
  for (const auto& [box, text] : GetParam().Boxes) EXPECT_EQ(Text(box), QString::fromUtf8(text)) << box;
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, PrefixInfoEntry,
    ::testing::Values(
        InfoCase{"HostBitsSet",
                 "10.1.2.3/22",
                 {{"NetworkTextBox", "10.1.0.0/22"},
                  {"PrefixLengthTextBox", "22"},
                  {"NetmaskTextBox", "255.255.252.0"},
                  {"WildcardMaskTextBox", "0.0.3.255"},
                  {"FirstAddressTextBox", "10.1.0.0"},
                  {"LastAddressTextBox", "10.1.3.255"},
                  {"FirstHostTextBox", "10.1.0.1"},
                  {"LastHostTextBox", "10.1.3.254"},
                  {"AddressesTextBox", "1,024"},
                  {"UsableHostsTextBox", "1,022"},
                  {"AddressTypeTextBox", "Private use (RFC 1918)"},
                  {"RegistryFlagsTextBox",
                   "Source True, Destination True, Forwardable True, Globally Reachable False, "
                   "Reserved-by-Protocol False"},
                  {"ReverseDnsZoneTextBox", "1.10.in-addr.arpa"},
                  {"PrefixBitMapTextBox", "nnnnnnnn.nnnnnnnn.nnnnnnhh.hhhhhhhh"},
                  // The address as typed, not the network.
                  {"BinAddressTextBox", "00001010.00000001.00000010.00000011"}}},
        InfoCase{"PointToPointLink",
                 "192.0.2.6/31",
                 {{"FirstHostTextBox", "192.0.2.6"},
                  {"LastHostTextBox", "192.0.2.7"},
                  {"UsableHostsTextBox", "2"},
                  {"AddressTypeTextBox", "Documentation (TEST-NET-1) (RFC 5737)"}}},
        InfoCase{"MaskAfterABlank",
                 " 172.16.5.4 255.255.0.0 ",
                 {{"NetworkTextBox", "172.16.0.0/16"}, {"AddressesTextBox", "65,536"}}},
        InfoCase{"UpperCaseIPv6",
                 "2001:DB8:0:0:1::/64",
                 {{"NetworkTextBox", "2001:db8::/64"},
                  {"FirstAddressTextBox", "2001:db8::"},
                  {"LastAddressTextBox", "2001:db8::ffff:ffff:ffff:ffff"},
                  {"AddressesTextBox", "18,446,744,073,709,551,616"},
                  {"ReverseDnsZoneTextBox", "0.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa"}}},
        InfoCase{"TeredoAddress",
                 "2001:0:4136:e378:8000:63bf:3fff:fdd2",
                 {{"ExplodedTextBox", "2001:0000:4136:e378:8000:63bf:3fff:fdd2"},
                  {"IPv6NetmaskTextBox", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
                  {"EmbeddedIPv4TextBox", "Teredo: server 65.54.227.120, client 192.0.2.45, port 40000"},
                  {"RegistryFlagsTextBox",
                   "Source True, Destination True, Forwardable True, Globally Reachable N/A, "
                   "Reserved-by-Protocol False"}}},
        InfoCase{"SixToFourSite",
                 "2002:c000:204::/48",
                 {{"IPv6NetmaskTextBox", "ffff:ffff:ffff::"}, {"EmbeddedIPv4TextBox", "6to4: 192.0.2.4"}}},
        InfoCase{"WholeIPv6Space",
                 "::/0",
                 {{"NetworkTextBox", "::/0"},
                  {"AddressesTextBox", "340,282,366,920,938,463,463,374,607,431,768,211,456"}}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PrefixCalculatorTest, RandomGivesAPrivatePrefixOfTheLengthShown) {
  const struct {
    const char* Typed;
    const char* Length;
    const char* Type;
  } cases[] = {{"10.1.2.3/22", "22", "Private use (RFC 1918)"},
               {"8.0.0.0/6", "8", "Private use (RFC 1918)"},
               {"2001:db8::/32", "48", "Unique local (RFC 4193)"},
               {"2001:db8::/64", "64", "Unique local (RFC 4193)"}};
  for (const auto& c : cases) {
    Type(c.Typed);
    QTest::mouseClick(Find<QPushButton>("RandomButton"), Qt::LeftButton);
    EXPECT_NE(Edit()->text(), QLatin1String(c.Typed));
    EXPECT_EQ(Text("PrefixLengthTextBox"), QLatin1String(c.Length)) << c.Typed;
    EXPECT_EQ(Text("AddressTypeTextBox"), QLatin1String(c.Type)) << Edit()->text().toStdString();
  }
}

TEST_F(PrefixCalculatorTest, StartsWithTheDefaultPrefix) {
  EXPECT_EQ(Edit()->text(), QStringLiteral("192.168.1.0/24"));
  EXPECT_EQ(Text("NetworkTextBox"), QStringLiteral("192.168.1.0/24"));
  EXPECT_EQ(Text("UsableHostsTextBox"), QStringLiteral("254"));
  EXPECT_EQ(Lengths()->currentText(), QStringLiteral("/25 (2 subnets of 128 addresses)"));
  EXPECT_EQ(Pages()->currentIndex(), 0);
}

TEST_F(PrefixCalculatorTest, TextThatIsNoPrefixShowsTheCoreMessageAndNoResults) {
  for (const char* typed : {"10.0.0.0/33", "10.0.0.0 24", "fe80::1%eth0", "192.168.1", ""}) {
    SCOPED_TRACE(typed);
    Type(typed);
    const TPrefixParse parsed = ParsePrefix(typed);
    ASSERT_FALSE(parsed.Ok);
    EXPECT_EQ(Message(), QString::fromStdString(parsed.Error));
    EXPECT_EQ(Text("NetworkTextBox"), QString());
    EXPECT_EQ(Text("AddressTypeTextBox"), QString());
    EXPECT_EQ(Lengths()->count(), 0);
    EXPECT_EQ(Table()->model()->rowCount(), 0);
  }
  // The message goes with the first keystroke that makes the text a prefix.
  Type("10.0.0.0/3");
  EXPECT_EQ(Message(), QString());
  EXPECT_EQ(Text("NetworkTextBox"), QStringLiteral("0.0.0.0/3"));
  QTest::keyClick(Edit(), Qt::Key_2);
  EXPECT_EQ(Text("NetworkTextBox"), QStringLiteral("10.0.0.0/32"));
  EXPECT_TRUE(NoBoxes.Shown().empty());
}

TEST_F(PrefixCalculatorTest, RowsWithoutMeaningForIPv6AreHidden) {
  const char* ipv4Only[] = {"NetmaskLabel",        "NetmaskTextBox",    "WildcardMaskLabel",
                            "WildcardMaskTextBox", "FirstHostLabel",    "FirstHostTextBox",
                            "LastHostLabel",       "LastHostTextBox",   "UsableHostsLabel",
                            "UsableHostsTextBox",  "PrefixBitMapLabel", "PrefixBitMapTextBox",
                            "BinAddressTextBox"};
  const char* both[] = {"NetworkTextBox",       "PrefixLengthTextBox",  "FirstAddressTextBox",
                        "LastAddressTextBox",   "AddressesTextBox",     "AddressTypeTextBox",
                        "RegistryFlagsTextBox", "ReverseDnsZoneTextBox"};
  const char* ipv6Only[] = {"ExplodedLabel",      "ExplodedTextBox",   "IPv6NetmaskLabel",
                            "IPv6NetmaskTextBox", "EmbeddedIPv4Label", "EmbeddedIPv4TextBox"};
  for (const char* typed : {"2001:db8::/48", "10.0.0.0/8", "::ffff:192.0.2.1", "192.0.2.1"}) {
    SCOPED_TRACE(typed);
    Type(typed);
    const bool ipv6 = QString::fromLatin1(typed).contains(QLatin1Char(':'));
    for (const char* name : ipv4Only) EXPECT_EQ(Find<QWidget>(name)->isVisible(), !ipv6) << name;
    for (const char* name : both) EXPECT_TRUE(Find<QWidget>(name)->isVisible()) << name;
    for (const char* name : ipv6Only) EXPECT_EQ(Find<QWidget>(name)->isVisible(), ipv6) << name;
  }
  // A text that is no prefix keeps the rows of the family shown before.
  Type("2001:db8::/48");
  Type("2001:db8::/4x");
  EXPECT_FALSE(Find<QWidget>("NetmaskTextBox")->isVisible());
}

TEST_F(PrefixCalculatorTest, EveryCaptionNamesItsResultBox) {
  const std::pair<const char*, const char*> captions[] = {
      {"NetworkLabel", "Network"},
      {"PrefixLengthLabel", "Prefix Length"},
      {"NetmaskLabel", "Netmask"},
      {"WildcardMaskLabel", "Wildcard Mask"},
      {"FirstAddressLabel", "First Address"},
      {"LastAddressLabel", "Last Address"},
      {"FirstHostLabel", "First Host"},
      {"LastHostLabel", "Last Host"},
      {"AddressesLabel", "Addresses"},
      {"UsableHostsLabel", "Usable Hosts"},
      {"AddressTypeLabel", "Address Type"},
      {"ReverseDnsZoneLabel", "Reverse DNS Zone"},
  };
  for (const auto& [name, caption] : captions) {
    auto* label = Find<QLabel>(name);
    EXPECT_EQ(label->text(), QLatin1String(caption));
    ASSERT_NE(label->buddy(), nullptr) << name;
    EXPECT_TRUE(qobject_cast<TTextBox*>(label->buddy())) << name;
  }
  EXPECT_EQ(Find<QLabel>("PrefixLabel")->buddy(), Edit());
  EXPECT_EQ(Find<QLabel>("PrefixLabel")->text(), QStringLiteral("&Prefix"));
  EXPECT_EQ(Find<TZellLabel>("PrefixBitMapLabel")->Caption(),
            QStringLiteral("Prefix Bit Map (n=network;h=host)"));
}

TEST_F(PrefixCalculatorTest, SplitListOffersUpTo16777216Subnets) {
  struct Case {
    const char* Prefix;
    int Count;
    const char* First;
    const char* Last;
  };
  const Case cases[] = {
      {"172.16.0.0/16", 17, "/16 (1 subnet of 65,536 addresses)", "/32 (65,536 subnets of 1 address)"},
      {"10.0.0.0/8", 25, "/8 (1 subnet of 16,777,216 addresses)", "/32 (16,777,216 subnets of 1 address)"},
      {"192.0.2.1", 1, "/32 (1 subnet of 1 address)", "/32 (1 subnet of 1 address)"},
      {"2001:db8::/32", 25, "/32 (1 subnet of 79,228,162,514,264,337,593,543,950,336 addresses)",
       "/56 (16,777,216 subnets of 4,722,366,482,869,645,213,696 addresses)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Prefix);
    Type(c.Prefix);
    ASSERT_EQ(Lengths()->count(), c.Count);
    EXPECT_EQ(Lengths()->itemText(0), QLatin1String(c.First));
    EXPECT_EQ(Lengths()->itemText(c.Count - 1), QLatin1String(c.Last));
  }
  Type("172.16.0.0/16");
  EXPECT_GE(Lengths()->findText(QStringLiteral("/26 (1,024 subnets of 64 addresses)")), 0);
}

// The largest IPv6 list: an ISP's /32 in /56s; Find selects the row that
// holds the typed address, by Enter or the button.
TEST_F(PrefixCalculatorTest, FindSelectsTheSubnetHoldingAnAddress) {
  Type("2001:db8::/32");
  PickLength("/56 ");
  ASSERT_EQ(Table()->model()->rowCount(), 16777216);
  auto* find = Find<QLineEdit>("SplitFindEdit");
  const struct {
    const char* Address;
    int Row;
  } cases[] = {
      {"2001:db8:ffff:ff12::1", 16777215}, {"2001:db8:0:100::", 1}, {"2001:db8:1234:5600::", 1193046}};
  ParlamineTest::TBeepCounter beeps;
  for (const auto& c : cases) {
    find->setFocus();
    find->selectAll();
    QTest::keyClicks(find, QString::fromLatin1(c.Address));
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(SelectedRowsInOrder(Table()), QList<int>({c.Row})) << c.Address;
  }
  EXPECT_EQ(Row(1193046).section(QLatin1Char('|'), 1, 1), QStringLiteral("2001:db8:1234:5600::/56"));
  // Outside the prefix, or no address: a beep, the selection stays.
  for (const char* typed : {"2001:db9::1", "10.0.0.1", "x"}) {
    find->setText(QLatin1String(typed));
    QTest::mouseClick(Find<QPushButton>("SplitFindButton"), Qt::LeftButton);
    EXPECT_EQ(SelectedRowsInOrder(Table()), QList<int>({1193046})) << typed;
  }
  EXPECT_EQ(beeps.Count(), 3);
}

TEST_F(PrefixCalculatorTest, SplitTableRowsAndColumns) {
  Type("172.16.0.0/16");
  PickLength("/26 ");
  EXPECT_EQ(Table()->model()->rowCount(), 1024);
  EXPECT_EQ(Captions(), QStringList({"#", "Network", "First Host", "Last Host", "Broadcast"}));
  // The fifth subnet, numbered from 0: subnet zero counts.
  EXPECT_EQ(Row(4), QStringLiteral("4|172.16.1.0/26|172.16.1.1|172.16.1.62|172.16.1.63"));
  EXPECT_EQ(Row(1023), QStringLiteral("1023|172.16.255.192/26|172.16.255.193|172.16.255.254|172.16.255.255"));
  PickLength("/31 ");
  EXPECT_EQ(Row(1), QStringLiteral("1|172.16.0.2/31|172.16.0.2|172.16.0.3|none"));

  Type("2001:db8::/32");
  PickLength("/48 ");
  EXPECT_EQ(Captions(), QStringList({"#", "Network", "First Address", "Last Address"}));
  EXPECT_EQ(Table()->model()->rowCount(), 65536);
  EXPECT_EQ(
      Row(65535),
      QStringLiteral("65535|2001:db8:ffff::/48|2001:db8:ffff::|2001:db8:ffff:ffff:ffff:ffff:ffff:ffff"));
  EXPECT_EQ(Find<TTextBox>("SplitPrefixTextBox")->Caption(), QStringLiteral("2001:db8::/32"));
}

TEST_F(PrefixCalculatorTest, PickedSplitLengthFollowsThePrefix) {
  Type("172.16.0.0/16");
  PickLength("/26 ");
  // A longer prefix offers no /26: the nearest length it has is shown...
  Type("172.16.0.0/28");
  EXPECT_TRUE(Lengths()->currentText().startsWith(QStringLiteral("/28 ")));
  // ...and the pick comes back with a prefix that offers it again.
  Type("10.0.0.0/8");
  EXPECT_TRUE(Lengths()->currentText().startsWith(QStringLiteral("/26 ")));
  EXPECT_EQ(Table()->model()->rowCount(), 262144);
}

TEST_F(PrefixCalculatorTest, LargestSplitJumpsToItsLastRow) {
  Type("10.0.0.0/8");
  PickLength("/30 ");
  QApplication::processEvents();  // the view lays out its new rows
  ASSERT_EQ(Table()->model()->rowCount(), 4194304);
  QTest::mouseClick(Find<QToolButton>("SplitLastToolButton"), Qt::LeftButton);
  QApplication::processEvents();
  const QModelIndex last = Table()->model()->index(4194303, 0);
  EXPECT_TRUE(Table()->viewport()->rect().contains(Table()->visualRect(last)))
      << Table()->visualRect(last).y() << " in " << Table()->viewport()->height();
  EXPECT_EQ(Row(4194303),
            QStringLiteral("4194303|10.255.255.252/30|10.255.255.253|10.255.255.254|10.255.255.255"));
}

TEST_F(PrefixCalculatorTest, SplitTableCopiesSelectedRowsOrAllAfterAsking) {
  Type("192.168.1.0/24");
  PickLength("/26 ");
  TVirtualListView* view = Table();
  for (int row : {3, 1}) {
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
  }
  QTest::mouseClick(Find<QToolButton>("SplitClipboardButton"), Qt::LeftButton);
  EXPECT_EQ(ClipboardText(),
            QStringLiteral("#\tNetwork\tFirst Host\tLast Host\tBroadcast\r\n"
                           "1\t192.168.1.64/26\t192.168.1.65\t192.168.1.126\t192.168.1.127\r\n"
                           "3\t192.168.1.192/26\t192.168.1.193\t192.168.1.254\t192.168.1.255\r\n"));

  view->clearSelection();
  {
    ParlamineTest::TMessageBoxScript script({QMessageBox::Yes});
    view->setFocus();
    // Edit > Copy reaches the list through the clipboard request.
    EXPECT_TRUE(SendClipboardRequest(view, TClipboardRequest::crCopy));
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].Caption, QStringLiteral("Copy All Data?"));
  }
  const QStringList lines = ClipboardText().split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 6);  // header, four rows, the empty text after the last CR LF
  EXPECT_EQ(lines[4], QStringLiteral("3\t192.168.1.192/26\t192.168.1.193\t192.168.1.254\t192.168.1.255"));
}

TEST_F(PrefixCalculatorTest, SummarizeMergesAndReportsBadLines) {
  Summarize(
      "10.0.1.0/24\n"
      "bogus\n"
      "10.0.0.0 - 10.0.0.255\n"
      "\n"
      "2001:db8::1\n"
      "10.0.0.7\n"
      "192.168.0.0/33\n");
  EXPECT_EQ(SummaryItems(), QStringList({"10.0.0.0/23", "2001:db8::1/128"}));
  auto* errors = Find<QPlainTextEdit>("SummarizeErrorsMemo");
  EXPECT_TRUE(errors->isVisible());
  const QStringList lines = errors->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Line 2: "))) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Line 7: "))) << lines[1].toStdString();

  QTest::mouseClick(Find<QToolButton>("SummaryClipboardButton"), Qt::LeftButton);
  EXPECT_EQ(ClipboardText(), QStringLiteral("10.0.0.0/23\r\n2001:db8::1/128\r\n"));

  // A clean list hides the errors again; Edit > Copy copies the list too.
  Summarize("192.0.2.0/25\n192.0.2.128/25\n");
  EXPECT_FALSE(errors->isVisible());
  EXPECT_TRUE(SendClipboardRequest(Find<QListView>("SummaryListView"), TClipboardRequest::crCopy));
  EXPECT_EQ(ClipboardText(), QStringLiteral("192.0.2.0/24\r\n"));
}

TEST_F(PrefixCalculatorTest, ExclusionsComeOutOfTheSummary) {
  ShowPage(2);
  auto* exclude = Find<QPlainTextEdit>("ExcludeMemo");
  EXPECT_EQ(Find<QLabel>("ExcludeLabel")->text(), QStringLiteral("E&xclude (one per line)"));
  EXPECT_EQ(Find<QLabel>("ExcludeLabel")->buddy(), exclude);
  exclude->setPlainText(QStringLiteral("10.1.0.0/16\nbogus\n192.168.0.0 - 192.168.255.255\n"));
  Summarize("10.0.0.0/9\n10.128.0.0/9\n192.168.0.0/16\n");
  EXPECT_EQ(SummaryItems(), QStringList({"10.0.0.0/16", "10.2.0.0/15", "10.4.0.0/14", "10.8.0.0/13",
                                         "10.16.0.0/12", "10.32.0.0/11", "10.64.0.0/10", "10.128.0.0/9"}));
  EXPECT_EQ(Find<QPlainTextEdit>("SummarizeErrorsMemo")->toPlainText(),
            QStringLiteral("Exclude, line 2: 'bogus' is neither an IPv4 nor an IPv6 address"));
  {
    TSectionedStore store(Tree, SettingsRoot);
    Calculator->SavePrefixSettings(store);
  }
  EXPECT_EQ(Stored("ExcludeText"), "10.1.0.0/16\nbogus\n192.168.0.0 - 192.168.255.255\n");
  Create();
  EXPECT_EQ(SummaryItems().size(), 8);
}

TEST_F(PrefixCalculatorTest, SummaryCopyTakesTheSelectedPrefixesInListOrder) {
  Summarize("10.0.0.0/8\n172.16.0.0/12\n192.168.0.0/16\n");
  auto* list = Find<QListView>("SummaryListView");
  for (int row : {2, 0}) {
    const QRect item = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, item.center());
  }
  QTest::mouseClick(Find<QToolButton>("SummaryClipboardButton"), Qt::LeftButton);
  EXPECT_EQ(ClipboardText(), QStringLiteral("10.0.0.0/8\r\n192.168.0.0/16\r\n"));
  // The list's own keys: Ctrl+C copies as the button, Ctrl+A takes every row.
  QApplication::clipboard()->clear();
  list->setFocus();
  QTest::keySequence(list, QKeySequence::Copy);
  EXPECT_EQ(ClipboardText(), QStringLiteral("10.0.0.0/8\r\n192.168.0.0/16\r\n"));
  QTest::keySequence(list, QKeySequence::SelectAll);
  QTest::keySequence(list, QKeySequence::Copy);
  EXPECT_EQ(ClipboardText(), QStringLiteral("10.0.0.0/8\r\n172.16.0.0/12\r\n192.168.0.0/16\r\n"));
}

TEST_F(PrefixCalculatorTest, SettingsRoundTrip) {
  Type("2001:db8:1::/48");
  PickLength("/52 ");
  Summarize("10.0.0.0/24\n10.0.1.0/24\n\tbad line\n");
  Find<QLineEdit>("SplitFindEdit")->setText(QStringLiteral("2001:db8:1:2::9"));
  ShowPage(1);
  {
    TSectionedStore store(Tree, SettingsRoot);
    Calculator->SavePrefixSettings(store);
  }
  EXPECT_EQ(Stored("Prefix"), "2001:db8:1::/48");
  EXPECT_EQ(Stored("ActivePageIndex"), "1");
  EXPECT_EQ(Stored("SplitLength"), "52");
  EXPECT_EQ(Stored("FindAddress"), "2001:db8:1:2::9");
  // The box's own line breaks and the tab, kept through the file text.
  EXPECT_EQ(Stored("SummarizeText"), "10.0.0.0/24\n10.0.1.0/24\n\tbad line\n");
  Tree = TRegistryTree::FromRegText(Tree.ToRegText());

  Create();
  EXPECT_EQ(Edit()->text(), QStringLiteral("2001:db8:1::/48"));
  EXPECT_EQ(Pages()->currentIndex(), 1);
  EXPECT_TRUE(Lengths()->currentText().startsWith(QStringLiteral("/52 ")));
  EXPECT_EQ(Table()->model()->rowCount(), 16);
  EXPECT_EQ(Find<QLineEdit>("SplitFindEdit")->text(), QStringLiteral("2001:db8:1:2::9"));
  EXPECT_EQ(Find<QPlainTextEdit>("SummarizeMemo")->toPlainText(),
            QStringLiteral("10.0.0.0/24\n10.0.1.0/24\n\tbad line\n"));
  EXPECT_EQ(SummaryItems(), QStringList({"10.0.0.0/23"}));
}

struct StoredCase {
  const char* Name;
  std::vector<std::pair<const char*, TRegValue>> Values;
  const char* Prefix;
  int Page;
  const char* Length;  // start of the split list's shown item
};

TRegValue Str(const std::string& text) { return TRegValue{1, text, 0, {}, false}; }
TRegValue Dword(uint32_t value) { return TRegValue{4, {}, value, {}, false}; }

class StoredValues : public PrefixCalculatorTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValues, BadOnesFallBackToTheDefaultsQuietly) {
  for (const auto& [name, value] : GetParam().Values)
    Tree.SetValue(std::string(SettingsRoot) + "\\" + Section, name, value);
  Create();  // a message box here fails the test
  EXPECT_EQ(Edit()->text(), QLatin1String(GetParam().Prefix));
  EXPECT_EQ(Message(), QString());
  EXPECT_EQ(Pages()->currentIndex(), GetParam().Page);
  EXPECT_TRUE(Lengths()->currentText().startsWith(QLatin1String(GetParam().Length)))
      << Lengths()->currentText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StoredValues,
    ::testing::Values(
        StoredCase{"NoPrefixText", {{"Prefix", Str("192.168.1.0/33")}}, "192.168.1.0/24", 0, "/25 "},
        // The field holds 255 characters; cut there, this text would be blanks.
        StoredCase{"PrefixLongerThanTheField",
                   {{"Prefix", Str(std::string(300, ' ') + "10.0.0.0/8")}},
                   "192.168.1.0/24",
                   0,
                   "/25 "},
        StoredCase{"PrefixOfTheWrongType", {{"Prefix", Dword(5)}}, "192.168.1.0/24", 0, "/25 "},
        StoredCase{"PageBeyondTheLast", {{"ActivePageIndex", Str("4")}}, "192.168.1.0/24", 0, "/25 "},
        StoredCase{"NegativePage", {{"ActivePageIndex", Str("-1")}}, "192.168.1.0/24", 0, "/25 "},
        StoredCase{"PageNoNumber", {{"ActivePageIndex", Str("two")}}, "192.168.1.0/24", 0, "/25 "},
        StoredCase{"LengthTheStoredPrefixDoesNotOffer",
                   {{"Prefix", Str("10.0.0.0/8")}, {"SplitLength", Str("33")}},
                   "10.0.0.0/8",
                   0,
                   "/9 "},
        StoredCase{"LengthShorterThanThePrefix", {{"SplitLength", Str("16")}}, "192.168.1.0/24", 0, "/25 "},
        StoredCase{"GoodValues",
                   {{"Prefix", Str("10.0.0.0/8")}, {"SplitLength", Str("30")}, {"ActivePageIndex", Str("2")}},
                   "10.0.0.0/8",
                   2,
                   "/30 "}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PrefixCalculatorTest, NamesHintsAndAccessibleNames) {
  const std::pair<const char*, const char*> hints[] = {
      {"PrefixEdit", "Enter an IPv4 or IPv6 address with an optional /prefix length or mask"},
      {"SplitClipboardButton", "Copy split table to clipboard"},
      {"SplitFirstToolButton", "Go to the first row in the split table"},
      {"SplitLastToolButton", "Go to the last row in the split table"},
      {"SplitSelectedToolButton", "Go to the currently selected row in the split table"},
      {"SummaryClipboardButton", "Copy summarized prefixes to clipboard"},
      {"PlanClipboardButton", "Copy plan table to clipboard"},
  };
  for (const auto& [name, hint] : hints) {
    QWidget* w = Find<QWidget>(name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->toolTip(), QLatin1String(hint)) << name;
    EXPECT_EQ(w->statusTip(), QLatin1String(hint)) << name;
  }
  // Every control the keyboard reaches has a hint; the picture buttons are
  // announced by it.
  for (QWidget* w : Calculator->findChildren<QWidget*>()) {
    const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                         qobject_cast<QAbstractButton*>(w) || qobject_cast<QPlainTextEdit*>(w);
    if (!control || w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
        qobject_cast<QTabBar*>(w->parentWidget()))
      continue;
    EXPECT_FALSE(w->statusTip().isEmpty()) << w->objectName().toStdString();
  }
  for (const char* name : {"SplitClipboardButton", "SummaryClipboardButton", "PlanClipboardButton"})
    EXPECT_EQ(Find<QWidget>(name)->accessibleName(), Find<QWidget>(name)->toolTip()) << name;
}

TEST_F(PrefixCalculatorTest, TabWalksEachPageTopToBottomAndGoesRound) {
  struct Page {
    int Index;
    std::vector<const char*> Order;
  };
  const Page pages[] = {
      {0,
       {"PrefixEdit", "RandomButton", "NetworkTextBox", "PrefixLengthTextBox", "NetmaskTextBox",
        "WildcardMaskTextBox", "FirstAddressTextBox", "LastAddressTextBox", "FirstHostTextBox",
        "LastHostTextBox", "AddressesTextBox", "UsableHostsTextBox", "AddressTypeTextBox",
        "RegistryFlagsTextBox", "ReverseDnsZoneTextBox"}},
      {1,
       {"SplitPrefixTextBox", "SplitLengthComboBox", "SplitFindEdit", "SplitFindButton",
        "SplitFirstToolButton", "SplitLastToolButton", "SplitSelectedToolButton", "SplitClipboardButton",
        "SplitListView"}},
      {2, {"SummarizeMemo", "ExcludeMemo", "SummarizeButton", "SummaryClipboardButton", "SummaryListView"}},
      {3,
       {"PlanParentEdit", "PlanMemo", "PlanOrderComboBox", "PlanPointToPointCheckBox", "PlanFirstToolButton",
        "PlanLastToolButton", "PlanSelectedToolButton", "PlanClipboardButton", "PlanListView",
        "PlanFreeTextBox", "PlanTotalsTextBox"}},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.Index);
    ShowPage(page.Index);
    // The first control of the page in the window's focus chain, past the
    // tab bar: where the main window puts the focus.
    QWidget* first = nullptr;
    for (QWidget* w = Calculator->nextInFocusChain(); w != Calculator.get() && !first;
         w = w->nextInFocusChain())
      if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
          !qobject_cast<QTabBar*>(w))
        first = w;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), QLatin1String(page.Order[0]));
    first->setFocus();
    for (size_t i = 1; i < page.Order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(page.Order[i]));
    }
    // Round through the tab bar and back to the first control.
    bool cameBack = false;
    for (int i = 0; i < 20 && !cameBack; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      cameBack = QApplication::focusWidget() == first;
    }
    EXPECT_TRUE(cameBack);
  }
}

// The results are read-only fields: a double click selects one whole, and
// the keys copy it, never the entry line's text.
TEST_F(PrefixCalculatorTest, ADoubleClickedResultIsWhatCtrlCCopies) {
  Type("10.1.2.3/22");
  for (const char* name : {"NetmaskTextBox", "ReverseDnsZoneTextBox"}) {
    auto* box = Find<TTextBox>(name);
    QTest::mouseDClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, box->height() / 2));
    EXPECT_TRUE(box->hasFocus()) << name;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), box->Caption()) << name;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit()->text(), QStringLiteral("10.1.2.3/22")) << name;
  }
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1.10.in-addr.arpa"));
}

// The Plan page: requirements typed into the box are planned in the block
// of the Prefix field until a parent of their own is typed.
class PrefixPlanPageTest : public PrefixCalculatorTest {
 protected:
  TVirtualListView* PlanTable() const { return Find<TVirtualListView>("PlanListView"); }
  QString PlanMessage() const { return Find<TZellLabel>("PlanMessageLabel")->Caption(); }
  void Plan(const char* parent, const char* lines) const {
    ShowPage(3);
    Find<QLineEdit>("PlanParentEdit")->setText(QString::fromLatin1(parent));
    Find<QPlainTextEdit>("PlanMemo")->setPlainText(QString::fromUtf8(lines));
  }
  QStringList PlanColumn(int column) const {
    QStringList cells;
    for (int r = 0; r < PlanTable()->model()->rowCount(); ++r)
      cells << PlanTable()->model()->index(r, column).data().toString();
    return cells;
  }
};

TEST_F(PrefixPlanPageTest, PlansTheBlockOfThePrefixFieldWithFreeSpaceTotalsAndCopy) {
  Type("10.20.1.9/22");
  Plan("", "Sales 120\nEngineering 250\nServers 30\nWAN 1 2\nWAN 2 2\nWAN 3 2\n");
  EXPECT_EQ(Find<QLineEdit>("PlanParentEdit")->placeholderText(), QStringLiteral("10.20.0.0/22"));
  EXPECT_EQ(PlanColumn(2), QStringList({"10.20.0.0/24", "10.20.1.0/25", "10.20.1.128/27", "10.20.1.160/30",
                                        "10.20.1.164/30", "10.20.1.168/30"}));
  EXPECT_EQ(Find<TTextBox>("PlanFreeTextBox")->Caption(),
            QStringLiteral("Free: 10.20.1.172/30, 10.20.1.176/28, 10.20.1.192/26, 10.20.2.0/23"));
  EXPECT_EQ(Find<TTextBox>("PlanTotalsTextBox")->Caption(),
            QStringLiteral("Used 428 of 1,024 addresses (41.7%), 596 free"));
  EXPECT_EQ(PlanMessage(), QString());

  // The /31 choice replans at once.
  QTest::mouseClick(Find<QCheckBox>("PlanPointToPointCheckBox"), Qt::LeftButton);
  EXPECT_EQ(PlanColumn(2).last(), QStringLiteral("10.20.1.164/31"));

  const QRect cell = PlanTable()->visualRect(PlanTable()->model()->index(3, 0));
  QTest::mouseClick(PlanTable()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  PlanTable()->setFocus();
  EXPECT_TRUE(SendClipboardRequest(PlanTable(), TClipboardRequest::crCopy));
  EXPECT_EQ(ClipboardText(),
            QStringLiteral("Name\tSize\tPrefix\tFirst Host\tLast Host\tBroadcast\tUsable Hosts\tUnused\r\n"
                           "WAN 1\t2 hosts\t10.20.1.160/31\t10.20.1.160\t10.20.1.161\tnone\t2\t0\r\n"));
}

TEST_F(PrefixPlanPageTest, TheMessageLineNamesBadParentsBadLinesAndWhatDoesNotFit) {
  struct TCase {
    const char* Parent;
    const char* Lines;
    const char* Message;  // start of it
    int Rows;
  };
  const TCase cases[] = {
      {"10.0.0.0/33", "A 10\n", "The prefix length 33 is more than 32", 0},
      {"10.0.0.0/26", "A 2\nB lots\nC 14\n", "Line 2: 'B lots': no size", 2},
      {"10.0.0.0/26", "A 2\nB 30\nC 14\n", "", 3},
      {"192.168.0.0/24", "A 126\nB 127\n", "Does not fit: A needs a /25", 1},
  };
  for (const TCase& c : cases) {
    Plan(c.Parent, c.Lines);
    EXPECT_TRUE(PlanMessage().startsWith(QLatin1String(c.Message))) << PlanMessage().toStdString();
    EXPECT_EQ(PlanTable()->model()->rowCount(), c.Rows) << c.Lines;
  }
  // Line order leaves gaps: the same lines then do not fit the /26.
  Plan("10.0.0.0/26", "A 2\nB 30\nC 14\n");
  Find<QComboBox>("PlanOrderComboBox")->setCurrentIndex(1);
  EXPECT_TRUE(PlanMessage().startsWith(QStringLiteral("Does not fit: C needs a /28: in line order")))
      << PlanMessage().toStdString();
}

TEST_F(PrefixPlanPageTest, AnIPv6ParentBringsItsColumns) {
  Plan("2001:db8::/48", "Campus 200 /64s\n");
  QStringList captions;
  for (int c = 0; c < PlanTable()->model()->columnCount(); ++c)
    captions << PlanTable()->model()->headerData(c, Qt::Horizontal).toString();
  EXPECT_EQ(captions,
            QStringList({"Name", "Size", "Prefix", "First Address", "Last Address", "Addresses", "Unused"}));
  EXPECT_EQ(PlanColumn(2), QStringList({"2001:db8::/56"}));
}

TEST_F(PrefixPlanPageTest, EverythingTypedComesBackAtTheNextStart) {
  Plan("172.16.0.0/16", "# lab\nLab 500 +10%\nLink 2\n");
  Find<QComboBox>("PlanOrderComboBox")->setCurrentIndex(1);
  Find<QCheckBox>("PlanPointToPointCheckBox")->setChecked(true);
  {
    TSectionedStore store(Tree, SettingsRoot);
    Calculator->SavePrefixSettings(store);
  }
  EXPECT_EQ(Stored("PlanText"), "# lab\nLab 500 +10%\nLink 2\n");
  Tree = TRegistryTree::FromRegText(Tree.ToRegText());

  Create();
  EXPECT_EQ(Pages()->currentIndex(), 3);
  EXPECT_EQ(Find<QLineEdit>("PlanParentEdit")->text(), QStringLiteral("172.16.0.0/16"));
  EXPECT_EQ(Find<QComboBox>("PlanOrderComboBox")->currentIndex(), 1);
  EXPECT_TRUE(Find<QCheckBox>("PlanPointToPointCheckBox")->isChecked());
  EXPECT_EQ(PlanColumn(2), QStringList({"172.16.0.0/22", "172.16.4.0/31"}));
}

// A list saved from another program is dropped on the page's multi-line boxes
// as a file manager drops it.
TEST_F(PrefixCalculatorTest, ATextFileDroppedOnAListBoxIsReadIntoIt) {
  QTemporaryDir folder;
  const QString fileName = folder.filePath(QStringLiteral("sites.txt"));
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("Sales 120\nServers 30\n");
  file.close();
  for (const auto& [page, box] : {std::pair{2, "SummarizeMemo"}, std::pair{3, "PlanMemo"}}) {
    ShowPage(page);
    QPlainTextEdit* memo = Find<QPlainTextEdit>(box);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(fileName)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &drop);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("Sales 120\nServers 30\n")) << box;
  }
}

}  // namespace
}  // namespace Parlamine
