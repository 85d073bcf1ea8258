// SPDX-License-Identifier: MIT
// A text file dropped from the file manager onto a multi-line input box is
// read into it, replacing its text as one step that Undo takes back. Any box
// adopts it in one line: AcceptTextFileDrops(box). Text dragged from another
// program is inserted by the box itself, as before.
#pragma once

#include <QObject>
#include <QString>

class QPlainTextEdit;

namespace Parlamine {

// Larger files are refused: an input box is for a list someone can read.
inline constexpr qint64 MaxDroppedTextFileSize = 1024 * 1024;  // bytes

class TTextFileDrop : public QObject {
  Q_OBJECT
 public:
  explicit TTextFileDrop(QPlainTextEdit* box, qint64 maxBytes = MaxDroppedTextFileSize);

  // The file's text, or the message that tells why it cannot be dropped.
  struct TRead {
    bool Ok = false;
    QString Text;  // the file's text, or the message
  };
  static TRead ReadTextFile(const QString& fileName, qint64 maxBytes);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void DropFile(const QString& fileName);
  QPlainTextEdit* FBox;
  qint64 FMaxBytes;
};

// Lets the box take dropped text files; the filter lives as long as the box.
void AcceptTextFileDrops(QPlainTextEdit* box);

}  // namespace Parlamine
