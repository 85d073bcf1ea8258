// SPDX-License-Identifier: MIT
// The calculator as a user drives it: octets typed, classes and list rows
// picked with the keyboard, check boxes clicked, the table copied, and the
// settings section saved and restored.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>
#include <vector>

#include "IPSubnetCalculator.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellIPEdit.h"
#include "ZellLabel.h"
#include "ZellTableExport.h"

namespace Parlamine {
namespace {

class IPSubnetCalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override { Create(); }

  void Create() {
    Calculator = std::make_unique<TIPSubnetCalculator>();
    TSectionedStore store(Tree, SettingsRoot);
    Calculator->SetLoading(true);
    Calculator->LoadIPSubnetSettings(store);
    Calculator->SetLoading(false);
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
  QString Item(const char* list) const { return Find<QComboBox>(list)->currentText(); }
  TIPEdit* Edit() const { return Find<TIPEdit>("IPAddressEdit"); }
  TVirtualListView* Table() const { return Find<TVirtualListView>("SubnetHostListView"); }
  QString Row(int row) const {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << Table()->model()->index(row, c).data().toString();
    return cells.join(QLatin1Char('|'));
  }

  // Types the octet into field 0 and leaves the field with Enter.
  void CommitFirstOctet(const char* digits) {
    TIPFieldEdit* field = Edit()->Field(0);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(digits));
    if (field->hasFocus()) QTest::keyClick(field, Qt::Key_Return);
  }

  // Types the four octets, each committed as the user leaves it.
  void TypeAddress(const char* dotted) {
    const QStringList octets = QString::fromLatin1(dotted).split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
      TIPFieldEdit* field = Edit()->Field(i);
      field->setFocus();
      field->selectAll();
      QTest::keyClicks(field, octets[i]);
      if (field->hasFocus()) QTest::keyClick(field, Qt::Key_Return);
    }
  }

  void PickRow(const char* list, int row) {
    auto* combo = Find<QComboBox>(list);
    combo->setFocus();
    const int steps = row - combo->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i) QTest::keyClick(combo, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(combo->currentIndex(), row);
  }

  TRegistryTree Tree;
  std::unique_ptr<TIPSubnetCalculator> Calculator;
};

TEST_F(IPSubnetCalculatorTest, FirstRunShowsTheDefaultAddressOnEveryPage) {
  EXPECT_EQ(Edit()->AddressString(), QStringLiteral("128.15.10.5"));
  EXPECT_EQ(Item("AddressTypeComboBox"), QStringLiteral("Class B: 128.0.0.0 -- 191.255.255.255"));
  EXPECT_EQ(Text("ClassBitMapTextBox"), QStringLiteral("10nnnnnn.nnnnnnnn.hhhhhhhh.hhhhhhhh"));
  EXPECT_EQ(Text("BinAddressTextBox"), QStringLiteral("10000000.00001111.00001010.00000101"));
  EXPECT_EQ(Text("HexAddressTextBox"), QStringLiteral("80.0F.0A.05"));
  EXPECT_FALSE(Find<QLabel>("EthernetMulticastLabel")->isVisibleTo(Calculator.get()));

  EXPECT_EQ(Item("SubnetBitsComboBox"), QStringLiteral("8"));
  EXPECT_EQ(Item("SubnetMaskBitsComboBox"), QStringLiteral("24"));
  EXPECT_EQ(Item("SubnetMaskComboBox"), QStringLiteral("255.255.255.0"));
  EXPECT_EQ(Item("SubnetCountComboBox"), QStringLiteral("254"));
  EXPECT_EQ(Item("SubnetHostCountComboBox"), QStringLiteral("254"));
  EXPECT_EQ(Text("SubnetBitMapTextBox"), QStringLiteral("10nnnnnn.nnnnnnnn.ssssssss.hhhhhhhh"));
  EXPECT_EQ(Text("SubnetIDTextBox"), QStringLiteral("128.15.10.0"));
  EXPECT_EQ(Text("SubnetBroadcastTextBox"), QStringLiteral("128.15.10.255"));
  EXPECT_EQ(Text("SubnetAddressRangeTextBox"), QStringLiteral("128.15.10.1 - 128.15.10.254"));

  ASSERT_EQ(Table()->model()->rowCount(), 254);
  EXPECT_EQ(Row(0), QStringLiteral("1|128.15.1.0|128.15.1.1 - 128.15.1.254|128.15.1.255"));
  EXPECT_EQ(Row(253), QStringLiteral("254|128.15.254.0|128.15.254.1 - 128.15.254.254|128.15.254.255"));

  EXPECT_EQ(Item("SupernetMaskBitsComboBox"), QStringLiteral("8"));
  EXPECT_EQ(Item("SupernetMaskComboBox"), QStringLiteral("255.0.0.0"));
  EXPECT_EQ(Item("SupernetCountComboBox"), QStringLiteral("256"));
  EXPECT_EQ(Item("SupernetAddressCountComboBox"), QStringLiteral("16777214"));
  EXPECT_EQ(Text("SupernetRouteTextBox"), QStringLiteral("128.0.0.0"));
  EXPECT_EQ(Text("SupernetAddressRangeTextBox"), QStringLiteral("128.0.0.0 - 128.255.255.255"));
}

TEST_F(IPSubnetCalculatorTest, ReservedFirstOctetsAreReportedAndReplaced) {
  struct Case {
    const char* Name;
    uint32_t Rest;  // octets 2 to 4
    const char* Typed;
    const char* MessageStart;
    const char* Address;
    int Class;
  };
  const Case cases[] = {
      {"loopback", 0x000A05u, "127", "The IP address 127.x.x.x", "126.0.10.5", 0},
      {"this host", 0x000000u, "0", "The IP address 0.0.0.0", "1.0.0.0", 0},
      {"host on this network", 0x010203u, "0", "The IP address 0.x.x.x", "1.1.2.3", 0},
      {"broadcast", 0xFFFFFFu, "255", "The IP address 255.255.255.255", "239.255.255.255", 3},
      {"class E", 0x010203u, "250", "The IP address 250.x.x.x", "239.1.2.3", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Edit()->SetAddressValue(0x80000000u | c.Rest);
    ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
    CommitFirstOctet(c.Typed);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].Caption, QStringLiteral("Invalid IP Address"));
    EXPECT_EQ(script.Shown()[0].Icon, QMessageBox::Information);
    EXPECT_TRUE(script.Shown()[0].Text.startsWith(QLatin1String(c.MessageStart)))
        << script.Shown()[0].Text.toStdString();
    EXPECT_EQ(Edit()->AddressString(), QLatin1String(c.Address));
    EXPECT_EQ(Find<QComboBox>("AddressTypeComboBox")->currentIndex(), c.Class);
    EXPECT_EQ(Text("BinAddressTextBox").left(8),
              QString::number(Edit()->IPFieldValues(0), 2).rightJustified(8, QLatin1Char('0')));
  }
  EXPECT_EQ(Text("EthernetMulticastTextBox"), QStringLiteral("01 00 5E 01 02 03"));
}

TEST_F(IPSubnetCalculatorTest, PastedAddressIsCheckedAndComputedAsIfTyped) {
  struct Case {
    const char* Pasted;
    size_t Messages;
    const char* Address;
    int Class;
    const char* Binary;
  };
  const Case cases[] = {
      {"127.1.2.3/8", 1, "126.1.2.3", 0, "01111110.00000001.00000010.00000011"},
      {" 172.16.5.4 255.255.0.0 ", 0, "172.16.5.4", 1, "10101100.00010000.00000101.00000100"},
      {"224.1.2.3", 0, "224.1.2.3", 3, "11100000.00000001.00000010.00000011"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Pasted);
    Edit()->SetAddressString(QStringLiteral("128.15.10.5"));
    TIPFieldEdit* field = Edit()->Field(2);
    field->setFocus();
    QApplication::clipboard()->setText(QString::fromLatin1(c.Pasted));
    ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(script.Shown().size(), c.Messages);
    EXPECT_EQ(Edit()->AddressString(), QLatin1String(c.Address));
    EXPECT_EQ(Find<QComboBox>("AddressTypeComboBox")->currentIndex(), c.Class);
    EXPECT_EQ(Text("BinAddressTextBox"), QLatin1String(c.Binary));
  }
}

TEST_F(IPSubnetCalculatorTest, MulticastHidesTheSubnetPagesAndShowsTheHardwareAddress) {
  Edit()->SetAddressValue(0x00FFFFFFu | 0x80000000u);
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  CommitFirstOctet("255");
  auto* pages = Find<QTabWidget>("IPSubnetPageControl");
  EXPECT_TRUE(pages->isTabVisible(0));
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(pages->isTabVisible(i)) << i;
  EXPECT_TRUE(Find<QLabel>("EthernetMulticastLabel")->isVisibleTo(Calculator.get()));
  EXPECT_EQ(Text("EthernetMulticastTextBox"), QStringLiteral("01 00 5E 7F FF FF"));
  EXPECT_EQ(Text("ClassBitMapTextBox"), QStringLiteral("1110gggg.gggggggg.gggggggg.gggggggg"));

  // Back to a class that subnets: the pages return.
  CommitFirstOctet("192");
  for (int i = 1; i <= 3; ++i) EXPECT_TRUE(pages->isTabVisible(i)) << i;
  EXPECT_EQ(Text("ClassBitMapTextBox"), QStringLiteral("110nnnnn.nnnnnnnn.nnnnnnnn.hhhhhhhh"));
  EXPECT_EQ(Item("SubnetBitsComboBox"), QStringLiteral("6"))
      << "8 subnet bits of class B become 6 in class C";
}

// What a screen reader is told about the inner page tabs.
QStringList AccessibleTabs(QTabBar* bar) {
  QStringList tabs;
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(bar);
  for (int i = 0; i < list->childCount(); ++i) {
    QAccessibleInterface* tab = list->child(i);
    EXPECT_EQ(list->indexOfChild(tab), i);
    EXPECT_FALSE(tab->state().invisible);
    if (tab->role() == QAccessible::PageTab) tabs << tab->text(QAccessible::Name);
  }
  return tabs;
}

TEST_F(IPSubnetCalculatorTest, TabsHiddenForClassDAreNotReportedNorReached) {
  auto* pages = Find<QTabWidget>("IPSubnetPageControl");
  const QStringList all{"Address Info", "Subnet Info", "Subnets/Hosts", "CIDR"};
  EXPECT_EQ(AccessibleTabs(pages->tabBar()), all);
  CommitFirstOctet("224");
  EXPECT_EQ(AccessibleTabs(pages->tabBar()), QStringList{"Address Info"});
  QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(pages->tabBar())->child(0);
  EXPECT_TRUE(shown->state().selected);
  // Neither the keyboard on the tab bar nor a screen reader's press reaches them.
  pages->tabBar()->setFocus();
  for (const Qt::Key key : {Qt::Key_Right, Qt::Key_End, Qt::Key_Down}) {
    QTest::keyClick(pages->tabBar(), key);
    EXPECT_EQ(pages->currentIndex(), 0) << key;
  }
  CommitFirstOctet("10");
  EXPECT_EQ(AccessibleTabs(pages->tabBar()), all);
  QAccessibleInterface* cidr = QAccessible::queryAccessibleInterface(pages->tabBar())->child(3);
  cidr->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(pages->currentIndex(), 3);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(pages->tabBar())->child(3), cidr)
      << "the same interface again";
}

TEST_F(IPSubnetCalculatorTest, BitMapLegendsReadAsTheyArePainted) {
  struct Case {
    const char* Address;
    const char* ClassLegend;
    const char* SubnetLegend;
  };
  const Case cases[] = {
      {"10.1.2.3", "Class A Bit Map (n=network;h=host)", "Subnet Bit Map (n=network;s=subnet;h=host)"},
      {"128.1.2.3", "Class B Bit Map (n=network;h=host)", "Subnet Bit Map (n=network;s=subnet;h=host)"},
      {"192.1.2.3", "Class C Bit Map (n=network;h=host)", "Subnet Bit Map (n=network;s=subnet;h=host)"},
      // The subnet page is hidden for multicast but kept up to date: its
      // legend names the group bits, as it paints them.
      {"224.1.2.3", "Multicast Bit Map (g=group)", "Subnet Bit Map (g=group)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Address);
    TypeAddress(c.Address);
    EXPECT_EQ(Find<TZellLabel>("ClassBitMapLabel")->Caption(), QLatin1String(c.ClassLegend));
    EXPECT_EQ(Find<TZellLabel>("SubnetBitMapLabel")->Caption(), QLatin1String(c.SubnetLegend));
  }
}

TEST_F(IPSubnetCalculatorTest, ClassPickMovesTheFirstOctetQuietly) {
  struct Case {
    const char* Start;
    int Class;
    const char* Expected;
  };
  const Case cases[] = {
      {"10.1.2.3", 1, "128.1.2.3"}, {"200.1.2.3", 0, "126.1.2.3"}, {"200.1.2.3", 3, "224.1.2.3"}};
  auto* list = Find<QComboBox>("AddressTypeComboBox");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Start);
    TypeAddress(c.Start);
    PickRow("AddressTypeComboBox", c.Class);
    EXPECT_EQ(list->currentIndex(), c.Class);
    EXPECT_EQ(Edit()->AddressString(), QLatin1String(c.Expected));
    EXPECT_EQ(Text("HexAddressTextBox").left(2), QString::number(Edit()->IPFieldValues(0), 16).toUpper());
    EXPECT_EQ(Find<QTabWidget>("IPSubnetPageControl")->isTabVisible(1), c.Class != 3);
  }
}

TEST_F(IPSubnetCalculatorTest, LinkedSubnetListsPickTheSameRow) {
  TypeAddress("10.20.30.40");
  PickRow("SubnetCountComboBox", Find<QComboBox>("SubnetCountComboBox")->count() - 1);
  EXPECT_EQ(Item("SubnetCountComboBox"), QStringLiteral("4194302"));
  EXPECT_EQ(Item("SubnetBitsComboBox"), QStringLiteral("22"));
  EXPECT_EQ(Item("SubnetMaskBitsComboBox"), QStringLiteral("30"));
  EXPECT_EQ(Item("SubnetMaskComboBox"), QStringLiteral("255.255.255.252"));
  EXPECT_EQ(Item("SubnetHostCountComboBox"), QStringLiteral("2"));
  EXPECT_EQ(Table()->model()->rowCount(), 4194302);
  EXPECT_EQ(Text("SubnetIDTextBox"), QStringLiteral("10.20.30.40"));
  EXPECT_EQ(Text("SubnetBroadcastTextBox"), QStringLiteral("10.20.30.43"));

  PickRow("SubnetMaskBitsComboBox", 10);  // mask bits 20
  EXPECT_EQ(Item("SubnetBitsComboBox"), QStringLiteral("12"));
  EXPECT_EQ(Item("SubnetHostCountComboBox"), QStringLiteral("4094"));
  EXPECT_EQ(Table()->model()->rowCount(), 4094);
}

TEST_F(IPSubnetCalculatorTest, CheckBoxesChangeMinimumAndMaskForm) {
  TypeAddress("192.168.1.77");
  PickRow("SubnetMaskBitsComboBox", 1);  // 27 bits with the minimum of 2 subnet bits
  EXPECT_EQ(Item("SubnetMaskBitsComboBox"), QStringLiteral("27"));
  EXPECT_EQ(Item("SubnetCountComboBox"), QStringLiteral("6"));
  EXPECT_EQ(Text("SubnetAddressRangeTextBox"), QStringLiteral("192.168.1.65 - 192.168.1.94"));

  auto* allow1 = Find<QCheckBox>("Allow1SubnetBitCheckBox");
  Find<QTabWidget>("IPSubnetPageControl")->setCurrentIndex(1);
  QTest::mouseClick(allow1, Qt::LeftButton, {}, QPoint(6, allow1->height() / 2));
  ASSERT_TRUE(allow1->isChecked());
  EXPECT_EQ(Find<QComboBox>("SubnetBitsComboBox")->itemText(0), QStringLiteral("1"));
  EXPECT_EQ(Find<QComboBox>("SubnetMaskComboBox")->itemText(0), QStringLiteral("255.255.255.128"));
  EXPECT_EQ(Item("SubnetBitsComboBox"), QStringLiteral("3")) << "the subnet bits stay";
  EXPECT_EQ(Item("SubnetCountComboBox"), QStringLiteral("8"));
  EXPECT_EQ(Table()->model()->rowCount(), 8);

  PickRow("SubnetBitsComboBox", 0);  // 1 subnet bit
  QTest::mouseClick(allow1, Qt::LeftButton, {}, QPoint(6, allow1->height() / 2));
  EXPECT_EQ(Item("SubnetBitsComboBox"), QStringLiteral("2"));

  auto* inverse = Find<QCheckBox>("UseInverseSubnetMaskCheckBox");
  const QString id = Text("SubnetIDTextBox");
  QTest::mouseClick(inverse, Qt::LeftButton, {}, QPoint(6, inverse->height() / 2));
  EXPECT_EQ(Item("SubnetMaskComboBox"), QStringLiteral("0.0.0.63"));
  EXPECT_EQ(Text("SubnetIDTextBox"), id);
}

TEST_F(IPSubnetCalculatorTest, SupernetListsAndTheirMemoryAcrossClasses) {
  TypeAddress("192.168.1.77");
  PickRow("SupernetMaskBitsComboBox", 19);  // 22 bits
  EXPECT_EQ(Item("SupernetMaskComboBox"), QStringLiteral("255.255.252.0"));
  EXPECT_EQ(Item("SupernetCountComboBox"), QStringLiteral("4"));
  EXPECT_EQ(Item("SupernetAddressCountComboBox"), QStringLiteral("1022"));
  EXPECT_EQ(Text("SupernetRouteTextBox"), QStringLiteral("192.168.0.0"));
  EXPECT_EQ(Text("SupernetAddressRangeTextBox"), QStringLiteral("192.168.0.0 - 192.168.3.255"));
  auto* inverse = Find<QCheckBox>("UseInverseSupernetMaskCheckBox");
  Find<QTabWidget>("IPSubnetPageControl")->setCurrentIndex(3);
  QTest::mouseClick(inverse, Qt::LeftButton, {}, QPoint(6, inverse->height() / 2));
  EXPECT_EQ(Item("SupernetMaskComboBox"), QStringLiteral("0.0.3.255"));
  EXPECT_EQ(Text("SupernetRouteTextBox"), QStringLiteral("192.168.0.0"));

  PickRow("SupernetMaskBitsComboBox", 17);  // 20 bits
  PickRow("AddressTypeComboBox", 0);
  EXPECT_EQ(Item("SupernetMaskBitsComboBox"), QStringLiteral("8"));
  PickRow("AddressTypeComboBox", 2);
  EXPECT_EQ(Item("SupernetMaskBitsComboBox"), QStringLiteral("8"));
}

TEST_F(IPSubnetCalculatorTest, HostPartOfTheAddressLeavesTheTableAlone) {
  const QString before = Row(100);
  TypeAddress("128.15.99.1");
  EXPECT_EQ(Row(100), before);
  EXPECT_EQ(Text("SubnetIDTextBox"), QStringLiteral("128.15.99.0"));
}

TEST_F(IPSubnetCalculatorTest, AddressCopyButton) {
  auto* button = Find<QToolButton>("IPAddressClipboardButton");
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("128.15.10.5"));
  Edit()->SetAddressString(QString());
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), QString());
}

QString ClipboardText() {
  return QString::fromLatin1(QApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")));
}

TEST_F(IPSubnetCalculatorTest, TableCopyOfSelectedRowsInListOrder) {
  Find<QTabWidget>("IPSubnetPageControl")->setCurrentIndex(2);
  QApplication::processEvents();
  TVirtualListView* view = Table();
  for (int row : {3, 7, 5}) {
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
  }
  QTest::mouseClick(Find<QToolButton>("SubnetHostClipboardButton"), Qt::LeftButton);
  EXPECT_EQ(ClipboardText(), QStringLiteral("#\tID\tRange\tBroadcast\r\n"
                                            "4\t128.15.4.0\t128.15.4.1 - 128.15.4.254\t128.15.4.255\r\n"
                                            "6\t128.15.6.0\t128.15.6.1 - 128.15.6.254\t128.15.6.255\r\n"
                                            "8\t128.15.8.0\t128.15.8.1 - 128.15.8.254\t128.15.8.255\r\n"));
}

TEST_F(IPSubnetCalculatorTest, TableCopyWithoutSelectionAsksFirst) {
  QApplication::clipboard()->setText(QStringLiteral("before"));
  {
    ParlamineTest::TMessageBoxScript script({QMessageBox::No});
    QTest::mouseClick(Find<QToolButton>("SubnetHostClipboardButton"), Qt::LeftButton);
    ASSERT_EQ(script.Shown().size(), 1u);
    EXPECT_EQ(script.Shown()[0].Caption, QStringLiteral("Copy All Data?"));
    EXPECT_EQ(script.Shown()[0].Icon, QMessageBox::Question);
    EXPECT_EQ(script.Shown()[0].Buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(
        script.Shown()[0].Text,
        QStringLiteral("No data is selected in the table from which you wish to copy. Would you like to "
                       "\r\ncopy all of the data?"));
  }
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));

  // Edit > Copy with the list focused copies exactly as the button does.
  ParlamineTest::TMessageBoxScript script({QMessageBox::Yes});
  Table()->setFocus();
  EXPECT_TRUE(SendClipboardRequest(Table(), TClipboardRequest::crCopy));
  ASSERT_EQ(script.Shown().size(), 1u);
  const QStringList lines = ClipboardText().split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.size(), 256);  // header, 254 rows, and the empty text after the last CR LF
  EXPECT_EQ(lines[1], QStringLiteral("1\t128.15.1.0\t128.15.1.1 - 128.15.1.254\t128.15.1.255"));
  EXPECT_EQ(lines[254], QStringLiteral("254\t128.15.254.0\t128.15.254.1 - 128.15.254.254\t128.15.254.255"));
  EXPECT_EQ(lines[255], QString());
}

TEST_F(IPSubnetCalculatorTest, NavigationButtonsScrollWithoutSelecting) {
  Find<QTabWidget>("IPSubnetPageControl")->setCurrentIndex(2);
  QApplication::processEvents();
  TVirtualListView* view = Table();
  auto rowVisible = [view](int row) {
    return view->viewport()->rect().contains(view->visualRect(view->model()->index(row, 0)));
  };
  QTest::mouseClick(Find<QToolButton>("SubnetHostSelectedToolButton"), Qt::LeftButton);
  EXPECT_EQ(view->verticalScrollBar()->value(), 0) << "no current row: nothing happens";
  QTest::mouseClick(Find<QToolButton>("SubnetHostLastToolButton"), Qt::LeftButton);
  EXPECT_TRUE(rowVisible(253));
  EXPECT_FALSE(view->selectionModel()->hasSelection());
  QTest::mouseClick(Find<QToolButton>("SubnetHostFirstToolButton"), Qt::LeftButton);
  EXPECT_TRUE(rowVisible(0));

  const QRect cell = view->visualRect(view->model()->index(2, 1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseClick(Find<QToolButton>("SubnetHostLastToolButton"), Qt::LeftButton);
  EXPECT_FALSE(rowVisible(2));
  QTest::mouseClick(Find<QToolButton>("SubnetHostSelectedToolButton"), Qt::LeftButton);
  EXPECT_TRUE(rowVisible(2));
  EXPECT_EQ(view->selectionModel()->selectedRows().size(), 1);
}

TEST_F(IPSubnetCalculatorTest, SettingsRoundTrip) {
  TypeAddress("10.20.30.40");
  PickRow("SubnetMaskComboBox", 12);
  PickRow("SupernetMaskComboBox", 3);
  Find<QCheckBox>("Allow1SubnetBitCheckBox")->click();
  Find<QCheckBox>("UseInverseSupernetMaskCheckBox")->click();
  Find<QTabWidget>("IPSubnetPageControl")->setCurrentIndex(3);
  const QString subnetBits = Item("SubnetBitsComboBox");
  {
    TSectionedStore store(Tree, SettingsRoot);
    Calculator->SaveIPSubnetSettings(store);
  }
  const std::string section = std::string(SettingsRoot) + "\\IP Subnet Calculator";
  const auto value = [&](const char* name) {
    const TRegValue* v = Tree.FindValue(section, name);
    return v ? v->Text : std::string("<missing>");
  };
  EXPECT_EQ(value("IPAddress"), "169090600");
  EXPECT_EQ(value("ActivePageIndex"), "3");
  EXPECT_EQ(value("SIItemIndex"), std::to_string(Find<QComboBox>("SubnetMaskComboBox")->currentIndex()));
  EXPECT_EQ(value("SHAllow1SubnetBit"), "1");
  EXPECT_EQ(value("SHUseInverseSubnetMask"), "0");
  EXPECT_EQ(value("CIUseInverseSupernetMask"), "1");
  EXPECT_EQ(value("CIItemIndex"), "3");

  Create();
  EXPECT_EQ(Edit()->AddressString(), QStringLiteral("10.20.30.40"));
  EXPECT_EQ(Find<QTabWidget>("IPSubnetPageControl")->currentIndex(), 3);
  EXPECT_TRUE(Find<QCheckBox>("Allow1SubnetBitCheckBox")->isChecked());
  EXPECT_EQ(Item("SubnetBitsComboBox"), subnetBits);
  EXPECT_EQ(Item("SupernetMaskBitsComboBox"), QStringLiteral("4"));
  EXPECT_EQ(Item("SupernetMaskComboBox"), QStringLiteral("15.255.255.255"));
}

TEST_F(IPSubnetCalculatorTest, StoredValuesOutOfRangeLoadQuietly) {
  const std::string section = std::string(SettingsRoot) + "\\IP Subnet Calculator";
  TSectionedStore store(Tree, SettingsRoot);
  store.WriteInteger("IP Subnet Calculator", "IPAddress", -1);  // 255.255.255.255
  store.WriteInteger("IP Subnet Calculator", "ActivePageIndex", 9);
  store.WriteInteger("IP Subnet Calculator", "SIItemIndex", 99);
  store.WriteInteger("IP Subnet Calculator", "CIItemIndex", -5);
  Create();  // any message box here would fail the test
  EXPECT_EQ(Edit()->AddressString(), QStringLiteral("239.255.255.255"));
  EXPECT_EQ(Find<QComboBox>("AddressTypeComboBox")->currentIndex(), 3);
  EXPECT_EQ(Find<QComboBox>("SubnetBitsComboBox")->currentIndex(), 0);
  EXPECT_EQ(Find<QComboBox>("SupernetMaskComboBox")->currentIndex(), 0);
  EXPECT_EQ(Find<QTabWidget>("IPSubnetPageControl")->currentIndex(), 0);
}

TEST_F(IPSubnetCalculatorTest, AStartComputesThePagesOnce) {
  // Settings of an older version: a reserved address, one subnet bit
  // allowed, a row and a page on each list and page.
  TSectionedStore store(Tree, SettingsRoot);
  store.WriteInteger("IP Subnet Calculator", "IPAddress", 0x7F0A0B0C);  // 127.10.11.12
  store.WriteInteger("IP Subnet Calculator", "ActivePageIndex", 3);
  store.WriteBool("IP Subnet Calculator", "SHAllow1SubnetBit", true);
  store.WriteInteger("IP Subnet Calculator", "SIItemIndex", 3);
  store.WriteBool("IP Subnet Calculator", "SHUseInverseSubnetMask", true);
  store.WriteInteger("IP Subnet Calculator", "CIItemIndex", 2);
  Calculator = std::make_unique<TIPSubnetCalculator>();
  QSignalSpy computed(Calculator.get(), &TIPSubnetCalculator::Recomputed);
  Calculator->SetLoading(true);
  Calculator->LoadIPSubnetSettings(store);
  Calculator->SetLoading(false);
  EXPECT_EQ(computed.count(), 1);

  EXPECT_EQ(Edit()->AddressString(), QStringLiteral("126.10.11.12"));
  EXPECT_EQ(Find<QTabWidget>("IPSubnetPageControl")->currentIndex(), 3);
  EXPECT_EQ(Item("SubnetBitsComboBox"), QStringLiteral("4")) << "row 3 of the list from 1 subnet bit";
  EXPECT_EQ(Item("SubnetMaskComboBox"), QStringLiteral("0.15.255.255"));
  EXPECT_EQ(Table()->model()->rowCount(), 16);
  EXPECT_EQ(Item("SupernetMaskComboBox"), QStringLiteral("224.0.0.0"));
}

TEST_F(IPSubnetCalculatorTest, EveryUserActionComputesThePagesOnce) {
  QSignalSpy computed(Calculator.get(), &TIPSubnetCalculator::Recomputed);
  const auto step = [this](const char* list, Qt::Key key) {
    Find<QComboBox>(list)->setFocus();
    QTest::keyClick(Find<QComboBox>(list), key);
  };
  struct Action {
    const char* Name;
    std::function<void()> Run;
  };
  const Action actions[] = {
      {"octet", [&] { CommitFirstOctet("10"); }},
      {"class", [&] { step("AddressTypeComboBox", Qt::Key_Down); }},
      {"subnet list", [&] { step("SubnetHostCountComboBox", Qt::Key_Up); }},
      {"minimum", [&] { Find<QCheckBox>("Allow1SubnetBitCheckBox")->click(); }},
      {"subnet mask form", [&] { Find<QCheckBox>("UseInverseSubnetMaskCheckBox")->click(); }},
      {"supernet list", [&] { step("SupernetCountComboBox", Qt::Key_Up); }},
      {"supernet mask form", [&] { Find<QCheckBox>("UseInverseSupernetMaskCheckBox")->click(); }},
  };
  for (const Action& action : actions) {
    SCOPED_TRACE(action.Name);
    computed.clear();
    action.Run();
    EXPECT_EQ(computed.count(), 1);
  }
}

TEST_F(IPSubnetCalculatorTest, NamesHintsAndKeyboardOrder) {
  struct Case {
    const char* Name;
    const char* Hint;
  };
  const Case cases[] = {
      {"IPAddressEdit", "Enter an IP Address"},
      {"IPAddressClipboardButton", "Copy IP address to clipboard"},
      {"AddressTypeComboBox", "Select the class of addresses you would like information about"},
      {"Allow1SubnetBitCheckBox", "Toggle between allowing a minimum of 1 or 2 subnet bits"},
      {"SubnetHostClipboardButton", "Copy subnets/hosts table to clipboard"},
      {"SubnetHostFirstToolButton", "Go to the first row in the subnet table"},
      {"SubnetHostLastToolButton", "Go to the last row in the subnet table"},
      {"SubnetHostSelectedToolButton", "Go to the currently selected row in the subnet table"},
      {"SupernetAddressCountComboBox", "Select the maximum number of addresses required"},
  };
  for (const Case& c : cases) {
    QWidget* w = Find<QWidget>(c.Name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->toolTip(), QLatin1String(c.Hint)) << c.Name;
    EXPECT_EQ(w->statusTip(), QLatin1String(c.Hint)) << c.Name;
  }
  // Tab walks each page's controls top to bottom, as they are laid out.
  struct Page {
    int Index;
    std::vector<const char*> Order;
  };
  const Page pages[] = {
      {1,
       {"Allow1SubnetBitCheckBox", "UseInverseSubnetMaskCheckBox", "SubnetBitsComboBox",
        "SubnetMaskBitsComboBox", "SubnetMaskComboBox", "SubnetCountComboBox", "SubnetHostCountComboBox"}},
      {2,
       {"SubnetHostFirstToolButton", "SubnetHostLastToolButton", "SubnetHostSelectedToolButton",
        "SubnetHostClipboardButton", "SubnetHostListView"}},
      {3,
       {"UseInverseSupernetMaskCheckBox", "SupernetMaskBitsComboBox", "SupernetMaskComboBox",
        "SupernetCountComboBox", "SupernetAddressCountComboBox"}},
  };
  for (const Page& page : pages) {
    SCOPED_TRACE(page.Index);
    Find<QTabWidget>("IPSubnetPageControl")->setCurrentIndex(page.Index);
    Find<QWidget>(page.Order[0])->setFocus();
    for (size_t i = 1; i < page.Order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(page.Order[i]));
    }
  }
}

}  // namespace
}  // namespace Parlamine
