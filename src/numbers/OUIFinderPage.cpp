// SPDX-License-Identifier: MIT
#include "OUIFinderPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "MacAddressText.h"
#include "RadixerShared.h"
#include "ZellGlobal.h"
#include "ZellLabel.h"
#include "ZellNumberEdit.h"

namespace Parlamine {

namespace {

const char* const OUIListFileName = "OUI.txt";

}  // namespace

TOUIFinderPage::TOUIFinderPage(QWidget* parent) : QWidget(parent), FOUIListPaths(DefaultOUIListPaths()) {
  setObjectName(QStringLiteral("OUIFinderTabSheet"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(2);

  auto* label = new QLabel(QStringLiteral("&OUI"), this);
  label->setObjectName(QStringLiteral("Label28"));
  OUINumberEdit = new TNumberEdit(this);
  OUINumberEdit->setObjectName(QStringLiteral("OUINumberEdit"));
  OUINumberEdit->SetNumberStyle(TNumberStyle::nsHexadecimal);
  OUINumberEdit->SetDigits(6);
  OUINumberEdit->SetMaxLength(6);
  OUINumberEdit->SetAllowNegative(false);
  OUINumberEdit->SetValueInteger(0x55);
  SetHint(OUINumberEdit, QStringLiteral("Enter an OUI (in hexadecimal) to search for"));
  OUINumberEdit->SetOnKeyDown(
      [this](TCustomNumberEdit* sender, int key) { OUINumberEditKeyDown(sender, key); });
  OUINumberEdit->SetOnPaste(OUINumberEditPaste);
  label->setBuddy(OUINumberEdit);
  QToolButton* copyButton = CreateNumClipboardButton(this, QStringLiteral("OUIClipboardButton"),
                                                     QStringLiteral("Copy OUI to clipboard"), OUINumberEdit);
  OUISearchButton = new QPushButton(QStringLiteral("&Search"), this);
  OUISearchButton->setObjectName(QStringLiteral("OUISearchButton"));
  OUISearchButton->setDefault(true);
  SetHint(OUISearchButton, QStringLiteral("Press to start search"));
  connect(OUISearchButton, &QPushButton::clicked, this, &TOUIFinderPage::OUISearchButtonClick);
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  row->addWidget(OUINumberEdit, 1);
  row->addWidget(copyButton);
  row->addSpacing(4);
  row->addWidget(OUISearchButton);
  layout->addWidget(label);
  layout->addLayout(row);
  layout->addSpacing(4);

  AbrevTextBox = AddResultRow(QStringLiteral("Label15"), QStringLiteral("Abreviation"),
                              QStringLiteral("AbrevTextBox"), QStringLiteral("Cmmssr"));
  OrganizationTextBox =
      AddResultRow(QStringLiteral("Label17"), QStringLiteral("Organization"),
                   QStringLiteral("OrganizationTextBox"), QStringLiteral("COMMISSARIAT A L`ENERGIE ATOM"));
  BitSwappedOUITextBox = AddResultRow(QStringLiteral("Label23"),
                                      QStringLiteral("Bit-swapped OUI (Ethernet <-> Token Ring/FDDI)"),
                                      QStringLiteral("BitSwappedOUITextBox"), QStringLiteral("0000AA"));
  BitSwappedAbrevTextBox =
      AddResultRow(QStringLiteral("Label24"), QStringLiteral("Bit-swapped OUI Abreviation"),
                   QStringLiteral("BitSwappedAbrevTextBox"), QStringLiteral("Xerox"));
  BitSwappedOrganizationTextBox =
      AddResultRow(QStringLiteral("Label25"), QStringLiteral("Bit-swapped OUI Organization"),
                   QStringLiteral("BitSwappedOrganizationTextBox"), QStringLiteral("XEROX CORPORATION"));
  layout->addStretch();
}

TTextBox* TOUIFinderPage::AddResultRow(const QString& labelName, const QString& caption,
                                       const QString& boxName, const QString& text) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(labelName);
  auto* box = new TTextBox(this);
  box->setObjectName(boxName);
  box->SetEllipsis(dteEnd);  // long organisation names must not widen the page
  box->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  box->SetCaption(text);
  label->setBuddy(box);
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  layout->addWidget(label);
  layout->addWidget(box);
  layout->addSpacing(2);
  return box;
}

QStringList TOUIFinderPage::DefaultOUIListPaths() {
  const QString programFolder = QCoreApplication::applicationDirPath();
  return {
      QDir::current().filePath(QLatin1String(OUIListFileName)),
      QDir(programFolder).filePath(QLatin1String(OUIListFileName)),
      QDir(programFolder).filePath(QStringLiteral("../share/parlamine/") + QLatin1String(OUIListFileName))};
}

bool TOUIFinderPage::LoadOUIList() {
  for (const QString& path : FOUIListPaths) {
    if (!QFile::exists(path)) continue;
    if (FOUIList.LoadFromFile(QFile::encodeName(path).toStdString())) return true;
  }
  FOUIList.Clear();
  return false;
}

void TOUIFinderPage::FreeOUIList() { FOUIList.Clear(); }

void TOUIFinderPage::OUISearchButtonClick() {
  TBusyCursor busy;
  // Without the file nothing is shown and every box keeps its text; the next
  // search tries again.
  if (!FOUIList.Loaded() && !LoadOUIList()) return;
  const TOUISearchResult result = FOUIList.Search(OUINumberEdit->text().toStdString());
  BitSwappedOUITextBox->SetCaption(QString::fromStdString(result.SwappedKey));
  const auto show = [](const TOUIMatch& match, TTextBox* abbreviation, TTextBox* organization) {
    abbreviation->SetCaption(match.Found ? QString::fromStdString(match.Abbreviation)
                                         : QLatin1String(NoMatchingOUIText));
    organization->SetCaption(match.Found ? QString::fromStdString(match.Organization)
                                         : QLatin1String(NoMatchingOUIText));
  };
  show(result.Match, AbrevTextBox, OrganizationTextBox);
  show(result.SwappedMatch, BitSwappedAbrevTextBox, BitSwappedOrganizationTextBox);
}

// A whole hardware address pasted in any usual notation gives its OUI.
std::optional<QString> TOUIFinderPage::OUINumberEditPaste(TCustomNumberEdit*, const QString& pasted) {
  const std::optional<std::string> oui = HardwareAddressOUI(pasted.toStdString());
  if (!oui) return std::nullopt;
  return QString::fromStdString(*oui);
}

void TOUIFinderPage::OUINumberEditKeyDown(TCustomNumberEdit*, int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) OUISearchButtonClick();
}

}  // namespace Parlamine
