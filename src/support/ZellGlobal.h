// SPDX-License-Identifier: MIT
// Helpers shared by every calculator: message boxes, the busy-cursor
// stack, tab-joined texts and opening addresses with the desktop. The beep
// comes from the controls (ZellFeedback.h).
#pragma once

#include <QCursor>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

#include "ZellFeedback.h"

namespace Parlamine {

// Every message box of the program goes through ShowMessageBox. Tests install
// their own handler (SetMessageBoxHandler) so that nothing ever blocks on a
// modal dialog; the handler returns the button "pressed".
struct TMessageBoxRequest {
  QWidget* Parent = nullptr;
  QString Caption;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
  QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
};
using TMessageBoxHandler = std::function<QMessageBox::StandardButton(const TMessageBoxRequest&)>;

QMessageBox::StandardButton ShowMessageBox(const TMessageBoxRequest& request);
// Shorthands: an information box with OK, and an error box with OK, both
// captioned with the application title.
void ShowInformation(QWidget* parent, const QString& text);
void ShowError(QWidget* parent, const QString& text);
// Returns the previous handler; an empty handler restores the real dialogs.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler);

// Nestable busy cursor. PushCursor shows the cursor until its token is
// released with PopCursor; overlapping pushes restore, once all entries above
// it are released, the cursor that was in effect before the oldest of them.
int PushCursor(const QCursor& cursor);
// Returns the screen cursor after the call (Qt::ArrowCursor when no override).
Qt::CursorShape PopCursor(int token);

// Releases the cursor token on scope exit, whatever happens.
class TBusyCursor {
 public:
  explicit TBusyCursor(Qt::CursorShape shape = Qt::WaitCursor) : FToken(PushCursor(QCursor(shape))) {}
  ~TBusyCursor() { PopCursor(FToken); }
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;

 private:
  int FToken;
};

// The strings joined by single tabs, no tab before the first or after the
// last. The list must hold at least one string.
QString StringsToTabText(const QStringList& strings);

// Runs a shell verb ("open") on a file or web address with the desktop's
// handler; throws EShellExecuteError when the desktop reports a failure.
class EShellExecuteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
bool ShellExecuteVerb(const QString& verb, const QString& file, const QString& parameters = {},
                      const QString& folder = {});
// The handler that hands an address to the desktop (tests install their
// own); it returns false when the desktop could not take it.
using TOpenUrlHandler = std::function<bool(const QString& url)>;
TOpenUrlHandler SetOpenUrlHandler(TOpenUrlHandler handler);
// Opens a web address in the desktop's browser. When no browser can be
// started (no xdg-open, or xdg-open finds none, which it tells only once it
// has ended) the user is told so in a message box that shows the address,
// selectable, to copy into a browser.
void OpenWebAddress(QWidget* parent, const QString& address);
QString NoBrowserText(const QString& address);

// The application's font: a compact sans serif (Liberation Sans, else DejaVu
// Sans) at 11 pixels, so every page fits the window's minimum size. Set once by
// the program's entry and by the test main.
void ApplyApplicationFont();
// The fixed-pitch font of grids and tables that align digits.
QFont FixedFont();

// The maker's web site, opened from Help and from the banner.
inline constexpr const char* WebsiteAddress = "https://quillfern.example.org/parlamine/";
// The reverse of the web address's host: the desktop entry's, icon's and
// metadata's name.
inline constexpr const char* ApplicationId = "org.example.quillfern.Parlamine";

// Puts bytes on the clipboard as plain text without building a QString; large
// tables are handed over as one buffer.
void SetClipboardTextBytes(QByteArray bytes);
void SetClipboardText(const QString& text);

}  // namespace Parlamine
