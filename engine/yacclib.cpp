#include "yacclib.h"

#include "runtime/std_output.h"

void YaccMessage(std::string_view Message) { WriteStdOutLine(Message); }
