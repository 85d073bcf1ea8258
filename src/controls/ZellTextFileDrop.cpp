// SPDX-License-Identifier: MIT
#include "ZellTextFileDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QTextCursor>
#include <QUrl>

#include "ZellGlobal.h"

namespace Parlamine {

namespace {

// The one local file of a drop, empty for anything else (text, several files).
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().constFirst();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

TTextFileDrop::TTextFileDrop(QPlainTextEdit* box, qint64 maxBytes)
    : QObject(box), FBox(box), FMaxBytes(maxBytes) {
  box->setAcceptDrops(true);
  // Drag and drop events go to the box's viewport.
  box->viewport()->installEventFilter(this);
}

TTextFileDrop::TRead TTextFileDrop::ReadTextFile(const QString& fileName, qint64 maxBytes) {
  const QString name = QFileInfo(fileName).fileName();
  QFile file(fileName);
  if (!QFileInfo(fileName).isFile() || !file.open(QIODevice::ReadOnly))
    return {false, QStringLiteral("The file \"%1\" could not be read.").arg(name)};
  if (file.size() > maxBytes)
    return {false, QStringLiteral("The file \"%1\" is too large to drop here (%2 KB; at most %3 KB).")
                       .arg(name)
                       .arg((file.size() + 1023) / 1024)
                       .arg(maxBytes / 1024)};
  const QByteArray bytes = file.read(maxBytes + 1);
  QStringDecoder decoder(QStringDecoder::Utf8);
  QString text = decoder.decode(bytes);
  // A NUL byte or bytes that are no UTF-8 mark a file that is no text.
  if (decoder.hasError() || bytes.contains('\0'))
    return {false, QStringLiteral("The file \"%1\" is not a text file.").arg(name)};
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return {true, text};
}

bool TTextFileDrop::eventFilter(QObject* watched, QEvent* event) {
  // The type first: the viewport still sends events while the box around it
  // is being destroyed, when the box may no longer be asked for anything.
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
  if (watched != FBox->viewport() || FBox->isReadOnly()) return false;
  switch (type) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DroppedFile(drag->mimeData()).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString fileName = DroppedFile(drop->mimeData());
      if (fileName.isEmpty()) return false;
      drop->acceptProposedAction();
      DropFile(fileName);
      return true;
    }
    default:
      return false;
  }
}

void TTextFileDrop::DropFile(const QString& fileName) {
  const TRead read = ReadTextFile(fileName, FMaxBytes);
  if (!read.Ok) {
    ShowError(FBox, read.Text);
    return;
  }
  QTextCursor cursor(FBox->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(read.Text);
  FBox->setFocus(Qt::OtherFocusReason);
}

void AcceptTextFileDrops(QPlainTextEdit* box) { new TTextFileDrop(box); }

}  // namespace Parlamine
