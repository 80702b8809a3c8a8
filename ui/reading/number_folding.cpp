#include "reading/number_folding.h"

#include <QLocale>

#include "engine/typed_expression.h"

namespace {

bool IsDigitAt(const QString& Text, qsizetype Index) {
  return Index >= 0 && Index < Text.size() && Text[Index] >= u'0' && Text[Index] <= u'9';
}

}  // namespace

qsizetype TFoldedExpression::TypedIndex(qsizetype Index) const {
  return static_cast<qsizetype>(::TypedIndex(Insertions, static_cast<size_t>(Index)));
}

QChar StripDecimalSeparator() { return QLocale().decimalPoint() == QLatin1String(",") ? u',' : u'.'; }

TFoldedExpression FoldNumbers(const QString& Typed, QChar DecimalSeparator) {
  // One character for one, so that the shared fold's indices are the typed text's.
  QString Points = Typed;
  if (DecimalSeparator == u',') {
    for (qsizetype I = 0; I < Typed.size(); ++I) {
      if (Typed[I] == u',' && IsDigitAt(Typed, I - 1) && IsDigitAt(Typed, I + 1)) Points[I] = u'.';
    }
  }
  // The decimal points are in place, so a digit run after one is a fraction and gets none.
  auto Folded = FoldTypedExpression(std::u16string_view(QStringView(Points).utf16(), Points.size()));
  return {Typed, QString::fromStdU16String(Folded.Text), DecimalSeparator, std::move(Folded.Insertions)};
}
