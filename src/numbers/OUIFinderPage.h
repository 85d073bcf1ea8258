// SPDX-License-Identifier: MIT
// The OUI Finder page: looks up an OUI and its bit-swapped form (Ethernet
// against Token Ring/FDDI bit order) in the IEEE listings of ieee-data, the
// same the command line reads, and without them in the list file OUI.txt.
#pragma once

#include <QStringList>
#include <QWidget>
#include <optional>

#include "IEEERegistry.h"
#include "MacAddressText.h"
#include "OUIList.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace Parlamine {

class TCustomNumberEdit;
class TNumberEdit;
class TTextBox;

class TOUIFinderPage : public QWidget {
  Q_OBJECT
 public:
  explicit TOUIFinderPage(QWidget* parent = nullptr);

  // The OUI shown before any search, whose results the page shows from the start.
  static constexpr const char* DefaultOUI = "000055";

  TNumberEdit* OUIEdit() const { return OUINumberEdit; }

  // Searches the OUI field's text and its bit-swapped form. Loads the IEEE
  // listings, else OUI.txt, on the first search that finds them; without
  // either the results are emptied and the page says where it looked. Throws
  // the conversion or range error for a text that is no 32-bit hexadecimal
  // number (only a stored setting can hold one), after the busy cursor is back.
  void OUISearchButtonClick();
  // Frees the loaded lists; the next search loads them again.
  void FreeOUIList();
  bool OUIListLoaded() const { return FOUIList.Loaded(); }
  bool RegistryLoaded() const { return !FRegistry.Empty(); }

  // Where OUI.txt is looked for, in order: the working directory, beside the
  // program, and the installed data folder (../share/parlamine).
  static QStringList DefaultOUIListPaths();
  void SetOUIListPaths(const QStringList& paths) { FOUIListPaths = paths; }
  // Where the IEEE listings are looked for (DefaultRegistryFolders).
  void SetRegistryFolders(const QStringList& folders) { FRegistryFolders = folders; }

 private:
  void OUINumberEditKeyDown(TCustomNumberEdit* sender, int key);
  std::optional<QString> OUINumberEditPaste(const QString& pasted);
  bool LoadOUIList();
  bool LoadRegistry();
  // The search over the IEEE listings, longest match first.
  void SearchRegistry(const std::string& swappedKey);
  void ShowNoListFound();
  // The address searched: the whole address last pasted while the field
  // still shows its OUI (so a 28- or 36-bit block can be told), else the OUI.
  THardwareAddress SearchedAddress() const;
  TTextBox* AddResultRow(const QString& labelName, const QString& caption, const QString& boxName,
                         const QString& text);

  TNumberEdit* OUINumberEdit = nullptr;
  QPushButton* OUISearchButton = nullptr;
  TTextBox* AbrevTextBox = nullptr;
  TTextBox* OrganizationTextBox = nullptr;
  TTextBox* BitSwappedOUITextBox = nullptr;
  TTextBox* BitSwappedAbrevTextBox = nullptr;
  TTextBox* BitSwappedOrganizationTextBox = nullptr;
  QLabel* OUISourceLabel = nullptr;  // which list answered, or where none was found
  TOUIList FOUIList;
  QStringList FOUIListPaths;
  QString FLoadedOUIListPath;
  TIEEERegistry FRegistry;
  QStringList FRegistryFolders;
  std::optional<THardwareAddress> FPastedAddress;
};

}  // namespace Parlamine
