#include "reading/width_folding.h"

QChar FoldWidth(QChar Character) {
  const char16_t Code = Character.unicode();
  if (Code >= u'\uFF01' && Code <= u'\uFF5E') return QChar(Code - (u'\uFF01' - u'!'));
  switch (Code) {
    case u'\u3000': return QChar(u' ');
    case u'\u2212': return QChar(u'-');
    case u'\u00D7': return QChar(u'*');
    case u'\u00F7': return QChar(u'/');
    default: return Character;
  }
}

QString FoldWidth(QString Text) {
  for (QChar& Character : Text) Character = FoldWidth(Character);
  return Text;
}
