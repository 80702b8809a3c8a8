#include "reading/number_folding.h"

#include <QLocale>

namespace {

bool IsDigit(QChar Character) { return Character >= u'0' && Character <= u'9'; }

bool IsDigitAt(const QString& Text, qsizetype Index) {
  return Index >= 0 && Index < Text.size() && IsDigit(Text[Index]);
}

// A character that continues a name or a number: a digit run after it is part of that token.
bool ContinuesToken(QChar Character) {
  return Character.isLetterOrNumber() || Character == u'_' || Character == u'.' || Character.unicode() > 0x7F;
}

// Where the digit run starting at Start ends when an exponent follows it at once ("1E20",
// "12e-3"); -1 otherwise.
qsizetype ExponentAfterDigits(const QString& Text, qsizetype Start) {
  qsizetype End = Start;
  while (IsDigitAt(Text, End)) ++End;
  if (End == Start || End >= Text.size() || (Text[End] != u'E' && Text[End] != u'e')) return -1;
  qsizetype Digit = End + 1;
  if (Digit < Text.size() && (Text[Digit] == u'+' || Text[Digit] == u'-')) ++Digit;
  return IsDigitAt(Text, Digit) ? End : -1;
}

}  // namespace

qsizetype TFoldedExpression::TypedIndex(qsizetype Index) const {
  qsizetype Shift = 0;
  for (const qsizetype At : Insertions) {
    const qsizetype Start = At + Shift;
    if (Index < Start) break;
    if (Index < Start + 2) return At;
    Shift += 2;
  }
  return Index - Shift;
}

QChar StripDecimalSeparator() { return QLocale().decimalPoint() == QLatin1String(",") ? u',' : u'.'; }

TFoldedExpression FoldNumbers(const QString& Typed, QChar DecimalSeparator) {
  TFoldedExpression Folded{Typed, Typed, DecimalSeparator, {}};
  QString& Text = Folded.Text;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    if (Typed[I] == u';') {
      Text[I] = u',';
    } else if (Typed[I] == u',' && DecimalSeparator == u',' && IsDigitAt(Typed, I - 1) && IsDigitAt(Typed, I + 1)) {
      Text[I] = u'.';
    }
  }
  // The decimal points are in place, so a digit run after one is a fraction and needs nothing.
  QString WithFractions;
  qsizetype Copied = 0;
  for (qsizetype I = 0; I < Text.size(); ++I) {
    if (!IsDigit(Text[I]) || (I > 0 && ContinuesToken(Text[I - 1]))) continue;
    const qsizetype End = ExponentAfterDigits(Text, I);
    if (End < 0) {
      while (IsDigitAt(Text, I + 1)) ++I;
      continue;
    }
    WithFractions += QStringView(Text).mid(Copied, End - Copied);
    WithFractions += QLatin1String(".0");
    Folded.Insertions.push_back(End);
    Copied = End;
    I = End;
  }
  if (!Folded.Insertions.empty()) Text = WithFractions + Text.mid(Copied);
  return Folded;
}
