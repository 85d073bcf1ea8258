// SPDX-License-Identifier: MIT
// The banner frame: stepping through the calculators with the arrow buttons,
// the logo slide, the hints, and the web-site button's hover picture.
#include <gtest/gtest.h>

#include <QAction>
#include <QEnterEvent>
#include <QIcon>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <set>
#include <vector>

#include "CalculatorList.h"
#include "CalculatorTop.h"

namespace Parlamine {
namespace {

constexpr auto R = TCalculator::caRadixer;
constexpr auto I = TCalculator::caIPSubnet;
constexpr auto L = TCalculator::caLatency;
constexpr auto P = TCalculator::caPrefix;

QString UpHintFor(const char* name) {
  return QStringLiteral("Click to change to the ") + QLatin1String(name);
}

class CalculatorTopFrameTest : public ::testing::Test {
 protected:
  CalculatorTopFrameTest() : Spy(&Frame, &TCalculatorTopFrame::OnCalculatorChange) {
    Frame.resize(312, 83);
    Frame.show();
  }

  QToolButton* Up() { return Frame.findChild<QToolButton*>(QStringLiteral("LogoUpButton")); }
  QToolButton* Down() { return Frame.findChild<QToolButton*>(QStringLiteral("LogoDownButton")); }
  QWidget* LogoPanel() { return Frame.findChild<QWidget*>(QStringLiteral("LogoCanvasPanel")); }
  QTimer* Timer() { return Frame.findChild<QTimer*>(QStringLiteral("LogoAnimationTimer")); }
  TPictureToolButton* Website() { return qobject_cast<TPictureToolButton*>(Frame.GotoWebsiteButton()); }

  // Drives the animation timer as its interval would, without waiting.
  void Tick() { QMetaObject::invokeMethod(Timer(), "timeout"); }
  int RunSlideToEnd() {
    int ticks = 0;
    while (Timer()->isActive() && ticks < 100) {
      Tick();
      ++ticks;
    }
    return ticks;
  }
  QImage Logo() { return LogoPanel()->grab().toImage(); }

  TCalculatorTopFrame Frame{RegisteredCalculatorInfos()};
  QSignalSpy Spy;
};

TEST_F(CalculatorTopFrameTest, StartsAtTheIPSubnetCalculatorWithItsHints) {
  EXPECT_EQ(Frame.objectName(), QStringLiteral("CalculatorTopFrame"));
  EXPECT_EQ(Frame.height(), 83);
  EXPECT_EQ(Frame.Calculator(), I);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(Timer()->interval(), 30);
  const QString description = QStringLiteral(
      "The IP Subnet Calculator is a free utility that helps in learning and calculating IP subnets");
  EXPECT_EQ(LogoPanel()->toolTip(), description);
  EXPECT_EQ(LogoPanel()->statusTip(), description);
  EXPECT_EQ(LogoPanel()->accessibleName(), QStringLiteral("IP Subnet Calculator"));
  EXPECT_EQ(LogoPanel()->accessibleDescription(), description);
  EXPECT_EQ(Website()->toolTip(), QStringLiteral("Click to visit the Quillfern website"));
  EXPECT_EQ(Website()->statusTip(), Website()->toolTip());
}

TEST_F(CalculatorTopFrameTest, ArrowButtonsStepThroughTheCycleAndSlideFromTheirSide) {
  struct Row {
    const char* name;
    bool up;
    TCalculator expected;
  };
  // Each row starts where the previous one left off.
  const Row rows[] = {
      {"up from ip subnet", true, R},       {"up from radixer wraps", true, P},
      {"up from prefix", true, L},          {"up from latency", true, I},
      {"down from ip subnet", false, L},    {"down from latency", false, P},
      {"down from prefix wraps", false, R}, {"down from radixer", false, I},
  };
  for (const Row& row : rows) {
    Spy.clear();
    QTest::mouseClick(row.up ? Up() : Down(), Qt::LeftButton);
    EXPECT_EQ(Frame.Calculator(), row.expected) << row.name;
    ASSERT_EQ(Spy.count(), 1) << row.name;
    EXPECT_EQ(Spy.at(0).at(0).value<QObject*>(), &Frame) << row.name;
    EXPECT_TRUE(Timer()->isActive()) << row.name << ": an arrow button slides the logo";
    // From above takes 8 ticks on the 71-pixel logo panel; from below the
    // rest position is one pixel nearer the top, so one tick more.
    EXPECT_EQ(RunSlideToEnd(), row.up ? 8 : 9) << row.name;
  }
}

TEST_F(CalculatorTopFrameTest, HintsNameTheNeighboursOfTheCurrentCalculator) {
  struct Row {
    TCalculator current;
    const char* upName;
    const char* downName;
    const char* description;
  };
  const Row rows[] = {
      {L, "IP Subnet Calculator", "Prefix Calculator",
       "The Latency Calculator estimates response times for packets traversing a series of networks"},
      {P, "Latency Calculator", "Radixer Calculator",
       "The Prefix Calculator splits, summarizes and explains classless IPv4 and IPv6 prefixes"},
      {R, "Prefix Calculator", "IP Subnet Calculator",
       "The Radixer Calculator performs useful functions with binary, decimal, hexadecimal, and octal "
       "numbers"},
      {I, "Radixer Calculator", "Latency Calculator",
       "The IP Subnet Calculator is a free utility that helps in learning and calculating IP subnets"},
  };
  for (const Row& row : rows) {
    Frame.SetCalculator(row.current);
    EXPECT_EQ(Up()->toolTip(), UpHintFor(row.upName));
    EXPECT_EQ(Up()->statusTip(), UpHintFor(row.upName));
    EXPECT_EQ(Down()->toolTip(), UpHintFor(row.downName));
    EXPECT_EQ(Down()->statusTip(), UpHintFor(row.downName));
    EXPECT_EQ(LogoPanel()->toolTip(), QLatin1String(row.description));
  }
}

TEST_F(CalculatorTopFrameTest, SettingTheCalculatorChangesTheLogoAtOnceWithoutSliding) {
  const QImage ipSubnetLogo = Logo();
  Frame.SetCalculator(L);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(Spy.count(), 1);
  const QImage latencyLogo = Logo();
  EXPECT_NE(latencyLogo, ipSubnetLogo);

  Frame.SetCalculator(L);
  EXPECT_EQ(Spy.count(), 1) << "the same value again raises nothing";

  Frame.SetCalculator(I);
  EXPECT_EQ(Logo(), ipSubnetLogo);
  EXPECT_EQ(Spy.count(), 2);
}

TEST_F(CalculatorTopFrameTest, FourLogosOfTheirOwnAndTheDownButtonSlidesThroughThemAll) {
  const TCalculator order[] = {R, I, L, P};
  std::vector<QImage> logos;
  for (TCalculator calculator : order) {
    Frame.SetCalculator(calculator);
    logos.push_back(Logo());
    // A logo that failed to load would leave the white panel alone.
    std::set<QRgb> colours;
    const QImage& logo = logos.back();
    for (int y = 0; y < logo.height(); y += 2)
      for (int x = 0; x < logo.width(); x += 2) colours.insert(logo.pixel(x, y));
    EXPECT_GT(colours.size(), 10u) << "logo " << static_cast<int>(calculator) << " is drawn";
  }
  for (size_t a = 0; a < logos.size(); ++a)
    for (size_t b = a + 1; b < logos.size(); ++b) EXPECT_NE(logos[a], logos[b]) << a << " and " << b;

  // Down from the radixer: ip subnet, latency, prefix and round to the radixer.
  Frame.SetCalculator(R);
  for (int step = 1; step <= 4; ++step) {
    QTest::mouseClick(Down(), Qt::LeftButton);
    RunSlideToEnd();
    const size_t expected = static_cast<size_t>(step % 4);
    EXPECT_EQ(Frame.Calculator(), order[expected]) << "step " << step;
    EXPECT_EQ(Logo(), logos[expected]) << "step " << step;
  }
}

TEST_F(CalculatorTopFrameTest, AValueOutsideTheEnumerationMeansIPSubnet) {
  Frame.SetCalculator(static_cast<TCalculator>(9));
  EXPECT_EQ(Frame.Calculator(), I);
  EXPECT_EQ(Spy.count(), 0);
  Frame.SetCalculator(R);
  Frame.SetCalculator(static_cast<TCalculator>(200));
  EXPECT_EQ(Frame.Calculator(), I);
  EXPECT_EQ(Spy.count(), 2);
}

TEST_F(CalculatorTopFrameTest, SlideShowsBothLogosThenEndsAtTheRestPosition) {
  Frame.SetCalculator(R);
  const QImage radixerLogo = Logo();
  Frame.SetCalculator(I);
  const QImage ipSubnetLogo = Logo();

  QTest::mouseClick(Up(), Qt::LeftButton);  // back to the radixer, from above
  EXPECT_EQ(Logo(), ipSubnetLogo) << "the new logo starts outside the panel";
  for (int i = 0; i < 4; ++i) Tick();
  // Four steps of 8 from 58 above: the new logo's lower 32 rows cover the
  // panel's top, the old logo still shows at rest below them.
  const QImage halfway = Logo();
  const int left = 12, top = 6, visible = 32;
  EXPECT_EQ(halfway.copy(left, 0, 142, visible), radixerLogo.copy(left, top + 58 - visible, 142, visible));
  EXPECT_EQ(halfway.copy(left, visible, 142, 64 - visible),
            ipSubnetLogo.copy(left, visible, 142, 64 - visible));

  EXPECT_EQ(RunSlideToEnd(), 4);
  EXPECT_EQ(Logo(), radixerLogo) << "a finished slide draws the logo where a direct change does";
}

TEST_F(CalculatorTopFrameTest, ClickDuringASlideStartsANewSlideFromTheCurrentCalculator) {
  QTest::mouseClick(Down(), Qt::LeftButton);
  Tick();
  Tick();
  QTest::mouseClick(Down(), Qt::LeftButton);
  EXPECT_EQ(Frame.Calculator(), P) << "two downs from ip subnet";
  EXPECT_EQ(Spy.count(), 2);
  EXPECT_EQ(RunSlideToEnd(), 9) << "the second slide starts from its own beginning";
}

TEST_F(CalculatorTopFrameTest, MenuChangeDuringASlideShowsTheNewLogoAtOnce) {
  Frame.SetCalculator(L);
  const QImage latencyLogo = Logo();
  Frame.SetCalculator(I);
  QTest::mouseClick(Up(), Qt::LeftButton);
  Tick();
  Frame.SetCalculator(L);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(Logo(), latencyLogo);
}

TEST_F(CalculatorTopFrameTest, WebsiteButtonLightsUpWhileTheMouseIsOverIt) {
  const QPixmap normal = Website()->Picture();
  ASSERT_FALSE(normal.isNull());
  QImage lit;
  for (int pass = 0; pass < 2; ++pass) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(Website(), &enter);
    EXPECT_NE(Website()->Picture().toImage(), normal.toImage()) << "pass " << pass;
    if (pass == 0) lit = Website()->Picture().toImage();
    EXPECT_EQ(Website()->Picture().toImage(), lit) << "pass " << pass;
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(Website(), &leave);
    EXPECT_EQ(Website()->Picture().toImage(), normal.toImage()) << "pass " << pass;
  }
}

TEST_F(CalculatorTopFrameTest, WebsiteButtonKeepsItsPictureWhenGivenAnAction) {
  QAction action(QStringLiteral("Visit Quillfern &Website..."));
  action.setToolTip(QStringLiteral("Click to visit the Quillfern website"));
  int triggered = 0;
  QObject::connect(&action, &QAction::triggered, [&triggered] { ++triggered; });
  const QImage before = Website()->grab().toImage();
  Frame.GotoWebsiteButton()->setDefaultAction(&action);
  Frame.GotoWebsiteButton()->setText(QString());
  action.setEnabled(false);
  action.setEnabled(true);
  EXPECT_EQ(Website()->grab().toImage(), before) << "no caption, same picture";
  QTest::mouseClick(Frame.GotoWebsiteButton(), Qt::LeftButton);
  EXPECT_EQ(triggered, 1);
  EXPECT_EQ(Frame.GotoWebsiteButton()->cursor().shape(), Qt::PointingHandCursor);
}

TEST(CalculatorTopFrameLayout, PartsFitWithoutOverlapping) {
  struct Row {
    int width;
    QRect logoPanel;
    QRect website;
  };
  const Row rows[] = {
      {312, {4, 4, 182, 71}, {190, 4, 118, 71}},  // the main window's minimum width
      {500, {4, 4, 370, 71}, {378, 4, 118, 71}},
  };
  for (const Row& row : rows) {
    TCalculatorTopFrame frame(RegisteredCalculatorInfos());
    frame.resize(row.width, 83);
    frame.show();
    auto* logoPanel = frame.findChild<QWidget*>(QStringLiteral("LogoCanvasPanel"));
    auto* framePanel = frame.findChild<QWidget*>(QStringLiteral("FrameCanvasPanel"));
    EXPECT_EQ(framePanel->geometry(), QRect(0, 2, row.width, 79));
    EXPECT_EQ(logoPanel->geometry(), row.logoPanel) << row.width;
    EXPECT_EQ(frame.GotoWebsiteButton()->geometry(), row.website) << row.width;
    // The logo rests 8 pixels left of centre, 6 pixels from the top.
    const QRect logo((row.logoPanel.width() - 142) / 2 - 8, 6, 142, 58);
    for (const char* name : {"LogoUpButton", "LogoDownButton"}) {
      const QRect button = frame.findChild<QWidget*>(QString::fromLatin1(name))->geometry();
      EXPECT_FALSE(button.intersects(logo)) << name << " at " << row.width;
      EXPECT_TRUE(logoPanel->rect().contains(button)) << name << " at " << row.width;
      EXPECT_EQ(button.left(), logo.right() + 2) << name;
    }
  }
}

}  // namespace
}  // namespace Parlamine
