#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "engine/calc_exception.h"
#include "engine/parse_error.h"
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

  // After a parse failure: why, and the byte offset in Expression of the token where the parser
  // stopped (Expression's length when it ended too soon). peNone and 0 after a success.
  TParseError Error() const { return FError; }
  size_t ErrorPosition() const { return FErrorPosition; }

  // After a success: calls Visit with the name of each variable the evaluation read while no
  // assignment had yet given it a value, in the order first read, each name as first spelled.
  // Meant for the event handlers: the next evaluation, by any component, makes a new list.
  void ForEachUnassignedRead(const std::function<void(std::string_view Name)>& Visit) const;

private:
  Extended FValue = 0;
  bool FValid = false;
  bool FAssignment = false;
  TParseError FError = peNone;
  size_t FErrorPosition = 0;
};
