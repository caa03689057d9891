// Data object lists (PDOL, CDOL1, CDOL2, DDOL, UDOL): the tags and lengths a card asks the
// terminal to send, and the command data split along them.
#ifndef QUORVEL_CLI_DOL_H
#define QUORVEL_CLI_DOL_H

#include <stdint.h>

#include <string>
#include <vector>

struct DolEntry {
    std::vector<uint8_t> tag;
    uint32_t length;
    // The bytes of the command data for this entry; fewer than `length` when the data ended.
    std::vector<uint8_t> value;
};

struct DolSplit {
    std::vector<DolEntry> entries;
    // Bytes the data lacked for the last entries, and bytes it held beyond the list.
    uint32_t missing = 0;
    std::vector<uint8_t> extra;
};

// The entries of a list: each a tag of 1 to 4 bytes (BER rules) and a one-byte length. False
// when the list ends inside an entry.
bool ParseDol(const std::vector<uint8_t>& list, std::vector<DolEntry>* entries);

// Gives each entry its bytes of `data`, in order.
DolSplit SplitAlongDol(const std::vector<DolEntry>& entries, const std::vector<uint8_t>& data);

#endif
