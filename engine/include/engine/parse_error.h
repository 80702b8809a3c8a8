#pragma once

// Why the parser rejected an input: a token it has no action for, or more nesting than its
// stacks hold.
enum TParseError : unsigned char {
  peNone = 0,
  peSyntaxError = 1,    // "syntax error"
  peStackOverflow = 2,  // "yyparse stack overflow"
};
