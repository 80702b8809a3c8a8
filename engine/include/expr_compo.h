#pragma once

#include <functional>
#include <string>

#include "calc_exception.h"
#include "runtime/extended.h"

// The component through which a window evaluates expressions. The host sets Expression, calls
// Calculate, and is told the outcome by the events, which it binds to its own handlers; on
// success it reads Value. All components share the one symbol table, scanner and parser.
class TExprCompo {
public:
  using TNotifyEvent = std::function<void(TExprCompo& Sender)>;

  TExprCompo() = default;

  // The text (Shift-JIS) that the next Calculate evaluates. Setting it evaluates nothing.
  std::string Expression;

  // Fired after every evaluation that ran to its end; then OnCalcSuccess or OnCalcError,
  // chosen by Valid as it stands after OnCalcDone returned.
  TNotifyEvent OnCalcDone;
  TNotifyEvent OnCalcSuccess;
  TNotifyEvent OnCalcError;

  // Evaluates Expression up to its first zero byte. Success: Valid, new Value and Assignment.
  // Parse failure: not Valid, Value and Assignment kept. A fault or a scanner limit passes out
  // as its exception with the state untouched and no event fired. An exception from a handler
  // passes out too, after the state was set.
  void Calculate();

  // The result of the last successful evaluation; ECalcException "正常な値が格納されていません。"
  // while the component holds no valid result.
  Extended Value() const;

  bool Valid() const { return FValid; }
  bool Assignment() const { return FAssignment; }

private:
  Extended FValue = 0;
  bool FValid = false;
  bool FAssignment = false;
};
