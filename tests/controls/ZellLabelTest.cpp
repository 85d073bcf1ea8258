// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>
#include <functional>

#include "ControlsTestImages.h"
#include "ZellClipboardRequest.h"
#include "ZellLabel.h"

using namespace Parlamine;
using ControlsTest::InkBounds;
using ControlsTest::Render;

namespace {

constexpr QRgb White = 0xFFFFFFFF;

// Draws into a white 200 x 60 picture in black and returns the ink.
QRect DrawnInk(const QString& text, const TDrawTextParams& params) {
  QImage image(200, 60, QImage::Format_RGB32);
  image.fill(White);
  {
    QPainter canvas(&image);
    canvas.setPen(Qt::black);
    canvas.setBrush(Qt::NoBrush);
    QRect rect = image.rect();
    QString drawn = text;
    DrawTextWithParams(canvas, rect, drawn, params);
  }
  return InkBounds(image, QColor(White));
}

struct PlaceCase {
  const char* Name;
  const char* Text;
  TAlignment Alignment;
  TTextLayout Layout;
  TBiDiMode BiDiMode;
  std::uint16_t Options;
  int ExpectedCentreX;  // -1: at the left, -2: at the right
  int ExpectedCentreY;  // -1: at the top, -2: at the bottom
};

class TextPlacementTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(TextPlacementTest, PutsTheInkWhereTheParametersSay) {
  const PlaceCase& c = GetParam();
  TDrawTextParams params;
  params.Alignment = c.Alignment;
  params.Layout = c.Layout;
  params.BiDiMode = c.BiDiMode;
  params.Options = c.Options | dtoTransparent;
  const QRect ink = DrawnInk(QString::fromUtf8(c.Text), params);
  ASSERT_FALSE(ink.isNull());
  const QPoint centre = ink.center();
  switch (c.ExpectedCentreX) {
    case -1:
      EXPECT_LE(ink.left(), 3);
      break;
    case -2:
      EXPECT_GE(ink.right(), 196);
      break;
    default:
      EXPECT_NEAR(centre.x(), c.ExpectedCentreX, 2);
  }
  switch (c.ExpectedCentreY) {
    case -1:
      EXPECT_LE(ink.top(), 5);
      break;
    case -2:
      EXPECT_GE(ink.bottom(), 54);
      break;
    default:
      EXPECT_NEAR(centre.y(), c.ExpectedCentreY, 3);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Placement, TextPlacementTest,
    ::testing::Values(
        PlaceCase{"LeftTop", "HH", taLeftJustify, tlTop, bdLeftToRight, 0, -1, -1},
        PlaceCase{"CentreCentre", "HH", taCenter, tlCenter, bdLeftToRight, 0, 100, 30},
        PlaceCase{"RightBottom", "HH", taRightJustify, tlBottom, bdLeftToRight, 0, -2, -2},
        PlaceCase{"SingleLineCentred", "HH", taCenter, tlCenter, bdLeftToRight, dtoSingleLine, 100, 30},
        PlaceCase{"TwoLinesCentredAsABlock", "HH\nHH", taCenter, tlCenter, bdLeftToRight, 0, 100, 30},
        PlaceCase{"TwoLinesAtTheBottom", "HH\nHH", taLeftJustify, tlBottom, bdLeftToRight, 0, -1, -2},
        PlaceCase{"RightToLeftPutsLeftOnTheRight", "HH", taLeftJustify, tlTop, bdRightToLeft, 0, -2, -1},
        PlaceCase{"RightToLeftReadingOnlyKeepsLeft", "HH", taLeftJustify, tlTop, bdRightToLeftReadingOnly, 0,
                  -1, -1}),
    [](const auto& info) { return std::string(info.param.Name); });

struct EllipsisCase {
  const char* Name;
  const char* Text;
  TDrawTextEllipsis Ellipsis;
  std::uint16_t Options;
  const char* ExpectedEnd;  // how the shortened text ends; null: unchanged
};

class EllipsisTest : public ::testing::TestWithParam<EllipsisCase> {};

TEST_P(EllipsisTest, ShortensTextThatDoesNotFit) {
  const EllipsisCase& c = GetParam();
  QImage image(60, 20, QImage::Format_RGB32);
  QPainter canvas(&image);
  TDrawTextParams params;
  params.Ellipsis = c.Ellipsis;
  params.Options = c.Options;
  params.CalcOptions = dtcModifyString;
  QRect rect = image.rect();
  const QString original = QString::fromUtf8(c.Text);
  QString text = original;
  DrawTextWithParams(canvas, rect, text, params);
  if (!c.ExpectedEnd) {
    EXPECT_EQ(text, original);
    return;
  }
  EXPECT_NE(text, original);
  EXPECT_TRUE(text.contains(QChar(0x2026))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QString::fromUtf8(c.ExpectedEnd))) << text.toStdString();
  EXPECT_LE(QFontMetrics(canvas.font()).horizontalAdvance(text), 60);
}

INSTANTIATE_TEST_SUITE_P(
    Ellipses, EllipsisTest,
    ::testing::Values(
        EllipsisCase{"EndShortensAtTheEnd", "a rather long caption text", dteEnd, 0, "\xE2\x80\xA6"},
        EllipsisCase{"WordShortensAtTheEnd", "a rather long caption text", dteWord, 0, "\xE2\x80\xA6"},
        EllipsisCase{"PathKeepsTheFileName", "C:\\folder\\sub\\deeper\\f.txt", dtePath, 0, "\\f.txt"},
        EllipsisCase{"ExpandedTabsIgnoreTheEllipsis", "a rather long caption text", dteEnd, dtoExpandTabs,
                     nullptr},
        EllipsisCase{"NoEllipsisKeepsText", "a rather long caption text", dteNone, 0, nullptr},
        EllipsisCase{"FittingTextIsKept", "ok", dteEnd, 0, nullptr}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(DrawTextWithParamsTest, CalcRectMeasuresWithoutDrawing) {
  QImage image(100, 40, QImage::Format_RGB32);
  image.fill(White);
  QPainter canvas(&image);
  canvas.setPen(Qt::black);
  TDrawTextParams params;
  params.CalcOptions = dtcCalcRect;
  QRect rect(10, 5, 80, 30);
  QString text = QStringLiteral("Wide\nWider text");
  DrawTextWithParams(canvas, rect, text, params);
  canvas.end();
  const QFontMetrics metrics(canvas.font());
  EXPECT_EQ(rect.topLeft(), QPoint(10, 5));
  // The widest line's width and two lines' height (glyph overhang and leading aside).
  EXPECT_NEAR(rect.width(), metrics.horizontalAdvance(QStringLiteral("Wider text")), 2);
  EXPECT_GE(rect.height(), 2 * metrics.height());
  EXPECT_LE(rect.height(), 2 * metrics.lineSpacing() + 2);
  EXPECT_TRUE(InkBounds(image, QColor(White)).isNull());
}

class TextBoxTest : public ::testing::Test {
 protected:
  TTextBox Box;
  void SetUp() override { Box.resize(121, 21); }
  QRgb Role(QPalette::ColorRole role) const { return Box.palette().color(QPalette::Active, role).rgb(); }
};

TEST_F(TextBoxTest, DefaultsToASunkenEdgeAndCentredCaptionOnePixelInside) {
  EXPECT_FALSE(Box.AutoSize());
  EXPECT_EQ(Box.Layout(), tlCenter);
  EXPECT_FALSE(Box.ShowAccelChar());
  Box.SetCaption(QStringLiteral("Subnet & Co"));
  const QImage image = Render(Box);
  EXPECT_EQ((image.pixel(0, 10)), Role(QPalette::Dark));
  EXPECT_EQ((image.pixel(60, 0)), Role(QPalette::Dark));
  EXPECT_EQ((image.pixel(120, 10)), Role(QPalette::Light));
  EXPECT_EQ((image.pixel(60, 20)), Role(QPalette::Light));

  const QRect ink = InkBounds(image, Box.Color(), QRect(1, 1, 119, 19));
  ASSERT_FALSE(ink.isNull());
  EXPECT_GE(ink.left(), 2);  // edge, then the one-pixel margin
  EXPECT_LE(ink.left(), 4);
  EXPECT_NEAR(ink.center().y(), 10, 2);
}

TEST_F(TextBoxTest, EmptyCaptionDrawsOnlyBackgroundAndEdge) {
  const QImage image = Render(Box);
  EXPECT_TRUE(InkBounds(image, Box.Color(), QRect(1, 1, 119, 19)).isNull());
  EXPECT_EQ((image.pixel(0, 0)), Role(QPalette::Dark));
}

TEST_F(TextBoxTest, CustomDrawWithoutDefaultLeavesOnlyTheBackground) {
  Box.SetCaption(QStringLiteral("Hidden"));
  bool called = false;
  Box.SetOnCustomDraw([&](QPainter&, const QRect& rect, bool& defaultDraw) {
    called = true;
    EXPECT_EQ(rect, Box.rect());
    defaultDraw = false;
  });
  const QImage image = Render(Box);
  EXPECT_TRUE(called);
  EXPECT_TRUE(InkBounds(image, Box.Color()).isNull());
}

TEST_F(TextBoxTest, CustomDrawKeepingDefaultIsPaintedOver) {
  Box.SetCaption(QStringLiteral("Shown"));
  Box.SetOnCustomDraw([](QPainter& canvas, const QRect& rect, bool&) { canvas.fillRect(rect, Qt::red); });
  const QImage image = Render(Box);
  EXPECT_EQ(image.pixel(0, 0), Role(QPalette::Dark));     // the edge over the red
  EXPECT_EQ(image.pixel(118, 3), QColor(Qt::red).rgb());  // what the handler drew stays around the text
}

TEST_F(TextBoxTest, ScreenReadersReadTheShownCaption) {
  Box.SetCaption(QStringLiteral("192.168.0.0"));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&Box);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("192.168.0.0"));
  Box.SetCaption(QStringLiteral("10.0.0.0"));
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("10.0.0.0"));
}

TEST_F(TextBoxTest, FixedSizeWithoutTabsShowsTheEllipsis) {
  Box.resize(60, 21);
  Box.SetCaption(QStringLiteral("WWWWWWWWWWWWWWWWWWWW"));
  const QImage withTabs = Render(Box);
  Box.SetExpandTabs(false);
  Box.SetEllipsis(dteEnd);
  const QImage shortened = Render(Box);
  // Shortened text stops before the right margin; unshortened text runs into it.
  EXPECT_GE(InkBounds(withTabs, Box.Color(), QRect(1, 1, 57, 19)).right(), 56);
  EXPECT_LT(InkBounds(shortened, Box.Color(), QRect(1, 1, 57, 19)).right(), 56);
}

TEST(ZellLabelTest, DisabledCaptionIsEngraved) {
  TZellLabel label;
  label.SetCaption(QStringLiteral("Engraved"));
  label.setEnabled(false);
  const QImage image = Render(label);
  const int background = qGray(label.Color().rgb());
  // Anti-aliased glyph edges blend, so tell the two copies apart by being
  // lighter or darker than the background.
  const QRect highlight = ControlsTest::BoundsOf(image, [&](QRgb p) { return qGray(p) > background; });
  const QRect shadow = ControlsTest::BoundsOf(image, [&](QRgb p) { return qGray(p) < background; });
  ASSERT_FALSE(highlight.isNull());
  ASSERT_FALSE(shadow.isNull());
  EXPECT_EQ(highlight.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

TEST(ZellLabelTest, AutoSizedRightJustifiedLabelGrowsToTheLeft) {
  QWidget parent;
  TZellLabel label(&parent);
  label.SetAlignment(taRightJustify);
  label.setGeometry(100, 10, 40, 20);
  label.SetCaption(QStringLiteral("A"));
  const int right = label.geometry().right();
  const int left = label.geometry().left();
  label.SetCaption(QStringLiteral("A much longer caption"));
  EXPECT_EQ(label.geometry().right(), right);
  EXPECT_LT(label.geometry().left(), left);
  EXPECT_EQ(label.width(),
            QFontMetrics(label.font()).horizontalAdvance(QStringLiteral("A much longer caption")));
}

TEST(ZellLabelTest, AutoSizedEmptyCaptionKeepsOneLine) {
  QWidget parent;
  TZellLabel label(&parent);
  label.SetCaption(QStringLiteral("x"));
  label.SetCaption(QString());
  const QFontMetrics metrics(label.font());
  EXPECT_GE(label.height(), metrics.height());
  EXPECT_LE(label.height(), metrics.lineSpacing() + 1);
  EXPECT_GT(label.width(), 0);
}

// A result box between two fields, as on a calculator page.
class SelectableTextBoxTest : public ::testing::Test {
 protected:
  QWidget Window;
  QLineEdit* Before = new QLineEdit(&Window);
  TTextBox* Box = new TTextBox(&Window);
  const QString Caption = QStringLiteral("255.255.252.0");

  void SetUp() override {
    auto* layout = new QVBoxLayout(&Window);
    layout->addWidget(Before);
    layout->addWidget(Box);
    layout->addWidget(new QLineEdit(&Window));
    Box->SetCaption(Caption);
    Window.show();
    QApplication::setActiveWindow(&Window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    Before->setFocus();
  }
  // Where the caret stands before the character at `position`: inside the
  // one-pixel edge and the one-pixel margin.
  QPoint At(int position) const {
    return {2 + Box->fontMetrics().horizontalAdvance(Caption.left(position)), Box->height() / 2};
  }
  int HighlightPixels() const {
    const QImage image = Render(*Box);
    return ControlsTest::ColorBounds(image, Box->palette().color(QPalette::Highlight)).width();
  }
};

TEST_F(SelectableTextBoxTest, TabSelectsTheWholeResultForCtrlCAndTheEditMenu) {
  QTest::keyClick(Before, Qt::Key_Tab);
  ASSERT_TRUE(Box->hasFocus());
  EXPECT_EQ(Box->SelectedText(), Caption);
  QApplication::clipboard()->setText(QStringLiteral("other"));
  QTest::keyClick(Box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), Caption);
  EXPECT_TRUE(CanCarryOut(Box, TClipboardRequest::crCopy));
  for (TClipboardRequest request :
       {TClipboardRequest::crPaste, TClipboardRequest::crCut, TClipboardRequest::crClear})
    EXPECT_FALSE(CanCarryOut(Box, request)) << static_cast<int>(request);

  // Shown shortened, the result is still copied whole.
  Box->SetEllipsis(dteEnd);
  Box->SetExpandTabs(false);
  Box->setFixedWidth(40);
  QTest::keyClick(Box, Qt::Key_A, Qt::ControlModifier);
  QApplication::clipboard()->clear();
  EXPECT_TRUE(SendClipboardRequest(Box, TClipboardRequest::crCopy));
  EXPECT_EQ(QApplication::clipboard()->text(), Caption);
}

TEST_F(SelectableTextBoxTest, MouseAndKeysSelectPartOfTheResult) {
  const struct {
    const char* Name;
    std::function<void()> Select;
    const char* Selected;
  } cases[] = {
      {"drag over the first octet",
       [this] {
         QTest::mousePress(Box, Qt::LeftButton, Qt::NoModifier, At(0));
         QTest::mouseMove(Box, At(3));
         QTest::mouseRelease(Box, Qt::LeftButton, Qt::NoModifier, At(3));
       },
       "255"},
      {"click, then shift-click",
       [this] {
         QTest::mouseClick(Box, Qt::LeftButton, Qt::NoModifier, At(8));
         QTest::mouseClick(Box, Qt::LeftButton, Qt::ShiftModifier, At(13));
       },
       "252.0"},
      {"End, then Shift+Left",
       [this] {
         Box->setFocus();
         QTest::keyClick(Box, Qt::Key_End);
         QTest::keyClick(Box, Qt::Key_Left, Qt::ShiftModifier);
       },
       "0"},
      {"Home, Right, then Shift+End",
       [this] {
         Box->setFocus();
         QTest::keyClick(Box, Qt::Key_Home);
         QTest::keyClick(Box, Qt::Key_Right);
         QTest::keyClick(Box, Qt::Key_End, Qt::ShiftModifier);
       },
       "55.255.252.0"},
      {"double click", [this] { QTest::mouseDClick(Box, Qt::LeftButton, Qt::NoModifier, At(5)); },
       "255.255.252.0"},
  };
  for (const auto& c : cases) {
    Before->setFocus();
    Box->SetSelection(0, 0);
    c.Select();
    EXPECT_EQ(Box->SelectedText(), QLatin1String(c.Selected)) << c.Name;
    EXPECT_TRUE(Box->hasFocus()) << c.Name;
  }
}

// A read-only field's menu: no Cut, Paste, Delete or Undo.
TEST_F(SelectableTextBoxTest, ItsMenuOnlyCopiesAndSelects) {
  Box->setFocus();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2), Box->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(Box, &request);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QStringList items;
  for (const QAction* action : menu->actions())
    if (!action->isSeparator())
      items << action->text().section(QLatin1Char('\t'), 0, 0) + (action->isEnabled() ? "" : " (off)");
  EXPECT_EQ(items, (QStringList{QStringLiteral("&Copy (off)"), QStringLiteral("Select All")}));
  StandardMenuAction(menu, TStandardMenuItem::smSelectAll)->trigger();
  menu->close();
  EXPECT_EQ(Box->SelectedText(), Caption);
}

// The box looks as before until something is selected in it, and a box that
// is not selectable stays out of the focus and keeps its text to itself.
TEST_F(SelectableTextBoxTest, OnlyASelectionShowsAndOnlyWhileTheBoxHasTheFocus) {
  EXPECT_EQ(HighlightPixels(), 0);
  Box->setFocus();
  QTest::keyClick(Box, Qt::Key_A, Qt::ControlModifier);
  const int selected = HighlightPixels();
  EXPECT_GE(selected, Box->fontMetrics().horizontalAdvance(Caption));
  QTest::keyClick(Box, Qt::Key_Home);
  QTest::keyClick(Box, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_GT(HighlightPixels(), 0);
  EXPECT_LT(HighlightPixels(), selected);
  Before->setFocus();
  EXPECT_FALSE(Box->HasSelectedText());
  EXPECT_EQ(HighlightPixels(), 0);

  Box->SetSelectable(false);
  EXPECT_EQ(Box->focusPolicy(), Qt::NoFocus);
  Box->SelectAll();
  EXPECT_FALSE(CanCarryOut(Box, TClipboardRequest::crCopy));
}

}  // namespace
