#include "platform/ui/qt_prompts.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

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
  EXPECT_EQ(QString(label->text()).remove(QChar(0x200B)), text);
  box->hide();
}
