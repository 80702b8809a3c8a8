#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include "grammar.h"
#include "rule_scanner.h"

// Grammar file format:
//   # comment to the end of the line (not inside the prologue or an action)
//   %{ ... %}                   C++ code for the top of the actions file, such as its includes
//   %value_type TYPE            the type of a value-stack entry (default int)
//   %token [<member>] NAME CODE a named terminal, its token code (257 to 32767) and the member of
//                               the value type that holds its value
//   %type <member> name...      the member that holds the value of these symbols
//   %left|%right|%nonassoc T... a precedence level, lowest first; T is a NAME or a 'c' literal
//   %start name                 the start symbol (default: the left side of the first rule)
//   %%
//   lhs : sym sym ... { action } | sym ... { action } ;
// Rules are numbered from 1 in the order written. Every rule ends with its action, C++ code in
// braces in which $$ stands for the value of the left side and $k for that of the k-th symbol on
// the right; both must have a member declared.
namespace {

std::vector<std::string> Words(const std::string& Text) {
  std::vector<std::string> Result;
  std::istringstream Stream(Text);
  std::string Word;
  while (Stream >> Word) Result.push_back(Word);
  return Result;
}

// The line without its comment: from a '#' that does not stand in a 'c' literal.
std::string WithoutComment(const std::string& Line) {
  for (size_t I = 0; I < Line.size(); ++I) {
    if (Line[I] == '\'' && I + 2 < Line.size() && Line[I + 2] == '\'') I += 2;
    else if (Line[I] == '#') return Line.substr(0, I);
  }
  return Line;
}

// "<Number>" gives "Number"; anything else, "".
std::string TypeTag(const std::string& Word) {
  if (Word.size() > 2 && Word.front() == '<' && Word.back() == '>') return Word.substr(1, Word.size() - 2);
  return "";
}

struct PendingSymbol {
  std::string Name;
  int Line;
};

// One alternative as written, before its names are resolved.
struct PendingRule {
  PendingSymbol Lhs;
  std::vector<PendingSymbol> Rhs;
  int Line = 0;
  std::string Action;
  int ActionLine = 0;
};

struct PendingType {
  std::string Name, Type;
  int Line;
};

class Reader {
public:
  Reader(Grammar& G, std::ostream& Errors) : G(G), Errors(Errors) {}

  bool Read(std::istream& In);

private:
  void Error(int Line, const std::string& Message) {
    Errors << G.Source << ":" << Line << ": " << Message << "\n";
    Failed = true;
  }

  // The index of the symbol named Name, -1 when there is none; a 'c' literal's symbol is made on
  // its first use.
  int Symbol(const std::string& Name);

  void Declaration(const std::string& Text, int Line);
  void DeclareToken(const std::vector<std::string>& Words, int Line);
  void ReadRules(RuleScanner& Rules);
  void ResolveRules();

  Grammar& G;
  std::ostream& Errors;
  bool Failed = false;
  int Level = 0;  // of the last precedence declaration
  PendingSymbol Start{"", 0};
  std::vector<PendingType> Types;
  std::vector<PendingRule> Pending;

  static constexpr int kFirstTokenCode = 257;
  static constexpr int kLastTokenCode = 32767;
};

bool Reader::Read(std::istream& In) {
  G.Symbols = {{"$end", true, 0}, {"$accept", false}};
  G.Rules = {GrammarRule{}};
  int Line = 0;
  bool Separated = false;
  std::string Text;
  while (!Separated && std::getline(In, Text)) {
    ++Line;
    Separated = Words(Text) == std::vector<std::string>{"%%"};
    if (Separated) continue;
    if (Words(Text) != std::vector<std::string>{"%{"}) {
      Declaration(WithoutComment(Text), Line);
      continue;
    }
    const int Opening = Line;
    G.PrologueLine = Line + 1;
    bool Closed = false;
    while (!Closed && std::getline(In, Text)) {
      ++Line;
      Closed = Words(Text) == std::vector<std::string>{"%}"};
      if (!Closed) G.Prologue += Text + "\n";
    }
    if (!Closed) Error(Opening, "%{ is not closed by %}");
  }
  if (!Separated) return Error(Line, "no %% line before the rules"), false;
  std::ostringstream RulesText;
  RulesText << In.rdbuf();
  RuleScanner Rules(RulesText.str(), Line + 1);
  ReadRules(Rules);
  if (Pending.empty()) {
    if (!Failed) Error(Line, "no rules after the %% line");
    return false;
  }
  ResolveRules();
  return !Failed;
}

int Reader::Symbol(const std::string& Name) {
  const int Index = G.Find(Name);
  if (Index >= 0 || Name.size() != 3 || Name.front() != '\'' || Name.back() != '\'') return Index;
  GrammarSymbol Literal;
  Literal.Name = Name;
  Literal.Terminal = true;
  Literal.Code = static_cast<unsigned char>(Name[1]);
  G.Symbols.push_back(Literal);
  return static_cast<int>(G.Symbols.size() - 1);
}

void Reader::Declaration(const std::string& Text, int Line) {
  const auto W = Words(Text);
  if (W.empty()) return;
  if (W[0] == "%token") {
    DeclareToken(W, Line);
  } else if (W[0] == "%type" && W.size() >= 3 && !TypeTag(W[1]).empty()) {
    for (size_t I = 2; I < W.size(); ++I) Types.push_back({W[I], TypeTag(W[1]), Line});
  } else if (W[0] == "%value_type" && W.size() >= 2) {
    // The rest of the line, which may hold blanks ("unsigned long").
    const size_t Begin = Text.find_first_not_of(" \t", Text.find(W[0]) + W[0].size());
    G.ValueType = Text.substr(Begin, Text.find_last_not_of(" \t\r") + 1 - Begin);
  } else if (W[0] == "%start" && W.size() == 2) {
    Start = {W[1], Line};
  } else if (W[0] == "%left" || W[0] == "%right" || W[0] == "%nonassoc") {
    ++Level;
    const Associativity A = W[0] == "%left"    ? Associativity::Left
                            : W[0] == "%right" ? Associativity::Right
                                               : Associativity::NonAssoc;
    for (size_t I = 1; I < W.size(); ++I) {
      const int T = Symbol(W[I]);
      if (T < 0 || !G.IsTerminal(T)) {
        Error(Line, "unknown token " + W[I]);
        continue;
      }
      G.Symbols[static_cast<size_t>(T)].Precedence = Level;
      G.Symbols[static_cast<size_t>(T)].Assoc = A;
    }
  } else {
    Error(Line, "unknown declaration: " + Text);
  }
}

// %token [<member>] NAME CODE. Codes 0 to 255 are the end of input and the characters, 256 the
// error token; the tables hold a code in a short.
void Reader::DeclareToken(const std::vector<std::string>& W, int Line) {
  const std::string Type = W.size() > 1 ? TypeTag(W[1]) : "";
  const size_t First = Type.empty() ? 1 : 2;
  if (W.size() != First + 2) return Error(Line, "a token is declared as %token [<member>] NAME CODE");
  const std::string& Name = W[First];
  const std::string& CodeText = W[First + 1];
  if (G.Find(Name) >= 0) return Error(Line, "token " + Name + " is declared twice");
  int Code = 0;
  const char* End = CodeText.data() + CodeText.size();
  const auto [Stop, Failure] = std::from_chars(CodeText.data(), End, Code);
  if (Failure != std::errc{} || Stop != End) {
    return Error(Line, "token code of " + Name + " is not a number: " + CodeText);
  }
  if (Code < kFirstTokenCode || Code > kLastTokenCode) {
    return Error(Line, "token code of " + Name + " must be from " + std::to_string(kFirstTokenCode) +
                           " to " + std::to_string(kLastTokenCode) + ", not " + CodeText);
  }
  for (const auto& Other : G.Symbols) {
    if (Other.Terminal && Other.Code == Code) {
      return Error(Line, "token code " + CodeText + " of " + Name + " is already that of " + Other.Name);
    }
  }
  G.Symbols.push_back({Name, true, Code, 0, Associativity::None, Type});
}

// lhs : alternative | alternative ... ; where an alternative is its symbols and then its action.
// After an error the rest of the rule, up to its ';', is skipped.
void Reader::ReadRules(RuleScanner& Rules) {
  RuleToken T = Rules.Next();
  const auto SkipRule = [&] {
    while (T.Kind != RulePiece::Semicolon && T.Kind != RulePiece::End) T = Rules.Next();
    if (T.Kind == RulePiece::Semicolon) T = Rules.Next();
  };
  while (T.Kind != RulePiece::End) {
    if (T.Kind != RulePiece::Name) {
      Error(T.Line, T.Kind == RulePiece::Bad ? T.Text : "a rule begins with a name, not " + T.Text);
      SkipRule();
      continue;
    }
    const PendingSymbol Lhs{T.Text, T.Line};
    T = Rules.Next();
    if (T.Kind != RulePiece::Colon) {
      Error(T.Line, "':' must follow " + Lhs.Name);
      SkipRule();
      continue;
    }
    for (bool More = true; More;) {
      T = Rules.Next();
      PendingRule Rule{Lhs, {}, T.Line, "", 0};
      while (T.Kind == RulePiece::Name || T.Kind == RulePiece::Literal) {
        Rule.Rhs.push_back({T.Text, T.Line});
        T = Rules.Next();
      }
      if (T.Kind == RulePiece::Action) {
        Rule.Action = T.Text;
        Rule.ActionLine = T.Line;
        T = Rules.Next();
      }
      More = T.Kind == RulePiece::Bar;
      if (More || T.Kind == RulePiece::Semicolon) {
        Pending.push_back(Rule);
        continue;
      }
      if (T.Kind == RulePiece::Bad) {
        Error(T.Line, T.Text);
      } else if (T.Kind == RulePiece::End) {
        Error(T.Line, "the rules of " + Lhs.Name + " are not ended by ';'");
      } else if (!Rule.Action.empty() && T.Kind != RulePiece::Colon) {
        Error(T.Line, "an action must end its rule, but " + T.Text + " follows it");
      } else {
        Error(T.Line, "'|' or ';' must follow a rule, not " + T.Text);
      }
      SkipRule();
      break;
    }
    if (T.Kind == RulePiece::Semicolon) T = Rules.Next();
  }
}

// Names become symbols: every left side a nonterminal, so that one may be used before its rules.
void Reader::ResolveRules() {
  for (const auto& P : Pending) {
    const int Known = G.Find(P.Lhs.Name);
    if (Known < 0) G.Symbols.push_back({P.Lhs.Name, false});
    if (Known >= 0 && G.IsTerminal(Known)) Error(P.Lhs.Line, P.Lhs.Name + " is a token and cannot have rules");
  }
  for (const auto& P : Pending) {
    GrammarRule Rule;
    Rule.Lhs = G.Find(P.Lhs.Name);
    Rule.Line = P.Line;
    Rule.Action = P.Action;
    Rule.ActionLine = P.ActionLine;
    for (const auto& [Name, Line] : P.Rhs) {
      const int S = Symbol(Name);
      if (S < 0) {
        Error(Line, "undefined symbol " + Name);
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
    const int Number = static_cast<int>(G.Rules.size() - 1);
    if (P.Action.empty()) Error(P.Line, G.RuleText(Number) + " has no action");
  }
  for (const auto& [Name, Type, Line] : Types) {
    const int S = G.Find(Name);
    if (S < 0) {
      Error(Line, "%type of undefined symbol " + Name);
    } else {
      G.Symbols[static_cast<size_t>(S)].Type = Type;
    }
  }
  const int StartSymbol = Start.Name.empty() ? G.Rules[1].Lhs : G.Find(Start.Name);
  if (StartSymbol < 0 || G.IsTerminal(StartSymbol)) {
    // Without %start, the first left side, which is a token only after an error reported above.
    if (!Start.Name.empty()) Error(Start.Line, "the start symbol " + Start.Name + " has no rules");
    return;
  }
  G.Rules[0].Lhs = G.AcceptSymbol;
  G.Rules[0].Rhs = {StartSymbol};
}

}  // namespace

bool ReadGrammar(std::istream& In, const std::string& Source, Grammar& G, std::ostream& Errors) {
  G.Source = Source;
  return Reader(G, Errors).Read(In);
}
