#include "platform/ui/widgets.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTest>

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

TEST(AppWindow, PullsAPlaceOffEveryScreenBack) {
  const QList<QRect> screens{QRect(0, 0, 1024, 768)};
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(100, 50, 300, 200), screens), QPoint(100, 50));
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(5000, -400, 300, 200), screens), QPoint(724, 0));
  EXPECT_EQ(AppWindow::clampedToScreen(QRect(-3000, 9000, 300, 200), screens), QPoint(0, 568));
}
