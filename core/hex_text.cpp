#include "core/hex_text.h"

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
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
