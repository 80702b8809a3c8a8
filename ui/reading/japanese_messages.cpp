#include "reading/japanese_messages.h"

#include <QCoreApplication>

#include <limits>

#include "engine/lex_limit.h"
#include "runtime/cp932.h"
#include "runtime/exceptions.h"
#include "runtime/extended.h"
#include "runtime/float_to_str.h"

namespace {

// The context of these words in the translation.
struct TFaultWords {
  Q_DECLARE_TR_FUNCTIONS(TFaultWords)
};

// Faults raised with a message of their own, which the application's default handling shows
// through the translation of its context "Exception".
[[maybe_unused]] constexpr const char* kOwnMessages[] = {
    QT_TRANSLATE_NOOP("Exception", "正常な値が格納されていません。"),
};

QString NoShiftJisForm(const ENoCp932Form& Error) {
  return TFaultWords::tr("「%1」(U+%2) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。")
      .arg(QString::fromStdString(Error.Character()),
           QString::number(static_cast<uint>(Error.CodePoint()), 16).toUpper().rightJustified(4, u'0'));
}

}  // namespace

QString JapaneseMessage(const std::exception& Error) {
  if (dynamic_cast<const EZeroDivide*>(&Error) != nullptr)
    return TFaultWords::tr("0 で割ることはできません。式を直してください。");
  if (dynamic_cast<const EInvalidOp*>(&Error) != nullptr)
    return TFaultWords::tr("この計算はできません（負の数の平方根や対数、0 ÷ 0 など）。式を直してください。");
  if (dynamic_cast<const EOverflow*>(&Error) != nullptr) {
    const QString Largest = QString::fromStdString(FloatToStr(std::numeric_limits<Extended>::max(), "."));
    return TFaultWords::tr("値が大きすぎます（扱えるのは %1 まで）。式を直してください。").arg(Largest);
  }
  if (const auto* Character = dynamic_cast<const ENoCp932Form*>(&Error)) return NoShiftJisForm(*Character);
  if (dynamic_cast<const EConvertError*>(&Error) != nullptr)
    return TFaultWords::tr("式を Shift-JIS に変換できません。このシステムで文字コードの変換（iconv の CP932）が使えるか確かめてください。");
  if (const auto* Limit = dynamic_cast<const ELexLimit*>(&Error)) {
    if (Limit->Limit() == ELexLimit::TLimit::MatchStack)
      return TFaultWords::tr("名前か数が長すぎます。1023 文字までにしてください。");
    return TFaultWords::tr("長い式の途中にある数を読み取れません。その数の書き方（E の後など）を直すか、式を短くしてください。");
  }
  return QString();
}
