// SPDX-License-Identifier: MIT
// The About box: caption, picture and credits, closing and reopening.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

#include "About.h"
#include "Main.h"
#include "OUIFinderPage.h"
#include "ZellButtons.h"

namespace Parlamine {
namespace {

// Restores the application title that a test changed, even when it fails.
class TTitleGuard {
 public:
  TTitleGuard() : FSaved(QGuiApplication::applicationDisplayName()) {}
  ~TTitleGuard() { QGuiApplication::setApplicationDisplayName(FSaved); }

 private:
  QString FSaved;
};

class AboutFormTest : public ::testing::Test {
 protected:
  QLabel* Image() { return Form.findChild<QLabel*>(QStringLiteral("AboutImage")); }
  QLabel* Credits() { return Form.findChild<QLabel*>(QStringLiteral("CreditsLabel")); }
  TOKButton* OK() { return Form.findChild<TOKButton*>(QStringLiteral("OKButton")); }
  QPlainTextEdit* Info() { return Form.findChild<QPlainTextEdit*>(QStringLiteral("InfoMemo")); }

  TAboutForm Form;
};

TEST(AboutFormCaption, FollowsTheApplicationTitle) {
  TTitleGuard guard;
  for (const QString& title : {QStringLiteral("Parlamine"), QStringLiteral("Netcalc Lab")}) {
    QGuiApplication::setApplicationDisplayName(title);
    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About the ") + title);
    EXPECT_EQ(form.findChild<QPlainTextEdit*>(QStringLiteral("InfoMemo"))
                  ->toPlainText()
                  .section(QLatin1Char('\n'), 0, 1),
              title + QStringLiteral("\nRelease 3.2.1.0"));
  }
}

TEST_F(AboutFormTest, NoticeNamesTheFilesTheProgramReallyUses) {
  const QString notice = Form.findChild<QPlainTextEdit*>(QStringLiteral("AboutMemo"))->toPlainText();
  EXPECT_TRUE(notice.contains(QDir::toNativeSeparators(TMainForm::SettingsFileName())))
      << notice.toStdString();
  const QStringList ouiPaths = TOUIFinderPage::DefaultOUIListPaths();
  ASSERT_EQ(ouiPaths.size(), 3);
  qsizetype previous = -1;
  for (const QString& path : ouiPaths) {
    const qsizetype at = notice.indexOf(QDir::toNativeSeparators(QDir::cleanPath(path)), previous + 1);
    EXPECT_GT(at, previous) << path.toStdString() << " missing or out of order in " << notice.toStdString();
    previous = at;
  }
}

TEST_F(AboutFormTest, WindowIsModelessOnTopAndAtLeastItsDesignedSize) {
  EXPECT_EQ(Form.objectName(), QStringLiteral("AboutForm"));
  EXPECT_FALSE(Form.isModal());
  EXPECT_TRUE(Form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(Form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(Form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(Form.minimumSize(), QSize(345, 345));
}

TEST_F(AboutFormTest, DoubleClickShowsCreditsAndAClickBringsThePictureBack) {
  Form.show();
  ASSERT_TRUE(Image()->isVisible());
  ASSERT_FALSE(Credits()->isVisible());
  EXPECT_TRUE(Credits()->text().startsWith(QStringLiteral("Developed by\n")));

  QTest::mouseClick(Image(), Qt::LeftButton);
  EXPECT_TRUE(Image()->isVisible()) << "a single click leaves the picture";

  QTest::mouseDClick(Image(), Qt::LeftButton);
  EXPECT_FALSE(Image()->isVisible());
  EXPECT_TRUE(Credits()->isVisible());

  QTest::mouseClick(Credits(), Qt::LeftButton);
  EXPECT_TRUE(Image()->isVisible());
  EXPECT_FALSE(Credits()->isVisible());
}

TEST_F(AboutFormTest, OKHidesTheWindowWhichReopensAsItWasLeft) {
  Form.show();
  QTest::mouseDClick(Image(), Qt::LeftButton);
  Form.move(40, 50);
  const QPoint placed = Form.pos();

  QTest::mouseClick(OK(), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(Form.isVisible());

  Form.show();
  EXPECT_TRUE(Form.isVisible());
  EXPECT_TRUE(Credits()->isVisible()) << "credits were showing when the box was closed";
  EXPECT_EQ(Form.pos(), placed) << "a box that was placed opens where it was";
}

TEST(AboutFormPlacement, OpensCentredOverTheMainWindow) {
  QWidget mainWindow;
  mainWindow.setGeometry(100, 80, 600, 700);
  TAboutForm form(&mainWindow);
  form.show();
  // Within the rounding of the two halves.
  const QPoint offset = form.geometry().center() - mainWindow.geometry().center();
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

TEST(AboutFormPlacement, ShowingItAgainBringsTheSameWindowToTheFront) {
  QWidget mainWindow;
  mainWindow.show();
  TAboutForm form(&mainWindow);
  form.show();
  QWidget other;
  other.show();
  other.activateWindow();
  QCoreApplication::processEvents();
  ASSERT_EQ(QApplication::activeWindow(), &other);

  form.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), &form);
}

TEST_F(AboutFormTest, LayoutFitsTheMinimumSize) {
  Form.resize(Form.minimumSize());
  Form.show();
  const QRect client = Form.rect();
  for (const char* name : {"AboutPicturePanel", "InfoMemo", "AboutMemo", "OKButton"}) {
    const auto* child = Form.findChild<QWidget*>(QString::fromLatin1(name));
    ASSERT_NE(child, nullptr) << name;
    EXPECT_TRUE(client.contains(child->geometry())) << name << " is clipped";
  }
  const QRect picture = Form.findChild<QWidget*>(QStringLiteral("AboutPicturePanel"))->geometry();
  EXPECT_EQ(picture.size(), QSize(129, 137));
  EXPECT_FALSE(picture.intersects(Info()->geometry()));
  EXPECT_LE(Info()->geometry().bottom(), picture.bottom());
}

// The OK button's own behaviour, in a dialog run modal and in one shown
// modeless.
TEST(OKButton, IsTheDefaultButtonAndEndsAModalDialogWithItsResult) {
  struct Row {
    const char* name;
    bool modal;
    bool expectHidden;
    int expectResult;
  };
  const Row rows[] = {
      {"modal dialog ends with Accepted", true, true, QDialog::Accepted},
      {"modeless dialog keeps running", false, false, QDialog::Rejected},
  };
  for (const Row& row : rows) {
    QDialog dialog;
    auto* button = new TOKButton(&dialog);
    EXPECT_EQ(button->text(), QStringLiteral("OK"));
    EXPECT_TRUE(button->isDefault());
    EXPECT_EQ(button->ModalResult(), 1);
    dialog.setModal(row.modal);
    dialog.show();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialog.isHidden(), row.expectHidden) << row.name;
    EXPECT_EQ(dialog.result(), row.expectResult) << row.name;
  }
}

TEST(OKButton, EnterPressesIt) {
  QDialog dialog;
  auto* button = new TOKButton(&dialog);
  auto* other = new QPushButton(QStringLiteral("Other"), &dialog);
  other->setAutoDefault(false);
  dialog.setModal(true);
  dialog.show();
  other->setFocus();
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
  QTest::keyClick(&dialog, Qt::Key_Return);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace Parlamine
