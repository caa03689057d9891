// What `parse` and `analyse` share: their options and turning the input into a tree.
#ifndef QUORVEL_CLI_PARSE_INPUT_H
#define QUORVEL_CLI_PARSE_INPUT_H

#include <string>
#include <vector>

#include "core/tlv.h"

struct ParseOptions {
    bool json = false;
    bool checkPadding = true;
};

// Takes --json, --no-padding-check or a hexadecimal argument; false for any other option.
bool TakeParseOption(const std::string& argument, ParseOptions* options,
                     std::vector<std::string>* hex);

// Reads and parses the input; 0 with the tree in `*root`, or the exit status after the
// editor's message was printed.
int ParseInput(const std::vector<std::string>& hex, const ParseOptions& options, TlvNode** root);

#endif
