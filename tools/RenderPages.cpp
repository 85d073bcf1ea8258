// SPDX-License-Identifier: MIT
// Renders every page of the main window, at its minimum size, to PNG files:
//   parlamine_render [--dark] [--font POINTS] [--style NAME] [--size WxH] OUTPUT_FOLDER
// --dark (or PARLAMINE_RENDER_PALETTE=dark in the environment) renders under
// the dark Fusion palette, to check that every page stays readable there.
// --font and --style render with another application font size and widget
// style, as a desktop theme gives them; --size with a larger window.
// Runs on the offscreen platform unless another one is chosen. The settings
// file is read from a temporary folder, so the pages show the first-run state.
#include <QDir>
#include <QFont>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "Main.h"
#include "ParlamineApplication.h"
#include "ThemePalette.h"

namespace {

QString FileNamePart(QString text) {
  text.replace(QLatin1Char('&'), QString());
  for (QChar& c : text)
    if (!c.isLetterOrNumber()) c = QLatin1Char('-');
  return text.toLower();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir configHome;
  qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
  Parlamine::TParlamineApplication app(argc, argv);
  QStringList arguments = QApplication::arguments().mid(1);
  const bool dark = arguments.removeAll(QStringLiteral("--dark")) > 0 ||
                    qEnvironmentVariable("PARLAMINE_RENDER_PALETTE") == QLatin1String("dark");
  if (dark) QApplication::setPalette(Parlamine::DarkFusionPalette());
  const auto option = [&arguments](const QString& name) {
    const qsizetype at = arguments.indexOf(name);
    if (at < 0 || at + 1 >= arguments.size()) return QString();
    const QString value = arguments.at(at + 1);
    arguments.remove(at, 2);
    return value;
  };
  if (const QString points = option(QStringLiteral("--font")); !points.isEmpty()) {
    QFont font = QApplication::font();
    font.setPointSizeF(points.toDouble());
    QApplication::setFont(font);
  }
  if (const QString style = option(QStringLiteral("--style")); !style.isEmpty())
    QApplication::setStyle(style);
  const QStringList size = option(QStringLiteral("--size")).split(QLatin1Char('x'));
  const QString folder = arguments.isEmpty() ? QStringLiteral("screenshots") : arguments.first();
  QDir().mkpath(folder);

  Parlamine::TMainForm window;
  window.resize(window.minimumSize());
  if (size.size() == 2) window.resize(size[0].toInt(), size[1].toInt());
  window.show();
  QApplication::processEvents();

  int written = 0;
  for (Parlamine::TCustomCalculator* calculator : window.Calculators()) {
    window.SelectCalculator(calculator->Info().Value);
    QApplication::processEvents();
    const QString calculatorName = calculator->Info().PageName().chopped(8).toLower();  // less "TabSheet"
    QTabWidget* inner = calculator->PageControl();
    const int count = inner ? inner->count() : 1;
    for (int p = 0; p < count; ++p) {
      if (inner) inner->setCurrentIndex(p);
      QApplication::processEvents();
      const QString name =
          inner
              ? QStringLiteral("%1-%2-%3.png").arg(calculatorName).arg(p).arg(FileNamePart(inner->tabText(p)))
              : QStringLiteral("%1.png").arg(calculatorName);
      const QString path = QDir(folder).filePath(name);
      if (window.grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
        ++written;
      }
    }
  }
  return written > 0 ? 0 : 1;
}
