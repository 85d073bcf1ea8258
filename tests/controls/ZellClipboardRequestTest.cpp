// SPDX-License-Identifier: MIT
// The clipboard request the Edit menu sends: plain line edits fall back to
// their own copy and paste.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>

#include "ZellClipboardRequest.h"

using namespace Parlamine;

TEST(ClipboardRequest, LineEditsFallBackToTheirOwnCopyAndPaste) {
  QLineEdit edit(QStringLiteral("192.168"));
  edit.selectAll();
  EXPECT_TRUE(SendClipboardRequest(&edit, TClipboardRequest::crCopy));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("192.168"));
  edit.clear();
  EXPECT_TRUE(SendClipboardRequest(&edit, TClipboardRequest::crPaste));
  EXPECT_EQ(edit.text(), QStringLiteral("192.168"));
  QPushButton button;
  EXPECT_FALSE(SendClipboardRequest(&button, TClipboardRequest::crCopy)) << "nobody carried it out";

  // A read-only field gives its text but is never changed by the Edit menu.
  edit.setReadOnly(true);
  QApplication::clipboard()->setText(QStringLiteral("other"));
  for (TClipboardRequest request :
       {TClipboardRequest::crPaste, TClipboardRequest::crCut, TClipboardRequest::crClear}) {
    edit.selectAll();
    EXPECT_FALSE(SendClipboardRequest(&edit, request));
    EXPECT_EQ(edit.text(), QStringLiteral("192.168"));
  }
  EXPECT_TRUE(SendClipboardRequest(&edit, TClipboardRequest::crCopy));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("192.168"));
}
