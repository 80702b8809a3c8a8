#pragma once

#include <QChar>
#include <QString>

// What the keypad has been given so far: the expression built on it, the number being entered,
// and the answer its field shows after "＝". Each button or typed key is one step here; a step
// says what the strip must do with it, and the keypad's field always shows Field(). No widgets:
// the keypad window only passes its buttons and keys on and shows what the entry says.
class TPadEntry {
public:
  // What a step asks of the window besides showing Field() anew.
  enum class TAction {
    None,            // nothing changed: neither field is written
    Bell,            // a digit the strip's expression field has no room for: nothing changed
    ShowExpression,  // the strip's expression field shows PadExpr
    Answer,          // the strip evaluates its expression; then ShowAnswer with what it shows
    Clear,           // the strip empties both its fields
  };

  // Limit: the most characters the strip's expression field holds.
  explicit TPadEntry(qsizetype Limit) : Limit(Limit) {}

  // The whole expression built so far, and the digits of the number being entered since the last
  // operator, "＝" or "Ｃ". Plain ASCII: digits and "*", "/", "+", "-".
  QString PadExpr;
  QString PadNumber;

  // What the keypad's field shows: the number being entered, or the answer since "＝".
  QString Field() const { return PadNumber.isEmpty() ? ShownAnswer : PadNumber; }

  // A digit button: the digit ends both strings.
  TAction Digit(QChar Digit);
  // An operator button ('*', '/', '+', '-'): taken only while the field shows something (a number,
  // or an answer, which it does not carry into the new expression), so never twice in a row.
  TAction Operator(QChar Operator);
  // "＝": both strings and the field empty; the answer comes with ShowAnswer once the strip has
  // evaluated. Should the evaluation fail with an exception, everything stays empty.
  TAction Answer();
  void ShowAnswer(const QString& Result) { ShownAnswer = Result; }
  // "Ｃ": everything empty, the strip's fields too.
  TAction Clear();
  // Backspace: the last digit of the number being entered goes, from both strings; an operator
  // or an answer stays in the expression, and the field then shows the number, empty or not.
  TAction Backspace();
  // A character typed, committed or pasted into the keypad's field: digits and the four
  // operators as their buttons, Enter as "＝", Backspace; anything else changes nothing.
  TAction Type(QChar Key);

private:
  qsizetype Limit;
  QString ShownAnswer;  // the strip's result after "＝", until the next step
};
