#include "platform/ui/qt_prompts.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

TEST(QtPrompts, AMessageWithALongPathWrapsInsideItsBox) {
  // A file name longer than the file system takes: the failure message names it.
  const QString path = QStringLiteral("/home/school/classroom/data/") + QStringLiteral("melodyfile").repeated(30) +
                       QStringLiteral(".txt");
  const QString text = path + QStringLiteral("に書き込めません（名前が長すぎます）");
  auto box = platform::ui::makeBox(QMessageBox::Information, QStringLiteral("pelmora"), text, QMessageBox::Ok, nullptr);
  box->show();
  QApplication::processEvents();

  const QRect screen = box->screen()->availableGeometry();
  EXPECT_LT(box->frameGeometry().width(), screen.width());
  auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
  ASSERT_NE(label, nullptr);
  // Every character is laid out inside the label: none cut off at its edge.
  EXPECT_LE(label->heightForWidth(label->width()), label->height());
  EXPECT_LE(label->fontMetrics().horizontalAdvance(QStringLiteral("melodyfile").repeated(3)), label->width());
  // It takes as many lines as it needs at that width: the path breaks inside its run, none goes past the edge.
  const int width = label->contentsRect().width();
  const QFontMetrics metrics = label->fontMetrics();
  EXPECT_LE(label->sizeHint().width(), width);
  EXPECT_GE(label->heightForWidth(width) / metrics.height() * width, metrics.horizontalAdvance(text));
  // What the pupil reads, hears or copies is the message itself.
  EXPECT_EQ(label->text(), text);
  EXPECT_EQ(box->text(), text);
  QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(label);
  EXPECT_EQ(heard->role(), QAccessible::StaticText);
  EXPECT_EQ(heard->text(QAccessible::Name), text);
  QTest::keySequence(label, QKeySequence::SelectAll);
  QTest::keySequence(label, QKeySequence::Copy);
  EXPECT_EQ(QApplication::clipboard()->text(), text);
  box->hide();
}
