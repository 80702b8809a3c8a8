#pragma once

#include <cstdint>

#include "runtime/extended.h"
#include "symbols.h"

// The variables that a parse read while no assignment had set them, in the order first read. The
// list runs through the symbols themselves (each is listed once per parse), so noting a read
// allocates nothing; it holds until the next parse begins.

namespace UnassignedReadsState {
inline uint64_t Parse = 0;  // the number of the parse that fills the list
inline TSymData* First = nullptr;
inline TSymData* Last = nullptr;
}  // namespace UnassignedReadsState

// Starts the list of a new parse, empty.
void BeginUnassignedReads();

// Empties the list without starting a parse: its symbols are being freed.
void ForgetUnassignedReads();

// The first variable of the list, or null; NextUnassignedRead leads on to the others.
inline const TSymData* FirstUnassignedRead() { return UnassignedReadsState::First; }

// Appends Variable to the list unless this parse listed it already.
inline void NoteUnassignedRead(TSymData& Variable) {
  using namespace UnassignedReadsState;
  if (Variable.ListedByParse == Parse) return;
  Variable.ListedByParse = Parse;
  Variable.NextUnassignedRead = nullptr;
  (Last != nullptr ? Last->NextUnassignedRead : First) = &Variable;
  Last = &Variable;
}

// The value of a variable where an expression reads it, noting the read when no assignment has
// set the variable yet.
inline Extended ReadVariable(TSymData& Variable) {
  if (!Variable.Assigned) NoteUnassignedRead(Variable);
  return Variable.Value;
}
