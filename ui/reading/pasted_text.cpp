#include "reading/pasted_text.h"

#include "reading/width_folding.h"

namespace {

bool EndsLine(QChar Character) {
  switch (Character.unicode()) {
    case u'\n': case u'\r': case u'\v': case u'\f':
    case u'\u0085': case u'\u2028': case u'\u2029':
      return true;
    default:
      return false;
  }
}

}  // namespace

PastedLine FirstPastedLine(const QString& Pasted) {
  PastedLine Line;
  for (QChar Character : Pasted) {
    if (EndsLine(Character)) break;
    if (Character == u'\t') {
      Line.Text += u' ';
    } else if (Character.category() == QChar::Other_Control) {
      Line.Dropped = true;
    } else {
      Line.Text += FoldWidth(Character);
    }
  }
  return Line;
}
