#include "keypad/pad_entry.h"

TPadEntry::TAction TPadEntry::Digit(QChar Digit) {
  if (PadExpr.size() >= Limit) return TAction::Bell;
  PadExpr += Digit;
  PadNumber += Digit;
  ShownAnswer.clear();
  return TAction::ShowExpression;
}

TPadEntry::TAction TPadEntry::Operator(QChar Operator) {
  if (Field().isEmpty()) return TAction::None;
  PadExpr += Operator;
  PadNumber.clear();
  ShownAnswer.clear();
  return TAction::ShowExpression;
}

TPadEntry::TAction TPadEntry::Answer() {
  Clear();
  return TAction::Answer;
}

TPadEntry::TAction TPadEntry::Clear() {
  PadExpr.clear();
  PadNumber.clear();
  ShownAnswer.clear();
  return TAction::Clear;
}

TPadEntry::TAction TPadEntry::Backspace() {
  if (!PadNumber.isEmpty()) {
    PadNumber.chop(1);
    PadExpr.chop(1);
  }
  ShownAnswer.clear();
  return TAction::ShowExpression;
}

TPadEntry::TAction TPadEntry::Type(QChar Key) {
  const char16_t Typed = Key.unicode();
  if (Typed >= u'0' && Typed <= u'9') return Digit(Key);
  switch (Typed) {
    case u'*':
    case u'/':
    case u'+':
    case u'-': return Operator(Key);
    case u'\r': return Answer();
    case u'\b': return Backspace();
    default: return TAction::None;
  }
}
