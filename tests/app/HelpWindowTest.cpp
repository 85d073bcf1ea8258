// SPDX-License-Identifier: MIT
// Help on a desktop without a browser: F1 shows the installed help in the
// program's own window, and the web-site button says plainly when no
// browser could be started, whatever xdg-open does.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include "CalculatorTop.h"
#include "HelpWindow.h"
#include "Main.h"
#include "TestSupport.h"
#include "ZellGlobal.h"

using namespace Parlamine;

namespace {

// Sets an environment variable while alive.
class TEnvironment {
 public:
  TEnvironment(const char* name, const QByteArray& value)
      : FName(name), FOld(qgetenv(name)), FHad(qEnvironmentVariableIsSet(name)) {
    qputenv(name, value);
  }
  ~TEnvironment() {
    if (FHad)
      qputenv(FName, FOld);
    else
      qunsetenv(FName);
  }

 private:
  const char* FName;
  QByteArray FOld;
  bool FHad;
};

void WriteFile(const QString& path, const QByteArray& text, QFile::Permissions permissions = {}) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text);
  file.close();
  if (permissions) file.setPermissions(permissions);
}

TEST(HelpWindowTest, HelpTopicsShowsTheInstalledHelpInTheOwnWindowWithLinksAndFind) {
  QTemporaryDir data;
  WriteFile(
      data.filePath(QStringLiteral("parlamine/Parlamine Help.html")),
      "<html><body><p><a href=\"#oui\">To the OUI Finder</a></p>"
      "<p style=\"margin-top:3000px\" id=\"oui\"><a name=\"oui\"></a>The OUI Finder looks up an owner.</p>"
      "</body></html>");
  TEnvironment dataHome("XDG_DATA_HOME", data.path().toLocal8Bit());
  TMainForm form;
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  ParlamineTest::TMessageBoxScript noMessage;
  QTest::keyClick(&form, Qt::Key_F1);
  auto* help = form.findChild<THelpForm*>(QStringLiteral("HelpForm"));
  ASSERT_NE(help, nullptr) << "no help window, or a browser was asked";
  EXPECT_TRUE(help->isVisible());
  auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"));
  EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("looks up an owner")));

  auto* back = help->findChild<QAction*>(QStringLiteral("HelpBackAction"));
  EXPECT_FALSE(back->isEnabled());
  emit browser->anchorClicked(QUrl(QStringLiteral("#oui")));
  EXPECT_TRUE(back->isEnabled()) << "a followed link can be gone back from";
  back->trigger();
  EXPECT_TRUE(help->findChild<QAction*>(QStringLiteral("HelpForwardAction"))->isEnabled());

  EXPECT_TRUE(help->FindText(QStringLiteral("OWNER")));
  EXPECT_EQ(browser->textCursor().selectedText(), QStringLiteral("owner"));
  EXPECT_FALSE(help->FindText(QStringLiteral("latency")));
}

TEST(HelpWindowTest, AnExternalLinkInTheHelpGoesToTheBrowser) {
  THelpForm help;
  QString opened;
  auto previous = SetOpenUrlHandler([&opened](const QString& url) {
    opened = url;
    return true;
  });
  emit help.findChild<QTextBrowser*>(QStringLiteral("HelpBrowser"))
      ->anchorClicked(QUrl(QStringLiteral("https://quillfern.example.org/")));
  SetOpenUrlHandler(previous);
  EXPECT_EQ(opened, QStringLiteral("https://quillfern.example.org/"));
}

// The desktop as the program finds it: xdg-open missing, or present but
// finding no browser (it ends with an error after it was started).
struct TNoBrowserCase {
  const char* Name;
  const char* XdgOpenScript;  // nullptr: no xdg-open on the path
};

class WebsiteWithoutBrowserTest : public ::testing::TestWithParam<TNoBrowserCase> {};

TEST_P(WebsiteWithoutBrowserTest, TheBannerButtonShowsTheAddressInsteadOfAWindowsError) {
  QTemporaryDir bin;
  if (GetParam().XdgOpenScript)
    WriteFile(bin.filePath(QStringLiteral("xdg-open")), GetParam().XdgOpenScript,
              QFile::ReadOwner | QFile::ExeOwner);
  TEnvironment path("PATH", bin.path().toLocal8Bit());
  TMainForm form;
  form.show();
  ParlamineTest::TMessageBoxScript script({QMessageBox::Ok});
  form.findChild<TCalculatorTopFrame*>()->GotoWebsiteButton()->click();
  // xdg-open is waited for while the window goes on.
  EXPECT_TRUE(QTest::qWaitFor([&script] { return !script.Shown().empty(); }, 10000));
  ASSERT_EQ(script.Shown().size(), 1u);
  const QString text = script.Shown()[0].Text;
  EXPECT_TRUE(text.contains(QStringLiteral("No web browser could be started"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromLatin1(WebsiteAddress)));
  EXPECT_FALSE(text.contains(QStringLiteral("Win32")));
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, WebsiteWithoutBrowserTest,
    ::testing::Values(TNoBrowserCase{"NoXdgOpen", nullptr},
                      TNoBrowserCase{"XdgOpenFindsNoBrowser",
                                     "#!/bin/sh\necho 'xdg-open: no method available' >&2\nexit 3\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
