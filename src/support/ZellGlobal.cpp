// SPDX-License-Identifier: MIT
#include "ZellGlobal.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <mutex>
#include <vector>

namespace Parlamine {

namespace {

TMessageBoxHandler& MessageBoxHandler() {
  static TMessageBoxHandler handler;
  return handler;
}

TOpenUrlHandler& OpenUrlHandler() {
  static TOpenUrlHandler handler;
  return handler;
}

QString ApplicationTitle() {
  const QString title = QGuiApplication::applicationDisplayName();
  return title.isEmpty() ? QStringLiteral("Parlamine") : title;
}

// One entry per push: whether it is still active and the override cursor
// that was in effect before it (none when the stack of overrides was empty).
struct TCursorEntry {
  bool Active = true;
  bool HadOverride = false;
  QCursor Previous;
};

std::mutex CursorLock;
std::vector<TCursorEntry>& CursorStack() {
  static std::vector<TCursorEntry> stack;
  return stack;
}

Qt::CursorShape ScreenCursor() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor ? cursor->shape() : Qt::ArrowCursor;
}

}  // namespace

QMessageBox::StandardButton ShowMessageBox(const TMessageBoxRequest& request) {
  if (MessageBoxHandler()) return MessageBoxHandler()(request);
  QMessageBox box(request.Icon, request.Caption, request.Text, request.Buttons, request.Parent);
  if (request.DefaultButton != QMessageBox::NoButton) box.setDefaultButton(request.DefaultButton);
  // A file name or an address in a message can be selected and copied.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowInformation(QWidget* parent, const QString& text) {
  ShowMessageBox(
      {parent, ApplicationTitle(), text, QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok});
}

void ShowError(QWidget* parent, const QString& text) {
  ShowMessageBox({parent, ApplicationTitle(), text, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok});
}

TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler handler) {
  return std::exchange(MessageBoxHandler(), std::move(handler));
}

int PushCursor(const QCursor& cursor) {
  std::lock_guard<std::mutex> guard(CursorLock);
  auto& stack = CursorStack();
  TCursorEntry entry;
  if (const QCursor* current = QGuiApplication::overrideCursor()) {
    entry.HadOverride = true;
    entry.Previous = *current;
  }
  stack.push_back(entry);
  if (entry.HadOverride)
    QGuiApplication::changeOverrideCursor(cursor);
  else
    QGuiApplication::setOverrideCursor(cursor);
  return static_cast<int>(stack.size()) - 1;
}

Qt::CursorShape PopCursor(int token) {
  std::lock_guard<std::mutex> guard(CursorLock);
  auto& stack = CursorStack();
  if (token < 0 || token >= static_cast<int>(stack.size()) || !stack[static_cast<size_t>(token)].Active)
    return ScreenCursor();
  stack[static_cast<size_t>(token)].Active = false;
  if (token != static_cast<int>(stack.size()) - 1) return ScreenCursor();  // an outer push still waits
  // Drop the run of released entries at the top; the lowest of them holds the
  // cursor from before the run began.
  while (stack.size() >= 2 && !stack[stack.size() - 2].Active) stack.pop_back();
  const TCursorEntry reached = stack.back();
  stack.pop_back();
  if (reached.HadOverride) {
    QGuiApplication::changeOverrideCursor(reached.Previous);
  } else {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
  return ScreenCursor();
}

QString StringsToTabText(const QStringList& strings) { return strings.join(QLatin1Char('\t')); }

bool ShellExecuteVerb(const QString& verb, const QString& file, const QString& parameters,
                      const QString& folder) {
  Q_UNUSED(parameters);
  Q_UNUSED(folder);
  if (verb != QLatin1String("open")) throw EShellExecuteError("A Win32 API function failed");
  const QUrl url = QUrl::fromUserInput(file);
  const bool opened = OpenUrlHandler() ? OpenUrlHandler()(url.toString()) : QDesktopServices::openUrl(url);
  if (!opened) throw EShellExecuteError("A Win32 API function failed");  // the desktop gives no error code
  return true;
}

TOpenUrlHandler SetOpenUrlHandler(TOpenUrlHandler handler) {
  return std::exchange(OpenUrlHandler(), std::move(handler));
}

QString NoBrowserText(const QString& address) {
  return QStringLiteral(
             "No web browser could be started to open this address:\n\n%1\n\nYou can copy it from "
             "here into a browser.")
      .arg(address);
}

void OpenWebAddress(QWidget* parent, const QString& address) {
  const QPointer<QWidget> owner(parent);
  const auto tellNoBrowser = [owner, address] { ShowError(owner, NoBrowserText(address)); };
  if (OpenUrlHandler()) {
    if (!OpenUrlHandler()(address)) tellNoBrowser();
    return;
  }
  const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (xdgOpen.isEmpty()) {
    // Without xdg-open only Qt's own desktop services remain (a portal, a
    // desktop Qt knows); they say at once whether they could.
    if (!QDesktopServices::openUrl(QUrl::fromUserInput(address))) tellNoBrowser();
    return;
  }
  // xdg-open starts the browser and ends; it ends with an error when it
  // finds none. It is waited for without blocking the window.
  auto* process = new QProcess(qApp);
  process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
  process->setStandardOutputFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process,
                   [process, tellNoBrowser](int exitCode, QProcess::ExitStatus status) {
                     process->deleteLater();
                     if (status != QProcess::NormalExit || exitCode != 0) tellNoBrowser();
                   });
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [process, tellNoBrowser](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     process->deleteLater();
                     tellNoBrowser();
                   });
  process->start(xdgOpen, {address});
}

void SetClipboardTextBytes(QByteArray bytes) {
  auto* data = new QMimeData;
  data->setData(QStringLiteral("text/plain"), bytes);
  QGuiApplication::clipboard()->setMimeData(data);
}

void SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void ApplyApplicationFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  if (!QFontDatabase::families().contains(font.family())) font.setFamily(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  font.setStyleHint(QFont::SansSerif);
  QApplication::setFont(font);
}

QFont FixedFont() {
  QFont font(QStringLiteral("Liberation Mono"));
  if (!QFontDatabase::families().contains(font.family()))
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(11);
  font.setStyleHint(QFont::Monospace);
  return font;
}

}  // namespace Parlamine
