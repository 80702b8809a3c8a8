#include "symbols.h"

#include "engine/calc_exception.h"
#include "runtime/compare_text.h"
#include "unassigned_reads.h"

std::vector<std::unique_ptr<TSymData>> SymbolList;

TSymData* FindSymbol(std::string_view Name) {
  for (const auto& Entry : SymbolList) {
    if (SameText(Entry->Name, Name)) return Entry.get();
  }
  return nullptr;
}

TSymData* FindOrCreateSymbol(std::string_view Name) {
  if (TSymData* Found = FindSymbol(Name)) return Found;
  SymbolList.push_back(std::make_unique<TSymData>(Name, skVariable));
  return SymbolList.back().get();
}

bool AddFunction(std::string_view Name, TSymFuncRef Func, TSymKind Kind) {
  const bool Valid = (Kind == skFunction1 && Func.One != nullptr) ||
                     (Kind == skFunction2 && Func.Two != nullptr);
  if (!Valid) throw ECalcException("Invalid Function");
  if (FindSymbol(Name) != nullptr) return false;
  auto Entry = std::make_unique<TSymData>(Name, Kind);
  if (Kind == skFunction1) {
    Entry->Func1 = Func.One;
  } else {
    Entry->Func2 = Func.Two;
  }
  SymbolList.push_back(std::move(Entry));
  return true;
}

void FreeSymbols() {
  ForgetUnassignedReads();
  SymbolList.clear();
}
