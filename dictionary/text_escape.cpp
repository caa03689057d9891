#include "dictionary/text_escape.h"

namespace {

bool IsControlByte(unsigned char c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

void AppendEscaped(const std::string& text, std::string* out) {
    static const char kDigits[] = "0123456789ABCDEF";
    size_t plain = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80 && !IsControlByte(byte)) {
            continue;
        }
        out->append(text, plain, i - plain);
        if (IsControlByte(byte)) {
            const char escaped[4] = {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
            out->append(escaped, sizeof escaped);
        } else {
            const char utf8[2] = {static_cast<char>(0xC0 | (byte >> 6)),
                                  static_cast<char>(0x80 | (byte & 0x3F))};
            out->append(utf8, sizeof utf8);
        }
        plain = i + 1;
    }
    out->append(text, plain, std::string::npos);
}
