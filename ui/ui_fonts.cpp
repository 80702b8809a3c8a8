#include "ui_fonts.h"

#include <QStringList>

QFont JapaneseUiFont(int PixelHeight) {
  QFont Font;
  Font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                    QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
  Font.setPixelSize(PixelHeight);
  return Font;
}
