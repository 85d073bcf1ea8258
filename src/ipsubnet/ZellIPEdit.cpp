// SPDX-License-Identifier: MIT
#include "ZellIPEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

#include "ParlamineApplication.h"
#include "ZellClipboardRequest.h"
#include "ZellFeedback.h"

namespace Parlamine {

TIPFieldEdit::TIPFieldEdit(TIPEdit* owner, int fieldIndex)
    : QLineEdit(owner), FOwner(owner), FFieldIndex(fieldIndex) {
  setObjectName(QStringLiteral("IPFieldEdit%1").arg(fieldIndex));
  setAccessibleName(QStringLiteral("Octet %1").arg(fieldIndex + 1));
  setFrame(false);
  setAlignment(Qt::AlignCenter);
  setMaxLength(3);
  setContextMenuPolicy(Qt::DefaultContextMenu);
  // Only the first octet is a tab stop; the others are reached with the
  // keys of the control or the mouse.
  setFocusPolicy(fieldIndex == 0 ? Qt::StrongFocus : Qt::ClickFocus);
  setAutoFillBackground(false);
  resize(27, 17);
}

uint8_t TIPFieldEdit::Clamp(int value) const {
  if (value < FMinValue) return FMinValue;
  if (value > FMaxValue) return FMaxValue;
  return static_cast<uint8_t>(value);
}

void TIPFieldEdit::SetValue(int value) {
  FValue = Clamp(value);
  RefreshText();
}

void TIPFieldEdit::SetMinValue(uint8_t value) {
  FMinValue = value > FMaxValue ? FMaxValue : value;
  CommitValue();
}

void TIPFieldEdit::SetMaxValue(uint8_t value) {
  FMaxValue = value < FMinValue ? FMinValue : value;
  CommitValue();
}

void TIPFieldEdit::SetPlaceholder(bool placeholder) {
  if (placeholder == FPlaceholder) return;
  FPlaceholder = placeholder;
  setReadOnly(placeholder);
  RefreshText();
}

void TIPFieldEdit::RefreshText() {
  if (!FOwner) return;
  const QString wanted = FPlaceholder ? FOwner->UnusedText() : QString::number(FValue);
  if (text() != wanted) setText(wanted);
}

void TIPFieldEdit::CommitValue() {
  if (FPlaceholder || FCommitting || !FOwner) return;
  const QString typed = text();
  const std::optional<int> number =
      typed.isEmpty() ? std::optional<int>(0) : ParseDecimalInteger(typed.toStdString());
  if (!number) {
    // Only pasted text can get here. The field keeps its value and the
    // pasted text, and the user is told, as for any failed conversion.
    ShowException(std::runtime_error("'" + typed.toStdString() + "' is not a number"));
    return;
  }
  const uint8_t value = Clamp(*number);
  // An unchanged value leaves the text as typed: "007" for 7 stays "007".
  if (value == FValue) return;
  FCommitting = true;
  FValue = value;
  RefreshText();
  FOwner->DoIPFieldValueChanged(this);
  FCommitting = false;
}

void TIPFieldEdit::PasteText(const QString& text) {
  if (isReadOnly() || !FOwner) return;
  if (FOwner->PasteAddress(text)) return;
  insert(text);  // the edit's own paste: kept to three characters
}

bool TIPFieldEdit::event(QEvent* event) {
  // Edit > Paste while this field has the focus.
  if (event->type() == TClipboardRequestEvent::EventType() &&
      static_cast<TClipboardRequestEvent*>(event)->Request() == TClipboardRequest::crPaste) {
    PasteText(QGuiApplication::clipboard()->text());
    event->accept();
    return true;
  }
  return QLineEdit::event(event);
}

void TIPFieldEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (QAction* paste = StandardMenuAction(menu, TStandardMenuItem::smPaste)) {
    disconnect(paste, &QAction::triggered, this, nullptr);
    connect(paste, &QAction::triggered, this, [this] { PasteText(QGuiApplication::clipboard()->text()); });
  }
  menu->popup(event->globalPos());
  event->accept();
}

void TIPFieldEdit::mouseReleaseEvent(QMouseEvent* event) {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()) {
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    PasteText(clipboard->text(QClipboard::Selection));
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TIPFieldEdit::dropEvent(QDropEvent* event) {
  if (event->mimeData()->hasText() && FOwner && !isReadOnly() &&
      FOwner->PasteAddress(event->mimeData()->text())) {
    event->acceptProposedAction();
    return;
  }
  QLineEdit::dropEvent(event);
}

bool TIPFieldEdit::HandleNavigationKey(QKeyEvent* event) {
  const bool caretAtStart = cursorPosition() == 0 && !hasSelectedText();
  const bool caretAtEnd = cursorPosition() == text().size() && !hasSelectedText();
  TIPFieldEdit* target = nullptr;
  switch (event->key()) {
    case Qt::Key_Backspace:
      if (!caretAtStart) return false;
      target = FOwner->NextFieldInUse(FFieldIndex, -1);
      if (!target) return false;
      target->end(false);
      target->backspace();
      return true;
    case Qt::Key_Left:
      if (!caretAtStart || FFieldIndex == 0) return false;
      target = FOwner->Field(FFieldIndex - 1);
      target->setFocus(Qt::OtherFocusReason);
      target->setCursorPosition(target->text().size());
      return true;
    case Qt::Key_Right:
      if (!caretAtEnd || FFieldIndex == 3) return false;
      target = FOwner->Field(FFieldIndex + 1);
      target->setFocus(Qt::OtherFocusReason);
      target->setCursorPosition(0);
      return true;
    case Qt::Key_Home:
      target = FOwner->Field(0);
      target->setFocus(Qt::OtherFocusReason);
      target->setCursorPosition(0);
      return target != this;
    case Qt::Key_End:
      target = FOwner->Field(3);
      target->setFocus(Qt::OtherFocusReason);
      target->setCursorPosition(target->text().size());
      return target != this;
    default:
      return false;
  }
}

void TIPFieldEdit::keyPressEvent(QKeyEvent* event) {
  if (!FOwner) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // Shortcuts (copy, paste, select all, undo) are no typing: the edit does them.
  // Ctrl+Alt with a printable character is AltGr typing on some systems, and
  // goes through the character filter like any other typing.
  if (event->matches(QKeySequence::Paste)) {
    PasteText(QGuiApplication::clipboard()->text());
    event->accept();
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const bool altGrTyping = modifiers.testFlags(Qt::ControlModifier | Qt::AltModifier) &&
                           !event->text().isEmpty() && event->text().at(0).isPrint();
  if (!altGrTyping && (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  if (event->text().isEmpty() || !event->text().at(0).isPrint()) FAdvancedInto = false;
  if (HandleNavigationKey(event)) {
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    CommitValue();
    event->accept();
    return;
  }
  const QString typed = event->text();
  const bool character = !typed.isEmpty() && typed.at(0).isPrint() && event->key() != Qt::Key_Delete;
  if (!character) {
    QLineEdit::keyPressEvent(event);  // Backspace, Delete, arrows, Home, End...
    return;
  }
  const QChar c = typed.at(0);
  const bool advanced = FAdvancedInto;
  FAdvancedInto = false;
  if (c == QLatin1Char('.') || c == QLatin1Char(' ')) {
    // Right after the third digit moved here, the separator the user types
    // out of habit belongs to the octet just finished: it is swallowed.
    if (!advanced) FOwner->EnterFieldSelected(FOwner->NextFieldInUse(FFieldIndex, +1));
  } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
    QLineEdit::keyPressEvent(event);
    return;
  } else {
    // Anything else (a '/' typed out of habit before a prefix length) is
    // refused aloud: dropped silently, the digits after it would run on into
    // this octet.
    Beep();
  }
  event->accept();
}

void TIPFieldEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Characters composed with dead keys or an input method are typing too:
  // only the digits of the composed text reach the field.
  const QString composed = event->commitString();
  QString digits;
  for (const QChar c : composed)
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) digits.append(c);
  if (digits == composed) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  Beep();  // as for any other character that is no digit
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(digits, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&filtered);
}

void TIPFieldEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A context menu borrows the focus without the user leaving the field.
  if (event->reason() != Qt::PopupFocusReason) CommitValue();
}

TIPEdit::TIPEdit(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setLineWidth(1);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  setCursor(Qt::IBeamCursor);
  for (int i = 0; i < 4; ++i) {
    auto* field = new TIPFieldEdit(this, i);
    FFields[static_cast<size_t>(i)] = field;
    connect(field, &QLineEdit::textChanged, this, [this, field] { FieldTextChanged(field); });
  }
  setFocusProxy(FFields[0]);
  setFocusPolicy(Qt::StrongFocus);
  resize(121, 21);
}

TIPEdit::~TIPEdit() {
  // The fields outlive this part of the control while the widget tree is torn
  // down; a focus change then must not reach the owner's handler.
  FOnIPFieldValueChanged = nullptr;
  for (TIPFieldEdit* field : FFields) field->FOwner = nullptr;
}

uint32_t TIPEdit::AddressValue() const {
  return uint32_t{FFields[0]->Value()} << 24 | uint32_t{FFields[1]->Value()} << 16 |
         uint32_t{FFields[2]->Value()} << 8 | uint32_t{FFields[3]->Value()};
}

void TIPEdit::SetAddressValue(uint32_t value) {
  for (int i = 0; i < 4; ++i) Field(i)->SetValue(static_cast<int>((value >> (24 - 8 * i)) & 0xFFu));
}

uint8_t TIPEdit::IPFieldValues(int index) const { return Field(index)->Value(); }

void TIPEdit::SetIPFieldValues(int index, int value) { Field(index)->SetValue(value); }

bool TIPEdit::IsEmpty() const {
  for (const TIPFieldEdit* field : FFields)
    if (!field->text().isEmpty()) return false;
  return true;
}

void TIPEdit::Clear() {
  for (TIPFieldEdit* field : FFields) field->clear();
}

QString TIPEdit::AddressString() const {
  if (IsEmpty()) return {};
  return QStringLiteral("%1.%2.%3.%4")
      .arg(FFields[0]->Value())
      .arg(FFields[1]->Value())
      .arg(FFields[2]->Value())
      .arg(FFields[3]->Value());
}

void TIPEdit::SetAddressString(const QString& text) {
  if (text == AddressString()) return;
  if (text.isEmpty()) {
    Clear();
    return;
  }
  const std::array<std::string, 4> parts = SplitAddressString(text.toStdString());
  const std::string unused = FUnusedText.toStdString();
  // Fields are assigned in order; a bad part stops the assignment there.
  for (int i = 0; i < 4; ++i) {
    const bool placeholder = SameTextIgnoringCase(parts[static_cast<size_t>(i)], unused);
    Field(i)->SetPlaceholder(placeholder);
    if (!placeholder) Field(i)->SetValue(ParseAddressPart(parts[static_cast<size_t>(i)]));
  }
}

bool TIPEdit::PasteAddress(const QString& text) {
  const std::optional<std::array<int, 4>> octets = PastedAddressOctets(text.toStdString());
  if (!octets) return false;
  TIPFieldEdit* last = nullptr;
  // Cleared on every way out, also when an owner's handler throws.
  struct TPastingGuard {
    bool& Flag;
    ~TPastingGuard() { Flag = false; }
  };
  FPasting = true;
  const TPastingGuard pasting{FPasting};
  for (int i = 0; i < 4; ++i) {
    TIPFieldEdit* field = Field(i);
    field->FAdvancedInto = false;
    if (field->Placeholder()) continue;
    field->setText(QString::number((*octets)[static_cast<size_t>(i)]));
    field->CommitValue();
    last = field;
  }
  if (last) {
    last->setFocus(Qt::OtherFocusReason);
    last->end(false);
  }
  return true;
}

void TIPEdit::SetUnusedText(const QString& text) {
  if (text == FUnusedText) return;
  FUnusedText = text.left(3);
  for (TIPFieldEdit* field : FFields) field->RefreshText();
}

TIPFieldEdit* TIPEdit::NextFieldInUse(int fromIndex, int step) {
  int i = fromIndex + step;
  while (i >= 0 && i <= 3 && Field(i)->Placeholder()) i += step;
  if (i < 0 || i > 3) return nullptr;
  Field(i)->setFocus(Qt::OtherFocusReason);
  return Field(i);
}

void TIPEdit::FieldTextChanged(TIPFieldEdit* field) {
  emit Change();
  // The third digit of an octet moves on to the next one, which makes this
  // field commit as it loses the focus.
  if (!FPasting && field->hasFocus() && field->text().size() == 3) {
    TIPFieldEdit* next = NextFieldInUse(field->FieldIndex(), +1);
    EnterFieldSelected(next);
    if (next) next->FAdvancedInto = true;
  }
}

// An octet entered by the automatic advance, '.' or blank has its whole text
// selected, so that typing replaces it.
void TIPEdit::EnterFieldSelected(TIPFieldEdit* field) {
  if (field) field->selectAll();
}

void TIPEdit::DoIPFieldValueChanged(TIPFieldEdit* field) {
  uint8_t value = field->Value();
  const uint8_t committed = value;
  if (FOnIPFieldValueChanged) FOnIPFieldValueChanged(this, field->FieldIndex(), value);
  if (value != committed) field->SetValue(value);
}

int TIPEdit::DotWidth() const { return fontMetrics().horizontalAdvance(QLatin1Char('.')); }

void TIPEdit::LayoutFields() {
  const QRect client = contentsRect();
  const auto placement = IPFieldPlacement(client.width(), DotWidth());
  for (int i = 0; i < 4; ++i)
    Field(i)->setGeometry(client.left() + placement[static_cast<size_t>(i)].Left, client.top(),
                          placement[static_cast<size_t>(i)].Width, client.height());
}

void TIPEdit::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayoutFields();
}

void TIPEdit::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
  const QRect client = contentsRect();
  const int dot = DotWidth();
  // The dots sit on the same text line as the octets, which the fields
  // centre vertically.
  for (int i = 0; i < 3; ++i) {
    const QRect field = Field(i)->geometry();
    painter.drawText(QRect(field.right() + 1, client.top(), dot, client.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("."));
  }
}

void TIPEdit::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
      // The octets' room follows the font and the frame the style draws.
      updateGeometry();
      LayoutFields();
      update();
      break;
    case QEvent::EnabledChange:
      update();
      break;
    default:
      break;
  }
}

int TIPEdit::OctetWidth() const {
  // Three of the font's widest digit, plus the space a line edit keeps on
  // either side of its text.
  constexpr int EditTextMargin = 2;
  const QFontMetrics metrics = Field(0)->fontMetrics();
  int digit = 0;
  for (char c = '0'; c <= '9'; ++c) digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
  const QMargins margins = Field(0)->textMargins();
  return 3 * digit + 2 * EditTextMargin + margins.left() + margins.right();
}

QSize TIPEdit::sizeHint() const {
  // The designed 161 pixels at the program's own font; a larger font widens
  // the control as far as its octets need.
  constexpr int DesignedWidth = 161;
  const int height = std::max(21, fontMetrics().height() + 2 * frameWidth() + 4);
  return {std::max(DesignedWidth, minimumSizeHint().width()), height};
}

QSize TIPEdit::minimumSizeHint() const {
  const int height = std::max(21, fontMetrics().height() + 2 * frameWidth() + 4);
  return {4 * OctetWidth() + 3 * DotWidth() + 2 * frameWidth(), height};
}

}  // namespace Parlamine
