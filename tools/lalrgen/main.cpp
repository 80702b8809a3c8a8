#include <fstream>
#include <iostream>
#include <string>

#include "grammar.h"
#include "lalr_automaton.h"
#include "table_writer.h"

// lalrgen GRAMMAR TABLES HEADER REPORT
// Reads a yacc-style grammar and writes its LALR(1) parsing tables, a header with the numbers of
// its nonterminals, and a report of the automaton.
int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: lalrgen GRAMMAR TABLES HEADER REPORT\n";
    return 2;
  }
  const std::string Source = argv[1];
  std::ifstream File(Source);
  if (!File) {
    std::cerr << Source << ": cannot open\n";
    return 1;
  }
  Grammar G;
  if (!ReadGrammar(File, Source, G, std::cerr)) return 1;
  std::vector<LalrState> States;
  if (!BuildLalrAutomaton(G, States, std::cerr)) return 1;
  std::ofstream Tables(argv[2]), Header(argv[3]), Report(argv[4]);
  const std::string Name = Source.substr(Source.find_last_of('/') + 1);
  WriteTables(G, States, Name, Tables);
  WriteHeader(G, Name, Header);
  WriteReport(G, States, Report);
  if (!Tables || !Header || !Report) {
    std::cerr << "lalrgen: cannot write the output files\n";
    return 1;
  }
  return 0;
}
