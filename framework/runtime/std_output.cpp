#include "runtime/std_output.h"

#include <cstdio>

void WriteStdOutLine(std::string_view Text) {
  std::fwrite(Text.data(), 1, Text.size(), stdout);
  std::fputc('\n', stdout);
}
