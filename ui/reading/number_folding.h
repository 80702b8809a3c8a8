#pragma once

#include <QChar>
#include <QString>

#include <vector>

// The expression as the engine reads it, from the text the strip's field shows. The strip shows
// results with the locale's decimal separator, and what it shows must read back:
//   - where that separator is ",", a "," between two digits is a decimal point, folded to ".";
//   - ";" separates a function's arguments, folded to "," (in every locale, so that the same
//     text works everywhere; where "," is a decimal point it is the only separator);
//   - a number written with an exponent but no fraction, as results are shown ("1E20", "1E-5"),
//     gets the fraction ".0" that the expression language needs before an exponent.
// Nothing else changes: no grouping separators are read, and the field keeps what was typed.
struct TFoldedExpression {
  QString Typed;
  QString Text;  // what is evaluated
  QChar DecimalSeparator;
  // Where ".0" went in, as indices of the typed text, ascending; every other character of the
  // folded text stands at its typed index plus twice the insertions before it.
  std::vector<qsizetype> Insertions;

  // The index in the typed text of the character at Index of the folded text (the exponent's
  // letter for an inserted fraction).
  qsizetype TypedIndex(qsizetype Index) const;
};

// The decimal separator of the results the strip shows: the locale's where it is ",", else ".".
// (A locale's other separators, such as the Arabic one, have no Shift-JIS form to read back.)
QChar StripDecimalSeparator();

TFoldedExpression FoldNumbers(const QString& Typed, QChar DecimalSeparator);
