// SPDX-License-Identifier: MIT
#include "ParlamineApplication.h"

#include <QContextMenuEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <exception>

#include "ZellAccessibleTabs.h"
#include "ZellGlobal.h"

namespace Parlamine {

namespace {

// The platform style with narrower tabs, so that the inner page controls'
// captions fit side by side in the window's minimum width. The room around
// a caption follows the tab bar's font, so that larger text keeps its margin.
class TCompactStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) return TabHorizontalSpace(option, widget);
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

 private:
  // Pixels around a tab's caption, both sides together: one average
  // character on each side (12 pixels at the program's 11-pixel font).
  static int TabHorizontalSpace(const QStyleOption* option, const QWidget* widget) {
    const QFontMetrics metrics = option   ? option->fontMetrics
                                 : widget ? widget->fontMetrics()
                                          : QFontMetrics(QApplication::font());
    return 2 * metrics.averageCharWidth();
  }
};

}  // namespace

TParlamineApplication::TParlamineApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Parlamine"));
  setApplicationDisplayName(QStringLiteral("Parlamine"));
  setApplicationVersion(Version());
  setOrganizationName(QStringLiteral("Quillfern"));
  setDesktopFileName(QString::fromLatin1(ApplicationId));
  // Built into the program with the main window (empty where it is not linked).
  setWindowIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(ApplicationId))));
  setProperty("HelpFile", HelpFile());
  ApplyProgramStyle();
  ApplyApplicationFont();
  // Screen readers hear of the tabs that show, not of hidden ones.
  InstallAccessibleTabBars();
  // Failures the controls catch themselves are shown like any other.
  SetExceptionHandler(ShowException);
}

void ApplyProgramStyle() {
  QApplication::setStyle(new TCompactStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
}

QString TParlamineApplication::HelpFile() { return QStringLiteral("Parlamine Help.html"); }

QString TParlamineApplication::Version() { return QStringLiteral("3.2.1.0"); }

void ShowException(const std::exception& error) {
  ShowError(QApplication::activeWindow(), QString::fromUtf8(error.what()));
}

// Shift+F10 opens the focused control's context menu, as the menu key does;
// the X11 platform only turns the menu key into a context menu request.
static bool OpenContextMenuByKey(QObject* receiver, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !receiver->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier) return false;
  auto* widget = static_cast<QWidget*>(receiver);
  const QPoint position = widget->rect().center();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, position, widget->mapToGlobal(position));
  QApplication::sendEvent(widget, &request);
  return true;
}

bool TParlamineApplication::notify(QObject* receiver, QEvent* event) {
  // An error that leaves an event handler is reported and the program goes on.
  try {
    if (OpenContextMenuByKey(receiver, event)) return true;
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  } catch (...) {
    ShowError(QApplication::activeWindow(), QStringLiteral("Unknown error"));
  }
  return false;
}

}  // namespace Parlamine
