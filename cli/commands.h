// The subcommands of the bertlv tool. Each returns the process exit status: 0 success, 1 a
// data error (message on standard error), 2 a usage error.
#ifndef QUORVEL_CLI_COMMANDS_H
#define QUORVEL_CLI_COMMANDS_H

#include <string>
#include <vector>

enum { EXIT_DATA_ERROR = 1, EXIT_USAGE = 2 };

int RunParse(const std::vector<std::string>& arguments);
int RunDict(const std::vector<std::string>& arguments);
int RunAnalyse(const std::vector<std::string>& arguments);

// Prints the usage to standard error and returns EXIT_USAGE.
int UsageError();

#endif
