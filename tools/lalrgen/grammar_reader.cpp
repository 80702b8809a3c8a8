#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include "grammar.h"

// Grammar file format:
//   # comment to the end of the line
//   %token NAME CODE            a named terminal and its token code, from 257 to 32767
//   %left|%right|%nonassoc T... a precedence level, lowest first; T is a NAME or a 'c' literal
//   %start name                 the start symbol (default: the left side of the first rule)
//   %%
//   lhs : sym sym ... | sym ... ;
// Rules are numbered from 1 in the order written.
namespace {

struct Reader {
  Grammar& G;
  std::ostream& Errors;
  int Line = 0;
  bool Failed = false;

  void Error(const std::string& Message) {
    Errors << G.Source << ":" << Line << ": " << Message << "\n";
    Failed = true;
  }

  int Terminal(const std::string& Name) {
    int Index = G.Find(Name);
    if (Index >= 0) return Index;
    if (Name.size() == 3 && Name.front() == '\'' && Name.back() == '\'') {
      GrammarSymbol Literal;
      Literal.Name = Name;
      Literal.Terminal = true;
      Literal.Code = static_cast<unsigned char>(Name[1]);
      G.Symbols.push_back(Literal);
      return static_cast<int>(G.Symbols.size() - 1);
    }
    return -1;
  }

  // %token NAME CODE. Codes 0 to 255 are the end of input and the characters, 256 the error
  // token; the tables hold a code in a short.
  void DeclareToken(const std::string& Name, const std::string& CodeText) {
    if (G.Find(Name) >= 0) return Error("token " + Name + " is declared twice");
    int Code = 0;
    const char* End = CodeText.data() + CodeText.size();
    const auto [Stop, Failure] = std::from_chars(CodeText.data(), End, Code);
    if (Failure != std::errc{} || Stop != End) {
      return Error("token code of " + Name + " is not a number: " + CodeText);
    }
    if (Code < kFirstTokenCode || Code > kLastTokenCode) {
      return Error("token code of " + Name + " must be from " + std::to_string(kFirstTokenCode) +
                   " to " + std::to_string(kLastTokenCode) + ", not " + CodeText);
    }
    for (const auto& Other : G.Symbols) {
      if (Other.Terminal && Other.Code == Code) {
        return Error("token code " + CodeText + " of " + Name + " is already that of " + Other.Name);
      }
    }
    G.Symbols.push_back({Name, true, Code});
  }

  static constexpr int kFirstTokenCode = 257;
  static constexpr int kLastTokenCode = 32767;
};

std::vector<std::string> Words(const std::string& Text) {
  std::vector<std::string> Result;
  std::istringstream Stream(Text);
  std::string Word;
  while (Stream >> Word) Result.push_back(Word);
  return Result;
}

}  // namespace

bool ReadGrammar(std::istream& File, const std::string& Source, Grammar& G, std::ostream& Errors) {
  G.Source = Source;
  Reader R{G, Errors};
  G.Symbols = {{"$end", true, 0}, {"$accept", false}};
  G.Rules = {GrammarRule{}};
  int Level = 0;
  std::string StartName;
  std::string RuleText;  // the rules section with comments removed, one line per line
  std::vector<int> RuleLines;
  bool InRules = false;
  std::string Text;
  while (std::getline(File, Text)) {
    ++R.Line;
    if (auto Hash = Text.find('#'); Hash != std::string::npos) Text.erase(Hash);
    if (InRules) {
      RuleText += Text + "\n";
      RuleLines.push_back(R.Line);
      continue;
    }
    const auto W = Words(Text);
    if (W.empty()) continue;
    if (W[0] == "%%") {
      InRules = true;
    } else if (W[0] == "%token" && W.size() == 3) {
      R.DeclareToken(W[1], W[2]);
    } else if (W[0] == "%start" && W.size() == 2) {
      StartName = W[1];
    } else if (W[0] == "%left" || W[0] == "%right" || W[0] == "%nonassoc") {
      ++Level;
      const Associativity A = W[0] == "%left"    ? Associativity::Left
                              : W[0] == "%right" ? Associativity::Right
                                                 : Associativity::NonAssoc;
      for (size_t I = 1; I < W.size(); ++I) {
        const int T = R.Terminal(W[I]);
        if (T < 0) {
          R.Error("unknown token " + W[I]);
          continue;
        }
        G.Symbols[static_cast<size_t>(T)].Precedence = Level;
        G.Symbols[static_cast<size_t>(T)].Assoc = A;
      }
    } else {
      R.Error("unknown declaration: " + Text);
    }
  }

  // Rules: "lhs : a b | c ;" spread over any number of lines. Left sides first, so that a
  // nonterminal may be used before its rules.
  struct PendingRule {
    std::string Lhs;
    std::vector<std::string> Rhs;
    int Line;
  };
  std::vector<PendingRule> Pending;
  {
    std::string Lhs;
    PendingRule Current;
    bool Open = false;
    size_t LineIndex = 0;
    std::istringstream Lines(RuleText);
    while (std::getline(Lines, Text)) {
      R.Line = RuleLines[LineIndex++];
      for (const auto& Word : Words(Text)) {
        if (!Open) {
          Lhs = Word;
          Open = true;
          Current = {Lhs, {}, R.Line};
          continue;
        }
        if (Word == ":") {
          Current.Line = R.Line;
        } else if (Word == "|" || Word == ";") {
          Pending.push_back(Current);
          Current = {Lhs, {}, R.Line};
          if (Word == ";") Open = false;
        } else {
          if (Current.Rhs.empty()) Current.Line = R.Line;
          Current.Rhs.push_back(Word);
        }
      }
    }
    if (Open) R.Error("rule for " + Lhs + " is not ended by ';'");
  }
  for (const auto& P : Pending) {
    if (G.Find(P.Lhs) < 0) G.Symbols.push_back({P.Lhs, false});
    if (G.IsTerminal(G.Find(P.Lhs))) {
      R.Line = P.Line;
      R.Error(P.Lhs + " is a token and cannot have rules");
    }
  }
  for (const auto& P : Pending) {
    GrammarRule Rule;
    Rule.Lhs = G.Find(P.Lhs);
    Rule.Line = P.Line;
    R.Line = P.Line;
    for (const auto& Name : P.Rhs) {
      int S = G.Find(Name);
      if (S < 0) S = R.Terminal(Name);
      if (S < 0) {
        R.Error("undefined symbol " + Name);
        continue;
      }
      Rule.Rhs.push_back(S);
      const auto& Symbol = G.Symbols[static_cast<size_t>(S)];
      if (Symbol.Terminal && Symbol.Precedence > 0) {
        Rule.Precedence = Symbol.Precedence;
        Rule.Assoc = Symbol.Assoc;
      }
    }
    G.Rules.push_back(Rule);
  }
  if (G.Rules.size() < 2) R.Error("no rules");
  if (R.Failed) return false;
  const int Start = StartName.empty() ? G.Rules[1].Lhs : G.Find(StartName);
  if (Start < 0 || G.IsTerminal(Start)) {
    R.Error("bad start symbol " + StartName);
    return false;
  }
  G.Rules[0].Lhs = G.AcceptSymbol;
  G.Rules[0].Rhs = {Start};
  return true;
}
