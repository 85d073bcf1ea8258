// SPDX-License-Identifier: MIT
// The main window: banner, the four calculator pages, menus and status bar.
// It creates the calculators, applies and saves the settings in their order,
// and routes the menu commands; the calculators do the work.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <vector>

#include "Calculator.h"
#include "CustomCalculator.h"
#include "FormPosition.h"
#include "RegistryTree.h"
#include "SettingsMerge.h"

class QAction;
class QActionGroup;
class QMenu;
class QStatusBar;
class QTabWidget;

namespace Parlamine {

class TAboutForm;
class THelpForm;
class TInputSettledWatcher;
class TCalculatorTopFrame;
class TSectionedStore;

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // Reads the settings file and applies it (FormCreate).
  explicit TMainForm(QWidget* parent = nullptr);
  // Saves every calculator's inputs and the window's own values (FormDestroy).
  ~TMainForm() override;

  TCalculator CurrentCalculator() const { return FCurrentCalculator; }
  bool Loading() const { return FLoading; }
  void SelectCalculator(TCalculator calculator);
  // Accepts any stored number: a calculator's value shows it, every other
  // number the IP Subnet Calculator.
  void SelectCalculatorValue(int32_t value);
  // The calculators in the order their settings are applied and saved.
  const std::vector<TCustomCalculator*>& Calculators() const { return FSettingsOrder; }

  // The settings file: $XDG_CONFIG_HOME/Quillfern/Parlamine.reg.
  static QString SettingsFileName();
  // The installed help file: beside the program, in ../share/parlamine, or
  // in parlamine/ of the desktop's data folders; empty when there is none.
  static QString HelpFilePath();

  // The window position helpers, usable for any window: the record is kept
  // under valueName (see FormPositionValueName) in the key.
  static bool LoadFormPosition(QWidget* window, TRegistryTree& tree, const std::string& keyPath,
                               const std::string& valueName);
  static void SaveFormPosition(QWidget* window, TRegistryTree& tree, const std::string& keyPath,
                               const std::string& valueName);

  // Fits the window's frame to the primary screen (the rules of
  // FitFormPosition) with the frame margins the window has now.
  static void FitWindowToScreen(QWidget* window, const TFormPositionRecord& record);

  // Runs what the Edit menu shows when it opens: Copy and Paste enabled for
  // the focused control.
  void EditMenuClick();

  // How a failed save is told: in a message box (the window closes
  // normally) or on the error output (a save while the user works, or while
  // the session ends and nobody may answer a box).
  enum class TSaveFailure { sfShow, sfLog };
  // Writes the settings file now if any setting changed since it was last
  // written (also run shortly after the user's input comes to rest, and when
  // the session manager asks the program to save).
  void SaveSettingsNow(TSaveFailure failure = TSaveFailure::sfLog);
  // A signal ends the session: the program ends as on a normal close, saving.
  void EndSession(int signalNumber);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A new application font or style refits the window (FitToFont).
  void changeEvent(QEvent* event) override;
  // The first showing gives the focus to the calculator's first control.
  void showEvent(QShowEvent* event) override;

 private:
  void CreateMenus();
  void CreatePages();
  // The calculator's inner tabs all show, with their whole captions.
  static void ShowEveryTab(QTabWidget* pages);
  // Sizes the status bar to the font and raises the window's minimum size to
  // what the menus, the banner and every calculator's pages need.
  void FitToFont();
  void FormCreate();
  void FormDestroy();
  void LoadMainSettings(TSectionedStore& store);
  void SaveMainSettings(TSectionedStore& store);
  void CalculatorItemClick(TCalculator calculator);
  void CalculatorTopFrameCalculatorChange();
  void EditCopyItemClick();
  void EditPasteItemClick();
  void FileExitItemClick();
  void OptionsStayOnTopItemClick();
  void HelpTopicsItemClick();
  void HelpGotoWebsiteActionExecute();
  void HelpAboutActionExecute();
  QWidget* EditTarget() const;
  bool HandleInnerPageKey(QEvent* event);
  bool HandleAccessKey(QEvent* event);
  // Gives the focus to the shown calculator's focus control.
  void FocusFirstControl();
  // Applies every calculator's settings, then the window's own; the values
  // that could not be read and any other errors are shown once the window
  // is up, in load order.
  void LoadSettings(TSectionedStore& store);
  // Every calculator's settings and the window's own into the store; the
  // errors of those that failed.
  std::vector<std::string> WriteSettings(TSectionedStore& store);
  // From now on the settings are saved shortly after each change.
  void StartSavingChanges();
  // A stored position is fitted again once the window manager's frame is known.
  void FitFrameOnceShown(QEvent* event);
  // Writes what this instance changed into the file as it is on disk now.
  void MergeIntoSettingsFile(const TRegistryTree& written);
  // Numbers the running instances (0 for the first) for OffsetForInstance.
  void TakeInstanceSlot();
  // A lock file shared by the instances that use this settings file.
  static QString LockFileName(const QString& purpose);
  // A further instance opens below and right of a stored position.
  void OffsetForInstance();

  TCalculatorTopFrame* CalculatorTopFrame = nullptr;
  QTabWidget* MainPageControl = nullptr;
  QStatusBar* MainStatusBar = nullptr;
  // One calculator with its top page and Calculator menu item.
  struct TCalculatorSlot {
    TCalculator Value;
    TCustomCalculator* Calculator;
    QWidget* Page;
    QAction* MenuItem = nullptr;
  };
  // In the order of the calculators' values: pages, menu items, banner.
  std::vector<TCalculatorSlot> FCalculators;
  std::vector<TCustomCalculator*> FSettingsOrder;
  std::vector<TCalculator> FCalculatorValues;
  // The slot of the calculator; the first slot for a value no calculator has.
  TCalculatorSlot* SlotOf(TCalculator calculator);

  QMenu* EditMenu = nullptr;
  QAction* FileExitItem = nullptr;
  QAction* EditCopyItem = nullptr;
  QAction* EditPasteItem = nullptr;
  QAction* OptionsStayOnTopItem = nullptr;
  QAction* HelpTopicsItem = nullptr;
  QAction* HelpGotoWebsiteAction = nullptr;
  QAction* HelpAboutAction = nullptr;
  TAboutForm* AboutForm = nullptr;
  THelpForm* HelpForm = nullptr;

  TRegistryTree FSettings;
  TRegistryTree FLastSaved;  // what this instance's settings held when last read or saved
  std::unique_ptr<TFileLock> FInstanceLock;
  int FInstanceSlot = 0;
  TCalculator FCurrentCalculator = TCalculator::caIPSubnet;
  bool FLoading = false;
  bool FSettingsUnreadable = false;  // the file exists but could not be read: never written
  bool FUnsavedChanges = false;      // the tree holds changes the file does not have yet
  bool FEndingSession = false;       // a signal ends the program
  TInputSettledWatcher* FSaveWhenSettled = nullptr;
  bool FFitFramePending = false;
  QPointer<QWidget> FFocusBeforeMenuBar;  // the Edit menu's control while the menu bar has the keys
  bool FFitToFontPending = false;
  bool FFocusOnceShown = true;
};

}  // namespace Parlamine
