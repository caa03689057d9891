#include "cli/hex_input.h"

#include "core/hex_text.h"
#include "core/tlv.h"

namespace {

// Enough stripped characters to show that more than the largest element was given.
const size_t kTextLimit = 2 * (TLV_MAX_ELEMENT_SIZE + 1);

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

void Keep(std::string* text, const char* chars, size_t count) {
    for (size_t i = 0; i < count && text->size() < kTextLimit; ++i) {
        if (!IsWhiteSpace(chars[i])) {
            text->push_back(chars[i]);
        }
    }
}

}  // namespace

std::vector<uint8_t> ReadHexInput(const std::vector<std::string>& arguments, FILE* stream,
                                  bool* tooLong) {
    std::string text;
    if (!arguments.empty()) {
        for (const std::string& argument : arguments) {
            Keep(&text, argument.data(), argument.size());
        }
    } else {
        char chunk[4096];
        size_t got = 0;
        while (text.size() < kTextLimit && (got = fread(chunk, 1, sizeof chunk, stream)) > 0) {
            Keep(&text, chunk, got);
        }
    }
    std::vector<uint8_t> bytes(text.size() / 2 + 1);
    uint32_t count = 0;
    HexTextToBytes(text.data(), static_cast<uint32_t>(text.size()), bytes.data(), &count);
    bytes.resize(count);
    *tooLong = count > TLV_MAX_ELEMENT_SIZE;
    return bytes;
}
