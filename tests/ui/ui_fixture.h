#pragma once

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

#include "calpad.h"
#include "recording_shell.h"
#include "strip_window.h"

// A strip and a keypad made as start-up makes them, with the given command line, over a recording
// notification area; exceptions the guard shows are recorded instead.
class UiTest : public ::testing::Test {
protected:
  RecordingShell Shell;
  std::unique_ptr<TVellox1> Strip;
  std::unique_ptr<TCalPad1> Pad;
  QStringList Reported;

  void SetUp() override;
  void TearDown() override;
  void Start(const QStringList& Arguments = {});
  // Lets the event loop run (paints, queued calls).
  static void Pump(int Milliseconds = 50);
  QRect Screen() const;
};
