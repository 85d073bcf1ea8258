// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>

#include "BaseLookupPage.h"
#include "OUIFinderPage.h"
#include "QStringPrinter.h"
#include "RadixerCalculator.h"
#include "RadixerShared.h"
#include "RegistryTree.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "ZellClipboardRequest.h"
#include "ZellLabel.h"
#include "ZellNumberEdit.h"

namespace Parlamine {
namespace {

const std::string Section = "Radixer Calculator";

class RadixerCalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Calculator = std::make_unique<TRadixerCalculator>();
    Calculator->OUIFinderPage()->SetOUIListPaths({Folder.filePath(QStringLiteral("OUI.txt"))});
    Calculator->OUIFinderPage()->SetRegistryFolders(
        {Folder.filePath(QStringLiteral("var-ieee")), Folder.filePath(QStringLiteral("share-ieee"))});
    Calculator->resize(312, 340);
    Calculator->show();
  }

  void Load() {
    TSectionedStore store(Tree, SettingsRoot);
    Calculator->LoadRadixerSettings(store);
  }

  template <typename T>
  T* Find(const char* name) const {
    return ParlamineTest::FindNamed<T>(Calculator.get(), name);
  }
  TNumberEdit* Field(const char* name) const { return Find<TNumberEdit>(name); }
  QString Text(const char* name) const { return Field(name)->text(); }
  QString BoxText(const char* name) const { return Find<TTextBox>(name)->Caption(); }

  // Shows the page that holds the widget, as a user would before clicking on it.
  void ShowPageOf(QWidget* widget) {
    auto* pages = Find<QTabWidget>("RadixerPageControl");
    for (int i = 0; i < pages->count(); ++i)
      if (pages->widget(i)->isAncestorOf(widget)) pages->setCurrentIndex(i);
  }

  void ClickItem(const char* group, const QString& caption) {
    ShowPageOf(Find<QWidget>(group));
    for (QRadioButton* button : Find<QWidget>(group)->findChildren<QRadioButton*>())
      if (button->text() == caption) return QTest::mouseClick(button, Qt::LeftButton);
    ADD_FAILURE() << "no item " << caption.toStdString();
  }

  // Replaces the field's text by typing, as a user selecting all and typing.
  void Type(const char* field, const QString& keys) {
    Field(field)->selectAll();
    QTest::keyClicks(Field(field), keys);
  }

  // A listing of the IEEE registries in one of the two ieee-data folders.
  void WriteListing(const char* folder, const char* file, const QByteArray& content) {
    QDir(Folder.path()).mkpath(QLatin1String(folder));
    QFile out(Folder.filePath(QLatin1String(folder) + QLatin1Char('/') + QLatin1String(file)));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(content);
  }
  void Search(const QString& oui) {
    ShowPageOf(Field("OUINumberEdit"));
    Type("OUINumberEdit", oui);
    QTest::mouseClick(Find<QPushButton>("OUISearchButton"), Qt::LeftButton);
  }
  QString SourceText() const { return Find<QLabel>("OUISourceLabel")->text(); }

  void WriteOUIList(const QByteArray& content) {
    QFile file(Folder.filePath(QStringLiteral("OUI.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  QTemporaryDir Folder;
  TRegistryTree Tree;
  std::unique_ptr<TRadixerCalculator> Calculator;
};

// Base Converter

TEST_F(RadixerCalculatorTest, TypingHexAt8BitsFillsTheOtherFields) {
  Load();
  Type("HexNumberEdit", QStringLiteral("FF"));
  EXPECT_EQ(Text("DecNumberEdit"), QStringLiteral("255"));
  EXPECT_EQ(Text("BinNumberEdit"), QStringLiteral("11111111"));
  EXPECT_EQ(Text("OctNumberEdit"), QStringLiteral("377"));
  ParlamineTest::TBeepCounter beeps;
  Field("HexNumberEdit")->end(false);
  QTest::keyClicks(Field("HexNumberEdit"), QStringLiteral("1"));
  EXPECT_EQ(Text("HexNumberEdit"), QStringLiteral("FF")) << "a third digit is refused at 8 bits";
  EXPECT_EQ(beeps.Count(), 1);
}

TEST_F(RadixerCalculatorTest, TooLargeValuesAreClamped) {
  Load();
  Type("DecNumberEdit", QStringLiteral("300"));
  for (const char* name : {"DecNumberEdit", "HexNumberEdit", "BinNumberEdit", "OctNumberEdit"})
    EXPECT_EQ(Field(name)->ValueInteger(), 255) << name;
  // Already at the maximum: overtyping the first digit with 9 still shows 255.
  Field("DecNumberEdit")->setSelection(0, 1);
  QTest::keyClicks(Field("DecNumberEdit"), QStringLiteral("9"));
  EXPECT_EQ(Text("DecNumberEdit"), QStringLiteral("255"));
  EXPECT_EQ(Text("HexNumberEdit"), QStringLiteral("FF"));
}

TEST_F(RadixerCalculatorTest, WidthChangeKeepsTheLowBits) {
  const struct {
    int64_t Value;
    int64_t At8Bits;
  } cases[] = {{65535, 255}, {256, 0}, {1000, 232}};
  Load();
  for (const auto& c : cases) {
    ClickItem("NumberWidthGroup", QStringLiteral("16 Bits"));
    Field("DecNumberEdit")->SetValueInteger(c.Value);
    ClickItem("NumberWidthGroup", QStringLiteral("8 Bits"));
    EXPECT_EQ(Field("DecNumberEdit")->ValueInteger(), c.At8Bits) << c.Value;
    EXPECT_EQ(Field("HexNumberEdit")->ValueInteger(), c.At8Bits) << c.Value;
  }
}

TEST_F(RadixerCalculatorTest, WidthSetsHintsAndPadding) {
  const struct {
    const char* Item;
    const char* Field;
    const char* Hint;
    const char* ZeroText;
  } cases[] = {
      {"8 Bits", "DecNumberEdit", "Enter a number between 0 and 255", "0"},
      {"8 Bits", "HexNumberEdit", "Enter a number between 00 and FF", "00"},
      {"8 Bits", "OctNumberEdit", "Enter a number between 000 and 377", "000"},
      {"16 Bits", "HexNumberEdit", "Enter a number between 0000 and FFFF", "0000"},
      {"16 Bits", "BinNumberEdit", "Enter a number between 0000000000000000 and 1111111111111111",
       "0000000000000000"},
      {"16 Bits", "OctNumberEdit", "Enter a number between 000000 and 177777", "000000"},
      {"32 Bits", "DecNumberEdit", "Enter a number between 0 and 4294967295", "0"},
      {"32 Bits", "OctNumberEdit", "Enter a number between 00000000000 and 37777777777", "00000000000"},
  };
  Load();
  for (const auto& c : cases) {
    ClickItem("NumberWidthGroup", QLatin1String(c.Item));
    QTest::mouseClick(Find<QPushButton>("ClearButton"), Qt::LeftButton);
    EXPECT_EQ(Field(c.Field)->toolTip(), QLatin1String(c.Hint)) << c.Item << c.Field;
    EXPECT_EQ(Field(c.Field)->statusTip(), QLatin1String(c.Hint)) << c.Item << c.Field;
    EXPECT_EQ(Text(c.Field), QLatin1String(c.ZeroText)) << c.Item << c.Field;
  }
}

TEST_F(RadixerCalculatorTest, WidthGroupByKeyboard) {
  Load();
  QApplication::setActiveWindow(Calculator.get());
  auto* eightBits = Find<QWidget>("NumberWidthGroup")->findChildren<QRadioButton*>().at(0);
  eightBits->setFocus();
  ASSERT_TRUE(eightBits->hasFocus());
  QTest::keyClick(eightBits, Qt::Key_Right);
  EXPECT_EQ(Text("HexNumberEdit"), QStringLiteral("0000")) << "the arrow key picks 16 bits";
  // Tab order: the group, then the four fields, Clear and Invert.
  const char* order[] = {"DecNumberEdit", "HexNumberEdit", "BinNumberEdit",
                         "OctNumberEdit", "ClearButton",   "InvertButton"};
  for (const char* name : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>(name)) << name;
  }
}

TEST_F(RadixerCalculatorTest, InvertAndArrowKeys) {
  Load();
  ClickItem("NumberWidthGroup", QStringLiteral("32 Bits"));
  QTest::mouseClick(Find<QPushButton>("InvertButton"), Qt::LeftButton);
  EXPECT_EQ(Text("DecNumberEdit"), QStringLiteral("4294967295"));
  EXPECT_EQ(Text("HexNumberEdit"), QStringLiteral("FFFFFFFF"));
  EXPECT_EQ(Text("BinNumberEdit"), QString(32, QLatin1Char('1')));
  EXPECT_EQ(Text("OctNumberEdit"), QStringLiteral("37777777777"));

  ClickItem("NumberWidthGroup", QStringLiteral("8 Bits"));
  Field("DecNumberEdit")->SetValueInteger(15);
  QTest::mouseClick(Find<QPushButton>("InvertButton"), Qt::LeftButton);
  EXPECT_EQ(Field("DecNumberEdit")->ValueInteger(), 240);
  QTest::keyClick(Field("HexNumberEdit"), Qt::Key_Up);
  EXPECT_EQ(Field("DecNumberEdit")->ValueInteger(), 241);
  Field("DecNumberEdit")->SetValueInteger(255);
  QTest::keyClick(Field("BinNumberEdit"), Qt::Key_Up);
  EXPECT_EQ(Field("DecNumberEdit")->ValueInteger(), 255) << "Up at the maximum is clamped back";
  QTest::mouseClick(Find<QPushButton>("ClearButton"), Qt::LeftButton);
  QTest::keyClick(Field("OctNumberEdit"), Qt::Key_Down);
  EXPECT_EQ(Field("DecNumberEdit")->ValueInteger(), 1) << "Down on 0 gives the absolute value of -1";
}

TEST_F(RadixerCalculatorTest, CopyButtonsCopyTheTextAsShown) {
  Load();
  ClickItem("NumberWidthGroup", QStringLiteral("16 Bits"));
  Field("DecNumberEdit")->SetValueInteger(5);
  const struct {
    const char* Button;
    QString Expected;
  } cases[] = {
      {"DecClipboardButton", "5"},
      {"HexClipboardButton", "0005"},
      {"BinClipboardButton", "0000000000000101"},
      {"OctClipboardButton", "000005"},
      {"OUIClipboardButton", "000055"},
  };
  for (const auto& c : cases) {
    QApplication::clipboard()->clear();
    Find<QToolButton>(c.Button)->click();
    EXPECT_EQ(QApplication::clipboard()->text(), c.Expected) << c.Button;
  }
}

// A screen reader reads a picture-only button by its accessible name, hint or no hint.
TEST_F(RadixerCalculatorTest, BaseConverterPictureButtonsHaveAccessibleNames) {
  const struct {
    const char* Button;
    QString Name;
  } cases[] = {
      {"DecClipboardButton", "Copy decimal number to clipboard"},
      {"HexClipboardButton", "Copy hexadecimal number to clipboard"},
      {"BinClipboardButton", "Copy binary number to clipboard"},
      {"OctClipboardButton", "Copy octal number to clipboard"},
  };
  for (const auto& c : cases) EXPECT_EQ(Find<QToolButton>(c.Button)->accessibleName(), c.Name) << c.Button;
  EXPECT_TRUE(Find<QToolButton>("OctClipboardButton")->toolTip().isEmpty())
      << "the octal button shows no hint";

  int pictureOnly = 0;
  for (QAbstractButton* button : Find<QWidget>("BaseConverterTabSheet")->findChildren<QAbstractButton*>()) {
    auto* tool = qobject_cast<QToolButton*>(button);
    if (!button->text().isEmpty() && !(tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)) continue;
    ++pictureOnly;
    EXPECT_FALSE(button->accessibleName().isEmpty()) << button->objectName().toStdString();
  }
  EXPECT_EQ(pictureOnly, 4);
}

// Bit-Swapper

TEST_F(RadixerCalculatorTest, BitSwapperReversals) {
  const struct {
    const char* Base;
    const char* Typed;
    const char* ByteByByte;
    const char* Whole;
  } cases[] = {
      {"Hex", "12345678", "482C6A1E", "1E6A2C48"}, {"Hex", "1", "00000080", "80000000"},
      {"Hex", "FF", "000000FF", "FF000000"},       {"Dec", "1", "128", "2147483648"},
      {"Oct", "1", "00000000200", "20000000000"},
  };
  Load();
  for (const auto& c : cases) {
    ClickItem("NumberStyleRadioGroup", QLatin1String(c.Base));
    Type("BitOriginalNumberEdit", QLatin1String(c.Typed));
    EXPECT_EQ(Text("BitReversedByteNumberEdit"), QLatin1String(c.ByteByByte)) << c.Base << " " << c.Typed;
    EXPECT_EQ(Text("BitReversedBufNumberEdit"), QLatin1String(c.Whole)) << c.Base << " " << c.Typed;
  }
}

TEST_F(RadixerCalculatorTest, BitSwapperBaseChangeKeepsTheValues) {
  Load();
  Field("BitOriginalNumberEdit")->SetValueInteger(1);
  ClickItem("NumberStyleRadioGroup", QStringLiteral("Bin"));
  EXPECT_EQ(Text("BitOriginalNumberEdit"), QString(31, QLatin1Char('0')) + QLatin1Char('1'));
  EXPECT_EQ(Text("BitReversedByteNumberEdit"), QString(24, QLatin1Char('0')) + QStringLiteral("10000000"));
  EXPECT_EQ(Text("BitReversedBufNumberEdit"), QLatin1Char('1') + QString(31, QLatin1Char('0')));
  EXPECT_EQ(Field("BitOriginalNumberEdit")->toolTip(),
            QStringLiteral("Enter a number between ") + QString(32, QLatin1Char('0')) +
                QStringLiteral(" and ") + QString(32, QLatin1Char('1')));
}

TEST_F(RadixerCalculatorTest, BitSwapperArrowKeysAndValuesAbove32Bits) {
  Load();
  QTest::keyClick(Field("BitOriginalNumberEdit"), Qt::Key_Down);
  EXPECT_EQ(Text("BitReversedByteNumberEdit"), QStringLiteral("00000080"));
  EXPECT_EQ(Text("BitReversedBufNumberEdit"), QStringLiteral("80000000"));
  ClickItem("NumberStyleRadioGroup", QStringLiteral("Dec"));
  Type("BitOriginalNumberEdit", QStringLiteral("4294967295"));
  QTest::keyClick(Field("BitOriginalNumberEdit"), Qt::Key_Up);
  EXPECT_EQ(Text("BitOriginalNumberEdit"), QStringLiteral("4294967296"));
  EXPECT_EQ(Text("BitReversedByteNumberEdit"), QStringLiteral("0"));
  EXPECT_EQ(Text("BitReversedBufNumberEdit"), QStringLiteral("0"));
  Type("BitReversedByteNumberEdit", QStringLiteral("5"));
  EXPECT_EQ(Text("BitReversedByteNumberEdit"), QStringLiteral("0")) << "result fields cannot be typed into";
}

TEST_F(RadixerCalculatorTest, EditMenuLeavesTheResultFieldsAlone) {
  Load();
  Type("BitOriginalNumberEdit", QStringLiteral("12345678"));
  const struct {
    TClipboardRequest Request;
    const char* Name;
  } requests[] = {{TClipboardRequest::crPaste, "paste"},
                  {TClipboardRequest::crCut, "cut"},
                  {TClipboardRequest::crClear, "clear"}};
  for (const char* name : {"BitReversedByteNumberEdit", "BitReversedBufNumberEdit"}) {
    const QString shown = Text(name);
    const int64_t value = Field(name)->ValueInteger();
    for (const auto& r : requests) {
      QApplication::clipboard()->setText(QStringLiteral("5"));
      Field(name)->selectAll();
      SendClipboardRequest(Field(name), r.Request);
      EXPECT_EQ(Text(name), shown) << name << " " << r.Name;
      EXPECT_EQ(Field(name)->ValueInteger(), value) << name << " " << r.Name;
    }
    Field(name)->selectAll();
    ASSERT_TRUE(SendClipboardRequest(Field(name), TClipboardRequest::crCopy));
    EXPECT_EQ(QApplication::clipboard()->text(), shown) << name;
  }
}

TEST_F(RadixerCalculatorTest, ArrowKeyAtTheTopOfTheRangeReportsOverflow) {
  Load();
  ClickItem("NumberStyleRadioGroup", QStringLiteral("Dec"));
  Type("BitOriginalNumberEdit", QStringLiteral("9223372036854775807"));
  EXPECT_THROW(NumberEditKeyDown(Field("BitOriginalNumberEdit"), Qt::Key_Up), std::overflow_error);
  EXPECT_EQ(Text("BitOriginalNumberEdit"), QStringLiteral("9223372036854775807"));
}

// Base Lookup

TEST_F(RadixerCalculatorTest, BaseLookupRowsFollowTheSeparatorsCheckBox) {
  Load();
  QAbstractItemModel* model = Find<TVirtualListView>("BaseLookupListView")->model();
  ASSERT_EQ(model->rowCount(), 65536);
  EXPECT_EQ(model->index(1000, 0).data().toString(), QStringLiteral("1,000"));
  EXPECT_EQ(model->index(1000, 3).data().toString(), QStringLiteral("0000 0011 1110 1000"));
  ShowPageOf(Find<QCheckBox>("BaseLookupSeparatorCheckBox"));
  QTest::mouseClick(Find<QCheckBox>("BaseLookupSeparatorCheckBox"), Qt::LeftButton);
  EXPECT_EQ(model->index(65535, 0).data().toString(), QStringLiteral("65535"));
  EXPECT_EQ(model->index(65535, 1).data().toString(), QStringLiteral("FFFF"));
  EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Bin"));
}

TEST_F(RadixerCalculatorTest, BaseLookupCopiesSelectedRowsAndAllRowsAfterAsking) {
  Load();
  auto* view = Find<TVirtualListView>("BaseLookupListView");
  view->selectRow(11);
  view->selectionModel()->select(view->model()->index(10, 0),
                                 QItemSelectionModel::Select | QItemSelectionModel::Rows);
  // Edit > Copy on the list copies as the button does.
  SendClipboardRequest(view, TClipboardRequest::crCopy);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Dec\tHex\tOct\tBin\r\n"
                                                              "10\t00 0A\t000 012\t0000 0000 0000 1010\r\n"
                                                              "11\t00 0B\t000 013\t0000 0000 0000 1011\r\n"));

  view->clearSelection();
  ParlamineTest::TMessageBoxScript script({QMessageBox::Yes});
  Find<QToolButton>("BaseLookupClipboardButton")->click();
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].Caption, QStringLiteral("Copy All Data?"));
  const QString all = QApplication::clipboard()->text();
  EXPECT_EQ(all.count(QStringLiteral("\r\n")), 65537);
  EXPECT_TRUE(all.endsWith(QStringLiteral("65,535\tFF FF\t177 777\t1111 1111 1111 1111\r\n")));
}

// OUI Finder

TEST_F(RadixerCalculatorTest, OUISearchFindsBothForms) {
  WriteOUIList(
      "000055 Cmmssr COMMISSARIAT A L`ENERGIE ATOM\r\n"
      "0000AA Xerox  XEROX CORPORATION\r\n"
      "08002B Dgtl   DIGITAL EQUIPMENT CORPORATION\r\n");
  Load();
  ShowPageOf(Field("OUINumberEdit"));
  Type("OUINumberEdit", QStringLiteral("08002b"));
  EXPECT_EQ(Text("OUINumberEdit"), QStringLiteral("08002B"));
  QTest::mouseClick(Find<QPushButton>("OUISearchButton"), Qt::LeftButton);
  EXPECT_EQ(BoxText("AbrevTextBox"), QStringLiteral("Dgtl"));
  EXPECT_EQ(BoxText("OrganizationTextBox"), QStringLiteral("DIGITAL EQUIPMENT CORPORATION"));
  EXPECT_EQ(BoxText("BitSwappedOUITextBox"), QStringLiteral("1000D4"));
  EXPECT_EQ(BoxText("BitSwappedAbrevTextBox"), QStringLiteral("No matching OUI found."));
  EXPECT_EQ(BoxText("BitSwappedOrganizationTextBox"), QStringLiteral("No matching OUI found."));

  Type("OUINumberEdit", QStringLiteral("AA"));
  QTest::keyClick(Field("OUINumberEdit"), Qt::Key_Return);  // Enter searches as the button does
  EXPECT_EQ(BoxText("AbrevTextBox"), QStringLiteral("Xerox"));
  EXPECT_EQ(BoxText("BitSwappedOUITextBox"), QStringLiteral("000055"));
  EXPECT_EQ(BoxText("BitSwappedAbrevTextBox"), QStringLiteral("Cmmssr"));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(RadixerCalculatorTest, PastedHardwareAddressGivesItsOUI) {
  WriteOUIList(
      "00000C Cisco  CISCO SYSTEMS, INC.\n"
      "001B63 Apple  APPLE INC.\n"
      "F4F5D8 Google GOOGLE, INC.\n");
  Load();
  ShowPageOf(Field("OUINumberEdit"));
  struct Case {
    const char* Pasted;
    bool EditMenu;  // Edit > Paste instead of Ctrl+V
    const char* OUI;
    const char* Organization;
  };
  const Case cases[] = {
      {"00:1B:63:84:45:E6", false, "001B63", "APPLE INC."},
      {"00-00-0C-12-34-56", true, "00000C", "CISCO SYSTEMS, INC."},
      {"f4f5.d812.3456", false, "F4F5D8", "GOOGLE, INC."},
      {"001b638445e6\r\n", true, "001B63", "APPLE INC."},
  };
  TNumberEdit* field = Field("OUINumberEdit");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Pasted);
    field->setFocus();
    field->setCursorPosition(2);  // no selection: the whole OUI is replaced all the same
    QApplication::clipboard()->setText(QString::fromLatin1(c.Pasted));
    if (c.EditMenu)
      SendClipboardRequest(field, TClipboardRequest::crPaste);
    else
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), QLatin1String(c.OUI));
    EXPECT_EQ(field->ValueInteger(), QString::fromLatin1(c.OUI).toLongLong(nullptr, 16));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(BoxText("OrganizationTextBox"), QLatin1String(c.Organization));
  }
  // Text that is no hardware address is pasted as before: what fits the six digits.
  field->selectAll();
  QApplication::clipboard()->setText(QStringLiteral("08002B12"));
  QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(field->text(), QStringLiteral("08002B"));
}

TEST_F(RadixerCalculatorTest, OUISearchWithoutAnyListSaysWhereItLookedUntilOneAppears) {
  Load();
  ShowPageOf(Field("OUINumberEdit"));
  Type("OUINumberEdit", QStringLiteral("08002B"));
  QTest::mouseClick(Find<QPushButton>("OUISearchButton"), Qt::LeftButton);
  // The page's first texts are no result of this search.
  for (const char* box :
       {"AbrevTextBox", "OrganizationTextBox", "BitSwappedAbrevTextBox", "BitSwappedOrganizationTextBox"})
    EXPECT_EQ(BoxText(box), QString()) << box;
  EXPECT_EQ(BoxText("BitSwappedOUITextBox"), QStringLiteral("1000D4"));
  EXPECT_TRUE(SourceText().startsWith(QStringLiteral("No OUI list was found.")))
      << SourceText().toStdString();
  for (const char* place : {"var-ieee", "share-ieee", "OUI.txt"})
    EXPECT_TRUE(SourceText().contains(QLatin1String(place))) << place;
  EXPECT_FALSE(Calculator->OUIFinderPage()->OUIListLoaded());
  WriteOUIList("08002B Dgtl   DIGITAL EQUIPMENT CORPORATION\n");
  QTest::mouseClick(Find<QPushButton>("OUISearchButton"), Qt::LeftButton);
  EXPECT_EQ(BoxText("AbrevTextBox"), QStringLiteral("Dgtl"));
  EXPECT_EQ(BoxText("BitSwappedOUITextBox"), QStringLiteral("1000D4"));
}

// The IEEE listings as ieee-data ships them: 70-B3-D5 is the IEEE's own
// MA-L block, divided into MA-S blocks.
const QByteArray MALListing =
    "OUI/MA-L\r\n\r\n"
    "08-00-2B   (hex)\t\tDIGITAL EQUIPMENT CORPORATION\r\n08002B     (base 16)\t\tDIGITAL EQUIPMENT "
    "CORPORATION\r\n\r\n"
    "70-B3-D5   (hex)\t\tIEEE Registration Authority\r\n70B3D5     (base 16)\t\tIEEE Registration "
    "Authority\r\n\r\n";
const QByteArray MASListing =
    "OUI-36/MA-S\r\n\r\n"
    "70-B3-D5   (hex)\t\t2M Technology\r\n719000-719FFF     (base 16)\t\t2M Technology\r\n\r\n";

TEST_F(RadixerCalculatorTest, OUISearchAnswersFromTheIEEEListingsBeforeOUITxt) {
  WriteOUIList("08002B Frozen FROZEN LIST ENTRY\n");
  WriteListing("share-ieee", "oui.txt", MALListing);
  WriteListing("share-ieee", "oui36.txt", MASListing);
  Load();
  Search(QStringLiteral("08002B"));
  EXPECT_EQ(BoxText("OrganizationTextBox"), QStringLiteral("DIGITAL EQUIPMENT CORPORATION"));
  EXPECT_EQ(BoxText("AbrevTextBox"), QStringLiteral("Dgtl"));
  EXPECT_EQ(BoxText("BitSwappedOrganizationTextBox"), QStringLiteral("No matching OUI found."));
  EXPECT_TRUE(SourceText().startsWith(QStringLiteral("Registry: MA-L 08-00-2B/24, 2")))
      << SourceText().toStdString();
  EXPECT_TRUE(SourceText().contains(QStringLiteral("share-ieee/oui.txt")));

  // An OUI alone names the IEEE's block and says it is divided; a whole
  // address pasted finds the MA-S owner.
  Search(QStringLiteral("70B3D5"));
  EXPECT_EQ(BoxText("OrganizationTextBox"), QStringLiteral("IEEE Registration Authority"));
  EXPECT_TRUE(SourceText().contains(QStringLiteral("divided into 1 smaller blocks")))
      << SourceText().toStdString();
  TNumberEdit* field = Field("OUINumberEdit");
  field->setFocus();
  QApplication::clipboard()->setText(QStringLiteral("70:B3:D5:71:90:01"));
  QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(BoxText("OrganizationTextBox"), QStringLiteral("2M Technology"));
  EXPECT_TRUE(SourceText().startsWith(QStringLiteral("Registry: MA-S 70-B3-D5-71-9/36")))
      << SourceText().toStdString();
}

TEST_F(RadixerCalculatorTest, AnUpdatedListingInVarLibComesBeforeThePackagedOne) {
  WriteListing("share-ieee", "oui.txt", MALListing);
  QByteArray updated = MALListing;
  updated.replace("DIGITAL EQUIPMENT CORPORATION", "DIGITAL UPDATED");
  WriteListing("var-ieee", "oui.txt", updated);
  Load();
  Search(QStringLiteral("08002B"));
  EXPECT_EQ(BoxText("OrganizationTextBox"), QStringLiteral("DIGITAL UPDATED"));
  EXPECT_TRUE(SourceText().contains(QStringLiteral("var-ieee/oui.txt"))) << SourceText().toStdString();
}

TEST_F(RadixerCalculatorTest, StoredOUIThatIsNoNumberIsReportedAfterTheCursorIsBack) {
  WriteOUIList("000055 Cmmssr COMMISSARIAT\n");
  Tree.CreateKey(std::string(SettingsRoot) + "\\" + Section);
  TSectionedStore(Tree, SettingsRoot).WriteString(Section, "OFOUI", "XYZ");
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  Load();
  ASSERT_EQ(script.Shown().size(), 1u);
  EXPECT_EQ(script.Shown()[0].Text, QStringLiteral("'XYZ' is not a valid hexadecimal value"));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(Text("OUINumberEdit"), QStringLiteral("XYZ"));
  EXPECT_EQ(BoxText("AbrevTextBox"), QStringLiteral("Cmmssr"));
}

// Settings

TEST_F(RadixerCalculatorTest, FirstRunDefaultsAndSavedValues) {
  Load();
  EXPECT_EQ(Find<QTabWidget>("RadixerPageControl")->currentIndex(), 0);
  EXPECT_EQ(Text("HexNumberEdit"), QStringLiteral("00"));
  EXPECT_EQ(Text("BitOriginalNumberEdit"), QStringLiteral("00000000"));
  EXPECT_EQ(Text("OUINumberEdit"), QStringLiteral("000055"));
  EXPECT_FALSE(Calculator->OUIFinderPage()->OUIListLoaded()) << "the default OUI is not searched";
  TRegistryTree saved;
  TSectionedStore store(saved, SettingsRoot);
  Calculator->SaveRadixerSettings(store);
  const struct {
    const char* Name;
    const char* Text;
  } expected[] = {{"ActivePageIndex", "0"}, {"BCNumberWidth", "0"}, {"BCValue", "0"},   {"BRBase", "1"},
                  {"BRValue", "0"},         {"BLSeparator", "1"},   {"OFOUI", "000055"}};
  const std::string key = std::string(SettingsRoot) + "\\" + Section;
  ASSERT_EQ(saved.ValueNames(key).size(), std::size(expected));
  for (const auto& e : expected) {
    const TRegValue* value = saved.FindValue(key, e.Name);
    ASSERT_NE(value, nullptr) << e.Name;
    EXPECT_EQ(value->Text, e.Text) << e.Name;
  }
}

TEST_F(RadixerCalculatorTest, SettingsRoundTrip) {
  WriteOUIList("08002B Dgtl   DIGITAL EQUIPMENT CORPORATION\n");
  {
    TSectionedStore store(Tree, SettingsRoot);
    store.WriteInteger(Section, "ActivePageIndex", 2);
    store.WriteInteger(Section, "BCNumberWidth", 2);
    store.WriteInteger(Section, "BCValue", -1);
    store.WriteInteger(Section, "BRBase", 0);
    store.WriteInteger(Section, "BRValue", -2147483647 - 1);
    store.WriteBool(Section, "BLSeparator", false);
    store.WriteString(Section, "OFOUI", "08002B");
  }
  Load();
  EXPECT_EQ(Find<QTabWidget>("RadixerPageControl")->currentIndex(), 2);
  EXPECT_EQ(Text("DecNumberEdit"), QStringLiteral("4294967295"));
  EXPECT_EQ(Text("HexNumberEdit"), QStringLiteral("FFFFFFFF"));
  EXPECT_EQ(Text("BitOriginalNumberEdit"), QStringLiteral("2147483648"));
  EXPECT_EQ(Text("BitReversedBufNumberEdit"), QStringLiteral("1"));
  EXPECT_FALSE(Find<QCheckBox>("BaseLookupSeparatorCheckBox")->isChecked());
  EXPECT_EQ(BoxText("AbrevTextBox"), QStringLiteral("Dgtl"))
      << "a stored OUI other than the default is searched";
  EXPECT_TRUE(Calculator->OUIFinderPage()->OUIListLoaded());

  TRegistryTree saved;
  TSectionedStore store(saved, SettingsRoot);
  Calculator->SaveRadixerSettings(store);
  const std::string key = std::string(SettingsRoot) + "\\" + Section;
  for (const char* name :
       {"ActivePageIndex", "BCNumberWidth", "BCValue", "BRBase", "BRValue", "BLSeparator", "OFOUI"})
    EXPECT_EQ(*saved.FindValue(key, name), *Tree.FindValue(key, name)) << name;
  EXPECT_FALSE(Calculator->OUIFinderPage()->OUIListLoaded()) << "saving frees the OUI list";
}

TEST_F(RadixerCalculatorTest, StoredItemIndexesOutsideTheGroups) {
  {
    TSectionedStore store(Tree, SettingsRoot);
    store.WriteInteger(Section, "BCNumberWidth", 9);
    store.WriteInteger(Section, "BCValue", 70000);
    store.WriteInteger(Section, "BRBase", -5);
  }
  Load();
  // Above the last item: the last ("32 Bits"); below -1: no item, the "Hex" layout.
  EXPECT_EQ(Text("HexNumberEdit"), QStringLiteral("00011170"));
  EXPECT_EQ(Text("BitOriginalNumberEdit"), QStringLiteral("00000000"));
  TRegistryTree saved;
  TSectionedStore store(saved, SettingsRoot);
  Calculator->SaveRadixerSettings(store);
  EXPECT_EQ(store.ReadInteger(Section, "BCNumberWidth", 0), 2);
  EXPECT_EQ(store.ReadInteger(Section, "BRBase", 0), -1);
}

}  // namespace
}  // namespace Parlamine
