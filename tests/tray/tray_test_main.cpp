#include <gtest/gtest.h>

#include <QApplication>

// The tray suites run on Qt's offscreen platform with a real application object and event loop.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
