#pragma once

#include <QFont>

// The windows' Japanese proportional gothic face at a character height in pixels: "ＭＳ Ｐゴシック"
// where it exists, else the IPA or Noto gothic that the set-up installs; with the font's own hinting.
QFont JapaneseUiFont(int PixelHeight);
