#pragma once

#include <functional>
#include <string_view>

// vellox-calc's standard input and output. A script that stores results through vellox-calc must
// never see an exit status of 0 when they were lost, nor take unreadable input for empty input:
// a failed read or write is reported as one line "vellox-calc: <what failed>: <reason>" on
// standard error.

// Ends the run with exit status 1 when standard output refused a write since the last check
// (a full disk, a closed descriptor). Output is buffered, so a refusal may come to light only
// some writes later, or at the close.
void CheckStandardOutput();

// Flushes and closes standard output, and ends the run with exit status 1 when that fails. A
// standard output that was closed from the start is no failure as long as nothing was written.
void CloseStandardOutput();

// Hands each line of standard input to Take, without its LF or CRLF. Returns false after a read
// error (a folder, a closed descriptor, an I/O error), which is reported; the lines read before
// it have been handed over, a line cut short by it has not. Once standard input failed, a later
// call reports the same error again without reading.
bool ReadStandardInputLines(const std::function<void(std::string_view Line)>& Take);
