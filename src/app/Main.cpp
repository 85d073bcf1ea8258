// SPDX-License-Identifier: MIT
#include "Main.h"

#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <vector>

#include "About.h"
#include "CalculatorList.h"
#include "CalculatorTop.h"
#include "FormPosition.h"
#include "HelpWindow.h"
#include "ParlamineApplication.h"
#include "SessionGuard.h"
#include "SettingsMerge.h"
#include "SettingsStore.h"
#include "ZellClipboardRequest.h"
#include "ZellGlobal.h"

namespace Parlamine {

namespace {

constexpr int MinimumWidth = 312;
constexpr int MinimumHeight = 463;
constexpr int StatusBarHeight = 19;
constexpr const char* PositionValueName = "Position";
constexpr const char* CalculatorValueName = "Calculator";
constexpr const char* StayOnTopValueName = "StayOnTop";
// The pause after the user's last input before the settings are saved.
constexpr int SaveDelayAfterInput = 2000;  // ms
// How far each further running instance opens from a stored position, so
// that its window does not hide the first one's.
constexpr int InstanceCascadeStep = 32;  // pixels, right and down
constexpr int MaxInstanceSlots = 16;
// How long a save waits for another instance that is merging into the file.
constexpr int SettingsLockWait = 5000;  // ms

QAction* NewAction(QObject* parent, const char* objectName, const QString& text,
                   const QKeySequence& shortcut = {}) {
  auto* action = new QAction(text, parent);
  action->setObjectName(QString::fromLatin1(objectName));
  action->setShortcut(shortcut);
  return action;
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn, Ctrl+PgUp: +1 or -1, 0 for other keys.
int InnerPageStep(const QKeyEvent* key) {
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (!(modifiers & Qt::ControlModifier) || (modifiers & (Qt::AltModifier | Qt::MetaModifier))) return 0;
  switch (key->key()) {
    case Qt::Key_Tab:
      return (modifiers & Qt::ShiftModifier) ? -1 : +1;
    case Qt::Key_Backtab:
      return -1;
    case Qt::Key_PageDown:
      return modifiers == Qt::ControlModifier ? +1 : 0;
    case Qt::Key_PageUp:
      return modifiers == Qt::ControlModifier ? -1 : 0;
    default:
      return 0;
  }
}

// The next shown and enabled page in the direction, going round; the same
// page when there is no other.
int NextShownPage(const QTabWidget* pages, int step) {
  const int count = pages->count();
  for (int i = 1; i < count; ++i) {
    const int index = ((pages->currentIndex() + step * i) % count + count) % count;
    if (pages->isTabVisible(index) && pages->isTabEnabled(index)) return index;
  }
  return pages->currentIndex();
}

// Alt+letter alone (no Ctrl, Shift or Meta): the letter's key, else 0.
int AccessKeyLetter(const QKeyEvent* key) {
  if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return 0;
  return (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) ||
                 (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9)
             ? key->key()
             : 0;
}

bool HasAccessKey(const QString& caption, int letter) {
  return QKeySequence::mnemonic(caption) == QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(letter)));
}

// The shown control on the page whose caption carries the access key: a
// label with a buddy, a button or check box, or a group box.
QWidget* AccessKeyOwner(QWidget* page, int letter) {
  for (QWidget* w : page->findChildren<QWidget*>()) {
    if (!w->isVisible() || !w->isEnabled()) continue;
    const auto* label = qobject_cast<const QLabel*>(w);
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    const auto* group = qobject_cast<const QGroupBox*>(w);
    if ((label && label->buddy() && HasAccessKey(label->text(), letter)) ||
        (button && HasAccessKey(button->text(), letter)) || (group && HasAccessKey(group->title(), letter)))
      return w;
  }
  return nullptr;
}

// What the control's access key does: a label focuses its buddy, a button is
// focused and pressed, a group box focuses its first control.
void ActivateAccessKey(QWidget* owner) {
  QWidget* target = owner;
  if (auto* label = qobject_cast<QLabel*>(owner)) target = label->buddy();
  if (auto* group = qobject_cast<QGroupBox*>(owner); group && !group->isCheckable())
    target = FirstControlOf(group);
  if (!target) return;
  if (target->focusPolicy() != Qt::NoFocus) target->setFocus(Qt::ShortcutFocusReason);
  if (auto* group = qobject_cast<QGroupBox*>(owner); group && group->isCheckable())
    group->setChecked(!group->isChecked());
  if (auto* button = qobject_cast<QAbstractButton*>(target)) button->animateClick();
}

// Qt refreshes the layouts of a page that is not shown only when it shows
// the page again, so after a change of font or style every control and
// layout is asked afresh.
void ForgetSizeHints(QWidget* window) {
  for (QWidget* control : window->findChildren<QWidget*>()) control->updateGeometry();
  for (QLayout* layout : window->findChildren<QLayout*>()) layout->invalidate();
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Calculator"));
  setMinimumSize(MinimumWidth, MinimumHeight);
  resize(MinimumWidth, 465);
  CreatePages();
  CreateMenus();
  FitToFont();
  qApp->installEventFilter(this);
  FormCreate();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  FormDestroy();
}

QString TMainForm::SettingsFileName() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || QDir::isRelativePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
  return base + QStringLiteral("/Quillfern/Parlamine.reg");
}

void TMainForm::CreatePages() {
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("MainClientArea"));
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  CalculatorTopFrame = new TCalculatorTopFrame(RegisteredCalculatorInfos(), central);
  layout->addWidget(CalculatorTopFrame);

  MainPageControl = new QTabWidget(central);
  MainPageControl->setObjectName(QStringLiteral("MainPageControl"));
  MainPageControl->setDocumentMode(true);
  // Its tabs are hidden: only the calculators' controls and inner tabs take
  // the focus, and calculators change only through SelectCalculator.
  MainPageControl->setFocusPolicy(Qt::NoFocus);
  MainPageControl->tabBar()->setFocusPolicy(Qt::NoFocus);
  for (const TCalculatorInfo& info : RegisteredCalculatorInfos()) {
    auto* page = new QWidget(MainPageControl);
    page->setObjectName(info.PageName());
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(2, 2, 2, 2);
    FCalculators.push_back({info.Value, nullptr, page});
    FCalculatorValues.push_back(info.Value);
    MainPageControl->addTab(page, info.Caption);
  }
  // Created in settings order; each goes onto its page.
  for (const TCalculatorRegistration& registration : RegisteredCalculators()) {
    TCustomCalculator* calculator = registration.Create();
    TCalculatorSlot& slot = *SlotOf(registration.Info().Value);
    slot.Calculator = calculator;
    calculator->setParent(slot.Page);
    slot.Page->layout()->addWidget(calculator);
    FSettingsOrder.push_back(calculator);
    ShowEveryTab(calculator->PageControl());
  }
  MainPageControl->setCurrentWidget(SlotOf(TCalculator::caIPSubnet)->Page);
  layout->addWidget(MainPageControl, 1);
  setCentralWidget(central);

  MainStatusBar = new QStatusBar(this);
  MainStatusBar->setObjectName(QStringLiteral("MainStatusBar"));
  MainStatusBar->setFixedHeight(StatusBarHeight);
  MainStatusBar->setSizeGripEnabled(false);
  setStatusBar(MainStatusBar);
}

void TMainForm::ShowEveryTab(QTabWidget* pages) {
  if (!pages) return;
  // Every caption in full and every tab in sight: the window's minimum
  // width grows with the tabs instead of hiding them behind scroll arrows.
  pages->setUsesScrollButtons(false);
  pages->setElideMode(Qt::ElideNone);
}

void TMainForm::FitToFont() {
  FFitToFontPending = false;
  ForgetSizeHints(this);
  // The status bar measures its line for the font when it lays itself out.
  QEvent layoutRequest(QEvent::LayoutRequest);
  QCoreApplication::sendEvent(MainStatusBar, &layoutRequest);
  MainStatusBar->setFixedHeight(std::max(StatusBarHeight, MainStatusBar->sizeHint().height()));
  // The page control's own hint counts a frame and a tab bar that neither
  // document mode nor the hidden tabs show: its pages alone say what it needs.
  QSize pages;
  for (const TCalculatorSlot& slot : FCalculators) pages = pages.expandedTo(slot.Page->minimumSizeHint());
  MainPageControl->setMinimumSize(pages);
  // The designed minimum at the program's own font, more where a larger
  // font or another style needs it; a smaller window is enlarged by Qt.
  setMinimumSize(QSize(MinimumWidth, MinimumHeight).expandedTo(layout()->totalMinimumSize()));
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  const bool looksChanged = event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
  if (!looksChanged || FFitToFontPending) return;
  // The controls learn of the change one by one; measure once all of them know.
  FFitToFontPending = true;
  QMetaObject::invokeMethod(this, &TMainForm::FitToFont, Qt::QueuedConnection);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!FFocusOnceShown) return;
  FFocusOnceShown = false;
  // Laid out only now: a tool bar shows its buttons once it knows its width,
  // so the calculator's first control is looked for again.
  FocusFirstControl();
}

void TMainForm::CreateMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));

  QMenu* fileMenu = bar->addMenu(QStringLiteral("&File"));
  fileMenu->setObjectName(QStringLiteral("FileMenu"));
  // Ctrl+Q as on every Linux desktop, besides the window manager's close keys.
  FileExitItem = NewAction(this, "FileExitItem", QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
  fileMenu->addAction(FileExitItem);
  connect(FileExitItem, &QAction::triggered, this, &TMainForm::FileExitItemClick);

  EditMenu = bar->addMenu(QStringLiteral("&Edit"));
  EditMenu->setObjectName(QStringLiteral("EditMenu"));
  EditCopyItem = NewAction(this, "EditCopyItem", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
  EditPasteItem =
      NewAction(this, "EditPasteItem", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
  // The keys belong to the focused control, which copies and pastes itself
  // as Qt's text widgets do; the menu only shows them.
  EditCopyItem->setShortcutContext(Qt::WidgetShortcut);
  EditPasteItem->setShortcutContext(Qt::WidgetShortcut);
  EditMenu->addAction(EditCopyItem);
  EditMenu->addAction(EditPasteItem);
  connect(EditMenu, &QMenu::aboutToShow, this, &TMainForm::EditMenuClick);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (qobject_cast<QMenuBar*>(now) && old && old->window() == this) FFocusBeforeMenuBar = old;
  });
  connect(EditCopyItem, &QAction::triggered, this, &TMainForm::EditCopyItemClick);
  connect(EditPasteItem, &QAction::triggered, this, &TMainForm::EditPasteItemClick);

  QMenu* calculatorMenu = bar->addMenu(QStringLiteral("&Calculator"));
  calculatorMenu->setObjectName(QStringLiteral("CalculatorMenu"));
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  for (TCalculatorSlot& slot : FCalculators) {
    const TCalculatorInfo& info = slot.Calculator->Info();
    QAction* item = NewAction(this, "", info.MenuCaption(), info.Shortcut);
    item->setObjectName(info.MenuItemName());
    item->setCheckable(true);
    item->setShortcutContext(Qt::ApplicationShortcut);
    group->addAction(item);
    calculatorMenu->addAction(item);
    const TCalculator value = info.Value;
    connect(item, &QAction::triggered, this, [this, value] { CalculatorItemClick(value); });
    slot.MenuItem = item;
  }
  SlotOf(TCalculator::caIPSubnet)->MenuItem->setChecked(true);

  QMenu* optionsMenu = bar->addMenu(QStringLiteral("&Options"));
  optionsMenu->setObjectName(QStringLiteral("OptionsMenu"));
  OptionsStayOnTopItem = NewAction(this, "OptionsStayOnTopItem", QStringLiteral("&Stay On Top"));
  OptionsStayOnTopItem->setCheckable(true);
  optionsMenu->addAction(OptionsStayOnTopItem);
  connect(OptionsStayOnTopItem, &QAction::triggered, this, &TMainForm::OptionsStayOnTopItemClick);

  QMenu* helpMenu = bar->addMenu(QStringLiteral("&Help"));
  helpMenu->setObjectName(QStringLiteral("HelpMenu"));
  HelpTopicsItem =
      NewAction(this, "HelpTopicsItem", QStringLiteral("&Help Topics"), QKeySequence(Qt::Key_F1));
  HelpTopicsItem->setShortcutContext(Qt::ApplicationShortcut);
  HelpGotoWebsiteAction =
      NewAction(this, "HelpGotoWebsiteAction", QStringLiteral("Visit Quillfern &Website..."));
  const QString websiteHint = QStringLiteral("Click to visit the Quillfern website");
  HelpGotoWebsiteAction->setToolTip(websiteHint);
  HelpGotoWebsiteAction->setStatusTip(websiteHint);
  HelpAboutAction = NewAction(this, "HelpAboutAction", QStringLiteral("&About..."));
  helpMenu->addAction(HelpTopicsItem);
  helpMenu->addSeparator();
  helpMenu->addAction(HelpGotoWebsiteAction);
  helpMenu->addSeparator();
  helpMenu->addAction(HelpAboutAction);
  connect(HelpTopicsItem, &QAction::triggered, this, &TMainForm::HelpTopicsItemClick);
  connect(HelpGotoWebsiteAction, &QAction::triggered, this, &TMainForm::HelpGotoWebsiteActionExecute);
  connect(HelpAboutAction, &QAction::triggered, this, &TMainForm::HelpAboutActionExecute);

  // F10 opens the menu bar from any control, as Alt pressed alone does.
  auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
  menuKey->setObjectName(QStringLiteral("MenuBarShortcut"));
  connect(menuKey, &QShortcut::activated, this, [bar] { bar->setActiveAction(bar->actions().value(0)); });
}

void TMainForm::FormCreate() {
  setWindowTitle(QApplication::applicationDisplayName());
  connect(CalculatorTopFrame, &TCalculatorTopFrame::OnCalculatorChange, this,
          &TMainForm::CalculatorTopFrameCalculatorChange);
  // The banner's web-site button works as the web-site action, picture only.
  QToolButton* websiteButton = CalculatorTopFrame->GotoWebsiteButton();
  websiteButton->setText(QString());
  websiteButton->setToolTip(HelpGotoWebsiteAction->toolTip());
  websiteButton->setStatusTip(HelpGotoWebsiteAction->statusTip());
  connect(websiteButton, &QToolButton::clicked, HelpGotoWebsiteAction, &QAction::trigger);
  MainPageControl->tabBar()->hide();

  const std::string fileName = SettingsFileName().toStdString();
  // Saves that were killed before their rename leave their temporary files.
  RemoveStaleTemporaryFiles(fileName);
  TRegistryFileRead read = ReadRegistryFile(fileName);
  FSettings = std::move(read.Tree);
  FSettingsUnreadable = read.Status == TRegistryFileStatus::rfsUnreadable;
  // After an upgrade the inputs of the last release are the starting values,
  // written into the file at the first save.
  if (!TakeOlderReleaseSettings(FSettings, SettingsRoot).empty()) FUnsavedChanges = true;
  TakeInstanceSlot();
  if (FSettingsUnreadable) {
    // Told once the window is up; the file is never replaced this time.
    const QString text = QStringLiteral(
                             "The settings file '%1' could not be read (%2). The program starts with "
                             "default settings and will not save them this time.")
                             .arg(SettingsFileName(), QString::fromStdString(read.Error));
    QTimer::singleShot(0, this, [this, text] { ShowError(this, text); });
  }
  TSectionedStore store(FSettings, SettingsRoot);
  FLoading = true;
  for (TCustomCalculator* calculator : FSettingsOrder) calculator->SetLoading(true);
  LoadSettings(store);
  FLoading = false;
  for (TCustomCalculator* calculator : FSettingsOrder) calculator->SetLoading(false);
  FocusFirstControl();
  StartSavingChanges();
}

void TMainForm::FormDestroy() {
  SaveSettingsNow(FEndingSession ? TSaveFailure::sfLog : TSaveFailure::sfShow);
  for (TCustomCalculator* calculator : FSettingsOrder) calculator->Done();
}

void TMainForm::StartSavingChanges() {
  // What every setting holds right after loading: an unread value stays in
  // the file while its setting still holds this.
  TRegistryTree written;
  TSectionedStore store(written, SettingsRoot);
  WriteSettings(store);
  FSettings.SetUnreadFallbacks(written);
  // A file that lacks a setting (a first run, an older file) gets it at the
  // first save, even if nothing changes.
  TRegistryTree fileNow = FSettings;
  if (MergeChangedValues(fileNow, written, written)) FUnsavedChanges = true;
  FLastSaved = std::move(written);
  // Saved shortly after the user's input comes to rest, so that a session
  // that ends without closing the window (a lost display, a crash, a kill)
  // costs at most the last moments.
  FSaveWhenSettled = new TInputSettledWatcher(this, SaveDelayAfterInput);
  connect(FSaveWhenSettled, &TInputSettledWatcher::Settled, this, [this] { SaveSettingsNow(); });
}

void TMainForm::SaveSettingsNow(TSaveFailure failure) {
  if (FSettingsUnreadable || FLoading) return;  // the user's file stays as it is
  TRegistryTree written;
  TSectionedStore store(written, SettingsRoot);
  std::vector<std::string> failures = WriteSettings(store);
  if (!(written == FLastSaved)) FUnsavedChanges = true;
  if (FUnsavedChanges) {
    try {
      MergeIntoSettingsFile(written);
      FLastSaved = std::move(written);
      FUnsavedChanges = false;
    } catch (const std::exception& error) {
      failures.push_back(error.what());
    }
  }
  for (const std::string& text : failures) {
    if (failure == TSaveFailure::sfShow)
      ShowError(this, QString::fromStdString(text));
    else
      qWarning("%s", text.c_str());
  }
}

// Another instance may have saved since this one read the file: what it
// stored stays, unless this instance changed the same value since. The file
// is locked from reading to renaming, so two saves never interleave.
void TMainForm::MergeIntoSettingsFile(const TRegistryTree& written) {
  const QString fileName = SettingsFileName();
  QDir().mkpath(QFileInfo(fileName).path());
  const TFileLock lock(LockFileName(QStringLiteral("save")).toStdString(), SettingsLockWait);
  if (!lock.Locked())
    throw ERegistryException("The settings file '" + fileName.toStdString() +
                             "' is being saved by another Parlamine; this one's settings are saved later.");
  TRegistryFileRead onDisk = ReadRegistryFile(fileName.toStdString());
  if (onDisk.Status == TRegistryFileStatus::rfsUnreadable)
    throw ERegistryException("The settings file '" + fileName.toStdString() + "' could not be read (" +
                             onDisk.Error + "); it is left as it is.");
  if (onDisk.Status == TRegistryFileStatus::rfsMissing) onDisk.Tree = FSettings;  // the values read at start
  // The older release's values this release does not write are carried over too.
  TakeOlderReleaseSettings(onDisk.Tree, SettingsRoot);
  if (MergeChangedValues(onDisk.Tree, FLastSaved, written) ||
      onDisk.Status == TRegistryFileStatus::rfsMissing)
    SaveRegistryFile(onDisk.Tree, fileName.toStdString());
  FSettings = std::move(onDisk.Tree);
}

// The locks of the instances that share one settings file live in the
// user's runtime folder, named after that file, so that the settings folder
// holds nothing but the settings.
QString TMainForm::LockFileName(const QString& purpose) {
  const QByteArray settings = QFileInfo(SettingsFileName()).absoluteFilePath().toUtf8();
  const QString id =
      QString::fromLatin1(QCryptographicHash::hash(settings, QCryptographicHash::Sha1).toHex().left(16));
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  QDir().mkpath(folder);
  return QDir(folder).filePath(QStringLiteral("parlamine-%1.%2.lock").arg(id, purpose));
}

void TMainForm::TakeInstanceSlot() {
  // The first free slot; the slot of an instance that ended is free again.
  for (int slot = 0; slot < MaxInstanceSlots; ++slot) {
    auto lock =
        std::make_unique<TFileLock>(LockFileName(QStringLiteral("window%1").arg(slot)).toStdString(), 0);
    if (!lock->Locked()) continue;
    FInstanceLock = std::move(lock);
    FInstanceSlot = slot;
    return;
  }
  FInstanceSlot = MaxInstanceSlots;
}

void TMainForm::EndSession(int signalNumber) {
  // As a normal close: the window's destruction saves, telling a failure on
  // the error output (nobody may be there to answer a box). Every event loop
  // ends, a dialog's too; one that starts later ends as soon as it runs.
  qInfo("Parlamine: signal %d, saving the settings and closing.", signalNumber);
  FEndingSession = true;
  QCoreApplication::exit(0);
  QMetaObject::invokeMethod(
      qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

// One policy for every calculator: a setting it cannot read costs neither the
// other calculators' settings nor the window's own, nor its own other
// settings. Every one is applied; once the window is up, one message names
// the file, each calculator and the values that could not be read, and the
// errors of other kinds follow, in load order.
void TMainForm::LoadSettings(TSectionedStore& store) {
  QStringList errors;
  QStringList unread;
  const auto load = [this, &errors, &unread](const QString& name, const auto& apply) {
    const size_t before = FSettings.UnreadValues().size();
    try {
      apply();
    } catch (const std::exception& error) {
      errors << QString::fromUtf8(error.what());
    }
    QStringList values;
    for (size_t i = before; i < FSettings.UnreadValues().size(); ++i)
      if (FSettings.UnreadValues()[i].Reported)
        values << QString::fromStdString(FSettings.UnreadValues()[i].Error);
    if (!values.isEmpty())
      unread << QStringLiteral("Values of the %1 that could not be read:\n%2")
                    .arg(name, values.join(QLatin1Char('\n')));
  };
  for (TCustomCalculator* calculator : FSettingsOrder)
    load(calculator->Info().Name(), [calculator, &store] { calculator->LoadSettings(store); });
  load(QStringLiteral("main window"), [this, &store] { LoadMainSettings(store); });
  if (!unread.isEmpty())
    errors.prepend(
        QStringLiteral("The settings file '%1' is damaged.\n\n%2\n\nEach of these settings starts "
                       "from its default. The stored values stay in the file as they are until you "
                       "change those settings.")
            .arg(SettingsFileName(), unread.join(QStringLiteral("\n\n"))));
  for (const QString& error : errors) QTimer::singleShot(0, this, [this, error] { ShowError(this, error); });
}

std::vector<std::string> TMainForm::WriteSettings(TSectionedStore& store) {
  std::vector<std::string> errors;
  const auto save = [&errors](const auto& write) {
    try {
      write();
    } catch (const std::exception& error) {
      errors.push_back(error.what());
    }
  };
  // A calculator that fails to save keeps the others from nothing.
  for (TCustomCalculator* calculator : FSettingsOrder)
    save([calculator, &store] { calculator->SaveSettings(store); });
  save([this, &store] { SaveMainSettings(store); });
  return errors;
}

bool TMainForm::LoadFormPosition(QWidget* window, TRegistryTree& tree, const std::string& keyPath,
                                 const std::string& valueName) {
  const std::string name = FormPositionValueName(valueName, window->objectName().toStdString());
  const TRegValue* value = tree.FindValue(keyPath, name);
  if (!value || value->Type != static_cast<uint32_t>(TRegValueType::rvBinary)) return false;
  const auto record = UnpackFormPosition(value->Bytes);
  if (!record) return false;
  if (record->WindowState == TWindowState::wsMaximized) {
    window->setWindowState(Qt::WindowMaximized);  // the normal bounds stay as designed
    return true;
  }
  FitWindowToScreen(window, *record);
  window->setWindowState(record->WindowState == TWindowState::wsMinimized ? Qt::WindowMinimized
                                                                          : Qt::WindowNoState);
  return true;
}

// The window manager's frame as the platform knows it now: a widget's own
// frame geometry follows only at its next move, after the frame was told.
static TFrameMargins FrameMarginsOf(const QWidget* window) {
  const QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
  return {frame.left(), frame.top(), frame.right(), frame.bottom()};
}

void TMainForm::FitWindowToScreen(QWidget* window, const TFormPositionRecord& record) {
  const QSize screen = QGuiApplication::primaryScreen()->size();
  // The frame is known once the window manager has framed the window; before
  // that the margins are 0 and the window is fitted again when it is shown.
  const TFrameMargins margins = FrameMarginsOf(window);
  // A size stored under a smaller font is enlarged to what the window needs now.
  TFormPositionRecord enlarged = record;
  enlarged.Right = std::max(record.Right, record.Left + window->minimumWidth());
  enlarged.Bottom = std::max(record.Bottom, record.Top + window->minimumHeight());
  const TFormPositionRecord fitted = FitFormPosition(enlarged, screen.width(), screen.height(), margins);
  window->move(fitted.Left, fitted.Top);
  window->resize(fitted.Right - fitted.Left, fitted.Bottom - fitted.Top);
}

void TMainForm::FitFrameOnceShown(QEvent* event) {
  if (!FFitFramePending || !isVisible() || windowState() != Qt::WindowNoState) return;
  const TFrameMargins margins = FrameMarginsOf(this);
  const bool framed = margins.Left || margins.Top || margins.Right || margins.Bottom;
  // Unframed, the window is fitted when it becomes active, and once more
  // when a frame appears: a window manager may tell its frame only after it
  // activated the window.
  if (!framed && event->type() != QEvent::WindowActivate) return;
  if (framed) FFitFramePending = false;
  const QRect bounds(pos(), size());
  FitWindowToScreen(this, {bounds.left(), bounds.top(), bounds.left() + bounds.width(),
                           bounds.top() + bounds.height(), TWindowState::wsNormal});
}

void TMainForm::SaveFormPosition(QWidget* window, TRegistryTree& tree, const std::string& keyPath,
                                 const std::string& valueName) {
  const std::string name = FormPositionValueName(valueName, window->objectName().toStdString());
  const QRect bounds(window->pos(), window->size());
  TWindowState state = TWindowState::wsNormal;
  if (window->isMaximized())
    state = TWindowState::wsMaximized;
  else if (window->isMinimized())
    state = TWindowState::wsMinimized;
  TRegValue value;
  value.Type = static_cast<uint32_t>(TRegValueType::rvBinary);
  value.Bytes = PackFormPosition(
      {bounds.left(), bounds.top(), bounds.left() + bounds.width(), bounds.top() + bounds.height(), state});
  tree.SetValue(keyPath, name, std::move(value));
}

void TMainForm::LoadMainSettings(TSectionedStore& store) {
  if (LoadFormPosition(this, store.Tree(), store.RootPath(), PositionValueName)) {
    FFitFramePending = true;
    OffsetForInstance();
  } else {
    resize(minimumSize());
  }
  SelectCalculatorValue(store.ReadInteger("", CalculatorValueName, 1));
  OptionsStayOnTopItem->setChecked(store.ReadBool("", StayOnTopValueName, false));
  OptionsStayOnTopItemClick();
}

void TMainForm::OffsetForInstance() {
  if (FInstanceSlot == 0 || windowState() != Qt::WindowNoState) return;
  const QRect bounds(pos() + QPoint(1, 1) * InstanceCascadeStep * FInstanceSlot, size());
  FitWindowToScreen(this, {bounds.left(), bounds.top(), bounds.left() + bounds.width(),
                           bounds.top() + bounds.height(), TWindowState::wsNormal});
}

void TMainForm::SaveMainSettings(TSectionedStore& store) {
  SaveFormPosition(this, store.Tree(), store.RootPath(), PositionValueName);
  store.WriteInteger("", CalculatorValueName, static_cast<int32_t>(FCurrentCalculator));
  store.WriteBool("", StayOnTopValueName, OptionsStayOnTopItem->isChecked());
}

TMainForm::TCalculatorSlot* TMainForm::SlotOf(TCalculator calculator) {
  for (TCalculatorSlot& slot : FCalculators)
    if (slot.Value == calculator) return &slot;
  return &FCalculators.front();
}

void TMainForm::SelectCalculatorValue(int32_t value) {
  SelectCalculator(CalculatorFromOrdinal(value, FCalculatorValues));
}

void TMainForm::SelectCalculator(TCalculator calculator) {
  calculator = CalculatorFromOrdinal(static_cast<int>(calculator), FCalculatorValues);
  FCurrentCalculator = calculator;
  TCalculatorSlot* slot = SlotOf(calculator);
  slot->MenuItem->setChecked(true);
  CalculatorTopFrame->SetCalculator(calculator);
  const bool changed = MainPageControl->currentWidget() != slot->Page;
  MainPageControl->setCurrentWidget(slot->Page);
  // A new calculator starts at its focus control; the same one again leaves
  // the focus where it is.
  if (changed || !slot->Page->isAncestorOf(focusWidget())) FocusFirstControl();
}

void TMainForm::FocusFirstControl() {
  QWidget* first = SlotOf(FCurrentCalculator)->Calculator->FocusControl();
  if (!first) return;
  first->setFocus(Qt::OtherFocusReason);
  // Typing replaces what the first field shows, as after Tab.
  while (first->focusProxy()) first = first->focusProxy();
  if (auto* edit = qobject_cast<QLineEdit*>(first)) edit->selectAll();
}

bool TMainForm::HandleInnerPageKey(QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int step = InnerPageStep(static_cast<QKeyEvent*>(event));
  if (step == 0) return false;
  // The key changes the inner page of the shown calculator, wherever the
  // focus is; it never reaches the main page control.
  if (QTabWidget* pages = SlotOf(FCurrentCalculator)->Calculator->PageControl())
    pages->setCurrentIndex(NextShownPage(pages, step));
  return true;
}

bool TMainForm::HandleAccessKey(QEvent* event) {
  const int letter = AccessKeyLetter(static_cast<QKeyEvent*>(event));
  if (letter == 0 || qobject_cast<QMenuBar*>(QApplication::focusWidget())) return false;
  // The shown page's own access keys win over the menu bar's, every time;
  // the menus stay reachable with F10 and with Alt pressed alone.
  QWidget* owner = AccessKeyOwner(MainPageControl->currentWidget(), letter);
  if (!owner) return false;
  if (event->type() == QEvent::ShortcutOverride)
    event->accept();  // arrives as a key press, handled below
  else
    ActivateAccessKey(owner);
  return true;
}

void TMainForm::CalculatorItemClick(TCalculator calculator) { SelectCalculator(calculator); }

void TMainForm::CalculatorTopFrameCalculatorChange() { SelectCalculator(CalculatorTopFrame->Calculator()); }

// The focused control; while the menu bar has the keys (F10, Alt, the arrows
// from menu to menu) the control it took the focus from.
QWidget* TMainForm::EditTarget() const {
  QWidget* focus = QApplication::focusWidget();
  return qobject_cast<QMenuBar*>(focus) ? FFocusBeforeMenuBar.data() : focus;
}

void TMainForm::EditMenuClick() {
  // The control tells what it can do now.
  EditCopyItem->setEnabled(CanCarryOut(EditTarget(), TClipboardRequest::crCopy));
  EditPasteItem->setEnabled(CanCarryOut(EditTarget(), TClipboardRequest::crPaste));
}

void TMainForm::EditCopyItemClick() { SendClipboardRequest(EditTarget(), TClipboardRequest::crCopy); }

void TMainForm::EditPasteItemClick() { SendClipboardRequest(EditTarget(), TClipboardRequest::crPaste); }

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == this && FFitFramePending) FitFrameOnceShown(event);
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->window() == this && (HandleInnerPageKey(event) || HandleAccessKey(event)))
      return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FileExitItemClick() { close(); }

void TMainForm::OptionsStayOnTopItemClick() {
  // The action inverts its own check mark when chosen; apply the state shown.
  const bool onTop = OptionsStayOnTopItem->isChecked();
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  const bool visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // hides a visible window
  if (visible) show();
}

QString TMainForm::HelpFilePath() {
  const QString name = TParlamineApplication::HelpFile();
  const QString appDir = QCoreApplication::applicationDirPath();
  for (const QString& folder : {appDir, appDir + QStringLiteral("/../share/parlamine")}) {
    const QFileInfo file(QDir(folder).filePath(name));
    if (file.isFile()) return file.absoluteFilePath();
  }
  // Then the data folders of the desktop ($XDG_DATA_HOME, $XDG_DATA_DIRS).
  return QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("parlamine/") + name);
}

void TMainForm::HelpTopicsItemClick() {
  const QString path = HelpFilePath();
  if (path.isEmpty()) {
    ShowError(this,
              QStringLiteral("Cannot find the help file \"%1\".").arg(TParlamineApplication::HelpFile()));
    return;
  }
  // Always the program's own help window: it needs no browser, keeps its
  // place between openings and stays beside the calculator.
  if (!HelpForm) {
    HelpForm = new THelpForm(this);
    HelpForm->ShowFile(path);
  }
  HelpForm->show();
  HelpForm->raise();
  HelpForm->activateWindow();
}

void TMainForm::HelpGotoWebsiteActionExecute() { OpenWebAddress(this, QString::fromLatin1(WebsiteAddress)); }

void TMainForm::HelpAboutActionExecute() {
  if (!AboutForm) AboutForm = new TAboutForm(this);
  AboutForm->show();
  AboutForm->raise();
  AboutForm->activateWindow();
}

}  // namespace Parlamine
