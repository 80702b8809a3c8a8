#include "help_and_version.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr std::string_view kUsage =
    "Usage: vellox [/B | /N | /P]\n"
    "       vellox --help | --version\n"
    "The strip calculator: a bar as wide as the primary monitor, docked to its top edge.\n"
    "\n"
    "  /B         dock to the bottom edge instead\n"
    "  /N         start hidden in the notification area\n"
    "  /P         open the keypad at start\n"
    "  --help     print this usage and exit\n"
    "  --version  print the version and exit\n"
    "Only the first argument counts, in any letter case; any other argument is ignored.\n"
    "\n"
    "Keys in the expression field: Enter evaluates, Up and Down step through the expressions\n"
    "evaluated in this run, Ctrl+L inserts the last result, Alt+C empties both fields, Alt+P\n"
    "opens the keypad, Alt+X closes Vellox; the Menu key or Shift+F10 opens the strip's menu,\n"
    "Escape closes it (and the keypad).\n"
    "\n"
    "The README and vellox(1) say more; vellox-calc(1) evaluates expressions on the command line.\n";

constexpr std::string_view kVersion = "vellox " VELLOX_VERSION "\n";

// Writes Text and closes standard output: 0, or 1 with a line on standard error when that failed
// (a full disk, a closed descriptor), so that a script never takes lost output for success.
int Print(std::string_view Text) {
  errno = 0;
  const bool Written = std::fwrite(Text.data(), 1, Text.size(), stdout) == Text.size();
  if (Written && std::fclose(stdout) == 0) return 0;
  std::fprintf(stderr, "vellox: cannot write standard output: %s\n", std::strerror(errno != 0 ? errno : EIO));
  return 1;
}

}  // namespace

std::optional<int> AnswerHelpOrVersion(int argc, char** argv) {
  if (argc < 2) return std::nullopt;
  const std::string_view First(argv[1]);
  if (First == "--help") return Print(kUsage);
  if (First == "--version") return Print(kVersion);
  return std::nullopt;
}
