#pragma once

#include <QString>

// What a one-line field takes of pasted or dropped text: its first line (text copied from a
// terminal or a spreadsheet often ends in a line break, which a one-line field cannot show), with
// tabs as spaces and no other control character, since the engine would read a NUL as the end of
// the expression and the field shows none of them; and full-width forms folded to ASCII, as
// when they are typed (width_folding.h).
struct PastedLine {
  QString Text;
  bool Dropped = false;  // control characters were left out of the first line
};

PastedLine FirstPastedLine(const QString& Pasted);
