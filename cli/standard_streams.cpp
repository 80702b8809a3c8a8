#include "standard_streams.h"

#include <sys/types.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Report(const char* What, int Error) {
  std::fprintf(stderr, "vellox-calc: %s: %s\n", What, std::strerror(Error));
}

[[noreturn]] void FailOutput(int Error) {
  Report("cannot write standard output", Error != 0 ? Error : EIO);
  std::exit(1);
}

// The first read error of standard input, 0 while it has none.
int StandardInputError = 0;

}  // namespace

void CheckStandardOutput() {
  // The write that failed set errno last: nothing that may set it runs after a line is written.
  if (std::ferror(stdout)) FailOutput(errno);
}

void CloseStandardOutput() {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) FailOutput(errno);
  // With everything flushed, only a descriptor closed from the start and never written to can
  // refuse the close as a bad descriptor.
  if (std::fclose(stdout) != 0 && errno != EBADF) FailOutput(errno);
}

bool ReadStandardInputLines(const std::function<void(std::string_view Line)>& Take) {
  if (StandardInputError == 0) {
    char* Line = nullptr;
    size_t Capacity = 0;
    for (;;) {
      errno = 0;
      const ssize_t Length = getline(&Line, &Capacity, stdin);
      if (std::ferror(stdin)) {
        StandardInputError = errno != 0 ? errno : EIO;
        break;
      }
      if (Length < 0) break;
      std::string_view Text(Line, static_cast<size_t>(Length));
      if (!Text.empty() && Text.back() == '\n') {
        Text.remove_suffix(1);
        if (!Text.empty() && Text.back() == '\r') Text.remove_suffix(1);
      }
      Take(Text);
    }
    std::free(Line);
  }
  if (StandardInputError == 0) return true;
  std::fflush(stdout);  // keep the order of lines when both streams go to one place
  Report("cannot read standard input", StandardInputError);
  return false;
}
