#include "cli/text_escape.h"

namespace {

bool IsControlByte(unsigned char c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

void AppendEscaped(const std::string& text, std::string* out) {
    static const char kDigits[] = "0123456789ABCDEF";
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (IsControlByte(byte)) {
            const char escaped[4] = {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
            out->append(escaped, sizeof escaped);
        } else {
            out->push_back(c);
        }
    }
}
