#pragma once

#include <QString>
#include <QWidget>

#include <array>

#include "keypad/pad_entry.h"

class QLineEdit;
class TSpeedButton;

// What the keypad has been given. It belongs to the keypad's unit, not to its window: it keeps
// its state while the keypad is hidden. PadExpr and PadNumber name its two strings.
extern TPadEntry PadEntry;
extern QString& PadExpr;
extern QString& PadNumber;

// The keypad: a small always-on-top window with buttons for the digits and the four operators.
// It passes its buttons and keys to PadEntry, which builds the expression, and shows what that
// says: the entry's field in its own, the expression in the strip's expression field, which it
// evaluates there with the strip's Answer; the strip takes no input while it is open. Closing it
// hides it; the entry outlives that.
class TCalPad1 : public QWidget {
  Q_OBJECT
public:
  explicit TCalPad1(QWidget* Parent = nullptr);
  ~TCalPad1() override;

  static constexpr int kLeft = 200;
  static constexpr int kTop = 103;
  // The field's width when its font needs no more for the longest result.
  static constexpr int kFieldWidth = 93;

  // Components, in declaration order: the keypad field and SpeedButton1 to SpeedButton16
  // (SpeedButtons[0] is SpeedButton1).
  QLineEdit* Edit1 = nullptr;                   // the keypad field: the number entered, or the answer
  std::array<TSpeedButton*, 16> SpeedButtons{};  // the digits, "＝", "Ｃ" and the four operators

  // Handlers, in declaration order.
  void FormClose(QObject* Sender);
  void EditKeyPress(QObject* Sender, QChar& Key);
  void ClearClick(QObject* Sender);
  void AnswerClick(QObject* Sender);
  void EditInsert(QObject* Sender);
  void SpeedButton1Click(QObject*) { Apply(PadEntry.Digit(u'1')); }
  void SpeedButton2Click(QObject*) { Apply(PadEntry.Digit(u'2')); }
  void SpeedButton3Click(QObject*) { Apply(PadEntry.Digit(u'3')); }
  void SpeedButton4Click(QObject*) { Apply(PadEntry.Digit(u'4')); }
  void SpeedButton5Click(QObject*) { Apply(PadEntry.Digit(u'5')); }
  void SpeedButton6Click(QObject*) { Apply(PadEntry.Digit(u'6')); }
  void SpeedButton7Click(QObject*) { Apply(PadEntry.Digit(u'7')); }
  void SpeedButton8Click(QObject*) { Apply(PadEntry.Digit(u'8')); }
  void SpeedButton9Click(QObject*) { Apply(PadEntry.Digit(u'9')); }
  void SpeedButton10Click(QObject*) { Apply(PadEntry.Digit(u'0')); }
  void SpeedButton13Click(QObject*) { Apply(PadEntry.Operator(u'*')); }
  void SpeedButton14Click(QObject*) { Apply(PadEntry.Operator(u'/')); }
  void SpeedButton15Click(QObject*) { Apply(PadEntry.Operator(u'+')); }
  void SpeedButton16Click(QObject*) { Apply(PadEntry.Operator(u'-')); }

  // Moves the keypad onto the primary monitor when no monitor shows its title bar any more (after
  // a change of the monitors), so that it can always be reached.
  void KeepReachable();

protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

private:
  // The captions' colours, from the keypad's palette as it is now.
  void ShowColours();
  // Shows the entry after a step: the field anew, and in the strip what the step asks of it.
  void Apply(TPadEntry::TAction Action);
  // The one place that writes the field: what the entry says it shows.
  void ShowField();
  void PasteKeys(QWidget* Field, const QString& Pasted);
};

// The keypad, created hidden at start-up.
extern TCalPad1* CalPad1;
