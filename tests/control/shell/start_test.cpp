#include "control/shell/pelmora_app.h"
#include "control/shell/tform1.h"
#include "platform/ui/simulated_board_window.h"
#include "support/test_context.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace pelmora;
using testsupport::TestContext;

TEST(Start, PupilNumberBoxHasTheFocusAlsoBesideTheBoardWindow) {
  TestContext t;
  PelmoraWindows w(t.ctx);
  platform::ui::SimulatedBoardWindow board(t.board);
  showStartWindows(*w.form1, &board);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w.form1.get()));
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), w.form1.get());
  EXPECT_EQ(QApplication::focusWidget(), w.form1->Edit1);
  EXPECT_TRUE(board.isVisible());
}
