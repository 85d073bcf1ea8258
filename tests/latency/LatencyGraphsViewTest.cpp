// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>

#include "LatencyGraphsView.h"
#include "LatencyTestChains.h"
#include "ParlamineRainbowBar.h"
#include "RainbowGeometry.h"
#include "ZellGlobal.h"

namespace Parlamine {
namespace {

TEST(RainbowBar, StripeCountIsKeptBetweenOneAndSixteen) {
  TRainbowBar bar;
  EXPECT_EQ(bar.NumStripes(), 5);
  EXPECT_EQ(bar.size(), QSize(81, 185));
  struct Row {
    int Requested, Result;
  };
  for (const Row& row : {Row{0, 1}, Row{200, 16}, Row{3, 3}, Row{16, 16}, Row{-4, 1}}) {
    bar.SetNumStripes(row.Requested);
    EXPECT_EQ(bar.NumStripes(), row.Result) << row.Requested;
  }
}

TEST(RainbowBar, ANewCountResetsTheStripesWithOneChange) {
  TRainbowBar bar;
  QSignalSpy spy(&bar, &TRainbowBar::OnChange);
  bar.Stripes(0).SetValue(0.9f);
  EXPECT_EQ(spy.count(), 1);
  bar.Stripes(0).SetValue(0.9f);  // unchanged: no notification
  bar.Stripes(0).SetColor(bar.Stripes(0).Color());
  EXPECT_EQ(spy.count(), 1);
  bar.SetNumStripes(4);
  EXPECT_EQ(spy.count(), 2);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(bar.Stripes(i).Value(), 0.25f) << i;
    EXPECT_EQ(bar.Stripes(i).Color(), RainbowColors[static_cast<std::size_t>(i)]) << i;
  }
  bar.SetNumStripes(4);
  EXPECT_EQ(spy.count(), 2);
}

TEST(RainbowBar, StripesBeyondTheCountAreReachableButNotBeyondSixteen) {
  TRainbowBar bar;
  EXPECT_NO_THROW(bar.Stripes(15).SetValue(0.5f));
  for (int index : {16, 255, -1}) {
    try {
      bar.Stripes(index);
      ADD_FAILURE() << "no error for stripe " << index;
    } catch (const std::out_of_range& error) {
      EXPECT_EQ(std::string(error.what()), "Array index out of bounds: " + std::to_string(index));
    }
  }
}

TEST(RainbowBar, ScreenReadersReadTheShares) {
  TRainbowBar bar;
  bar.SetNumStripes(2);
  bar.Stripes(0).SetValue(0.75f);
  bar.Stripes(1).SetValue(0.25f);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&bar);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Chart);
  EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("75.0%, 25.0%"));
}

TEST(RainbowBar, PaintsStripesFromTheTopWithHalvesRoundedToEven) {
  TRainbowBar bar;
  bar.resize(38, 237 + 2);  // a drawing area 237 high inside the border
  ASSERT_EQ(bar.StripeArea().height(), 237);
  bar.SetNumStripes(3);
  bar.Stripes(0).SetValue(0.5f);
  bar.Stripes(1).SetValue(0.25f);
  bar.Stripes(2).SetValue(0.25f);
  EXPECT_EQ(bar.StripeHeights(), (std::vector<int>{118, 59, 59}));
  const QImage image = bar.grab().toImage();
  const int x = bar.width() / 2;
  const int top = bar.StripeArea().top();
  auto colorAt = [&](int y) { return image.pixelColor(x, top + y).rgb() & 0xFFFFFF; };
  EXPECT_EQ(colorAt(0), 0xFF0000u);
  EXPECT_EQ(colorAt(117), 0xFF0000u);
  EXPECT_EQ(colorAt(118), 0xFFFF00u);
  EXPECT_EQ(colorAt(176), 0xFFFF00u);
  EXPECT_EQ(colorAt(177), 0x00FF00u);
  EXPECT_EQ(colorAt(235), 0x00FF00u);
  // 236 of 237 pixels are striped; the last row shows the background.
  EXPECT_EQ(colorAt(236), bar.Color().rgb() & 0xFFFFFF);
}

class GraphsViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FView.resize(306, 315);
    FView.show();
  }

  QLabel* Legend(const char* color) {
    return FView.findChild<QLabel*>(QString::fromLatin1(color) + QStringLiteral("Label"));
  }
  QWidget* Square(const char* color) {
    return FView.findChild<QWidget*>(QString::fromLatin1(color) + QStringLiteral("Panel"));
  }
  std::vector<float> Values(TLatencyDirection direction) {
    std::vector<float> values;
    TRainbowBar* bar = FView.Bar(direction);
    for (int i = 0; i < bar->NumStripes(); ++i) values.push_back(bar->Stripes(i).Value());
    return values;
  }

  TLatencyGraphsView FView;
};

TEST_F(GraphsViewTest, ComponentsAreNamedAndCaptioned) {
  for (const char* name : {"LatencyGraphsCanvasPanel", "RainbowBarA", "RainbowBarB", "RainbowBarAB", "Bevel1",
                           "Panel1", "CopyLatencyGraphsButton", "RedPanel", "WhiteLabel", "FuchsiaLabel"})
    EXPECT_NE(FView.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  EXPECT_EQ(FView.findChild<QLabel*>(QStringLiteral("Label42"))->text(), QStringLiteral("C->S"));
  EXPECT_EQ(FView.findChild<QLabel*>(QStringLiteral("Label43"))->text(), QStringLiteral("C<-S"));
  EXPECT_EQ(FView.findChild<QLabel*>(QStringLiteral("Label44"))->text(), QStringLiteral("C<->S"));
  auto* copy = FView.findChild<QToolButton*>(QStringLiteral("CopyLatencyGraphsButton"));
  EXPECT_EQ(copy->toolTip(), QStringLiteral("Copy latency graphs to clipboard"));
  EXPECT_EQ(copy->statusTip(), copy->toolTip());
  EXPECT_EQ(FView.Bar(ldA)->geometry(), QRect(8, 16, 38, 315 - 16 - 8));
  EXPECT_EQ(FView.Bar(ldB)->x(), 56);
  EXPECT_EQ(FView.Bar(ldAB)->x(), 104);
  EXPECT_EQ(Square("Silver")->palette().color(QPalette::Window), QColor(192, 192, 192));
}

TEST_F(GraphsViewTest, AChainOfThreeShowsThreeStripesAndThreeLegendEntries) {
  const TLatencyResult result = SatelliteResult();
  FView.Fill(SatelliteHints, result);
  FView.show();
  for (const char* color : {"Red", "Yellow", "Lime"}) {
    EXPECT_TRUE(Legend(color)->isVisible()) << color;
    EXPECT_TRUE(Square(color)->isVisible()) << color;
  }
  for (const char* color : {"Blue", "Black", "Gray", "White"}) {
    EXPECT_FALSE(Legend(color)->isVisible()) << color;
    EXPECT_FALSE(Square(color)->isVisible()) << color;
  }
  EXPECT_EQ(Legend("Yellow")->toolTip(), SatelliteHints[1]);
  for (int d = 0; d < LatencyDirectionCount; ++d) {
    const auto direction = static_cast<TLatencyDirection>(d);
    EXPECT_EQ(FView.Bar(direction)->NumStripes(), 3);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(FView.Bar(direction)->Stripes(i).Value(),
                result.Elements[static_cast<std::size_t>(i)].Share[direction]);
  }
  // The server is not on the request's path, the client not on the reply's.
  EXPECT_EQ(Values(ldA)[2], 0.0f);
  EXPECT_EQ(Values(ldB)[0], 0.0f);
  EXPECT_EQ(FView.Bar(ldA)->StripeHeights()[2], 0);
}

TEST_F(GraphsViewTest, FillingAgainWithFewerElementsHidesTheRest) {
  QStringList hints;
  std::vector<TNetworkElement> chain = {Station(nbDesktopCPU, 64, 1)};
  for (int i = 0; i < 14; ++i) chain.push_back(Satellite());
  chain.push_back(Station(nbTowerCPU, 1024, 1));
  for (int i = 0; i < 16; ++i) hints << QStringLiteral("Element %1").arg(i);
  FView.Fill(hints, ComputeLatency(chain));
  FView.show();
  EXPECT_TRUE(Legend("White")->isVisible());
  EXPECT_EQ(FView.Bar(ldAB)->NumStripes(), 16);
  FView.Fill(SatelliteHints, SatelliteResult());
  EXPECT_FALSE(Legend("Blue")->isVisible());
  EXPECT_FALSE(Legend("White")->isVisible());
  EXPECT_EQ(FView.Bar(ldAB)->NumStripes(), 3);
}

TEST_F(GraphsViewTest, ZeroDelaysLeaveOnlyTheBackground) {
  TNetworkElement unknown;
  FView.Fill(SatelliteHints,
             ComputeLatency({Station(nbDesktopCPU, 64, 0), unknown, Station(nbTowerCPU, 1024, 0)}));
  FView.show();
  EXPECT_TRUE(Legend("Lime")->isVisible());
  TRainbowBar* bar = FView.Bar(ldAB);
  EXPECT_EQ(bar->StripeHeights(), (std::vector<int>{0, 0, 0}));
  const QImage image = bar->grab().toImage();
  const QRect area = bar->StripeArea();
  for (int y = area.top(); y <= area.bottom(); y += 7)
    EXPECT_EQ(image.pixelColor(area.center().x(), y).rgb(), bar->Color().rgb()) << y;
}

TEST_F(GraphsViewTest, CopyPutsThePagePictureWithoutTheButtonOnTheClipboard) {
  FView.Fill(SatelliteHints, SatelliteResult());
  FView.show();
  QGuiApplication::clipboard()->clear();
  auto* copy = FView.findChild<QToolButton*>(QStringLiteral("CopyLatencyGraphsButton"));
  bool buttonHiddenWhileCopying = false;
  QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, copy,
                   [&] { buttonHiddenWhileCopying = !copy->isVisible(); });
  copy->click();
  const QImage image = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), FView.CanvasPanel()->size() * image.devicePixelRatio());
  EXPECT_TRUE(buttonHiddenWhileCopying);
  EXPECT_TRUE(copy->isVisible());
}

TEST_F(GraphsViewTest, LegendFitsThePageAndKeepsClearOfTheCopyButton) {
  ApplyApplicationFont();
  QStringList hints = SatelliteHints;
  FView.Fill(hints, SatelliteResult());
  FView.show();
  auto* copy = FView.findChild<QToolButton*>(QStringLiteral("CopyLatencyGraphsButton"));
  auto* panel = FView.findChild<QWidget*>(QStringLiteral("Panel1"));
  const QRect copyOnPage(copy->mapTo(&FView, QPoint(0, 0)), copy->size());
  const char* const colors[] = {"Red", "Yellow", "Lime"};
  for (int i = 0; i < 3; ++i) {
    QLabel* label = Legend(colors[i]);
    const QRect onPage(label->mapTo(&FView, QPoint(0, 0)), label->size());
    EXPECT_TRUE(FView.rect().contains(onPage)) << colors[i];
    EXPECT_FALSE(onPage.intersects(copyOnPage)) << colors[i];
    // A long hint wraps, whole, inside its label.
    EXPECT_EQ(label->text(), hints[i]);
    const QRect wrapped = label->fontMetrics().boundingRect(QRect(0, 0, label->width(), 1 << 20),
                                                            Qt::TextWordWrap, label->text());
    EXPECT_LE(wrapped.width(), label->width()) << colors[i];
    EXPECT_LE(wrapped.height(), label->height()) << colors[i];
  }
  EXPECT_GE(panel->x(), FView.Bar(ldAB)->geometry().right());
  if (const QByteArray dir = qgetenv("PARLAMINE_RENDER_DIR"); !dir.isEmpty())
    FView.grab().save(QString::fromLocal8Bit(dir) + QStringLiteral("/latency_graphs.png"));
}

}  // namespace
}  // namespace Parlamine
