#pragma once

#include <string_view>

// Writes the text and a line end to the process's standard output. Whether the write succeeded is
// not checked: in a program without a console the line is simply lost.
void WriteStdOutLine(std::string_view Text);
