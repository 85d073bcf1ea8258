// SPDX-License-Identifier: MIT
// A file dropped on a multi-line input box: text is read in, anything else
// is refused with a message and the box keeps its text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QUrl>

#include "TestSupport.h"
#include "ZellTextFileDrop.h"

using namespace Parlamine;

namespace {

struct TDropCase {
  const char* Name;
  QByteArray Content;
  qint64 MaxBytes;
  const char* BoxAfter;  // the box's text after the drop
  const char* Message;   // part of the message shown; nullptr: none
};

class TextFileDropTest : public ::testing::TestWithParam<TDropCase> {};

// Drops the file as a file manager does: enter, then drop, on the viewport.
bool DropOn(QPlainTextEdit& box, const QString& fileName) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(fileName)});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box.viewport(), &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box.viewport(), &drop);
  return drop.isAccepted();
}

TEST_P(TextFileDropTest, TheFileReplacesTheTextOrIsRefused) {
  const TDropCase& c = GetParam();
  QTemporaryDir folder;
  const QString fileName = folder.filePath(QStringLiteral("list.txt"));
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(c.Content);
  file.close();
  QPlainTextEdit box;
  box.setPlainText(QStringLiteral("typed before"));
  new TTextFileDrop(&box, c.MaxBytes);
  ParlamineTest::TMessageBoxScript script(c.Message ? std::deque{QMessageBox::Ok}
                                                    : std::deque<QMessageBox::StandardButton>{});
  EXPECT_TRUE(DropOn(box, fileName));
  EXPECT_EQ(box.toPlainText(), QString::fromUtf8(c.BoxAfter));
  ASSERT_EQ(script.Shown().size(), c.Message ? 1u : 0u);
  if (c.Message) {
    EXPECT_TRUE(script.Shown()[0].Text.contains(QLatin1String(c.Message)))
        << script.Shown()[0].Text.toStdString();
  } else {
    box.undo();
    EXPECT_EQ(box.toPlainText(), QStringLiteral("typed before")) << "one Undo takes the drop back";
  }
}

INSTANTIATE_TEST_SUITE_P(Files, TextFileDropTest,
                         ::testing::Values(TDropCase{"Text", "10.0.0.0/24\n10.0.1.0/24\n", 1024,
                                                     "10.0.0.0/24\n10.0.1.0/24\n", nullptr},
                                           TDropCase{"Utf8WithBom",
                                                     "\xEF\xBB\xBF"
                                                     "2001:db8::/32\r\n",
                                                     1024, "2001:db8::/32\n", nullptr},
                                           TDropCase{"Binary",
                                                     QByteArray("\x7F"
                                                                "ELF\0\0\x02\x01",
                                                                8),
                                                     1024, "typed before", "is not a text file"},
                                           TDropCase{"TooLarge", QByteArray(2048, 'a'), 1024, "typed before",
                                                     "too large"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(TextFileDrop, TextDraggedFromAProgramIsLeftToTheBox) {
  QPlainTextEdit box;
  AcceptTextFileDrops(&box);
  QMimeData data;
  data.setText(QStringLiteral("10.0.0.0/8"));
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  enter.setAccepted(false);
  // The box's own handling accepts text; the filter does not take it over.
  QApplication::sendEvent(box.viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
}

}  // namespace
