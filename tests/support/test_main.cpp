// Test programs run headless: the offscreen platform unless one is set.
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include "platform/ui/widgets.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  platform::ui::installAccessibility();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
