#include <gtest/gtest.h>

#include <QApplication>

#include "engine/engine_unit.h"

// The window suites run on Qt's offscreen platform with the engine started as the program does.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  EngineUnit Engine;
  QApplication App(argc, argv);
  App.setQuitOnLastWindowClosed(false);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
