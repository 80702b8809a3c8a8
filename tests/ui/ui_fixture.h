#pragma once

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

#include "event_pump.h"
#include "field/line_access.h"
#include "keypad/calpad.h"
#include "printers.h"
#include "recording_shell.h"
#include "strip/strip_window.h"

// A strip and a keypad made as start-up makes them, with the given command line, over a recording
// notification area; exceptions the guard shows are recorded instead.
class UiTest : public ::testing::Test {
protected:
  RecordingShell Shell;
  std::unique_ptr<TVellox1> Strip;
  std::unique_ptr<TCalPad1> Pad;
  QStringList Reported;
  int Bells = 0;  // how often the bell rang

  void SetUp() override;
  void TearDown() override;
  void Start(const QStringList& Arguments = {});
  // Lets the event loop run (paints, queued calls).
  static void Pump(int Milliseconds = 50);
  QRect Screen() const;
  // Whether Field shows its whole text: with the caret after the last character, the first one
  // still lies at the field's left edge, and the caret inside the field. Field: a line edit.
  static bool ShowsWholeText(QWidget* Field);

  // The ways text reaches a field from the clipboard or another program.
  enum class PasteWay { CtrlV, ShiftInsert, ContextMenu, Drop };
  static constexpr PasteWay kPasteWays[] = {PasteWay::CtrlV, PasteWay::ShiftInsert, PasteWay::ContextMenu,
                                            PasteWay::Drop};
  static void PasteInto(QWidget* Field, PasteWay Way, const QString& Text);
};
