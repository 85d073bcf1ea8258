// SPDX-License-Identifier: MIT
// The shared bit-map painting: the legend's words, the pieces laid from the
// left edge whatever the control's alignment, and each character in the
// colour its place in the colour text gives.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include "ControlsTestImages.h"
#include "QStringPrinter.h"
#include "ViewCommandsProbe.h"
#include "ZellBitMap.h"

using namespace Parlamine;

namespace {

TEST(BitMapLegend, NamesTheRolesInTheirOrder) {
  struct Case {
    const char* Title;
    QList<TBitMapRole> Roles;
    const char* Expected;
  };
  const Case cases[] = {
      {"Class C", {TBitMapRole::brNetwork, TBitMapRole::brHost}, "Class C Bit Map (n=network;h=host)"},
      {"Subnet",
       {TBitMapRole::brNetwork, TBitMapRole::brSubnet, TBitMapRole::brHost},
       "Subnet Bit Map (n=network;s=subnet;h=host)"},
      {"Multicast", {TBitMapRole::brGroup}, "Multicast Bit Map (g=group)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BitMapLegendText(QLatin1String(c.Title), c.Roles), QLatin1String(c.Expected));
}

// Ink of a hue: anti-aliased glyphs rarely hit the exact colour, but their
// pixels lean clearly towards it.
bool Navyish(QRgb p) { return qBlue(p) > qRed(p) + 40 && qBlue(p) > qGreen(p) + 40; }
bool Greenish(QRgb p) { return qGreen(p) > qRed(p) + 40 && qGreen(p) > qBlue(p) + 40; }
QRect Ink(const QImage& image, bool (*hue)(QRgb)) {
  return ControlsTest::BoundsOf(image, hue, image.rect().adjusted(2, 2, -2, -2));
}

// The box drawn with the given colour text into a picture of its own size.
QImage DrawnBox(TTextBox& box, const QString& colours) {
  QImage image(box.size(), QImage::Format_RGB32);
  image.fill(box.Color());
  QPainter canvas(&image);
  canvas.setFont(box.font());
  DrawBitMapText(box, canvas, image.rect(), colours, box.Caption());
  return image;
}

TEST(BitMapText, StartsAtTheLeftEdgeWhateverTheAlignment) {
  TTextBox box;
  QFont font = box.font();
  font.setPixelSize(16);
  box.setFont(font);
  box.resize(300, 24);
  box.SetCaption(QStringLiteral("nnnn.hhhh"));
  for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify}) {
    box.SetAlignment(alignment);
    const QImage image = DrawnBox(box, box.Caption());
    const QRect navy = Ink(image, Navyish);
    ASSERT_FALSE(navy.isNull()) << alignment;
    EXPECT_LT(navy.left(), 12) << alignment;
  }
}

TEST(BitMapText, EachCharacterTakesTheColourOfItsPlace) {
  TTextBox box;
  QFont font = box.font();
  font.setPixelSize(16);
  box.setFont(font);
  box.resize(300, 24);
  box.SetCaption(QStringLiteral("1111.0000"));
  const QImage image = DrawnBox(box, QStringLiteral("10nn.hhhh"));
  const QRect navy = Ink(image, Navyish);
  const QRect green = Ink(image, Greenish);
  ASSERT_FALSE(navy.isNull());
  ASSERT_FALSE(green.isNull());
  // Prefix digits keep the network colour of the start; host digits follow the dot.
  EXPECT_LT(navy.right(), green.left());

  // A colour text shorter than the shown one draws only as far as it goes.
  const QImage shorter = DrawnBox(box, QStringLiteral("nnnn"));
  EXPECT_TRUE(Ink(shorter, Greenish).isNull());
  EXPECT_LE(Ink(shorter, Navyish).right(), navy.right());
}

TEST(BitMapTextBox, TabReachesItAndCopyTakesItsPictureWithoutTheFocusFrame) {
  QWidget window;
  auto* before = new QLineEdit(&window);
  auto* box = new TBitMapTextBox(&window);
  box->setGeometry(0, 30, 200, 24);
  box->SetCaption(QStringLiteral("nnnn.hhhh"));
  box->SetOnCustomDraw([box](QPainter& canvas, const QRect& rect, bool& defaultDraw) {
    defaultDraw = false;
    DrawBitMapText(*box, canvas, rect, box->Caption(), box->Caption());
  });
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  before->setFocus();
  QTest::keyClick(before, Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), box);

  const QRgb highlight = box->palette().color(QPalette::Highlight).rgb();
  EXPECT_EQ(box->grab().toImage().pixel(0, 0), highlight) << "the focus shows";
  QGuiApplication::clipboard()->clear();
  QTest::keySequence(box, QKeySequence::Copy);
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), box->size());
  EXPECT_NE(copied.pixel(0, 0), highlight) << "the focus is no part of the picture";
  EXPECT_FALSE(Ink(copied, Navyish).isNull());

  EXPECT_EQ(ParlamineTest::ContextMenuItems(box), QStringList{"&Copy"});
  EXPECT_EQ(ParlamineTest::OfferedRequests(box), QStringList{"copy"});
  box->SetCaption(QString());
  EXPECT_EQ(ParlamineTest::OfferedRequests(box), QStringList());
}

}  // namespace
