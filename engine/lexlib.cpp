#include "lexlib.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>

#include "runtime/std_output.h"

std::string TokenText;

namespace {

// The caller's string.
const char* Input = "";
size_t InputLength = 0;
size_t ReadPosition = 0;

// The push-back buffer, a stack: Buffer[BufferCount - 1] is the next byte.
std::array<unsigned char, kLexBufferSize> Buffer;
size_t BufferCount = 0;

std::array<int, kLexMatchStackSize> MatchStack;
size_t MatchCount = 0;
std::array<size_t, kLexMaxRules + 1> RuleMarks{};  // 0: no mark

// TokenText never grows beyond a few kilobytes before a limit ends the token, so one reservation
// keeps scanning free of allocation.
constexpr size_t kTokenTextReserve = 2 * kLexBufferSize + 64;

std::string ExplainLimit(std::string_view LimitMessage) {
  std::string Text = "The expression is beyond the scanner's limits: " + std::string(LimitMessage);
  if (LimitMessage == "match stack overflow") {
    Text += " (a name or number longer than 1023 characters)";
  } else if (LimitMessage == "input buffer overflow") {
    Text += " (a number that straddles a 2048-byte block of a long expression)";
  }
  return Text;
}

}  // namespace

ELexLimit::ELexLimit(std::string_view LimitMessage) : Exception(ExplainLimit(LimitMessage)) {}

void ResetScanner() {
  BufferCount = 0;
  TokenText.clear();
  TokenText.reserve(kTokenTextReserve);
}

void SetInputString(const char* Text) {
  Input = Text;
  InputLength = std::strlen(Text);
  ReadPosition = 0;
}

unsigned char LexReadByte() {
  if (BufferCount == 0 && ReadPosition < InputLength) {
    const size_t Count = std::min(kLexBufferSize, InputLength - ReadPosition);
    const auto* Chunk = reinterpret_cast<const unsigned char*>(Input + ReadPosition);
    std::reverse_copy(Chunk, Chunk + Count, Buffer.begin());
    BufferCount = Count;
    ReadPosition += Count;
  }
  if (BufferCount == 0) return 0;
  return Buffer[--BufferCount];
}

void LexUnreadByte(unsigned char Byte) {
  if (BufferCount == kLexBufferSize) LexFatal("input buffer overflow");
  Buffer[BufferCount++] = Byte;
}

void LexStartToken() {
  TokenText.clear();
  MatchCount = 0;
}

void LexMatch(int Rule) {
  assert(Rule > 0 && Rule <= kLexMaxRules);
  RuleMarks[static_cast<size_t>(Rule)] = TokenText.size();
  if (MatchCount == kLexMatchStackSize) LexFatal("match stack overflow");
  MatchStack[MatchCount++] = Rule;
}

int LexSelect() {
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

void LexFatal(std::string_view Message) {
  WriteStdOutLine("LexLib: " + std::string(Message));
  throw ELexLimit(Message);
}
