#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/lex_limit.h"

// The scanner's run-time half: input from the caller's string through a fixed push-back buffer,
// the text of the token being matched, the match bookkeeping, and the fatal-limit routine.

constexpr size_t kLexBufferSize = 2048;
constexpr size_t kLexMatchStackSize = 1024;
constexpr int kLexMaxRules = 16;

// The bytes of the token being matched, end marker included when it was read.
extern std::string TokenText;

// Empties the input buffer (bytes read ahead or given back) and TokenText; the read position in
// the string stays where it is.
void ResetScanner();

// Reads Text up to its first zero byte, lazily, at most kLexBufferSize bytes at a time; the caller
// keeps the string alive and unchanged until the parse has ended.
void SetInputString(const char* Text);

// The next byte of the input, or 0 (the end marker) when the buffer is empty and the string is
// exhausted.
unsigned char LexReadByte();

// Puts a byte back on top of the buffer; LexFatal "input buffer overflow" when it is full.
void LexUnreadByte(unsigned char Byte);

// Starts a token: TokenText and the match stack empty.
void LexStartToken();

// Records that Rule matches the whole of TokenText: sets its mark to the current length and
// pushes it on the match stack; LexFatal "match stack overflow" beyond kLexMatchStackSize entries.
void LexMatch(int Rule);

// The byte offset in the input string of the byte LexReadByte returns next; the string's length
// once it is exhausted.
size_t LexPosition();

// Selects the winning rule: drops stack entries without a mark, gives back the bytes beyond the
// top rule's mark (last byte first), cuts TokenText to it and clears the mark. Returns the rule,
// or 0 when no rule matched.
int LexSelect();

// Writes "LexLib: " and the message to standard output and ends the evaluation with ELexLimit.
[[noreturn]] void LexFatal(std::string_view Message);

// The state behind the functions above. The scanner calls LexReadByte and LexMatch for every byte
// it reads, so they and their neighbours are inline, and their state is here; nothing else
// touches it.
namespace LexLibState {

// The caller's string.
inline const char* Input = "";
inline size_t InputLength = 0;
inline size_t ReadPosition = 0;

// The push-back buffer, a stack: Buffer[BufferCount - 1] is the next byte.
inline std::array<unsigned char, kLexBufferSize> Buffer;
inline size_t BufferCount = 0;

inline std::array<int, kLexMatchStackSize> MatchStack;
inline size_t MatchCount = 0;
inline std::array<size_t, kLexMaxRules + 1> RuleMarks{};  // 0: no mark

// Loads the next chunk of the string into the empty buffer; false when the string is exhausted.
bool LoadChunk();

}  // namespace LexLibState

inline unsigned char LexReadByte() {
  using namespace LexLibState;
  if (BufferCount == 0 && !LoadChunk()) return 0;
  return Buffer[--BufferCount];
}

inline void LexUnreadByte(unsigned char Byte) {
  using namespace LexLibState;
  if (BufferCount == kLexBufferSize) LexFatal("input buffer overflow");
  Buffer[BufferCount++] = Byte;
}

inline void LexStartToken() {
  TokenText.clear();
  LexLibState::MatchCount = 0;
}

inline void LexMatch(int Rule) {
  using namespace LexLibState;
  assert(Rule > 0 && Rule <= kLexMaxRules);
  RuleMarks[static_cast<size_t>(Rule)] = TokenText.size();
  if (MatchCount == kLexMatchStackSize) LexFatal("match stack overflow");
  MatchStack[MatchCount++] = Rule;
}

inline size_t LexPosition() {
  using namespace LexLibState;
  // Every byte in the buffer is one of the string's, given back or not yet read, except the end
  // marker that LexSelect gives back after the last byte was read: no string byte is 0, and the
  // marker lies at the bottom, for the buffer was empty when it was read.
  const size_t Pending = BufferCount - (BufferCount > 0 && Buffer[0] == 0 ? 1 : 0);
  return ReadPosition - Pending;
}

inline int LexSelect() {
  using namespace LexLibState;
  while (MatchCount > 0 && RuleMarks[static_cast<size_t>(MatchStack[MatchCount - 1])] == 0) {
    --MatchCount;
  }
  if (MatchCount == 0) return 0;
  const int Rule = MatchStack[MatchCount - 1];
  size_t& Mark = RuleMarks[static_cast<size_t>(Rule)];
  assert(Mark <= TokenText.size());  // a mark is a length the text had while it grew
  for (size_t I = TokenText.size(); I > Mark; --I) {
    LexUnreadByte(static_cast<unsigned char>(TokenText[I - 1]));
  }
  TokenText.resize(Mark);
  Mark = 0;
  return Rule;
}
