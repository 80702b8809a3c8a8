#include "scanner_automaton.h"

#include <cstddef>
#include <initializer_list>
#include <utility>

namespace {

constexpr ByteSet Bytes(std::initializer_list<std::pair<int, int>> Ranges) {
  ByteSet Set;
  for (const auto& [Low, High] : Ranges) {
    for (int B = Low; B <= High; ++B) Set.Bits[static_cast<size_t>(B) >> 6] |= uint64_t{1} << (B & 63);
  }
  return Set;
}

constexpr ByteSet kBlank = Bytes({{' ', ' '}, {'\t', '\t'}});
constexpr ByteSet kDigit = Bytes({{'0', '9'}});
constexpr ByteSet kPoint = Bytes({{'.', '.'}});
constexpr ByteSet kExponentMark = Bytes({{'E', 'E'}, {'e', 'e'}});
constexpr ByteSet kSign = Bytes({{'+', '+'}, {'-', '-'}});
constexpr ByteSet kIdentifierStart = Bytes({{'A', 'Z'}, {'a', 'z'}, {'_', '_'}});
constexpr ByteSet kIdentifierPart = Bytes({{'A', 'Z'}, {'a', 'z'}, {'_', '_'}, {'0', '9'}});
constexpr ByteSet kLeadByte = Bytes({{0x81, 0x9F}, {0xE0, 0xFC}});  // first byte of a double-byte character
constexpr ByteSet kTrailByte = Bytes({{0x40, 0xFC}});
constexpr ByteSet kStar = Bytes({{'*', '*'}});
constexpr ByteSet kLineFeed = Bytes({{'\n', '\n'}});
constexpr ByteSet kAnyOtherByte = Bytes({{1, '\n' - 1}, {'\n' + 1, 255}});

enum : int {
  Start,
  Blank,              // rules 1 and 6
  FirstDigit,         // rules 2 and 6
  IntegerDigits,      // rule 2
  PointAfterDigits,
  LeadingPoint,       // rule 6
  FractionDigits,     // rule 2
  ExponentMark,
  ExponentSign,
  ExponentDigits,     // rule 2
  IdentifierFirst,    // rules 3 and 6
  IdentifierRest,     // rule 3
  IdentifierLeadByte, // inside a double-byte character
  Star,               // rule 6
  DoubleStar,         // rule 4
  LineFeed,           // rule 5
  OtherByte,          // rule 6
  StateCount
};

static_assert(StateCount == kScanStateCount);

}  // namespace

// number:     [0-9]+ | [0-9]*\.[0-9]+([Ee][-+]?[0-9]+)?
// identifier: [A-Za-z_]([A-Za-z0-9_] | [\x81-\x9F\xE0-\xFC][\x40-\xFC])*
constinit const ScanState ScanStates[kScanStateCount] = {
    /* Start */ {{}, {{{kBlank, Blank}, {kDigit, FirstDigit}, {kPoint, LeadingPoint},
                       {kIdentifierStart, IdentifierFirst}, {kStar, Star}, {kLineFeed, LineFeed},
                       {kAnyOtherByte, OtherByte}}}},
    /* Blank */ {{srBlank, srAnyByte}, {}},
    /* FirstDigit */ {{srNumber, srAnyByte}, {{{kDigit, IntegerDigits}, {kPoint, PointAfterDigits}}}},
    /* IntegerDigits */ {{srNumber}, {{{kDigit, IntegerDigits}, {kPoint, PointAfterDigits}}}},
    /* PointAfterDigits */ {{}, {{{kDigit, FractionDigits}}}},
    /* LeadingPoint */ {{srAnyByte}, {{{kDigit, FractionDigits}}}},
    /* FractionDigits */ {{srNumber}, {{{kDigit, FractionDigits}, {kExponentMark, ExponentMark}}}},
    /* ExponentMark */ {{}, {{{kSign, ExponentSign}, {kDigit, ExponentDigits}}}},
    /* ExponentSign */ {{}, {{{kDigit, ExponentDigits}}}},
    /* ExponentDigits */ {{srNumber}, {{{kDigit, ExponentDigits}}}},
    /* IdentifierFirst */ {{srIdentifier, srAnyByte},
                           {{{kIdentifierPart, IdentifierRest}, {kLeadByte, IdentifierLeadByte}}}},
    /* IdentifierRest */ {{srIdentifier},
                          {{{kIdentifierPart, IdentifierRest}, {kLeadByte, IdentifierLeadByte}}}},
    /* IdentifierLeadByte */ {{}, {{{kTrailByte, IdentifierRest}}}},
    /* Star */ {{srAnyByte}, {{{kStar, DoubleStar}}}},
    /* DoubleStar */ {{srPower}, {}},
    /* LineFeed */ {{srLineFeed}, {}},
    /* OtherByte */ {{srAnyByte}, {}},
};
