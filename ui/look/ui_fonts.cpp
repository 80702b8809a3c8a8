#include "look/ui_fonts.h"

#include <QStringList>

QFont JapaneseUiFont(int PixelHeight) {
  QFont Font;
  Font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                    QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
  Font.setPixelSize(PixelHeight);
  // The font's own hinting, as small Japanese captions are drawn on the desktops they come from.
  // It also spares FreeType's auto-hinter, which reads a hundred reference glyphs of a CJK font
  // to measure its blue zones: 1.5 MiB of the font file mapped for a few captions.
  Font.setHintingPreference(QFont::PreferFullHinting);
  return Font;
}
