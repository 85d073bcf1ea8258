// SPDX-License-Identifier: MIT
// The program's own help window: the installed HTML help in a text browser,
// with its links, Back and Forward, and Find. The help is always shown here,
// so it opens the same way on every desktop, with or without a web browser.
#pragma once

#include <QWidget>

class QAction;
class QLineEdit;
class QTextBrowser;
class QUrl;

namespace Parlamine {

class THelpForm : public QWidget {
  Q_OBJECT
 public:
  explicit THelpForm(QWidget* parent = nullptr);

  // Shows the help file from its beginning.
  void ShowFile(const QString& fileName);
  // Looks for the text from the cursor on, going round at the end; false
  // when the page does not hold it.
  bool FindText(const QString& text, bool backward = false);

 private:
  void AddToolBar();
  // A link to a place in the help is followed here; any other address goes
  // to the desktop's browser.
  void FollowLink(const QUrl& url);
  void FindFromBox(bool backward);

  QTextBrowser* HelpBrowser = nullptr;
  QLineEdit* HelpFindEdit = nullptr;
};

}  // namespace Parlamine
