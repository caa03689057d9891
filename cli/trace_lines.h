// One line of an APDU trace: an optional direction marker and time stamp, then the bytes of a
// command or response as hexadecimal text.
#ifndef QUORVEL_CLI_TRACE_LINES_H
#define QUORVEL_CLI_TRACE_LINES_H

#include <stdint.h>

#include <string>
#include <vector>

enum TraceDirection { TRACE_UNMARKED, TRACE_COMMAND, TRACE_RESPONSE };

struct TraceLine {
    TraceDirection direction = TRACE_UNMARKED;
    std::string time;
    std::vector<uint8_t> bytes;
    // Set when the line failed only for an unpaired last hex digit.
    bool oddDigits = false;
};

// Markers: ">", ">>", "->", "-->", "=>" for a command and "<", "<<", "<-", "<--", "<=" for a
// response; and, in any case and followed by ':' or white space, "C", "C-APDU", "send", "TX" for
// a command and "R", "R-APDU", "recv", "RX" for a response. A time stamp is a word of digits with
// ':', '.',
// '-' or '/' between them, possibly in brackets ("12:00:01.250", "[2023-06-15"), or an ISO 8601
// one ("2023-06-15T12:00:01.123Z", "+01:00" offsets too); marker and time stamps may come in
// either order. The rest, white space aside, must be an even number of hex digits, up to a '#'
// that starts a comment. False for a line that holds anything else.
bool ParseTraceLine(const std::string& line, TraceLine* parsed);

#endif
