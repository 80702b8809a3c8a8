#pragma once

#include <iosfwd>
#include <string>

#include "grammar.h"

// The rules' actions as one C++ function for the parser's reduce step, to be included by the
// parser's source:
//   YyValue YyRuleAction(int Rule, const YyValue* Rhs, YyValue Result)
// (YyValue being the grammar's %value_type) runs the action of Rule, with $k read from Rhs[k-1]
// and $$ written to Result, and returns Result. The prologue comes first; #line directives make
// the compiler's messages about an action point at the grammar file. Output is the name of the
// file being written, for the #line directives back to it.
//
// A $k beyond the rule's symbols, or a $$ or $k of a symbol without a declared member, is
// reported on Errors as "file:line: message"; returns false when there was any.
bool WriteActions(const Grammar& G, const std::string& Output, std::ostream& Out, std::ostream& Errors);
