#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLineEdit;
class TSpeedButton;

// The keypad: a small always-on-top window with buttons for the digits and the four operators.
// It builds an expression in PadExpr and PadNumber, writes it into the strip's expression field
// and evaluates it there with the strip's Answer; the strip takes no input while it is open.
// Closing it hides it; the strings outlive that.
class TCalPad1 : public QWidget {
  Q_OBJECT
public:
  explicit TCalPad1(QWidget* Parent = nullptr);

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
  void SpeedButton1Click(QObject*) { DigitClick('1'); }
  void SpeedButton2Click(QObject*) { DigitClick('2'); }
  void SpeedButton3Click(QObject*) { DigitClick('3'); }
  void SpeedButton4Click(QObject*) { DigitClick('4'); }
  void SpeedButton5Click(QObject*) { DigitClick('5'); }
  void SpeedButton6Click(QObject*) { DigitClick('6'); }
  void SpeedButton7Click(QObject*) { DigitClick('7'); }
  void SpeedButton8Click(QObject*) { DigitClick('8'); }
  void SpeedButton9Click(QObject*) { DigitClick('9'); }
  void SpeedButton10Click(QObject*) { DigitClick('0'); }
  void SpeedButton13Click(QObject*) { OperatorClick('*'); }
  void SpeedButton14Click(QObject*) { OperatorClick('/'); }
  void SpeedButton15Click(QObject*) { OperatorClick('+'); }
  void SpeedButton16Click(QObject*) { OperatorClick('-'); }

  // Moves the keypad onto the primary monitor when no monitor shows its title bar any more (after
  // a change of the monitors), so that it can always be reached.
  void KeepReachable();

protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;

private:
  QString FieldText;  // what the keypad last wrote into its field
  // The captions' colours, from the keypad's palette as it is now.
  void ShowColours();
  void ShowInField(const QString& Text);
  void PasteKeys(QLineEdit* Field, const QString& Pasted);
  void DigitClick(char Digit);
  void OperatorClick(char Operator);
  void Backspace();
};

// The keypad, created hidden at start-up.
extern TCalPad1* CalPad1;

// The whole expression built on the keypad, and the digits of the number being entered. Plain
// ASCII; they keep their values while the keypad is hidden.
extern QString PadExpr;
extern QString PadNumber;
