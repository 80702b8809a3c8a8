#pragma once

#include <string_view>

// The parser's message routine: the text and a line end on standard output, unchecked.
void YaccMessage(std::string_view Message);
