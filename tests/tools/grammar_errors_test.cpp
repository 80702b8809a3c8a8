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
      {"%token NUM abc\n%%\ne : NUM {} ;\n",
       "test.grammar:1: token code of NUM is not a number: abc\n"
       "test.grammar:3: undefined symbol NUM\n"},
      {"%token NUM 300x\n%token X 301\n%%\ne : X {} ;\n",
       "test.grammar:1: token code of NUM is not a number: 300x\n"},
      {"%token NUM 99999999999\n%token X 301\n%%\ne : X {} ;\n",
       "test.grammar:1: token code of NUM is not a number: 99999999999\n"},
      {"%token NUM 256\n%token X 32768\n%token Y -1\n%%\ne : NUM {} ;\n",
       "test.grammar:1: token code of NUM must be from 257 to 32767, not 256\n"
       "test.grammar:2: token code of X must be from 257 to 32767, not 32768\n"
       "test.grammar:3: token code of Y must be from 257 to 32767, not -1\n"
       "test.grammar:5: undefined symbol NUM\n"},
      {"%token A 300\n%token B 300\n%token A 301\n%%\ne : A {} ;\n",
       "test.grammar:2: token code 300 of B is already that of A\n"
       "test.grammar:3: token A is declared twice\n"},
  };
  for (const auto& C : Cases) ExpectErrors(C);
}

TEST(LalrgenErrors, OtherDeclarations) {
  const ErrorCase Cases[] = {
      {"%tokn A 300\n%token B\n%left '+' PLUS\n%%\ne : '+' {} ;\n",
       "test.grammar:1: unknown declaration: %tokn A 300\n"
       "test.grammar:2: a token is declared as %token [<member>] NAME CODE\n"
       "test.grammar:3: unknown token PLUS\n"},
      {"%token A 300\n%type <Number> e nothing\n%start x\n%%\ne : A {} ;\n",
       "test.grammar:2: %type of undefined symbol nothing\n"
       "test.grammar:3: the start symbol x has no rules\n"},
      {"%token A 300\n%start A\n%%\ne : A {} ;\n",
       "test.grammar:2: the start symbol A has no rules\n"},
      {"%{\n#include <x>\n%%\ne : 'a' {} ;\n", "test.grammar:1: %{ is not closed by %}\n"
                                                  "test.grammar:4: no %% line before the rules\n"},
      {"%token A 300\n%%\n# nothing\n", "test.grammar:2: no rules after the %% line\n"},
  };
  for (const auto& C : Cases) ExpectErrors(C);
}

TEST(LalrgenErrors, RulesAndTheirActions) {
  const ErrorCase Cases[] = {
      {"%token A 300\n%%\ne : A\n  | A A {}\n  |\n  ;\n",
       "test.grammar:3: rule 1 (e : A) has no action\n"
       "test.grammar:6: rule 3 (e :) has no action\n"},
      {"%token A 300\n%%\ne : A {} A {} ;\nf : A { } { } ;\n",
       "test.grammar:3: an action must end its rule, but A follows it\n"
       "test.grammar:4: an action must end its rule, but { } follows it\n"},
      {"%token A 300\n%%\ne : A {\n  x = \"}\";\n ;\n",
       "test.grammar:3: the action is not closed by '}'\n"},
      {"%token A 300\n%%\ne : A 'ab' {} | '\\n' {} | A @ {} ;\nf : A {} : ;\n",
       "test.grammar:3: a token literal is one character in quotes, not 'ab'\n"
       "test.grammar:4: '|' or ';' must follow a rule, not :\n"},
      {"%token A 300\n%%\ne A {} ;\n: A {} ;\ne : A {}\n",
       "test.grammar:3: ':' must follow e\n"
       "test.grammar:4: a rule begins with a name, not :\n"
       "test.grammar:6: the rules of e are not ended by ';'\n"},
      {"%token A 300\n%%\nA : e {} ;\ne : A\n  B {} ;\n",
       "test.grammar:3: A is a token and cannot have rules\n"
       "test.grammar:5: undefined symbol B\n"},
  };
  for (const auto& C : Cases) ExpectErrors(C);
}

TEST(LalrgenErrors, ValuesInActions) {
  const ErrorCase Cases[] = {
      {"%token <N> A 300\n%type <N> e\n%%\n"
       "s : e '+' A { $$ = $1 + $2; }\n;\n"
       "e : A {\n  $0 = $2;\n  $99999999999999999999 = $-1; }\n;\n",
       "test.grammar:4: $$ (s) in rule 1 (s : e '+' A) has no type\n"
       "test.grammar:4: $2 ('+') in rule 1 (s : e '+' A) has no type\n"
       "test.grammar:7: $0 is not one of the 1 symbols of rule 2 (e : A)\n"
       "test.grammar:7: $2 is not one of the 1 symbols of rule 2 (e : A)\n"
       "test.grammar:8: $99999999999999999999 is not one of the 1 symbols of rule 2 (e : A)\n"
       "test.grammar:8: a $ in the action of rule 2 (e : A) is followed by neither $ nor a number\n"},
  };
  for (const auto& C : Cases) ExpectErrors(C);
}

TEST(LalrgenErrors, ConflictsNameTheLineOfTheirRule) {
  const ErrorCase Cases[] = {
      {"%token NUM 300\n%%\ne : e '+' e {}\n  | NUM {} ;\n",
       "test.grammar:3: shift/reduce conflict in state 4 on '+' between shifting it and reducing "
       "by rule 1 (e : e '+' e), which precedence does not resolve\n"},
      {"%token NUM 300\n%left '+'\n%%\ne : e '+' e {}\n  | e '-' e {} | NUM {} ;\n",  // '-' has none
       "test.grammar:4: shift/reduce conflict in state 5 on '-' between shifting it and reducing "
       "by rule 1 (e : e '+' e), which precedence does not resolve\n"
       "test.grammar:5: shift/reduce conflict in state 6 on '+' between shifting it and reducing "
       "by rule 2 (e : e '-' e), which precedence does not resolve\n"
       "test.grammar:5: shift/reduce conflict in state 6 on '-' between shifting it and reducing "
       "by rule 2 (e : e '-' e), which precedence does not resolve\n"},
      {"%token NUM 300\n%%\ne : a {} | b {} ;\na : NUM {} ;\nb : NUM {} ;\n",
       "test.grammar:5: reduce/reduce conflict in state 4 on $end between rule 3 (a : NUM) and "
       "rule 4 (b : NUM)\n"},
      {"%%\ns : s {}\n  | 'a' {} ;\n",
       "test.grammar:2: reduce/reduce conflict in state 1 on $end between accepting and rule 1 "
       "(s : s)\n"},
  };
  for (const auto& C : Cases) ExpectErrors(C);
}

}  // namespace
