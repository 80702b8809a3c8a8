#pragma once

#include <string>
#include <string_view>
#include <utility>

// The length of the C++ string or character literal or comment that begins at Position of Code,
// 0 when none begins there. A line comment ends before its line end; a literal left open ends at
// the line end, for the compiler to report.
size_t CodeLiteralOrCommentLength(std::string_view Code, size_t Position);

// The pieces of a grammar file's rules section, one at a time, each with the line it begins on:
// names, 'c' literals, the punctuation : | ; and actions in braces. '#' starts a comment to the
// end of the line, outside actions.
enum class RulePiece { Name, Literal, Colon, Bar, Semicolon, Action, End, Bad };

struct RuleToken {
  RulePiece Kind = RulePiece::End;
  std::string Text;  // as written (an action with its braces); for Bad, what is wrong
  int Line = 0;
};

class RuleScanner {
public:
  // Text begins on line FirstLine of the file.
  RuleScanner(std::string Text, int FirstLine) : Text(std::move(Text)), Line(FirstLine) {}

  RuleToken Next();

  // The line of the text's end, for a message about something missing there.
  int LastLine() const { return Line; }

private:
  RuleToken Action();
  // Moves Count characters on, counting line ends.
  void Advance(size_t Count);

  std::string Text;
  size_t Position = 0;
  int Line;
};
