// Standard output of the tool, with every write failure kept until the command ends.
#ifndef QUORVEL_CLI_OUTPUT_H
#define QUORVEL_CLI_OUTPUT_H

#include <stddef.h>

#include <string>

// Writes to standard output. False once any write has failed; later writes are dropped.
bool WriteOutput(const char* bytes, size_t count);
bool WriteOutput(const std::string& text);
// Writes what a command gathered in `pending` and empties it. False once any write has failed.
bool WritePending(std::string* pending);
// Writes `pending` once it holds about this much, so that long output is handed on in pieces.
bool WritePendingPiece(std::string* pending);
// Hands what was written so far on to the system, so that a program reading a pipe sees it.
// False once any write has failed.
bool FlushOutput();

// Flushes standard output. When any write failed, prints "bertlv: write error: REASON" on
// standard error and returns 1; otherwise returns `status`.
int FinishOutput(int status);

#endif
