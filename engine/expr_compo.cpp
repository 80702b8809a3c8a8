#include "engine/expr_compo.h"

#include "calc_expression.h"
#include "parser.h"
#include "unassigned_reads.h"

void TExprCompo::Calculate() {
  // The scanner reads this copy in place, so it must outlive the evaluation; a handler may change
  // Expression or evaluate again meanwhile.
  const std::string Copy(Expression.c_str());
  FValid = CalcExpression(Copy.c_str(), FValue, FAssignment);
  FError = FValid ? peNone : ParseError;
  FErrorPosition = FValid ? 0 : ParseErrorPosition;
  if (OnCalcDone) OnCalcDone(*this);
  if (FValid) {
    if (OnCalcSuccess) OnCalcSuccess(*this);
  } else {
    if (OnCalcError) OnCalcError(*this);
  }
}

Extended TExprCompo::Value() const {
  if (!FValid) throw ECalcException("正常な値が格納されていません。");
  return FValue;
}

void TExprCompo::ForEachUnassignedRead(const std::function<void(std::string_view Name)>& Visit) const {
  if (!FValid) return;
  for (const TSymData* Read = FirstUnassignedRead(); Read != nullptr; Read = Read->NextUnassignedRead) {
    Visit(Read->Name);
  }
}
