#include "generate.h"

#include <sstream>
#include <vector>

#include "action_writer.h"
#include "grammar.h"
#include "lalr_automaton.h"
#include "table_writer.h"

Generated Generate(const std::string& GrammarText) {
  Generated Result;
  std::istringstream In(GrammarText);
  std::ostringstream Errors, Report, Tables, Tokens, Actions;
  Grammar G;
  std::vector<LalrState> States;
  if (ReadGrammar(In, "test.grammar", G, Errors) && BuildLalrAutomaton(G, States, Errors)) {
    Result.Ok = WriteActions(G, "test_actions.inc", Actions, Errors);
    WriteReport(G, States, Report);
    WriteTables(G, States, "test.grammar", Tables);
    WriteTokens(G, "test.grammar", Tokens);
  }
  Result.Errors = Errors.str();
  Result.Report = Report.str();
  Result.Tables = Tables.str();
  Result.Tokens = Tokens.str();
  Result.Actions = Actions.str();
  return Result;
}
