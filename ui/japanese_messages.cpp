#include "japanese_messages.h"

#include <limits>

#include "lex_limit.h"
#include "runtime/cp932.h"
#include "runtime/exceptions.h"
#include "runtime/extended.h"
#include "runtime/float_to_str.h"

namespace {

QString NoShiftJisForm(const ENoCp932Form& Error) {
  return QStringLiteral("「%1」(U+%2) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。")
      .arg(QString::fromStdString(Error.Character()),
           QString::number(static_cast<uint>(Error.CodePoint()), 16).toUpper().rightJustified(4, u'0'));
}

}  // namespace

QString JapaneseMessage(const std::exception& Error) {
  if (dynamic_cast<const EZeroDivide*>(&Error) != nullptr)
    return QStringLiteral("0 で割ることはできません。式を直してください。");
  if (dynamic_cast<const EInvalidOp*>(&Error) != nullptr)
    return QStringLiteral("この計算はできません（負の数の平方根や対数、0 ÷ 0 など）。式を直してください。");
  if (dynamic_cast<const EOverflow*>(&Error) != nullptr) {
    const QString Largest = QString::fromStdString(FloatToStr(std::numeric_limits<Extended>::max(), "."));
    return QStringLiteral("値が大きすぎます（扱えるのは %1 まで）。式を直してください。").arg(Largest);
  }
  if (const auto* Character = dynamic_cast<const ENoCp932Form*>(&Error)) return NoShiftJisForm(*Character);
  if (dynamic_cast<const EConvertError*>(&Error) != nullptr)
    return QStringLiteral("式を Shift-JIS に変換できません。このシステムで文字コードの変換（iconv の CP932）が使えるか確かめてください。");
  if (const auto* Limit = dynamic_cast<const ELexLimit*>(&Error)) {
    if (Limit->Limit() == ELexLimit::TLimit::MatchStack)
      return QStringLiteral("名前か数が長すぎます。1023 文字までにしてください。");
    return QStringLiteral("長い式の途中にある数を読み取れません。その数の書き方（E の後など）を直すか、式を短くしてください。");
  }
  return QString();
}
