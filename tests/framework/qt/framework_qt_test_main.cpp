#include <gtest/gtest.h>

#include <QApplication>

// framework/qt's suites need an application object; they run on Qt's offscreen platform.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
