// The subcommands of the bertlv tool. Each returns the process exit status: 0 success, 1 a
// data error (message on standard error).
#ifndef QUORVEL_CLI_COMMANDS_H
#define QUORVEL_CLI_COMMANDS_H

#include <stdint.h>

#include <string>
#include <vector>

#include "cli/record_driver.h"

enum { EXIT_DATA_ERROR = 1, EXIT_USAGE = 2 };

int RunParse(const RecordOptions& options);
// `path` holds child indices from the root; `hasPath` is false when none was given.
int RunAnalyse(const RecordOptions& options, bool hasPath, const std::vector<uint32_t>& path);
// `key` names one entry ("" for the whole list) and has been checked by DictKeyIsWellFormed.
int RunDict(bool json, const std::string& key);
// With `mask`, card numbers show masked in commands, responses and their elements.
int RunTrace(bool json, bool mask, const std::vector<std::string>& inputs);

// Whether `key` is a decimal index or a hexadecimal tag (0x prefix allowed).
bool DictKeyIsWellFormed(const std::string& key);

#endif
