#pragma once

#include <QString>

#include <exception>

// The strip's words for the faults an evaluation raises, in Japanese like all its texts (in English
// through the translation under any other language): the floating-point faults, a character
// without a Shift-JIS form (named), text that cannot be converted, and the scanner's limits. Each says what happened and what to do. Empty for any
// other exception, whose own message (or the framework's words) then stands. vellox-calc keeps
// the exceptions' English messages.
QString JapaneseMessage(const std::exception& Error);
