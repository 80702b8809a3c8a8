#pragma once

// Points standard output at /dev/null for the rest of the process. The engine writes "syntax
// error" and its scanner-limit lines there; under a fuzzer they would bury the log.
void SilenceStandardOutput();
