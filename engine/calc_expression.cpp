#include "calc_expression.h"

#include "lexlib.h"
#include "parser.h"

bool CalcExpression(const char* Text, Extended& Value, bool& Assignment) {
  ResetScanner();
  SetInputString(Text);
  if (yyparse() != 0) return false;
  Value = ParseValue;
  Assignment = ParseAssigned;
  return true;
}
