#include "reading/parse_error_text.h"

#include <QCoreApplication>

#include <algorithm>

#include "runtime/cp932.h"

namespace {

QString FromCp932(const std::string& Text) { return QString::fromStdString(Cp932ToUtf8(Text)); }

// The context of these words in the translation.
struct TParseErrorWords {
  Q_DECLARE_TR_FUNCTIONS(TParseErrorWords)
};

}  // namespace

TParseErrorText DescribeParseError(TParseError Error, const std::string& Expression, size_t Position,
                                   const TFoldedExpression& Folded) {
  const size_t Stop = std::min(Position, Expression.size());
  const QString Before = Folded.Typed.left(Folded.TypedIndex(FromCp932(Expression.substr(0, Stop)).size()));
  const QString After = Folded.Typed.mid(Before.size());
  TParseErrorText Text;
  Text.Caret = static_cast<int>(Before.size());
  if (Error == peStackOverflow) {
    Text.Message = TParseErrorWords::tr("入れ子が深すぎます");
    Text.Detail = TParseErrorWords::tr("式の入れ子が深すぎます（括弧は 1021 重まで）");
    return Text;
  }
  Text.Message = TParseErrorWords::tr("構文エラー");
  if (Before.trimmed().isEmpty() && After.isEmpty()) {
    Text.Detail = TParseErrorWords::tr("構文エラー: 式がありません");
  } else if (After.isEmpty()) {
    Text.Detail = TParseErrorWords::tr("構文エラー: 式が途中で終わっています");
  } else {
    Text.Detail = TParseErrorWords::tr("構文エラー: %1 文字目の「%2」を読めません").arg(Text.Caret + 1).arg(After.front());
  }
  // Where "," is a decimal point, "power(2,10)" reads as one argument.
  if (Folded.DecimalSeparator == u',' && Folded.Typed.contains(u','))
    Text.Detail += u'\n' + TParseErrorWords::tr("この地域の設定では「,」は小数点です。関数の引数は「;」で区切ってください（例: power(2;10)）");
  return Text;
}
