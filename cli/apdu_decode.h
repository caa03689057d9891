// Command and response APDUs of chip-card traces: their fields, the command's name and the
// meaning of the status word.
#ifndef QUORVEL_CLI_APDU_DECODE_H
#define QUORVEL_CLI_APDU_DECODE_H

#include <stdint.h>

#include <string>
#include <vector>

struct CommandApdu {
    // False when fewer than four bytes were given; nothing else is then set.
    bool valid = false;
    uint8_t cla = 0;
    uint8_t ins = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    // The length fields as they stand (one byte, or three or two in extended form), empty
    // when absent.
    std::vector<uint8_t> lc;
    std::vector<uint8_t> data;
    std::vector<uint8_t> le;
    // Set when the body's length does not match Lc; `data` then holds the bytes after P2.
    bool malformed = false;
    // "SELECT", "READ RECORD", ...; kUnknownCommandName for an instruction not known here.
    std::string name;
    // What P1 and P2 ask for: "by DF name, first or only occurrence", "record 1, SFI 2",
    // "ARQC requested", "tag 9F36 (Application Transaction Counter(ATC))".
    std::string detail;
};

extern const char kUnknownCommandName[];

enum {
    INS_SELECT = 0xA4,
    INS_READ_RECORD = 0xB2,
    INS_GET_PROCESSING_OPTIONS = 0xA8,
    INS_GENERATE_AC = 0xAE,
    INS_GET_DATA = 0xCA,
    INS_INTERNAL_AUTHENTICATE = 0x88,
    INS_EXTERNAL_AUTHENTICATE = 0x82,
    INS_VERIFY = 0x20,
    INS_GET_CHALLENGE = 0x84,
    INS_GET_RESPONSE = 0xC0,
    INS_COMPUTE_CRYPTOGRAPHIC_CHECKSUM = 0x2A,
    INS_PUT_DATA = 0xDA,
};

// P2 of a VERIFY whose data is the PIN in clear, and of one whose data is enciphered.
enum { VERIFY_PLAINTEXT_PIN = 0x80, VERIFY_ENCIPHERED_PIN = 0x88 };

// Splits a command into its fields (ISO/IEC 7816-4 cases 1 to 4, short and extended lengths)
// and names it.
CommandApdu DecodeCommand(const std::vector<uint8_t>& bytes);

// The meaning of a status word, from ISO/IEC 7816-4 and EMV Books 1 and 3.
std::string StatusWordText(uint8_t sw1, uint8_t sw2);

#endif
