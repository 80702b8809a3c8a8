#include "parse_error_text.h"

#include <algorithm>

#include "runtime/cp932.h"

namespace {

QString FromCp932(const std::string& Text) { return QString::fromStdString(Cp932ToUtf8(Text)); }

}  // namespace

TParseErrorText DescribeParseError(TParseError Error, const std::string& Expression, size_t Position) {
  const size_t Stop = std::min(Position, Expression.size());
  const QString Before = FromCp932(Expression.substr(0, Stop));
  const QString After = FromCp932(Expression.substr(Stop));
  TParseErrorText Text;
  Text.Caret = static_cast<int>(Before.size());
  if (Error == peStackOverflow) {
    Text.Message = QStringLiteral("入れ子が深すぎます");
    Text.Detail = QStringLiteral("式の入れ子が深すぎます（括弧は 1021 重まで）");
    return Text;
  }
  Text.Message = QStringLiteral("構文エラー");
  if (Before.trimmed().isEmpty() && After.isEmpty()) {
    Text.Detail = QStringLiteral("構文エラー: 式がありません");
  } else if (After.isEmpty()) {
    Text.Detail = QStringLiteral("構文エラー: 式が途中で終わっています");
  } else {
    Text.Detail = QStringLiteral("構文エラー: %1 文字目の「%2」を読めません").arg(Text.Caret + 1).arg(After.front());
  }
  return Text;
}
