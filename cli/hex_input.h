// Reads the hexadecimal input of a command: its arguments joined, or standard input.
#ifndef QUORVEL_CLI_HEX_INPUT_H
#define QUORVEL_CLI_HEX_INPUT_H

#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

// White space (space, carriage return, line feed, tab) is removed, then the text is converted
// by the editor's rule: conversion stops at the first character that is not a hex digit and an
// unpaired last digit is dropped. Reading stops as soon as the input is known to hold more
// bytes than any element can, so an endless stream cannot exhaust memory; `tooLong` is then set.
std::vector<uint8_t> ReadHexInput(const std::vector<std::string>& arguments, FILE* stream,
                                  bool* tooLong);

#endif
