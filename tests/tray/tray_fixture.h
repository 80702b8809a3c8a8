#pragma once

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

#include "qt/application.h"
#include "qt/icon.h"
#include "recording_shell.h"
#include "tray/tray_icon.h"

// Each test gets a fresh recording shell, a form to own the components, and a record of the
// exceptions the application's guard reported.
class TrayTest : public ::testing::Test {
protected:
  RecordingShell Shell;
  std::unique_ptr<QWidget> Form;
  QStringList Reported;
  TIcon Image;

  void SetUp() override;
  void TearDown() override;

  // Lets the event loop run for the given time.
  static void Pump(int Milliseconds);
};
