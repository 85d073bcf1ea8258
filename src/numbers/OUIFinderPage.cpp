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
  for (const std::string& folder : DefaultRegistryFolders())
    FRegistryFolders << QString::fromStdString(folder);
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
  OUINumberEdit->SetOnPaste(
      [this](TCustomNumberEdit*, const QString& pasted) { return OUINumberEditPaste(pasted); });
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
  OUISourceLabel = new QLabel(this);
  OUISourceLabel->setObjectName(QStringLiteral("OUISourceLabel"));
  OUISourceLabel->setWordWrap(true);
  OUISourceLabel->setTextFormat(Qt::PlainText);
  OUISourceLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(OUISourceLabel);
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
    FLoadedOUIListPath = path;
    if (FOUIList.LoadFromFile(QFile::encodeName(path).toStdString())) return true;
  }
  FOUIList.Clear();
  return false;
}

bool TOUIFinderPage::LoadRegistry() {
  std::vector<std::string> folders;
  for (const QString& folder : FRegistryFolders) folders.push_back(QFile::encodeName(folder).toStdString());
  FRegistry = TIEEERegistry();
  return FRegistry.LoadFolders(folders) > 0;
}

void TOUIFinderPage::FreeOUIList() {
  FOUIList.Clear();
  FRegistry = TIEEERegistry();
}

void TOUIFinderPage::OUISearchButtonClick() {
  TBusyCursor busy;
  // The IEEE listings first, as the command line reads them; OUI.txt when
  // none is installed. Each search tries again what is not loaded yet.
  const bool registry = RegistryLoaded() || (!FOUIList.Loaded() && LoadRegistry());
  if (!registry && !FOUIList.Loaded() && !LoadOUIList()) {
    ShowNoListFound();
    return;
  }
  if (registry) {
    SearchRegistry(SwappedOUIKey(OUINumberEdit->text().toStdString()));
    return;
  }
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
  OUISourceLabel->setText(
      QStringLiteral("From %1").arg(QDir::toNativeSeparators(QDir::cleanPath(FLoadedOUIListPath))));
}

THardwareAddress TOUIFinderPage::SearchedAddress() const {
  if (FPastedAddress && HardwareAddressOUI(HardwareAddressText(*FPastedAddress)) ==
                            std::optional<std::string>(OUINumberEdit->text().toStdString()))
    return *FPastedAddress;
  return ParseHardwareAddress(OUINumberEdit->text().toStdString()).Address.value_or(THardwareAddress{0, 6});
}

namespace {

// "MA-S 70-B3-D5-7E-D/36, 2026-11-30 (/var/lib/ieee-data/oui36.txt)"
QString RegistryLine(const TIEEERegistry& registry, const TRegistryMatch& match) {
  QString line =
      QStringLiteral("%1 %2/%3")
          .arg(QLatin1String(RegistryName(match.Kind)),
               QString::fromStdString(HardwareAddressText({match.Prefix, (match.PrefixBits + 3) / 4})))
          .arg(match.PrefixBits);
  if (!match.Date.empty())
    line += QStringLiteral(", ") + QString::fromUtf8(match.Date.data(), match.Date.size());
  const std::string path = registry.Path(match.Kind);
  if (!path.empty()) line += QStringLiteral(" (%1)").arg(QString::fromStdString(path));
  return line;
}

}  // namespace

void TOUIFinderPage::SearchRegistry(const std::string& swappedKey) {
  const THardwareAddress address = SearchedAddress();
  const THardwareAddress swapped = BitSwappedAddress(address);
  BitSwappedOUITextBox->SetCaption(QString::fromStdString(swappedKey));
  const auto show = [](const std::optional<TRegistryMatch>& match, TTextBox* abbreviation,
                       TTextBox* organization) {
    const QString name = match ? QString::fromUtf8(match->Organization.data(), match->Organization.size())
                               : QLatin1String(NoMatchingOUIText);
    abbreviation->SetCaption(match ? QString::fromStdString(AbbreviateOrganization(match->Organization))
                                   : QLatin1String(NoMatchingOUIText));
    organization->SetCaption(name);
  };
  const std::optional<TRegistryMatch> owner = FRegistry.Find(address.Value, address.KnownBits());
  show(owner, AbrevTextBox, OrganizationTextBox);
  show(FRegistry.Find(swapped.Value, swapped.KnownBits()), BitSwappedAbrevTextBox,
       BitSwappedOrganizationTextBox);
  QStringList lines;
  lines << (owner ? QStringLiteral("Registry: ") + RegistryLine(FRegistry, *owner)
                  : QStringLiteral("Not in the IEEE registries"));
  // An OUI alone cannot tell the smaller blocks the IEEE assigned inside it.
  const uint64_t block = address.Value & 0xFFFFFF000000ull;
  if (address.KnownBits() <= 24)
    if (const size_t blocks = FRegistry.BlocksWithin(block, 24); blocks > 0)
      lines << QStringLiteral(
                   "This OUI is divided into %1 smaller blocks: paste a whole hardware address "
                   "to find the owner of its block.")
                   .arg(blocks);
  OUISourceLabel->setText(lines.join(QLatin1Char('\n')));
}

void TOUIFinderPage::ShowNoListFound() {
  // Never a result that was not found: the design-time texts go too.
  BitSwappedOUITextBox->SetCaption(
      QString::fromStdString(SwappedOUIKey(OUINumberEdit->text().toStdString())));
  for (TTextBox* box :
       {AbrevTextBox, OrganizationTextBox, BitSwappedAbrevTextBox, BitSwappedOrganizationTextBox})
    box->SetCaption(QString());
  QStringList places;
  for (const QString& folder : FRegistryFolders) places << QDir::toNativeSeparators(folder);
  QStringList files;
  for (const QString& path : FOUIListPaths) files << QDir::toNativeSeparators(QDir::cleanPath(path));
  OUISourceLabel->setText(
      QStringLiteral("No OUI list was found. Looked for the IEEE listings (package ieee-data) "
                     "in %1, and for OUI.txt at %2.")
          .arg(places.join(QStringLiteral(", ")), files.join(QStringLiteral(", "))));
}

// A whole hardware address pasted in any usual notation gives its OUI.
std::optional<QString> TOUIFinderPage::OUINumberEditPaste(const QString& pasted) {
  const std::optional<std::string> oui = HardwareAddressOUI(pasted.toStdString());
  if (!oui) return std::nullopt;
  // The rest of the address tells the MA-M, MA-S or IAB block within the OUI.
  FPastedAddress = ParseHardwareAddress(pasted.toStdString()).Address;
  return QString::fromStdString(*oui);
}

void TOUIFinderPage::OUINumberEditKeyDown(TCustomNumberEdit*, int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) OUISearchButtonClick();
}

}  // namespace Parlamine
