// The window tests run on one QApplication, offscreen unless QT_QPA_PLATFORM says otherwise.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // No test needs a real display; without one given, draw offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
