// Hexadecimal text as the user types it and as the program writes it.
#ifndef QUORVEL_CORE_HEX_TEXT_H
#define QUORVEL_CORE_HEX_TEXT_H

#include <stdint.h>

// Converts digit pairs into bytes. A space before a pair is skipped; a zero character, any
// other non-digit, or a space inside a pair ends the conversion, and an unpaired last digit is
// dropped. The bytes converted up to there stand. `out` (length / 2 bytes) may be null to count.
void HexTextToBytes(const char* text, uint32_t length, uint8_t* out, uint32_t* count);

// Writes each byte as two upper-case digits, without separators, followed by a zero character:
// `out` holds 2 * count + 1 characters.
void BytesToHexText(const uint8_t* bytes, uint32_t count, char* out);

// 2 when the text starts with "0x" or "0X", as programmers write hexadecimal numbers, else 0.
uint32_t HexTextPrefixLength(const char* text, uint32_t length);

// Removes every space, carriage return, line feed and tab in place; returns the new length.
uint32_t HexTextStripWhiteSpace(char* text, uint32_t length);

#endif
