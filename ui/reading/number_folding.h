#pragma once

#include <QChar>
#include <QString>

#include <cstddef>
#include <vector>

// The expression as the engine reads it, from the text the strip's field shows. The strip shows
// results with the locale's decimal separator, and what it shows must read back:
//   - where that separator is ",", a "," between two digits is a decimal point, folded to "."
//     (the strip's own rule: vellox-calc reads "." in every locale);
//   - then the fold both front ends share (engine/typed_expression.h): ";" separates a function's
//     arguments (in every locale; where "," is a decimal point it is the only separator), and a
//     number with an exponent but no fraction ("1E20", "1E-5") gets the fraction ".0".
// Nothing else changes: no grouping separators are read, and the field keeps what was typed.
struct TFoldedExpression {
  QString Typed;
  QString Text;  // what is evaluated
  QChar DecimalSeparator;
  // Where ".0" went in, as indices of the typed text, ascending.
  std::vector<size_t> Insertions;

  // The index in the typed text of the character at Index of the folded text (the exponent's
  // letter for an inserted fraction).
  qsizetype TypedIndex(qsizetype Index) const;
};

// The decimal separator of the results the strip shows: the locale's where it is ",", else ".".
// (A locale's other separators, such as the Arabic one, have no Shift-JIS form to read back.)
QChar StripDecimalSeparator();

TFoldedExpression FoldNumbers(const QString& Typed, QChar DecimalSeparator);
