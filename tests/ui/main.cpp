// The window tests run on one QApplication, offscreen unless QT_QPA_PLATFORM says otherwise.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // No test needs a real display; without one given, draw offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // No test may reach a real printer: the print system sees a CUPS server that is not there, so
  // the machine has no printers whatever is installed on it.
  qputenv("CUPS_SERVER", "/nonexistent/velmora-tests/cups.sock");
  qunsetenv("PRINTER");
  qunsetenv("LPDEST");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
