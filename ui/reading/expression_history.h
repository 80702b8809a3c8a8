#pragma once

#include <QString>

#include <cstddef>
#include <deque>
#include <optional>

// The expressions evaluated in this run, newest first, for Up and Down in the expression field.
// They live in memory only, as everything else does. Recalling walks back from the newest; the
// line the field held before the first step back is kept, and stepping forward past the newest
// brings it back.
class TExpressionHistory {
public:
  static constexpr size_t kMaxEntries = 1000;
  // Long pasted expressions could make a thousand entries hold hundreds of megabytes; beyond
  // this many characters in all the oldest entries go, but the newest always stays.
  static constexpr size_t kMaxCharacters = size_t{1} << 21;

  // An expression that was evaluated, successfully or not. A blank one, or one equal to the
  // newest, adds nothing. Any recall ends.
  void Add(const QString& Expression);

  // The expression one step older than the one Line shows, or none when there is no older one.
  // Line is the field's text: when it is not what the last recall put there (the user edited
  // it, or no recall is going on), recalling starts anew from the newest, and Line is kept. The
  // field keeps the expression just evaluated, so a first step back passes over an equal newest.
  std::optional<QString> Older(const QString& Line);

  // The expression one step newer, or the kept line after the newest; none when no recall is
  // going on (or Line was edited since the last one).
  std::optional<QString> Newer(const QString& Line);

  size_t Size() const { return Entries.size(); }
  // The entry at Index, 0 the newest.
  const QString& At(size_t Index) const { return Entries[Index]; }

private:
  std::deque<QString> Entries;  // newest first
  size_t Characters = 0;        // in all entries
  int Position = -1;            // the entry the last recall showed; -1: not recalling
  QString Shown;                // the text it put in the field
  QString Kept;                 // the line before the first step back

  bool Recalling(const QString& Line) const { return Position >= 0 && Line == Shown; }
  QString Show(int Index);
};
