#include "cli/trace_lines.h"

#include <ctype.h>
#include <string.h>
#include <strings.h>

#include "core/hex_text.h"

namespace {

struct Marker {
    const char* word;
    TraceDirection direction;
};

// Longer words first, so that "C-APDU" is not taken for "C" nor ">>" for ">".
const Marker kMarkers[] = {
    {"C-APDU", TRACE_COMMAND}, {"R-APDU", TRACE_RESPONSE}, {"send", TRACE_COMMAND},
    {"recv", TRACE_RESPONSE},  {"TX", TRACE_COMMAND},      {"RX", TRACE_RESPONSE},
    {"C", TRACE_COMMAND},      {"R", TRACE_RESPONSE},      {"-->", TRACE_COMMAND},
    {"<--", TRACE_RESPONSE},   {"->", TRACE_COMMAND},      {"<-", TRACE_RESPONSE},
    {">>", TRACE_COMMAND},     {"<<", TRACE_RESPONSE},     {"=>", TRACE_COMMAND},
    {"<=", TRACE_RESPONSE},    {">", TRACE_COMMAND},       {"<", TRACE_RESPONSE},
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

size_t SkipSpace(const std::string& line, size_t at) {
    while (at < line.size() && IsSpace(line[at])) {
        ++at;
    }
    return at;
}

// The end of a marker at `at`, or `at` when there is none.
size_t TakeMarker(const std::string& line, size_t at, TraceDirection* direction) {
    for (const Marker& marker : kMarkers) {
        const size_t length = strlen(marker.word);
        if (line.size() - at < length || strncasecmp(line.c_str() + at, marker.word, length) != 0) {
            continue;
        }
        size_t end = at + length;
        const bool symbol = !isalpha(static_cast<unsigned char>(marker.word[0]));
        const bool separated = end == line.size() || line[end] == ':' || IsSpace(line[end]);
        if (!symbol && !separated) {
            continue;
        }
        if (end < line.size() && line[end] == ':') {
            ++end;
        }
        *direction = marker.direction;
        return end;
    }
    return at;
}

// The end of a time stamp word at `at`, or `at` when the word is none.
size_t TakeTime(const std::string& line, size_t at) {
    size_t end = at;
    while (end < line.size() && !IsSpace(line[end])) {
        ++end;
    }
    bool digit = false;
    bool separator = false;
    for (size_t i = at; i < end; ++i) {
        const char c = line[i];
        if (isdigit(static_cast<unsigned char>(c))) {
            digit = true;
        } else if (c == ':' || c == '.' || c == '-' || c == '/' || c == ',' || c == '+') {
            separator = true;
        } else if (c != '[' && c != ']' && c != '(' && c != ')' && c != 'T' && c != 'Z') {
            return at;
        }
    }
    // Hex digits never come with separators, so an ISO 8601 'T' or 'Z' cannot hide a command.
    return digit && separator ? end : at;
}

}  // namespace

bool ParseTraceLine(const std::string& line, TraceLine* parsed) {
    *parsed = TraceLine();
    size_t at = SkipSpace(line, 0);
    // A marker and up to three time stamp words (a date, a time and a zone), in any order.
    for (int prefix = 0; prefix < 4; ++prefix) {
        size_t next = at;
        if (parsed->direction == TRACE_UNMARKED) {
            next = TakeMarker(line, at, &parsed->direction);
        }
        if (next == at) {
            next = TakeTime(line, at);
            if (next != at) {
                parsed->time += (parsed->time.empty() ? "" : " ") + line.substr(at, next - at);
            }
        }
        if (next == at) {
            break;
        }
        at = SkipSpace(line, next);
    }
    at += HexTextPrefixLength(line.data() + at, static_cast<uint32_t>(line.size() - at));
    std::string hex;
    for (; at < line.size() && line[at] != '#'; ++at) {
        const char c = line[at];
        if (isxdigit(static_cast<unsigned char>(c))) {
            hex.push_back(c);
        } else if (!IsSpace(c)) {
            return false;
        }
    }
    if (hex.empty() || hex.size() % 2 != 0) {
        parsed->oddDigits = !hex.empty();
        return false;
    }
    parsed->bytes.resize(hex.size() / 2);
    uint32_t count = 0;
    HexTextToBytes(hex.data(), static_cast<uint32_t>(hex.size()), parsed->bytes.data(), &count);
    return true;
}
