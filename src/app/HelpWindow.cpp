// SPDX-License-Identifier: MIT
#include "HelpWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "ZellGlobal.h"

namespace Parlamine {

THelpForm::THelpForm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpForm"));
  setWindowTitle(QStringLiteral("Parlamine Help"));
  HelpBrowser = new QTextBrowser(this);
  HelpBrowser->setObjectName(QStringLiteral("HelpBrowser"));
  // Links are followed by FollowLink, so that a web address never replaces the help.
  HelpBrowser->setOpenLinks(false);
  connect(HelpBrowser, &QTextBrowser::anchorClicked, this, &THelpForm::FollowLink);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  AddToolBar();
  layout->addWidget(HelpBrowser, 1);
  resize(720, 640);
}

void THelpForm::AddToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("HelpToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QAction* back = bar->addAction(QStringLiteral("&Back"), HelpBrowser, &QTextBrowser::backward);
  back->setObjectName(QStringLiteral("HelpBackAction"));
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  connect(HelpBrowser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  QAction* forward = bar->addAction(QStringLiteral("&Forward"), HelpBrowser, &QTextBrowser::forward);
  forward->setObjectName(QStringLiteral("HelpForwardAction"));
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  connect(HelpBrowser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  bar->addSeparator();

  auto* findLabel = new QLabel(QStringLiteral("F&ind:"), bar);
  HelpFindEdit = new QLineEdit(bar);
  HelpFindEdit->setObjectName(QStringLiteral("HelpFindEdit"));
  HelpFindEdit->setClearButtonEnabled(true);
  const QString findHint = QStringLiteral("Type a word to find in the help; Enter finds the next place");
  HelpFindEdit->setToolTip(findHint);
  HelpFindEdit->setStatusTip(findHint);
  findLabel->setBuddy(HelpFindEdit);
  bar->addWidget(findLabel);
  bar->addWidget(HelpFindEdit);
  connect(HelpFindEdit, &QLineEdit::returnPressed, this, [this] { FindFromBox(false); });
  QAction* findKey = new QAction(this);
  findKey->setShortcut(QKeySequence::Find);
  connect(findKey, &QAction::triggered, this, [this] {
    HelpFindEdit->setFocus(Qt::ShortcutFocusReason);
    HelpFindEdit->selectAll();
  });
  addAction(findKey);
  QAction* next = bar->addAction(QStringLiteral("&Next"), this, [this] { FindFromBox(false); });
  next->setObjectName(QStringLiteral("HelpFindNextAction"));
  next->setShortcut(QKeySequence::FindNext);
  QAction* previous = bar->addAction(QStringLiteral("&Previous"), this, [this] { FindFromBox(true); });
  previous->setObjectName(QStringLiteral("HelpFindPreviousAction"));
  previous->setShortcut(QKeySequence::FindPrevious);
  static_cast<QVBoxLayout*>(layout())->addWidget(bar);
}

void THelpForm::ShowFile(const QString& fileName) {
  HelpBrowser->setSource(QUrl::fromLocalFile(fileName));
  HelpBrowser->setFocus(Qt::OtherFocusReason);
}

void THelpForm::FollowLink(const QUrl& url) {
  if (url.isLocalFile() || url.isRelative())
    HelpBrowser->setSource(HelpBrowser->source().resolved(url));
  else
    OpenWebAddress(this, url.toString());
}

bool THelpForm::FindText(const QString& text, bool backward) {
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (HelpBrowser->find(text, flags)) return true;
  // Not found from the cursor on: once more from the other end.
  QTextCursor cursor = HelpBrowser->textCursor();
  cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  HelpBrowser->setTextCursor(cursor);
  return HelpBrowser->find(text, flags);
}

void THelpForm::FindFromBox(bool backward) {
  if (!FindText(HelpFindEdit->text(), backward) && !HelpFindEdit->text().isEmpty()) Beep();
}

}  // namespace Parlamine
