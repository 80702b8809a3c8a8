#include "generate.h"

#include <sstream>
#include <vector>

#include "grammar.h"
#include "lalr_automaton.h"
#include "table_writer.h"

Generated Generate(const std::string& GrammarText) {
  Generated Result;
  std::istringstream In(GrammarText);
  std::ostringstream Errors, Report, Tables;
  Grammar G;
  std::vector<LalrState> States;
  Result.Ok = ReadGrammar(In, "test.grammar", G, Errors) && BuildLalrAutomaton(G, States, Errors);
  Result.Errors = Errors.str();
  if (!Result.Ok) return Result;
  WriteReport(G, States, Report);
  WriteTables(G, States, "test.grammar", Tables);
  Result.Report = Report.str();
  Result.Tables = Tables.str();
  return Result;
}
