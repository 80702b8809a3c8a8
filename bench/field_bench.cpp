// How the strip's expression field answers and what it holds, on the platform Qt is given (run it
// under Xvfb for X11 figures: xvfb-run -a build/bin/field_bench):
//   keys        at 8,000, 32,000 and 65,535 characters, each until the field has painted it,
//               median of 21: a digit typed at the end and at the start, Backspace at the end,
//               Delete at the start, Left at the end (a caret move), Enter's press (the
//               evaluation and its result painted) and its release, and one blink of the caret
//               (the caret's rectangle repainted); the ratio of 65,535 characters to 8,000, and
//               whether each stays within its target (8 ms a key, 1.5 times the time at 8,000,
//               1 ms for Enter's release and a blink)
//   paste       an expression as long as the field's limit pasted with Ctrl+V, until painted
//   Enter       Enter pressed in the expression field until the result is painted, for 1+1 and
//               for a sum as long as the field's limit, median of 21, and the key's release after
//               it (the field then shows its caret again); the same through the keypad's "＝";
//               and for the long sum where the time goes: the text's conversion to Shift-JIS, the
//               evaluation, the strip's handling around them (history, result field, its layout),
//               and painting each field
//   memory      resident memory before, after each of five rounds of such a paste followed by
//               "&C", after a paste ten times too long (refused), and across 1,000 expressions
//               typed over the last one and evaluated, then "&C"
//   caret       CPU time over 5 s while the caret blinks in a field holding the longest expression
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "engine/engine_unit.h"
#include "engine/expr_compo.h"
#include "field/long_line_edit.h"
#include "keypad/calpad.h"
#include "look/speed_button.h"
#include "qt/application.h"
#include "runtime/cp932.h"
#include "strip/strip_window.h"

namespace {

long ResidentKiB() {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line)) {
    if (Line.rfind("VmRSS:", 0) == 0) return std::stol(Line.substr(6));
  }
  return 0;
}

double CpuSeconds() {
  rusage Usage{};
  getrusage(RUSAGE_SELF, &Usage);
  return static_cast<double>(Usage.ru_utime.tv_sec + Usage.ru_stime.tv_sec) +
         static_cast<double>(Usage.ru_utime.tv_usec + Usage.ru_stime.tv_usec) / 1e6;
}

void Settle() {
  for (int Round = 0; Round < 3; ++Round) QCoreApplication::processEvents();
}

// An expression of Length characters: 1+1+...+1.
QString Sum(int Length) {
  QString Text = QString("1+").repeated(Length / 2) + "1";
  Text.truncate(Length);
  if (Text.endsWith('+')) Text.back() = '1';
  return Text;
}

double MillisecondsOf(const std::function<void()>& Action) {
  QElapsedTimer Clock;
  Clock.start();
  Action();
  return static_cast<double>(Clock.nsecsElapsed()) / 1e6;
}

void Paste(QWidget* Field, const QString& Text) {
  QGuiApplication::clipboard()->setText(Text);
  QTest::keyClick(Field, Qt::Key_V, Qt::ControlModifier);
}

// What the event loop does next after an input event: the posted layout and update requests,
// whose painting ends with the windows' contents handed to the window system.
void PaintPending() { QCoreApplication::sendPostedEvents(); }

double Median(std::vector<double> Times) {
  std::nth_element(Times.begin(), Times.begin() + Times.size() / 2, Times.end());
  return Times[Times.size() / 2];
}

// The median of 21 runs of Action, each after the field holds Text again and all is painted.
double MedianOf(TLongLineEdit* Field, const QString& Text, const std::function<void()>& Action) {
  std::vector<double> Times;
  for (int Round = 0; Round < 21; ++Round) {
    if (Field->text() != Text) Field->setText(Text);
    Settle();
    Times.push_back(MillisecondsOf(Action));
  }
  return Median(Times);
}

// A key (with its release) sent to the field, then what the event loop does next until painted.
void Key(QWidget* Field, Qt::Key Pressed) {
  QTest::keyClick(Field, Pressed);
  PaintPending();
}

// The keys at each length, each timed from a field that holds the sum with its caret at Caret.
void MeasureKeys(TVellox1& Strip) {
  TLongLineEdit* Field = Strip.Edit1;
  struct TColumn {
    const char* Name;
    bool AtStart;                // the caret at the text's start, else at its end
    std::function<void()> Action;
    double Target;               // ms
    std::function<void()> Before = [] {};  // untimed
  };
  const std::vector<TColumn> Columns = {
      {"key at end", false, [&] { Key(Field, Qt::Key_1); }, 8.0},
      {"key at start", true, [&] { Key(Field, Qt::Key_1); }, 8.0},
      {"Backspace", false, [&] { Key(Field, Qt::Key_Backspace); }, 8.0},
      {"Delete", true, [&] { Key(Field, Qt::Key_Delete); }, 8.0},
      {"caret move", false, [&] { Key(Field, Qt::Key_Left); }, 8.0},
      {"Enter", false, [&] {
         QTest::keyPress(Field, Qt::Key_Return);
         PaintPending();
       }, 16.7},
      // The release follows the press, as a person's does.
      {"its release", false, [&] {
         QTest::keyRelease(Field, Qt::Key_Return);
         PaintPending();
       }, 1.0, [&] { QTest::keyPress(Field, Qt::Key_Return); }},
      // What a blink repaints: the caret's rectangle.
      {"caret blink", false, [&] { Field->repaint(Field->CaretRect()); }, 1.0},
  };
  const std::vector<int> Lengths = {8000, 32000, TVellox1::kExpressionLimit - 1};
  // Round by round over every length and column, so that a slow spell of the machine (a virtual
  // machine's host, the clock's frequency) falls on every length alike and not on one of them.
  std::vector<std::vector<std::vector<double>>> Rounds(
      Columns.size(), std::vector<std::vector<double>>(Lengths.size()));
  for (int Round = 0; Round < 21; ++Round) {
    for (std::size_t Row = 0; Row < Lengths.size(); ++Row) {
      const QString Text = Sum(Lengths[Row]);
      for (std::size_t Column = 0; Column < Columns.size(); ++Column) {
        if (Field->text() != Text) Field->setText(Text);
        Field->setCursorPosition(Columns[Column].AtStart ? 0 : Lengths[Row]);
        Columns[Column].Before();
        Settle();
        Rounds[Column][Row].push_back(MillisecondsOf(Columns[Column].Action));
      }
    }
  }
  std::vector<std::vector<double>> Times(Columns.size());
  for (std::size_t Column = 0; Column < Columns.size(); ++Column)
    for (const std::vector<double>& Cell : Rounds[Column]) Times[Column].push_back(Median(Cell));
  // Other programs' work on the machine shows in these wall-clock times: the load is given with them.
  std::ifstream LoadAverage("/proc/loadavg");
  double Load = 0;
  LoadAverage >> Load;
  std::printf("\nthe expression field, until painted (ms, median of 21; load average %.2f)\n%-12s", Load,
              "characters");
  for (const TColumn& Column : Columns) std::printf("  %12s", Column.Name);
  for (std::size_t Row = 0; Row < Lengths.size(); ++Row) {
    std::printf("\n%-12d", Lengths[Row]);
    for (std::size_t Column = 0; Column < Columns.size(); ++Column) std::printf("  %12.2f", Times[Column][Row]);
  }
  std::printf("\n%-12s", "65535/8000");
  for (std::size_t Column = 0; Column < Columns.size(); ++Column)
    std::printf("  %12.2f", Times[Column].back() / Times[Column].front());
  std::printf("\nwithin target at 65,535 characters (8 ms a key or caret move, 16.7 ms Enter with its evaluation,\n"
              "1 ms Enter's release and a caret blink; 1.5 the ratio of the keys to 8,000 characters):\n");
  for (std::size_t Column = 0; Column < Columns.size(); ++Column) {
    const double AtLimit = Times[Column].back();
    const double Ratio = AtLimit / Times[Column].front();
    const bool IsKey = Columns[Column].Target == 8.0;
    std::printf("  %-12s %6.2f ms %s", Columns[Column].Name, AtLimit, AtLimit <= Columns[Column].Target ? "yes" : "NO");
    if (IsKey) std::printf(", ratio %.2f %s", Ratio, Ratio <= 1.5 ? "yes" : "NO");
    std::printf("\n");
  }
}

// Enter, or the keypad's "＝", until the result is painted; then where the time of the long sum
// goes, each part measured alone in the same way.
void MeasureEnter(TVellox1& Strip, TCalPad1& Pad) {
  TLongLineEdit* Field = Strip.Edit1;
  const QString Short = "1+1";
  const QString Long = Sum(TVellox1::kExpressionLimit);
  // The release comes later, as a person's does, and is timed on its own.
  std::vector<double> Presses, Releases;
  const auto Enter = [&] {
    Presses.push_back(MillisecondsOf([&] {
      QTest::keyPress(Field, Qt::Key_Return);
      PaintPending();
    }));
    Releases.push_back(MillisecondsOf([&] {
      QTest::keyRelease(Field, Qt::Key_Return);
      PaintPending();
    }));
  };
  MedianOf(Field, Short, Enter);
  const double EnterShort = Median(Presses), ReleaseShort = Median(Releases);
  const QString ShortResult = Strip.Edit2->text();
  Presses.clear();
  Releases.clear();
  MedianOf(Field, Long, Enter);
  const double EnterLong = Median(Presses), ReleaseLong = Median(Releases);
  const QString LongResult = Strip.Edit2->text();
  const double Handling = MedianOf(Field, Long, [&] {
    QTest::keyPress(Field, Qt::Key_Return);
    QTest::keyRelease(Field, Qt::Key_Return);
  });
  std::string Bytes;
  const double Conversion = MedianOf(Field, Long, [&] { Bytes = Utf8ToCp932(Field->text().toStdString()); });
  TExprCompo Alone;  // no handlers: the evaluation only
  Alone.Expression = Bytes;
  const double Evaluation = MedianOf(Field, Long, [&] { Alone.Calculate(); });
  const auto Painting = [&](QWidget* Part) {
    return MedianOf(Field, Long, [&] {
      Part->update();
      PaintPending();
    });
  };
  const double PaintingExpression = Painting(Field);
  const double PaintingResult = Painting(Strip.Edit2);

  Strip.PadOpen(nullptr);
  if (!QTest::qWaitForWindowExposed(&Pad)) std::printf("the keypad was not shown: its figures are off-screen\n");
  TSpeedButton* Equals = Pad.SpeedButtons[10];
  const auto PadEnter = [&] {
    Equals->click();
    PaintPending();
  };
  const double PadShort = MedianOf(Field, Short, PadEnter);
  const double PadLong = MedianOf(Field, Long, PadEnter);
  Pad.close();
  Settle();

  std::printf("\n%10s  %10s  %16s  %14s  %s\n", "characters", "Enter (ms)", "its release (ms)", "keypad ＝ (ms)",
              "result");
  std::printf("%10lld  %10.2f  %16.2f  %14.2f  %s\n", static_cast<long long>(Short.size()), EnterShort, ReleaseShort,
              PadShort, qPrintable(ShortResult));
  std::printf("%10lld  %10.2f  %16.2f  %14.2f  %s\n", static_cast<long long>(Long.size()), EnterLong, ReleaseLong,
              PadLong, qPrintable(LongResult));
  std::printf("Enter to the painted result within one 60 Hz frame (16.7 ms) at the field's limit: %s\n",
              EnterLong <= 16.7 ? "yes" : "no");
  std::printf("the long sum's Enter, part by part (ms): press and release handled without painting %.2f,\n"
              "  of which the conversion to Shift-JIS %.2f and the evaluation %.2f (the rest: history,\n"
              "  result field, layout); painting the expression field %.2f, the result field %.2f\n",
              Handling, Conversion, Evaluation, PaintingExpression, PaintingResult);
}

}  // namespace

int main(int argc, char** argv) {
  EngineUnit Engine;
  QApplication App(argc, argv);
  App.setQuitOnLastWindowClosed(false);
  QStringList Refused;
  Application::SetExceptionReporter([&](const QString& Message) { Refused << Message; });
  Application::SetBellRinger([] {});
  TVellox1 Strip;
  Strip.show();
  TCalPad1 Pad;
  if (!QTest::qWaitForWindowExposed(&Strip)) std::printf("the strip was not shown: figures are off-screen\n");
  TLongLineEdit* Field = Strip.Edit1;
  Field->setFocus();
  std::printf("platform %s, expression limit %d characters\n", qPrintable(QGuiApplication::platformName()),
              TVellox1::kExpressionLimit);

  MeasureKeys(Strip);

  MeasureEnter(Strip, Pad);

  const QString Longest = Sum(TVellox1::kExpressionLimit);
  Strip.Clear(nullptr);
  Settle();
  const double PasteMs = MillisecondsOf([&] {
    Paste(Field, Longest);
    Field->repaint();
  });
  std::printf("\npaste of %lld characters: %.1f ms\n", static_cast<long long>(Longest.size()), PasteMs);

  Strip.Clear(nullptr);
  Settle();
  std::printf("\nresident memory (KiB)\n%-40s %8ld\n", "before", ResidentKiB());
  for (int Round = 1; Round <= 5; ++Round) {
    Paste(Field, Longest);
    Settle();
    const long Pasted = ResidentKiB();
    Strip.Clear(nullptr);
    Settle();
    std::printf("round %d: after the paste %8ld, after &C %8ld\n", Round, Pasted, ResidentKiB());
  }
  Paste(Field, Sum(10 * TVellox1::kExpressionLimit));
  Settle();
  std::printf("%-40s %8ld (%s, field holds %lld)\n", "after a paste ten times too long", ResidentKiB(),
              Refused.isEmpty() ? "taken" : "refused", static_cast<long long>(Field->text().size()));
  QGuiApplication::clipboard()->clear();
  const long BeforeTyping = ResidentKiB();
  for (int Expression = 0; Expression < 1000; ++Expression) {
    QTest::keyClick(Field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(Field, QString("%1*%2+3.5").arg(Expression).arg(Expression % 7));
    QTest::keyClick(Field, Qt::Key_Return);
  }
  Settle();
  const long AfterTyping = ResidentKiB();
  Strip.Clear(nullptr);
  Settle();
  std::printf("1,000 typed expressions: before %ld, after %ld, after &C %ld\n", BeforeTyping, AfterTyping,
              ResidentKiB());

  Field->setText(Longest);
  Strip.activateWindow();
  Field->setFocus();
  Settle();
  if (!QTest::qWaitForWindowActive(&Strip)) std::printf("\nthe strip is not active\n");
  if (!Field->hasFocus()) std::printf("\nthe field has no focus: its caret does not blink\n");
  const double CpuBefore = CpuSeconds();
  QTimer::singleShot(5000, &App, &QCoreApplication::quit);
  App.exec();
  std::printf("\ncaret blinking over %lld characters for 5 s: %.1f%% of a core\n",
              static_cast<long long>(Longest.size()), (CpuSeconds() - CpuBefore) / 5.0 * 100.0);
  return 0;
}
