#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/extended.h"

// The process's one symbol table: the built-in functions and every variable ever scanned. Names
// are Shift-JIS byte strings compared with a-z folded onto A-Z on every byte.

enum TSymKind : unsigned char {
  skVariable = 0,
  skReserved = 1,
  skFunction1 = 2,
  skFunction2 = 3,
};

using TSymFunc1 = Extended (*)(Extended X);
using TSymFunc2 = Extended (*)(Extended First, Extended Second);

// A function handed to AddFunction: the one- or two-argument shape, or neither (null).
struct TSymFuncRef {
  TSymFunc1 One = nullptr;
  TSymFunc2 Two = nullptr;
  constexpr TSymFuncRef() = default;
  constexpr TSymFuncRef(std::nullptr_t) {}
  constexpr TSymFuncRef(TSymFunc1 F) : One(F) {}
  constexpr TSymFuncRef(TSymFunc2 F) : Two(F) {}
};

struct TSymData {
  const std::string Name;  // as spelled when the entry was created
  const TSymKind Kind;
  // The member Kind calls for: Value of a variable, Func1 or Func2 of a function.
  union {
    Extended Value;
    TSymFunc1 Func1;
    TSymFunc2 Func2;
  };

  // Set by the first assignment to the variable, so that a read before it can be reported as a
  // read of a name that was never given a value (unassigned_reads.h).
  bool Assigned = false;
  // The variable's place in the list of unassigned reads: the parse that listed it last, and the
  // next variable listed by that parse.
  uint64_t ListedByParse = 0;
  TSymData* NextUnassignedRead = nullptr;

  TSymData(std::string_view SymbolName, TSymKind SymbolKind) : Name(SymbolName), Kind(SymbolKind), Value(0) {}
};

// The entries in insertion order; the table owns them and never removes one before FreeSymbols,
// so a TSymData reference stays valid for the rest of the process.
extern std::vector<std::unique_ptr<TSymData>> SymbolList;

// The entry named Name, or null. A linear search from the first entry.
TSymData* FindSymbol(std::string_view Name);

// The entry named Name, created as a variable with value 0 when there is none.
TSymData* FindOrCreateSymbol(std::string_view Name);

// Adds a function. Raises ECalcException "Invalid Function" when Kind is not skFunction1 or
// skFunction2 or the function of that shape is null, even if the name exists; returns false and
// changes nothing when the name is already in the table.
bool AddFunction(std::string_view Name, TSymFuncRef Func, TSymKind Kind);

// Frees every entry and empties the table.
void FreeSymbols();
