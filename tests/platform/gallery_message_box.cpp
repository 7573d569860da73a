#include "platform/ui/qt_prompts.h"
#include "support/gallery.h"

#include <gtest/gtest.h>

TEST(Gallery, MessageWithALongPath) {
  const QString path = QStringLiteral("/home/school/classroom/data/") + QStringLiteral("melodyfile").repeated(30) +
                       QStringLiteral(".txt");
  auto box = platform::ui::makeBox(QMessageBox::Information, QStringLiteral("pelmora"),
                                   path + QStringLiteral("に書き込めません（名前が長すぎます）"), QMessageBox::Ok,
                                   nullptr);
  testsupport::saveToGallery(*box, "message-long-path");
}
