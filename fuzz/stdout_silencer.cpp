#include "stdout_silencer.h"

#include <cstdio>

void SilenceStandardOutput() {
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::perror("/dev/null");
}
