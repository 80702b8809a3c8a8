#include "lalr_automaton.h"

#include <algorithm>
#include <ostream>
#include <set>
#include <tuple>

namespace {

using Lr1Item = std::tuple<int, int, int>;  // rule, dot, lookahead terminal

struct Builder {
  const Grammar& G;
  std::vector<bool> Nullable;
  std::vector<std::set<int>> First;  // per symbol

  explicit Builder(const Grammar& Grammar) : G(Grammar) { ComputeFirst(); }

  const std::vector<int>& Rhs(int Rule) const { return G.Rules[static_cast<size_t>(Rule)].Rhs; }
  int RhsLength(int Rule) const { return static_cast<int>(Rhs(Rule).size()); }
  // The symbol after the dot, or -1 when the item is complete.
  int Next(int Rule, int Dot) const {
    return Dot < RhsLength(Rule) ? Rhs(Rule)[static_cast<size_t>(Dot)] : -1;
  }

  void ComputeFirst() {
    const size_t N = G.Symbols.size();
    Nullable.assign(N, false);
    First.assign(N, {});
    for (size_t S = 0; S < N; ++S) {
      if (G.Symbols[S].Terminal) First[S].insert(static_cast<int>(S));
    }
    for (bool Changed = true; Changed;) {
      Changed = false;
      for (const auto& Rule : G.Rules) {
        auto& Target = First[static_cast<size_t>(Rule.Lhs)];
        bool AllNullable = true;
        for (int S : Rule.Rhs) {
          for (int T : First[static_cast<size_t>(S)]) Changed |= Target.insert(T).second;
          if (!Nullable[static_cast<size_t>(S)]) {
            AllNullable = false;
            break;
          }
        }
        if (AllNullable && !Nullable[static_cast<size_t>(Rule.Lhs)]) {
          Nullable[static_cast<size_t>(Rule.Lhs)] = true;
          Changed = true;
        }
      }
    }
  }

  std::vector<Item> Closure0(std::vector<Item> Items) const {
    std::set<Item> Seen(Items.begin(), Items.end());
    for (size_t I = 0; I < Items.size(); ++I) {
      const int B = Next(Items[I].first, Items[I].second);
      if (B < 0 || G.IsTerminal(B)) continue;
      for (size_t R = 0; R < G.Rules.size(); ++R) {
        if (G.Rules[R].Lhs == B && Seen.insert({static_cast<int>(R), 0}).second) {
          Items.push_back({static_cast<int>(R), 0});
        }
      }
    }
    return Items;
  }

  std::set<Lr1Item> Closure1(std::set<Lr1Item> Items) const {
    std::vector<Lr1Item> Work(Items.begin(), Items.end());
    while (!Work.empty()) {
      const auto [Rule, Dot, Lookahead] = Work.back();
      Work.pop_back();
      const int B = Next(Rule, Dot);
      if (B < 0 || G.IsTerminal(B)) continue;
      // FIRST of what follows B, then the item's own lookahead if all of that can vanish.
      std::set<int> Follow;
      bool RestNullable = true;
      for (size_t K = static_cast<size_t>(Dot) + 1; K < Rhs(Rule).size(); ++K) {
        const int S = Rhs(Rule)[K];
        Follow.insert(First[static_cast<size_t>(S)].begin(), First[static_cast<size_t>(S)].end());
        if (!Nullable[static_cast<size_t>(S)]) {
          RestNullable = false;
          break;
        }
      }
      if (RestNullable) Follow.insert(Lookahead);
      for (size_t R = 0; R < G.Rules.size(); ++R) {
        if (G.Rules[R].Lhs != B) continue;
        for (int T : Follow) {
          const Lr1Item New{static_cast<int>(R), 0, T};
          if (Items.insert(New).second) Work.push_back(New);
        }
      }
    }
    return Items;
  }

  void BuildLr0(std::vector<LalrState>& States) const {
    States.clear();
    LalrState Start;
    Start.Kernel = {{0, 0}};
    States.push_back(Start);
    for (size_t S = 0; S < States.size(); ++S) {
      const auto Items = Closure0(States[S].Kernel);
      std::vector<int> Symbols;  // in the order they first follow a dot
      for (const auto& [Rule, Dot] : Items) {
        const int X = Next(Rule, Dot);
        if (X >= 0 && std::find(Symbols.begin(), Symbols.end(), X) == Symbols.end()) {
          Symbols.push_back(X);
        }
      }
      for (int X : Symbols) {
        std::vector<Item> Kernel;
        for (const auto& [Rule, Dot] : Items) {
          if (Next(Rule, Dot) == X) Kernel.push_back({Rule, Dot + 1});
        }
        std::sort(Kernel.begin(), Kernel.end());
        int Target = -1;
        for (size_t T = 0; T < States.size(); ++T) {
          if (States[T].Kernel == Kernel) Target = static_cast<int>(T);
        }
        if (Target < 0) {
          Target = static_cast<int>(States.size());
          LalrState New;
          New.Kernel = Kernel;
          States.push_back(New);
        }
        States[S].Transitions[X] = Target;
      }
    }
  }

  // Lookaheads of every complete item, per LALR state, from the canonical LR(1) collection.
  std::vector<std::map<int, std::set<int>>> Lookaheads(const std::vector<LalrState>& States) const {
    std::vector<std::map<int, std::set<int>>> Result(States.size());
    std::vector<std::set<Lr1Item>> Kernels{{{0, 0, G.EndSymbol}}};
    std::vector<int> Core{0};  // LALR state of each LR(1) state
    for (size_t S = 0; S < Kernels.size(); ++S) {
      const auto Items = Closure1(Kernels[S]);
      std::map<int, std::set<Lr1Item>> Moves;
      for (const auto& [Rule, Dot, Lookahead] : Items) {
        const int X = Next(Rule, Dot);
        if (X < 0) {
          Result[static_cast<size_t>(Core[S])][Rule].insert(Lookahead);
        } else {
          Moves[X].insert({Rule, Dot + 1, Lookahead});
        }
      }
      for (const auto& [X, Kernel] : Moves) {
        if (std::find(Kernels.begin(), Kernels.end(), Kernel) == Kernels.end()) {
          Kernels.push_back(Kernel);
          Core.push_back(States[static_cast<size_t>(Core[S])].Transitions.at(X));
        }
      }
    }
    return Result;
  }

  // "test.grammar:12: ", the place of a rule in the grammar file.
  std::string At(int Rule) const {
    return G.Source + ":" + std::to_string(G.Rules[static_cast<size_t>(Rule)].Line) + ": ";
  }

  bool ResolveActions(size_t Number, LalrState& State, const std::map<int, std::set<int>>& Complete,
                      std::ostream& Errors) const {
    bool Ok = true;
    std::map<int, std::vector<ParseAction>> ByTerminal;
    for (const auto& [X, Target] : State.Transitions) {
      if (G.IsTerminal(X)) ByTerminal[X].push_back({X, ActionKind::Shift, Target});
    }
    for (const auto& [Rule, Terminals] : Complete) {
      for (int T : Terminals) {
        ByTerminal[T].push_back({T, Rule == 0 ? ActionKind::Accept : ActionKind::Reduce, Rule});
      }
    }
    const std::string InState = " conflict in state " + std::to_string(Number) + " on ";
    for (auto& [T, Candidates] : ByTerminal) {
      if (Candidates.size() == 1) {
        State.Actions.push_back(Candidates[0]);
        continue;
      }
      const auto Shift = std::find_if(Candidates.begin(), Candidates.end(), [](const auto& A) {
        return A.Kind == ActionKind::Shift;
      });
      if (Candidates.size() > 2 || Shift == Candidates.end()) {
        // Two or more complete items: reported at the last of their rules, the one written later.
        std::string Between;
        int Last = 0;
        for (const auto& A : Candidates) {
          if (A.Kind == ActionKind::Shift) continue;
          Between += (Between.empty() ? "" : " and ") +
                     (A.Kind == ActionKind::Accept ? std::string("accepting") : G.RuleText(A.Value));
          Last = std::max(Last, A.Value);
        }
        Errors << At(Last) << "reduce/reduce" << InState << G.Name(T) << " between " << Between
               << "\n";
        Ok = false;
        continue;
      }
      const ParseAction Reduce = Candidates[Shift == Candidates.begin() ? 1 : 0];
      const auto& Token = G.Symbols[static_cast<size_t>(T)];
      const auto& Rule = G.Rules[static_cast<size_t>(Reduce.Value)];
      if (Reduce.Kind != ActionKind::Reduce || Token.Precedence == 0 || Rule.Precedence == 0) {
        Errors << At(Reduce.Value) << "shift/reduce" << InState << G.Name(T)
               << " between shifting it and reducing by " << G.RuleText(Reduce.Value)
               << ", which precedence does not resolve\n";
        Ok = false;
        continue;
      }
      std::string Chosen;
      if (Token.Precedence > Rule.Precedence ||
          (Token.Precedence == Rule.Precedence && Rule.Assoc == Associativity::Right)) {
        State.Actions.push_back(*Shift);
        Chosen = "shift";
      } else if (Token.Precedence < Rule.Precedence || Rule.Assoc == Associativity::Left) {
        State.Actions.push_back(Reduce);
        Chosen = "reduce";
      } else {
        State.NonassocErrors.push_back(T);
        Chosen = "error (nonassociative)";
      }
      State.Notes.push_back("conflict between rule " + std::to_string(Reduce.Value) + " and " +
                            G.Name(T) + " resolved as " + Chosen);
    }
    std::sort(State.Actions.begin(), State.Actions.end(), [&](const auto& A, const auto& B) {
      return G.Symbols[static_cast<size_t>(A.Terminal)].Code <
             G.Symbols[static_cast<size_t>(B.Terminal)].Code;
    });
    return Ok;
  }
};

}  // namespace

bool BuildLalrAutomaton(const Grammar& G, std::vector<LalrState>& States, std::ostream& Errors) {
  const Builder B(G);
  B.BuildLr0(States);
  const auto Complete = B.Lookaheads(States);
  bool Ok = true;
  for (size_t S = 0; S < States.size(); ++S) {
    auto& State = States[S];
    Ok &= B.ResolveActions(S, State, Complete[S], Errors);
    const bool OnlyReductions =
        !State.Actions.empty() && State.NonassocErrors.empty() &&
        std::all_of(State.Actions.begin(), State.Actions.end(), [&](const ParseAction& A) {
          return A.Kind == ActionKind::Reduce && A.Value == State.Actions[0].Value;
        });
    if (OnlyReductions) State.DefaultRule = State.Actions[0].Value;
  }
  return Ok;
}
