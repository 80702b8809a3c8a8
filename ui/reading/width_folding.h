#pragma once

#include <QChar>
#include <QString>

// What an input method types for the language's ASCII characters, as those characters: the
// full-width forms U+FF01 to U+FF5E (！ to ～) as U+0021 to U+007E, the ideographic space U+3000
// as a space, and the operator signs an input method offers, − (U+2212) as "-", × as "*" and ÷ as
// "/". A Japanese input method types these wherever it is left on, and in a proportional font
// "１＋２" looks like "1+2", while the expression language reads them as parts of a name. Every
// other character (kanji, kana, the other double-byte characters) stays as it is.
QChar FoldWidth(QChar Character);
QString FoldWidth(QString Text);
