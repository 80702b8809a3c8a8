#pragma once

#include <QColor>
#include <QKeyCombination>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QLineEdit;
class TLongLineEdit;

// The strip's result field and what it shows, beside the expression field it answers:
//   nothing   empty, greyed and silver (the no-result look of ui_palette.h): at start, after a
//             clear, while an evaluation runs and after one that raised a fault
//   message   why the expression did not parse, greyed and silver
//   result    the value of the expression beside it, in the window colour; its text in the mark
//             colour when the evaluation read variables no assignment had set, which the tool
//             tip names
//   stale     the last value once the expression was edited: silver with greyed text (the mark
//             colour stays), still there to read and copy; undoing the edit makes it a result
//             again
// The field is read-only. Its look follows from this state in one place (Show).
class TResultField : public QObject {
  Q_OBJECT
public:
  // AnswerKey: the key that inserts the value into the expression, which the tool tip names.
  TResultField(QLineEdit* Field, TLongLineEdit* ExpressionField, QKeyCombination AnswerKey);

  void ShowNothing();
  // Message in the field, Detail in its tool tip.
  void ShowMessage(const QString& Message, const QString& Detail);
  // The value of the expression the expression field holds now; Unassigned names the variables
  // it read unassigned.
  void ShowResult(const QString& Value, const QStringList& Unassigned);

  // The last value while the field holds it, stale or not; none after a failure or a clear.
  std::optional<QString> LastAnswer() const;
  // The value that stands beside the expression as it is now: empty unless a result is shown
  // and the expression is the one it was computed from.
  QString CurrentResult() const;
  bool Stale() const;
  // What a screen reader says of the field as it is now: the value with its mark's note, or the
  // message with its detail; empty when it shows nothing.
  QString Announcement() const;
  // Shows the look again in the colours the palette gives now.
  void Recolour() { Show(); }

private:
  enum class TKind { Nothing, Message, Result };
  QLineEdit* Field;
  TLongLineEdit* Expression;
  const QString AnswerNote;
  TKind Kind = TKind::Nothing;
  QString Text;
  QString Detail;         // of a message
  QStringList Unassigned;  // of a result
  QString Evaluated;      // the expression the result belongs to
  bool ShownStale = false;  // whether the look shown is the stale one

  void Show();
};
