// SPDX-License-Identifier: MIT
// The network setup page: placement rules, insert / remove / reset / move,
// dragging against the margins, resizing, the chain line and the background.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "NetworkSetupEditor.h"
#include "NetworkSetupGeometry.h"
#include "ParlamineNetworkButton.h"
#include "TestSupport.h"
#include "ZellPanels.h"

using namespace Parlamine;

namespace {

TEST(SetupGeometry, ClampToPanelKeepsEightPixelsInside) {
  struct Case {
    const char* Name;
    int Pointer, Offset, Extent, Expected;
  } cases[] = {
      {"inside", 100, 10, 300, 90},
      {"exactly at the low margin", 18, 10, 300, 8},
      {"past the low margin", 5, 10, 300, 8},
      {"exactly at the high limit", 252, 10, 300, 242},
      {"past the high limit", 400, 10, 300, 242},
      {"panel too small for both margins", 30, 0, 60, 8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ClampToPanel(c.Pointer, c.Offset, c.Extent, 50), c.Expected) << c.Name;
}

TEST(SetupGeometry, NewNetworksTakeTheFirstFreeGridPoint) {
  EXPECT_EQ(FreePlacement({}, 300, 300, 50), (TElementPosition{60, 60}));
  EXPECT_EQ(FreePlacement({{60, 60}}, 300, 300, 50), (TElementPosition{120, 60}));
  // 240 is beyond 300 - 58 and clamps to 242's margin limit: the row's last point.
  EXPECT_EQ(FreePlacement({{60, 60}, {120, 60}, {180, 60}}, 290, 300, 50), (TElementPosition{232, 60}));
  EXPECT_EQ(FreePlacement({{60, 60}, {120, 60}, {180, 60}, {232, 60}}, 290, 300, 50),
            (TElementPosition{60, 120}));
  // A small panel clamps every point onto a few places; once they are taken nothing is free.
  EXPECT_EQ(FreePlacement({}, 100, 100, 50), (TElementPosition{42, 42}));
  EXPECT_FALSE(FreePlacement({{42, 42}}, 100, 100, 50).has_value());
}

TEST(SetupGeometry, ShrinkingPullsInButNeverPushesOut) {
  EXPECT_EQ(PulledInside(250, 300, 50), 242);
  EXPECT_EQ(PulledInside(242, 300, 50), 242);
  EXPECT_EQ(PulledInside(100, 300, 50), 100);
  EXPECT_EQ(PulledInside(3, 300, 50), 3);
  EXPECT_EQ(PulledInside(100, 60, 50), 8);  // a panel too small for both margins
}

TEST(SetupGeometry, OnlyNetworksMoveAndNeverPastTheEnds) {
  struct Case {
    int Index, Count;
    bool Left, Right;
  } cases[] = {
      {0, 5, false, false},                       // client
      {4, 5, false, false},                       // server
      {1, 5, false, true},                        // first network
      {2, 5, true, true},   {3, 5, true, false},  // last network
      {1, 3, false, false},                       // the only network
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CanMoveLeft(c.Index, c.Count), c.Left) << c.Index << " of " << c.Count;
    EXPECT_EQ(CanMoveRight(c.Index, c.Count), c.Right) << c.Index << " of " << c.Count;
  }
}

TEST(SetupGeometry, RemoveEntryCaptionNumbersFromOne) {
  EXPECT_EQ(RemoveEntryCaption(0, "Ethernet (10 Mbps)"), "1.  Ethernet (10 Mbps)");
  EXPECT_EQ(RemoveEntryCaption(11, "X"), "12.  X");
}

TEST(ElementPictures, EveryKindHasItsPictureRenderedAtThePixelRatio) {
  for (int ordinal = 0; ordinal < NetworkButtonKindCount; ++ordinal) {
    const QString name = QString::fromLatin1(KindPictureName(static_cast<TNetworkButtonKind>(ordinal)));
    ASSERT_TRUE(QFile::exists(QStringLiteral(":/images/%1.svg").arg(name))) << name.toStdString();
    for (qreal ratio : {1.0, 2.0}) {
      const QPixmap picture = RenderLatencyPicture(name, QSize(40, 40), ratio);
      EXPECT_EQ(picture.size(), QSize(40, 40) * ratio) << name.toStdString();
      EXPECT_EQ(picture.devicePixelRatio(), ratio);
      // Drawn, not blank: the centre area holds some opaque pixels.
      const QImage image = picture.toImage();
      int opaque = 0;
      for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
      EXPECT_GT(opaque, image.width() * image.height() / 10) << name.toStdString();
    }
  }
  EXPECT_TRUE(QFile::exists(QStringLiteral(":/images/LATENCYCALCBACKGROUND.svg")));
}

class SetupEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Editor = std::make_unique<TNetworkSetupEditor>();
    Editor->resize(306, 315);
    Editor->show();
    QApplication::processEvents();
    Editor->SelectNetwork(Editor->Server());
    Editor->InsertNetwork();
  }

  TNetworkButton* At(int index) const { return Editor->Networks().at(index); }
  QToolButton* Tool(const char* name) const { return Editor->findChild<QToolButton*>(QLatin1String(name)); }
  QAction* Action(const char* name) const { return Editor->findChild<QAction*>(QLatin1String(name)); }
  void InsertUntil(int networks) {
    while (Editor->NetworkCount() < networks) ASSERT_NE(Editor->InsertNetwork(), nullptr);
  }
  QSize PanelSize() const { return Editor->Panel()->size(); }

  // Presses the left button inside the element, moves the pointer by steps to
  // a point of the panel and lets go.
  void Drag(TNetworkButton* element, QPoint grab, QPoint panelTarget) {
    QTest::mousePress(element, Qt::LeftButton, Qt::NoModifier, grab);
    const QPoint start = element->mapToGlobal(grab);
    const QPoint end = Editor->Panel()->mapToGlobal(panelTarget);
    for (int step = 1; step <= 4; ++step) {
      const QPoint global = start + (end - start) * step / 4;
      QMouseEvent move(QEvent::MouseMove, element->mapFromGlobal(QPointF(global)), QPointF(global),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(element, &move);
    }
    QTest::mouseRelease(element, Qt::LeftButton, Qt::NoModifier, element->mapFromGlobal(end));
  }

  std::unique_ptr<TNetworkSetupEditor> Editor;
};

TEST_F(SetupEditorTest, InsertGoesBeforeTheSelectionOrAfterTheClient) {
  TNetworkButton* first = At(1);
  Editor->SelectNetwork(Editor->Client());
  TNetworkButton* afterClient = Editor->InsertNetwork();
  EXPECT_EQ(At(1), afterClient);
  EXPECT_EQ(At(2), first);

  Editor->SelectNetwork(Editor->Server());
  TNetworkButton* beforeServer = Editor->InsertNetwork();
  EXPECT_EQ(At(3), beforeServer);
  EXPECT_EQ(At(4), Editor->Server());

  Editor->SelectNetwork(first);
  TNetworkButton* beforeFirst = Editor->InsertNetwork();
  EXPECT_EQ(At(2), beforeFirst);
  EXPECT_EQ(At(3), first);
  EXPECT_EQ(Editor->SelectedNetwork(), beforeFirst);
  // Each new network got a grid point of its own.
  QSet<QPair<int, int>> places;
  for (const TNetworkButton* element : Editor->Networks()) places.insert({element->x(), element->y()});
  EXPECT_EQ(places.size(), Editor->Networks().size());
}

TEST_F(SetupEditorTest, FourteenNetworksAtMostAndRemovingEnablesInsertAgain) {
  InsertUntil(14);
  EXPECT_FALSE(Tool("NewNetworkButton")->isEnabled());
  EXPECT_FALSE(Action("NewNetworkItem")->isEnabled());
  EXPECT_EQ(Editor->InsertNetwork(), nullptr);
  QTest::mouseClick(Tool("NewNetworkButton"), Qt::LeftButton);
  EXPECT_EQ(Editor->Networks().size(), 16);

  Editor->NetworkButtonRemove(At(5));
  EXPECT_EQ(Editor->NetworkCount(), 13);
  EXPECT_TRUE(Tool("NewNetworkButton")->isEnabled());
  EXPECT_TRUE(Action("NewNetworkItem")->isEnabled());
}

TEST_F(SetupEditorTest, TheOnlyNetworkCannotBeRemoved) {
  TNetworkButton* only = At(1);
  EXPECT_FALSE(only->RemoveItemsVisible());
  EXPECT_FALSE(Action("RemoveNetworkItem")->isVisible());
  Editor->NetworkButtonRemove(only);
  EXPECT_EQ(Editor->NetworkCount(), 1);
  EXPECT_EQ(At(1), only);

  TNetworkButton* second = Editor->InsertNetwork();
  EXPECT_TRUE(only->RemoveItemsVisible());
  EXPECT_TRUE(second->RemoveItemsVisible());
  EXPECT_TRUE(Action("RemoveNetworkItem")->isVisible());
  // The stations never offer removal.
  EXPECT_FALSE(Editor->Client()->RemoveItemsVisible());
  EXPECT_FALSE(Editor->Server()->RemoveItemsVisible());

  Editor->NetworkButtonRemove(second);
  EXPECT_FALSE(only->RemoveItemsVisible());
  EXPECT_FALSE(Action("RemoveNetworkItem")->isVisible());
}

TEST_F(SetupEditorTest, RemovedThroughItsOwnMenuTheElementLivesUntilTheCommandReturned) {
  InsertUntil(2);
  QPointer<TNetworkButton> removed = At(1);
  TNetworkButton* right = At(2);
  removed->RemoveItem()->trigger();
  ASSERT_FALSE(removed.isNull());  // still handling its own menu's command
  EXPECT_FALSE(Editor->Networks().contains(removed.data()));
  EXPECT_FALSE(removed->isVisible());
  EXPECT_EQ(Editor->SelectedNetwork(), right);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(removed.isNull());
}

TEST_F(SetupEditorTest, RemoveSubmenuNamesEveryNetworkAndMarksTheSelectedOne) {
  InsertUntil(3);
  At(2)->SetBandwidth(10);
  At(2)->SetNetworkName(QStringLiteral("Ethernet"));
  At(2)->UpdateHint();
  Editor->SelectNetwork(At(2));
  QMenu* submenu = Action("RemoveNetworkItem")->menu();
  ASSERT_NE(submenu, nullptr);
  emit submenu->aboutToShow();
  const QList<QAction*> entries = submenu->actions();
  ASSERT_EQ(entries.size(), 3);
  EXPECT_EQ(entries[0]->text(), QStringLiteral("1.  <Unknown Topology> (0 Mbps)"));
  EXPECT_EQ(entries[1]->text(), QStringLiteral("2.  Ethernet (10 Mbps)"));
  EXPECT_EQ(submenu->defaultAction(), entries[1]);

  TNetworkButton* third = At(3);
  entries[1]->trigger();
  EXPECT_EQ(Editor->NetworkCount(), 2);
  EXPECT_EQ(At(2), third);
  EXPECT_EQ(Editor->SelectedNetwork(), third);
  emit submenu->aboutToShow();
  ASSERT_EQ(submenu->actions().size(), 2);
  EXPECT_EQ(submenu->defaultAction(), submenu->actions()[1]);
}

TEST_F(SetupEditorTest, ResetLeavesOneFreshSelectedNetwork) {
  InsertUntil(5);
  At(2)->SetBandwidth(100);
  Editor->Client()->SetPacketSize(77);
  QTest::mouseClick(Tool("ResetNetworkButton"), Qt::LeftButton);
  ASSERT_EQ(Editor->Networks().size(), 3);
  TNetworkButton* fresh = At(1);
  EXPECT_EQ(fresh->Bandwidth(), 0);
  EXPECT_EQ(fresh->NetworkName(), QStringLiteral("<Unknown Topology>"));
  EXPECT_EQ(fresh->Hint(), QStringLiteral("<Unknown Topology> (0 Mbps)"));
  EXPECT_EQ(Editor->SelectedNetwork(), fresh);
  EXPECT_FALSE(fresh->RemoveItemsVisible());
  EXPECT_EQ(Editor->Client()->PacketSize(), 77);
}

TEST_F(SetupEditorTest, MovingSwapsPlacesAndChainOrderWithinTheNetworks) {
  InsertUntil(3);
  TNetworkButton* a = At(1);
  TNetworkButton* b = At(2);
  const QPoint aPlace = a->pos();
  const QPoint bPlace = b->pos();
  Editor->SelectNetwork(a);
  EXPECT_FALSE(Tool("MoveNetworkLeftButton")->isEnabled());
  EXPECT_TRUE(Tool("MoveNetworkRightButton")->isEnabled());
  Editor->MoveNetwork(false);  // the handler checks again
  EXPECT_EQ(At(1), a);

  QTest::mouseClick(Tool("MoveNetworkRightButton"), Qt::LeftButton);
  EXPECT_EQ(At(1), b);
  EXPECT_EQ(At(2), a);
  EXPECT_EQ(a->pos(), bPlace);
  EXPECT_EQ(b->pos(), aPlace);
  EXPECT_EQ(Editor->SelectedNetwork(), a);

  Editor->SelectNetwork(At(3));
  EXPECT_FALSE(Tool("MoveNetworkRightButton")->isEnabled());
  Editor->MoveNetwork(true);
  EXPECT_EQ(At(3), Editor->Networks().at(3));
  EXPECT_EQ(At(4), Editor->Server());
  Editor->SelectNetwork(Editor->Client());
  EXPECT_FALSE(Tool("MoveNetworkLeftButton")->isEnabled());
  EXPECT_FALSE(Tool("MoveNetworkRightButton")->isEnabled());
}

TEST_F(SetupEditorTest, DraggingStopsAtTheMarginsMeasuredFromTheGrabPoint) {
  TNetworkButton* network = At(1);
  const QSize panel = PanelSize();
  struct Case {
    const char* Name;
    QPoint Grab, Target, Expected;
  } cases[] = {
      {"inside", {10, 20}, {130, 140}, {120, 120}},
      {"top-left", {10, 20}, {-40, -40}, {8, 8}},
      {"bottom-right",
       {10, 20},
       {panel.width() + 40, panel.height() + 40},
       {panel.width() - 58, panel.height() - 58}},
  };
  for (const Case& c : cases) {
    Drag(network, c.Grab, c.Target);
    EXPECT_EQ(network->pos(), c.Expected) << c.Name;
  }
  EXPECT_EQ(Editor->SelectedNetwork(), network);
  EXPECT_EQ(At(1), network);  // dragging never changes the chain's order
}

TEST_F(SetupEditorTest, StationsAreNotDraggedAndTakeNoDrop) {
  TNetworkButton* network = At(1);
  Drag(network, {25, 25}, {150, 150});
  ASSERT_EQ(network->pos(), QPoint(125, 125));
  // Over the client the network stays where the last accepted move put it.
  const QPoint overClient = Editor->Client()->geometry().center();
  QTest::mousePress(network, Qt::LeftButton, Qt::NoModifier, {25, 25});
  const QPoint global = Editor->Panel()->mapToGlobal(overClient);
  QMouseEvent move(QEvent::MouseMove, network->mapFromGlobal(QPointF(global)), QPointF(global), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(network, &move);
  QTest::mouseRelease(network, Qt::LeftButton, Qt::NoModifier, network->mapFromGlobal(global));
  EXPECT_EQ(network->pos(), QPoint(125, 125));

  const QPoint clientPlace = Editor->Client()->pos();
  Drag(Editor->Client(), {25, 25}, {200, 200});
  EXPECT_EQ(Editor->Client()->pos(), clientPlace);
  EXPECT_EQ(Editor->SelectedNetwork(), Editor->Client());
}

TEST_F(SetupEditorTest, ShrinkingThePanelPullsElementsInsideEnlargingLeavesThem) {
  TNetworkButton* network = At(1);
  // At the right margin, above the server (which takes no drop).
  Drag(network, {1, 1}, {PanelSize().width() - 57, 101});
  ASSERT_EQ(network->pos(), QPoint(PanelSize().width() - 58, 100));
  Editor->resize(Editor->width() - 60, Editor->height() - 40);
  QApplication::processEvents();
  const QSize small = PanelSize();
  EXPECT_EQ(network->pos(), QPoint(small.width() - 58, 100));
  EXPECT_EQ(Editor->Server()->pos(), QPoint(small.width() - 58, small.height() - 58));

  Editor->resize(Editor->width() + 100, Editor->height() + 100);
  QApplication::processEvents();
  EXPECT_EQ(network->pos(), QPoint(small.width() - 58, 100));
  EXPECT_EQ(Editor->Server()->pos(), QPoint(PanelSize().width() - 58, PanelSize().height() - 58));
}

TEST_F(SetupEditorTest, TheChainLineJoinsTheCentresInTheHighlightColour) {
  TNetworkButton* network = At(1);
  Drag(network, {1, 1}, {151, 9});
  // Client centre (33, 33), network centre (175, 33): the line runs along y = 33.
  const QImage picture = Editor->Panel()->grab().toImage();
  const QColor highlight = Editor->palette().color(QPalette::Highlight);
  EXPECT_EQ(picture.pixelColor(QPoint(120, 33)).rgb(), highlight.rgb());
  EXPECT_NE(picture.pixelColor(QPoint(120, 50)).rgb(), highlight.rgb());
}

TEST_F(SetupEditorTest, BackgroundFollowsThePalettesThreeDColours) {
  auto containsColour = [](const QPixmap& pixmap, QColor colour) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) == colour.rgba()) return true;
    return false;
  };
  QPalette palette = Editor->palette();
  palette.setColor(QPalette::Midlight, QColor(12, 200, 34));
  palette.setColor(QPalette::Dark, QColor(210, 20, 90));
  EXPECT_FALSE(containsColour(Editor->Panel()->BackgroundPicture(), QColor(12, 200, 34)));
  Editor->setPalette(palette);
  QApplication::processEvents();
  EXPECT_TRUE(containsColour(Editor->Panel()->BackgroundPicture(), QColor(12, 200, 34)));
  EXPECT_TRUE(containsColour(Editor->Panel()->BackgroundPicture(), QColor(210, 20, 90)));
}

TEST_F(SetupEditorTest, CopyPutsThePanelWithoutItsBorderOnTheClipboard) {
  QApplication::clipboard()->clear();
  QTest::mouseClick(Tool("CopyNetworkSetupButton"), Qt::LeftButton);
  const QImage copied = QApplication::clipboard()->image();
  EXPECT_EQ(copied.size() / copied.devicePixelRatio(), Editor->Panel()->InnerRect().size());
}

TEST_F(SetupEditorTest, ARightPressSelectsAndOpensTheElementsOwnMenu) {
  InsertUntil(2);
  TNetworkButton* network = At(1);
  QTest::mousePress(network, Qt::RightButton, Qt::NoModifier, {10, 10});
  EXPECT_EQ(Editor->SelectedNetwork(), network);
  EXPECT_TRUE(network->PopupMenu()->isVisible());
  EXPECT_FALSE(Editor->findChild<QMenu*>(QStringLiteral("NetworkSetupPopupMenu"))->isVisible());
  network->PopupMenu()->hide();
  // A right press never starts a drag.
  const QPoint place = network->pos();
  QMouseEvent move(QEvent::MouseMove, QPointF(90, 90), network->mapToGlobal(QPointF(90, 90)), Qt::NoButton,
                   Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(network, &move);
  QTest::mouseRelease(network, Qt::RightButton, Qt::NoModifier, {90, 90});
  EXPECT_EQ(network->pos(), place);
}

TEST_F(SetupEditorTest, TabAndScreenReadersMeetTheElementsInChainOrder) {
  InsertUntil(3);
  Editor->SelectNetwork(At(1));
  Editor->MoveNetwork(true);  // chain order now differs from creation order
  const QList<TNetworkButton*> chain = Editor->Networks();
  ASSERT_EQ(chain.size(), 5);

  QList<QObject*> told;
  QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(Editor->Panel());
  for (int i = 0; i < panel->childCount(); ++i)
    if (qobject_cast<TNetworkButton*>(panel->child(i)->object())) told << panel->child(i)->object();
  EXPECT_EQ(told, QList<QObject*>(chain.begin(), chain.end()));

  QApplication::setActiveWindow(Editor.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(Editor.get()));
  chain.first()->setFocus(Qt::TabFocusReason);
  for (qsizetype i = 1; i < chain.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), chain.at(i)) << i;
  }
  // A removal keeps the order of the rest.
  Editor->NetworkButtonRemove(chain.at(2));
  chain.first()->setFocus(Qt::TabFocusReason);
  for (TNetworkButton* next : {chain.at(1), chain.at(3), chain.at(4)}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), next);
  }
}

TEST_F(SetupEditorTest, TheElementsOwnMenuOpensFromTheKeyboardAndIsNamed) {
  InsertUntil(2);
  TNetworkButton* network = At(1);
  struct Way {
    const char* Name;
    std::function<void()> Open;
  };
  const Way ways[] = {
      {"Shift+F10", [network] { QTest::keyClick(network, Qt::Key_F10, Qt::ShiftModifier); }},
      {"menu key",
       [network] {
         QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(25, 25),
                                   network->mapToGlobal(QPoint(25, 25)));
         QApplication::sendEvent(network, &request);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.Name);
    way.Open();
    QMenu* menu = network->PopupMenu();
    ASSERT_TRUE(menu->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), menu);
    QAccessibleInterface* told = QAccessible::queryAccessibleInterface(menu);
    EXPECT_EQ(told->text(QAccessible::Name), network->toolTip());
    QStringList items;
    for (int i = 0; i < told->childCount(); ++i)
      if (!told->child(i)->state().invisible && told->child(i)->role() == QAccessible::MenuItem)
        items << told->child(i)->text(QAccessible::Name);
    EXPECT_EQ(items, (QStringList{"Properties...", "Remove"}));
    menu->hide();
  }
}

TEST_F(SetupEditorTest, TabbingToAnElementSelectsIt) {
  InsertUntil(2);
  Editor->SelectNetwork(Editor->Client());
  QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(At(2), &tabIn);
  EXPECT_EQ(Editor->SelectedNetwork(), At(2));
  QFocusEvent otherIn(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(At(1), &otherIn);
  EXPECT_EQ(Editor->SelectedNetwork(), At(2));
}

TEST_F(SetupEditorTest, ElementHintsAndPicturesFollowTheirValues) {
  TNetworkButton* network = At(1);
  const QImage unknown = network->icon().pixmap(40, 40).toImage();
  network->SetNetworkButtonKind(nbSatellite);
  EXPECT_NE(network->icon().pixmap(40, 40).toImage(), unknown);
  network->SetNetworkName(QStringLiteral("Satellite"));
  network->SetBandwidth(0.512);
  network->SetPropDelay(270);
  network->UpdateHint();
  EXPECT_EQ(network->toolTip(), QStringLiteral("Satellite (0.512 Mbps, 270 ms prop. delay)"));
  EXPECT_EQ(network->statusTip(), network->toolTip());
  // Setting a station kind hides removal, a network kind shows it again.
  InsertUntil(2);
  network->SetNetworkButtonKind(nbDesktopCPU);
  EXPECT_FALSE(network->RemoveItemsVisible());
  network->SetNetworkButtonKind(nbEthernet);
  EXPECT_TRUE(network->RemoveItemsVisible());
}

}  // namespace
