#include "platform/ui/widgets.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QApplication>

#include <gtest/gtest.h>

using platform::ui::AppWindow;
using platform::ui::LedRow;
using platform::ui::PanelButton;

TEST(PanelButton, ClicksOnReleaseInsideAndSpeaksAsAButton) {
  QWidget w;
  PanelButton b(&w, QStringLiteral("スタート　"), 0, 0, 80, 30);
  QSignalSpy spy(&b, &PanelButton::clicked);
  w.show();
  QTest::mouseClick(&b, Qt::LeftButton);
  EXPECT_EQ(spy.count(), 1);
  QTest::mousePress(&b, Qt::LeftButton);
  QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_EQ(spy.count(), 1);
  b.setEnabled(false);
  b.click();
  EXPECT_EQ(spy.count(), 1);
  b.setEnabled(true);

  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(&b);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::Button);
  EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("スタート"));
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(spy.count(), 2);
}

TEST(LedRow, ShowsAndSumsBits) {
  QWidget w;
  LedRow row(&w, 0, 0);
  row.showValue(129);
  EXPECT_TRUE(row.isLit(7));
  EXPECT_TRUE(row.isLit(0));
  EXPECT_FALSE(row.isLit(3));
  EXPECT_EQ(row.litValue(), 129);
  row.toggle(7);
  EXPECT_EQ(row.litValue(), 1);
  EXPECT_LT(row.panel(7)->x(), row.panel(0)->x());
}

TEST(AppWindow, PullsTheWholeWindowOntoTheScreenItIsMostlyOn) {
  const QList<QRect> one{QRect(0, 0, 1024, 768)};
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(100, 50, 300, 200), one), QPoint(100, 50));
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(5000, -400, 300, 200), one), QPoint(724, 0));
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(-3000, 9000, 300, 200), one), QPoint(0, 568));
  // The corner on the screen, the rest off it: pulled in by no more than needed.
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(900, 700, 300, 200), one), QPoint(724, 568));
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(-20, 100, 300, 200), one), QPoint(0, 100));
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(0, 0, 1024, 768), one), QPoint(0, 0));
  // Larger than the screen: its top-left corner stays reachable.
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(-50, -50, 2000, 1000), one), QPoint(0, 0));

  // Two screens side by side, the right one smaller and lower.
  const QList<QRect> two{QRect(0, 0, 1024, 768), QRect(1024, 100, 800, 600)};
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(1100, 150, 300, 200), two), QPoint(1100, 150));
  // Mostly on the right screen though its corner is on the left one.
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(1000, 600, 300, 200), two), QPoint(1024, 500));
  // Mostly on the left screen.
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(800, 50, 300, 200), two), QPoint(724, 50));
  // Off both: onto the nearest.
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(3000, 300, 300, 200), two), QPoint(1524, 300));
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(100, 100, 300, 200), {}), QPoint(100, 100));
}

TEST(AppWindow, HasATitleBarWithoutButtons) {
  AppWindow w;
  const Qt::WindowFlags f = w.windowFlags();
  EXPECT_TRUE(f & Qt::WindowTitleHint);
  EXPECT_TRUE(f & Qt::CustomizeWindowHint);
  EXPECT_FALSE(f & (Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint |
                    Qt::WindowContextHelpButtonHint));
}

TEST(AppWindow, ComesBackWhereItWasLeftWithItsFrame) {
  AppWindow w;
  w.setFixedSize(300, 200);
  w.placeAt(200, 300);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(300, 200));
  EXPECT_EQ(w.pos(), QPoint(300, 200));
  for (int visit = 0; visit < 3; ++visit) {
    const QPoint left = w.pos();
    w.hide();
    w.placeAt(left.y(), left.x());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.pos(), QPoint(300, 200)) << "visit " << visit;
  }
  // A shown window placed again moves by its frame too.
  w.placeAt(0, 0);
  EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(0, 0));
}

TEST(AppWindow, EndingTheProgramIsNotHeldUpByAWindowThatRefusesToClose) {
  AppWindow refuses;
  refuses.show();
  QTimer::singleShot(0, [] { platform::ui::endProgram(); });
  // Should the end be refused, the loop ends here with another code.
  QTimer::singleShot(1000, [] { QCoreApplication::exit(7); });
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_TRUE(refuses.isVisible());
}
