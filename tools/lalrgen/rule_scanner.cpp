#include "rule_scanner.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSpace(char C) { return std::isspace(static_cast<unsigned char>(C)) != 0; }
bool IsNameStart(char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; }
bool IsNamePart(char C) { return IsNameStart(C) || std::isdigit(static_cast<unsigned char>(C)); }

}  // namespace

size_t CodeLiteralOrCommentLength(std::string_view Code, size_t Position) {
  const std::string_view Rest = Code.substr(Position);
  if (Rest.starts_with("//")) return std::min(Rest.find('\n'), Rest.size());
  if (Rest.starts_with("/*")) {
    const size_t Close = Rest.find("*/", 2);
    return Close == std::string_view::npos ? Rest.size() : Close + 2;
  }
  if (Rest.empty() || (Rest[0] != '"' && Rest[0] != '\'')) return 0;
  // To the closing quote; a backslash takes the next character with it.
  size_t End = 1;
  while (End < Rest.size() && Rest[End] != Rest[0] && Rest[End] != '\n') End += Rest[End] == '\\' ? 2 : 1;
  return std::min(Rest.size(), End < Rest.size() && Rest[End] == Rest[0] ? End + 1 : End);
}

RuleToken RuleScanner::Next() {
  while (Position < Text.size() && (IsSpace(Text[Position]) || Text[Position] == '#')) {
    if (Text[Position] == '#') {
      Position = std::min(Text.find('\n', Position), Text.size());
    } else {
      Advance(1);
    }
  }
  if (Position == Text.size()) return {RulePiece::End, "", Line};
  const size_t Begin = Position;
  const char C = Text[Position];
  if (C == ':' || C == '|' || C == ';') {
    Advance(1);
    const RulePiece Kind = C == ':' ? RulePiece::Colon : C == '|' ? RulePiece::Bar : RulePiece::Semicolon;
    return {Kind, std::string(1, C), Line};
  }
  if (C == '{') return Action();
  if (IsNameStart(C)) {
    while (Position < Text.size() && IsNamePart(Text[Position])) Advance(1);
    return {RulePiece::Name, Text.substr(Begin, Position - Begin), Line};
  }
  if (C == '\'') {
    // One character between quotes that is neither a quote, a backslash nor a line end.
    const std::string Quoted = Text.substr(Begin, 3);
    if (Quoted.size() == 3 && Quoted[2] == '\'' && Quoted[1] != '\'' && Quoted[1] != '\\' &&
        Quoted[1] != '\n') {
      Advance(3);
      return {RulePiece::Literal, Quoted, Line};
    }
    while (Position < Text.size() && !IsSpace(Text[Position])) Advance(1);
    return {RulePiece::Bad,
            "a token literal is one character in quotes, not " + Text.substr(Begin, Position - Begin),
            Line};
  }
  Advance(1);
  return {RulePiece::Bad, std::string("unexpected character '") + C + "'", Line};
}

RuleToken RuleScanner::Action() {
  const int FirstLine = Line;
  const size_t Begin = Position;
  int Depth = 0;
  while (Position < Text.size()) {
    // A brace in a literal or comment does not count.
    if (const size_t Length = CodeLiteralOrCommentLength(Text, Position)) {
      Advance(Length);
      continue;
    }
    const char C = Text[Position];
    Advance(1);
    if (C == '{') ++Depth;
    if (C == '}' && --Depth == 0) {
      return {RulePiece::Action, Text.substr(Begin, Position - Begin), FirstLine};
    }
  }
  return {RulePiece::Bad, "the action is not closed by '}'", FirstLine};
}

void RuleScanner::Advance(size_t Count) {
  for (; Count > 0 && Position < Text.size(); --Count) {
    if (Text[Position++] == '\n') ++Line;
  }
}
