// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPainter>

#include "ControlsTestImages.h"
#include "ZellPanels.h"

using namespace Parlamine;
using ControlsTest::InkBounds;
using ControlsTest::Render;

namespace {

const QColor Fill(0x20, 0x40, 0x60);

QPixmap SolidPicture(QSize size, const QColor& color) {
  QPixmap picture(size);
  picture.fill(color);
  return picture;
}

class CanvasPanelTest : public ::testing::Test {
 protected:
  TCanvasPanel Panel;
  void SetUp() override {
    Panel.resize(97, 47);
    Panel.SetColor(Fill);
  }
};

TEST_F(CanvasPanelTest, PlainPanelPaintsOnlyItsFill) {
  Panel.SetBevelOuter(bvNone);
  EXPECT_TRUE(InkBounds(Render(Panel), Fill).isNull());
}

TEST_F(CanvasPanelTest, LoweredOuterBevelFramesTheInnerArea) {
  const QImage image = Render(Panel);
  const QPalette& palette = Panel.palette();
  EXPECT_EQ(image.pixel(0, 20), palette.color(QPalette::Active, QPalette::Dark).rgb());
  EXPECT_EQ(image.pixel(96, 20), palette.color(QPalette::Active, QPalette::Light).rgb());
  EXPECT_EQ(Panel.InnerRect(), QRect(1, 1, 95, 45));
}

TEST_F(CanvasPanelTest, InnerRectExcludesBorderAndBothBevels) {
  Panel.SetBevelInner(bvRaised);
  Panel.SetBevelWidth(2);
  Panel.SetBorderWidth(3);
  EXPECT_EQ(Panel.BorderSize(), 7);
  EXPECT_EQ(Panel.InnerRect(), QRect(7, 7, 83, 33));
}

TEST_F(CanvasPanelTest, TiledPictureCoversTheInnerArea) {
  Panel.SetBackgroundPicture(SolidPicture({10, 10}, Qt::green));
  Panel.SetBackgroundPictureMode(bpmTiled);
  const QImage image = Render(Panel);
  EXPECT_EQ(InkBounds(image, QColor(Qt::green), QRect(1, 1, 95, 45)), QRect());
  EXPECT_EQ(image.pixel(0, 0), Panel.palette().color(QPalette::Active, QPalette::Dark).rgb());
}

TEST_F(CanvasPanelTest, LargerCentredPictureIsCutOnAllSides) {
  Panel.SetBackgroundPicture(SolidPicture({200, 100}, Qt::green));
  const QImage image = Render(Panel);
  for (const QPoint corner : {QPoint(1, 1), QPoint(95, 1), QPoint(1, 45), QPoint(95, 45)})
    EXPECT_EQ(image.pixel(corner), QColor(Qt::green).rgb()) << corner.x() << "," << corner.y();
}

TEST_F(CanvasPanelTest, SmallerCentredPictureSitsInTheMiddle) {
  Panel.SetBackgroundPicture(SolidPicture({11, 5}, Qt::green));
  const QImage image = Render(Panel);
  // Inner area (1, 1)-(96, 46): left = (1 + 96 - 11) / 2 = 43, top = (1 + 46 - 5) / 2 = 21.
  EXPECT_EQ(ControlsTest::ColorBounds(image, Qt::green), QRect(43, 21, 11, 5));
}

TEST_F(CanvasPanelTest, TransparencyChangesTheDrawingAtOnce) {
  QPixmap picture = SolidPicture({30, 30}, Qt::green);  // bottom-left pixel green: the transparent colour
  {
    QPainter canvas(&picture);
    canvas.fillRect(10, 10, 10, 10, Qt::red);
  }
  Panel.SetBackgroundPicture(picture);
  const QPoint greenPart(Panel.width() / 2 - 12, Panel.height() / 2);
  const QPoint redPart(Panel.width() / 2, Panel.height() / 2);
  EXPECT_EQ(Render(Panel).pixel(greenPart), QColor(Qt::green).rgb());
  Panel.SetBackgroundPictureTransparent(true);
  QImage image = Render(Panel);
  EXPECT_EQ(image.pixel(greenPart), Fill.rgb());
  EXPECT_EQ(image.pixel(redPart), QColor(Qt::red).rgb());
  Panel.SetBackgroundPictureTransparent(false);
  EXPECT_EQ(Render(Panel).pixel(greenPart), QColor(Qt::green).rgb());
}

TEST_F(CanvasPanelTest, CustomDrawKeepingDefaultIsPaintedOver) {
  Panel.SetOnCustomDraw([](QPainter& canvas, const QRect& rect, bool&) { canvas.fillRect(rect, Qt::red); });
  EXPECT_EQ(Render(Panel).pixel(40, 20), Fill.rgb());
}

TEST_F(CanvasPanelTest, CustomDrawCanDrawOverTheStandardLook) {
  Panel.SetOnCustomDraw([this](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    defaultDraw = false;
    QRect r = rect;
    Panel.DrawPanel(canvas, r);
    canvas.fillRect(40, 20, 5, 5, Qt::red);
  });
  const QImage image = Render(Panel);
  EXPECT_EQ(image.pixel(42, 22), QColor(Qt::red).rgb());
  EXPECT_EQ(image.pixel(0, 20), Panel.palette().color(QPalette::Active, QPalette::Dark).rgb());
}

TEST_F(CanvasPanelTest, CaptionIsCentredAndEngravedWhenDisabled) {
  Panel.SetCaption(QStringLiteral("Latency"));
  QImage image = Render(Panel);
  const QRect ink = InkBounds(image, Fill, Panel.InnerRect());
  ASSERT_FALSE(ink.isNull());
  EXPECT_NEAR(ink.center().x(), 48, 2);
  EXPECT_NEAR(ink.center().y(), 23, 2);

  // Engraved: a highlight copy one pixel right and down under a shadow copy.
  // Against the default button-coloured fill, the copies are the pixels
  // lighter and darker than the fill.
  TCanvasPanel disabled;
  disabled.resize(97, 47);
  disabled.SetCaption(QStringLiteral("Latency"));
  disabled.setEnabled(false);
  image = Render(disabled);
  const int fill = qGray(disabled.Color().rgb());
  const QRect inner = disabled.InnerRect();
  const QRect highlight = ControlsTest::BoundsOf(
      image, [&](QRgb p) { return qGray(p) > fill; }, inner);
  const QRect shadow = ControlsTest::BoundsOf(
      image, [&](QRgb p) { return qGray(p) < fill; }, inner);
  ASSERT_FALSE(shadow.isNull());
  EXPECT_EQ(highlight.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
}

TEST_F(CanvasPanelTest, CaptionIsWhatScreenReadersRead) {
  Panel.SetCaption(QStringLiteral("Setup"));
  EXPECT_EQ(Panel.accessibleName(), QStringLiteral("Setup"));
  Panel.setAccessibleName(QStringLiteral("Network setup"));
  Panel.SetCaption(QStringLiteral("Other"));
  EXPECT_EQ(Panel.accessibleName(), QStringLiteral("Network setup"));
}

TEST_F(CanvasPanelTest, CopyRectToClipboardPutsTheWholePanel) {
  Panel.SetBackgroundPicture(SolidPicture({10, 10}, Qt::green));
  Panel.SetBackgroundPictureMode(bpmTiled);
  QApplication::clipboard()->clear();
  Panel.CopyRectToClipboard(Panel.rect());
  const QImage copied = QApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), Panel.size());
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32).pixel(50, 20), QColor(Qt::green).rgb());
}

}  // namespace
