#pragma once

#include <optional>

// `vellox --help` and `vellox --version`, as the first argument: the usage (the switches, the keys,
// where more is said) or the version, on standard output, before anything of Qt starts, so that no
// strip is started or shown and no display is needed. Returns the exit status when the first
// argument asked for one of them (1 when standard output could not be written), none otherwise:
// then the strip starts and every other argument is what it was.
std::optional<int> AnswerHelpOrVersion(int argc, char** argv);
