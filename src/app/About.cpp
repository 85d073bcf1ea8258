// SPDX-License-Identifier: MIT
#include "About.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QScrollBar>

#include "Main.h"
#include "OUIFinderPage.h"
#include "ZellGlobal.h"
#include "ui_About.h"

namespace Parlamine {

namespace {

constexpr const char* ReleaseLine = "Release 3.2.1.0";
constexpr const char* AboutPicture = ":/images/CALCABOUTBOX.svg";
// The picture panel is 129 x 137 with a one-pixel border.
constexpr QSize AboutPictureSize(121, 129);

QString CreditsText() { return QStringLiteral("Developed by\nthe Parlamine team"); }

QStringList MakerLines() {
  return {QStringLiteral("Quillfern"), QString::fromLatin1(WebsiteAddress),
          QStringLiteral("support@quillfern.example.org")};
}

// Says where the program really reads and writes: the settings file and,
// in the order they are tried, the places of the OUI list.
QString NoticeText() {
  QStringList ouiPlaces;
  for (const QString& path : TOUIFinderPage::DefaultOUIListPaths())
    ouiPlaces << QDir::toNativeSeparators(QDir::cleanPath(path));
  QStringList registryFolders;
  for (const std::string& folder : DefaultRegistryFolders())
    registryFolders << QString::fromStdString(folder);
  return QStringLiteral(
             "Parlamine is free software, released under the MIT License. It comes with no warranty of any "
             "kind: check important results independently before you rely on them.\n\n"
             "Parlamine remembers your settings between runs in the file %1. It looks up OUIs in the IEEE "
             "listings of %2 (each from the first folder that has it) and, without them, in the first of "
             "these files that exists: %3. It writes no other file.")
      .arg(QDir::toNativeSeparators(TMainForm::SettingsFileName()),
           registryFolders.join(QStringLiteral(", ")), ouiPlaces.join(QStringLiteral(", ")));
}

// A read-only text area that shows an arrow over its text, like a label.
void MakeNoteArea(QPlainTextEdit* memo) {
  memo->viewport()->setCursor(Qt::ArrowCursor);
  memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      FUi(std::make_unique<Ui::TAboutForm>()) {
  FUi->setupUi(this);
  FormCreate();
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::setVisible(bool visible) {
  QDialog::setVisible(visible);
  if (visible) {
    raise();
    activateWindow();
  }
}

void TAboutForm::FormCreate() {
  setWindowTitle(QStringLiteral("About the ") + QGuiApplication::applicationDisplayName());
  setModal(false);

  // The picture and the credits sit on white with black text whatever the
  // palette, so both stay readable on a dark theme.
  QPalette panelPalette = FUi->AboutPicturePanel->palette();
  panelPalette.setColor(QPalette::Window, Qt::white);
  panelPalette.setColor(QPalette::WindowText, Qt::black);
  FUi->AboutPicturePanel->setPalette(panelPalette);
  FUi->AboutImage->setPixmap(
      QIcon(QString::fromLatin1(AboutPicture)).pixmap(AboutPictureSize, devicePixelRatio()));
  FUi->AboutImage->setAccessibleName(QGuiApplication::applicationDisplayName());
  FUi->AboutImage->installEventFilter(this);
  FUi->CreditsLabel->setText(CreditsText());
  FUi->CreditsLabel->installEventFilter(this);

  MakeNoteArea(FUi->InfoMemo);
  MakeNoteArea(FUi->AboutMemo);
  FUi->InfoMemo->setMaximumHeight(FUi->AboutPicturePanel->maximumHeight());
  FUi->InfoMemo->setPlainText(
      (QStringList{QGuiApplication::applicationDisplayName(), QString::fromLatin1(ReleaseLine)} +
       MakerLines())
          .join(QLatin1Char('\n')));
  FUi->AboutMemo->setPlainText(NoticeText());
  FUi->AboutLayout->setRowStretch(1, 1);

  connect(FUi->OKButton, &QPushButton::clicked, this, &TAboutForm::OKButtonClick);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FUi->AboutImage && event->type() == QEvent::MouseButtonDblClick) {
    AboutImageDblClick();
    return true;
  }
  if (watched == FUi->CreditsLabel && event->type() == QEvent::MouseButtonRelease) {
    // A click is a release over the label of a press that began on it.
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        FUi->CreditsLabel->rect().contains(mouse->position().toPoint())) {
      CreditsLabelClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutForm::AboutImageDblClick() {
  FUi->AboutImage->hide();
  FUi->CreditsLabel->show();
}

void TAboutForm::CreditsLabelClick() {
  FUi->CreditsLabel->hide();
  FUi->AboutImage->show();
}

void TAboutForm::OKButtonClick() { close(); }

}  // namespace Parlamine
