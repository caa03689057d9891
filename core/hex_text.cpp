#include "core/hex_text.h"

namespace {

// The value of every character as a hex digit, -1 for the others: one read per character
// where a chain of range tests would cost several branches.
struct DigitTable {
    int8_t values[256];
    constexpr DigitTable() : values() {
        for (int c = 0; c < 256; ++c) {
            values[c] = -1;
        }
        for (int c = '0'; c <= '9'; ++c) {
            values[c] = static_cast<int8_t>(c - '0');
        }
        for (int c = 'A'; c <= 'F'; ++c) {
            values[c] = static_cast<int8_t>(c - 'A' + 10);
            values[c - 'A' + 'a'] = static_cast<int8_t>(c - 'A' + 10);
        }
    }
};

constexpr DigitTable kDigitTable;

int DigitValue(char c) {
    return kDigitTable.values[static_cast<unsigned char>(c)];
}

}  // namespace

void HexTextToBytes(const char* text, uint32_t length, uint8_t* out, uint32_t* count) {
    uint32_t converted = 0;
    uint32_t at = 0;
    while (text != nullptr && at < length) {
        const char first = text[at++];
        if (first == ' ') {
            continue;
        }
        const int high = DigitValue(first);
        if (high < 0 || at >= length) {
            break;
        }
        const int low = DigitValue(text[at++]);
        if (low < 0) {
            break;
        }
        if (out != nullptr) {
            out[converted] = static_cast<uint8_t>(high << 4 | low);
        }
        ++converted;
    }
    if (count != nullptr) {
        *count = converted;
    }
}

void BytesToHexText(const uint8_t* bytes, uint32_t count, char* out) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (uint32_t i = 0; i < count; ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    out[2 * count] = '\0';
}

uint32_t HexTextPrefixLength(const char* text, uint32_t length) {
    return length >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') ? 2 : 0;
}

uint32_t HexTextStripWhiteSpace(char* text, uint32_t length) {
    uint32_t kept = 0;
    for (uint32_t i = 0; i < length; ++i) {
        const char c = text[i];
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t') {
            text[kept++] = c;
        }
    }
    return kept;
}
