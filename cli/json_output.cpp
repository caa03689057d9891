#include "cli/json_output.h"

namespace {

bool IsAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

char Upper(char c) {
    return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

Json JsonText(const std::string& text) {
    if (IsAscii(text)) {
        return text;
    }
    std::string utf8;
    utf8.reserve(text.size() + 8);
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8.push_back(c);
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return utf8;
}

void AppendJson(const Json& value, bool indented, std::string* out) {
    // The library escapes non-ASCII characters as \u00xx in lower case and writes \b and \f
    // short; the tool has always written upper-case \u escapes for all of them.
    const std::string text = value.dump(indented ? 2 : -1, ' ', true);
    out->reserve(out->size() + text.size());
    size_t at = 0;
    for (;;) {
        const size_t slash = text.find('\\', at);
        if (slash == std::string::npos || slash + 1 >= text.size()) {
            out->append(text, at, std::string::npos);
            return;
        }
        out->append(text, at, slash - at);
        const char kind = text[slash + 1];
        at = slash + 2;
        if (kind == 'u' && slash + 5 < text.size()) {
            out->append("\\u");
            for (size_t digit = 0; digit < 4; ++digit) {
                out->push_back(Upper(text[at + digit]));
            }
            at += 4;
        } else if (kind == 'b') {
            out->append("\\u0008");
        } else if (kind == 'f') {
            out->append("\\u000C");
        } else {
            out->push_back('\\');
            out->push_back(kind);
        }
    }
}
