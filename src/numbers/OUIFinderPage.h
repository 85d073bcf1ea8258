// SPDX-License-Identifier: MIT
// The OUI Finder page: looks up an OUI and its bit-swapped form (Ethernet
// against Token Ring/FDDI bit order) in the list file OUI.txt.
#pragma once

#include <QStringList>
#include <QWidget>
#include <optional>

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

  // Searches the OUI field's text and its bit-swapped form. Loads OUI.txt on
  // the first search that finds it; without the file nothing changes. Throws
  // the conversion or range error for a text that is no 32-bit hexadecimal
  // number (only a stored setting can hold one), after the busy cursor is back.
  void OUISearchButtonClick();
  // Frees the loaded list; the next search loads it again.
  void FreeOUIList();
  bool OUIListLoaded() const { return FOUIList.Loaded(); }

  // Where OUI.txt is looked for, in order: the working directory, beside the
  // program, and the installed data folder (../share/parlamine).
  static QStringList DefaultOUIListPaths();
  void SetOUIListPaths(const QStringList& paths) { FOUIListPaths = paths; }

 private:
  void OUINumberEditKeyDown(TCustomNumberEdit* sender, int key);
  static std::optional<QString> OUINumberEditPaste(TCustomNumberEdit* sender, const QString& pasted);
  bool LoadOUIList();
  TTextBox* AddResultRow(const QString& labelName, const QString& caption, const QString& boxName,
                         const QString& text);

  TNumberEdit* OUINumberEdit = nullptr;
  QPushButton* OUISearchButton = nullptr;
  TTextBox* AbrevTextBox = nullptr;
  TTextBox* OrganizationTextBox = nullptr;
  TTextBox* BitSwappedOUITextBox = nullptr;
  TTextBox* BitSwappedAbrevTextBox = nullptr;
  TTextBox* BitSwappedOrganizationTextBox = nullptr;
  TOUIList FOUIList;
  QStringList FOUIListPaths;
};

}  // namespace Parlamine
