#pragma once

#include <array>
#include <cassert>
#include <cstdint>

// The scanner's deterministic automaton over its six rules, in priority order (a lower number wins
// a tie between rules matching the same longest text):
//   1 one blank or tab       2 a number      3 an identifier
//   4 "**"                   5 a line feed   6 any one byte other than 0 and line feed
enum ScanRule : int {
  srBlank = 1,
  srNumber = 2,
  srIdentifier = 3,
  srPower = 4,
  srLineFeed = 5,
  srAnyByte = 6,
};

// A set of byte values, 256 bits.
struct ByteSet {
  std::array<uint64_t, 4> Bits{};
  constexpr bool Has(unsigned char Byte) const { return (Bits[Byte >> 6] >> (Byte & 63)) & 1; }
};

struct ScanTransition {
  ByteSet On;
  int Target = -1;  // -1 ends the list
};

struct ScanState {
  std::array<int, 2> EndingRules{};  // the rules matching the whole text in this state, ascending; 0 = none
  std::array<ScanTransition, 7> Transitions{};  // tried in order, the first set holding the byte wins
};

constexpr int kScanStartState = 0;
constexpr int kScanStateCount = 17;

// The states of the automaton, indexed by state number.
extern const ScanState ScanStates[kScanStateCount];

// Inline: the scanner enters a state for every byte it reads.
inline const ScanState& ScanStateAt(int State) {
  assert(State >= 0 && State < kScanStateCount);
  return ScanStates[State];
}
