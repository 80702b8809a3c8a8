#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "action_writer.h"
#include "grammar.h"
#include "lalr_automaton.h"
#include "table_writer.h"

// lalrgen GRAMMAR OUTPUT_DIRECTORY
// Reads a yacc-style grammar, say calc.grammar, and writes into the directory:
//   calc_tokens.h     the token codes (enum TokenCode)
//   calc_tables.h     the nonterminals' numbers (enum YyNonterminal)
//   calc_tables.inc   the LALR(1) parsing tables
//   calc_actions.inc  the rules' actions (YyRuleAction)
//   calc.output       a readable report of the automaton
// An error in the grammar is reported as "GRAMMAR:line: message" and writes no file; the exit
// status is then 1.
int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: lalrgen GRAMMAR OUTPUT_DIRECTORY\n";
    return 2;
  }
  const std::string Source = argv[1];
  std::ifstream File(Source);
  if (!File) {
    std::cerr << Source << ": cannot open\n";
    return 1;
  }
  const std::string Name = Source.substr(Source.find_last_of('/') + 1);
  const std::string Stem = Name.substr(0, Name.find('.'));
  const std::string Prefix = std::string(argv[2]) + "/" + Stem;

  Grammar G;
  std::vector<LalrState> States;
  if (!ReadGrammar(File, Source, G, std::cerr) || !BuildLalrAutomaton(G, States, std::cerr)) return 1;
  std::ostringstream Tokens, Header, Tables, Actions, Report;
  if (!WriteActions(G, Prefix + "_actions.inc", Actions, std::cerr)) return 1;
  WriteTokens(G, Name, Tokens);
  WriteHeader(G, Name, Header);
  WriteTables(G, States, Name, Tables);
  WriteReport(G, States, Report);

  const std::pair<std::string, const std::ostringstream*> Outputs[] = {
      {Prefix + "_tokens.h", &Tokens},       {Prefix + "_tables.h", &Header},
      {Prefix + "_tables.inc", &Tables},     {Prefix + "_actions.inc", &Actions},
      {Prefix + ".output", &Report},
  };
  for (const auto& [Path, Text] : Outputs) {
    std::ofstream Out(Path);
    Out << Text->str();
    if (!Out.flush()) {
      std::cerr << Path << ": cannot write\n";
      return 1;
    }
  }
  return 0;
}
