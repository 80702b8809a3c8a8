#include "lexlib.h"

#include <algorithm>
#include <cstring>

#include "runtime/std_output.h"

std::string TokenText;

namespace {

// TokenText never grows beyond a few kilobytes before a limit ends the token, so one reservation
// keeps scanning free of allocation.
constexpr size_t kTokenTextReserve = 2 * kLexBufferSize + 64;

ELexLimit::TLimit LimitOf(std::string_view LimitMessage) {
  return LimitMessage == "match stack overflow" ? ELexLimit::TLimit::MatchStack : ELexLimit::TLimit::InputBuffer;
}

std::string ExplainLimit(std::string_view LimitMessage) {
  return "The expression is beyond the scanner's limits: " + std::string(LimitMessage) +
         (LimitOf(LimitMessage) == ELexLimit::TLimit::MatchStack
              ? " (a name or number longer than 1023 characters)"
              : " (a number that straddles a 2048-byte block of a long expression)");
}

}  // namespace

ELexLimit::ELexLimit(std::string_view LimitMessage)
    : Exception(ExplainLimit(LimitMessage)), FLimit(LimitOf(LimitMessage)) {}

void ResetScanner() {
  LexLibState::BufferCount = 0;
  TokenText.clear();
  TokenText.reserve(kTokenTextReserve);
}

void SetInputString(const char* Text) {
  LexLibState::Input = Text;
  LexLibState::InputLength = std::strlen(Text);
  LexLibState::ReadPosition = 0;
}

bool LexLibState::LoadChunk() {
  if (ReadPosition == InputLength) return false;
  const size_t Count = std::min(kLexBufferSize, InputLength - ReadPosition);
  const auto* Chunk = reinterpret_cast<const unsigned char*>(Input + ReadPosition);
  std::reverse_copy(Chunk, Chunk + Count, Buffer.begin());
  BufferCount = Count;
  ReadPosition += Count;
  return true;
}

void LexFatal(std::string_view Message) {
  WriteStdOutLine("LexLib: " + std::string(Message));
  throw ELexLimit(Message);
}
