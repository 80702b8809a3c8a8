// Grammars that lalrgen must refuse, each with the exact "file:line: message" lines it writes, so
// that a build stops at the grammar's own line.
#include <gtest/gtest.h>

#include "generate.h"

namespace {

struct ErrorCase {
  const char* Grammar;
  const char* Errors;
};

void ExpectErrors(const ErrorCase& C) {
  const Generated G = Generate(C.Grammar);
  EXPECT_FALSE(G.Ok) << C.Grammar;
  EXPECT_EQ(G.Errors, C.Errors) << C.Grammar;
}

TEST(LalrgenErrors, TokenDeclarations) {
  const ErrorCase Cases[] = {
      {"%token NUM abc\n%%\ne : NUM ;\n",
       "test.grammar:1: token code of NUM is not a number: abc\n"
       "test.grammar:3: undefined symbol NUM\n"},
      {"%token NUM 300x\n%token X 301\n%%\ne : X ;\n",
       "test.grammar:1: token code of NUM is not a number: 300x\n"},
      {"%token NUM 99999999999\n%token X 301\n%%\ne : X ;\n",
       "test.grammar:1: token code of NUM is not a number: 99999999999\n"},
      {"%token NUM 256\n%token X 32768\n%token Y -1\n%%\ne : NUM ;\n",
       "test.grammar:1: token code of NUM must be from 257 to 32767, not 256\n"
       "test.grammar:2: token code of X must be from 257 to 32767, not 32768\n"
       "test.grammar:3: token code of Y must be from 257 to 32767, not -1\n"
       "test.grammar:5: undefined symbol NUM\n"},
      {"%token A 300\n%token B 300\n%token A 301\n%%\ne : A ;\n",
       "test.grammar:2: token code 300 of B is already that of A\n"
       "test.grammar:3: token A is declared twice\n"},
  };
  for (const auto& C : Cases) ExpectErrors(C);
}

TEST(LalrgenErrors, ConflictsNameTheLineOfTheirRule) {
  const ErrorCase Cases[] = {
      {"%token NUM 300\n%%\ne : e '+' e\n  | NUM ;\n",
       "test.grammar:3: shift/reduce conflict in state 4 on '+' between shifting it and reducing "
       "by rule 1 (e : e '+' e), which precedence does not resolve\n"},
      {"%token NUM 300\n%left '+'\n%%\ne : e '+' e\n  | e '-' e | NUM ;\n",  // '-' has none
       "test.grammar:4: shift/reduce conflict in state 5 on '-' between shifting it and reducing "
       "by rule 1 (e : e '+' e), which precedence does not resolve\n"
       "test.grammar:5: shift/reduce conflict in state 6 on '+' between shifting it and reducing "
       "by rule 2 (e : e '-' e), which precedence does not resolve\n"
       "test.grammar:5: shift/reduce conflict in state 6 on '-' between shifting it and reducing "
       "by rule 2 (e : e '-' e), which precedence does not resolve\n"},
      {"%token NUM 300\n%%\ne : a | b ;\na : NUM ;\nb : NUM ;\n",
       "test.grammar:5: reduce/reduce conflict in state 4 on $end between rule 3 (a : NUM) and "
       "rule 4 (b : NUM)\n"},
      {"%%\ns : s\n  | 'a' ;\n",
       "test.grammar:2: reduce/reduce conflict in state 1 on $end between accepting and rule 1 "
       "(s : s)\n"},
  };
  for (const auto& C : Cases) ExpectErrors(C);
}

}  // namespace
