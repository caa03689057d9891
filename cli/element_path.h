// The --path option of `analyse`: child indices from the root, "0/2".
#ifndef QUORVEL_CLI_ELEMENT_PATH_H
#define QUORVEL_CLI_ELEMENT_PATH_H

#include <stdint.h>

#include <string>
#include <vector>

// Accepts only decimal indices separated by single slashes. False for an empty text, an empty
// component, a trailing slash or any other character. An index too large for any element
// saturates at UINT32_MAX, which names no element.
bool ParseElementPath(const std::string& text, std::vector<uint32_t>* indices);

#endif
