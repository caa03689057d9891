// Alphanumeric values: EMV 4.3 Book 3, section 4.3 (formats a, an and ans), Book 4, Annex B (the
// common character set of ans, 20 to 7E) and Book 1 (the Application Preferred Name may also use
// the ISO/IEC 8859 graphic characters A0 to FF of the part the Issuer Code Table Index names).
#include <ctype.h>
#include <stdio.h>

#include "dictionary/dictionary.h"
#include "panels/value_decoders.h"

namespace {

bool Allowed(uint8_t byte, uint32_t formatKind, bool extended) {
    if (byte < 0x80) {
        switch (formatKind) {
            case FORMAT_A:
                return isalpha(byte) != 0;
            case FORMAT_AN:
                return isalnum(byte) != 0;
            default:
                return byte >= 0x20 && byte <= 0x7E;
        }
    }
    return extended && byte >= 0xA0;
}

const char* FormatName(uint32_t formatKind) {
    switch (formatKind) {
        case FORMAT_A:
            return "alphabetic (a)";
        case FORMAT_AN:
            return "alphanumeric (an)";
        default:
            return "alphanumeric special (ans)";
    }
}

}  // namespace

void DecodeText(const DecoderInput& in, uint32_t formatKind, bool extended,
                std::vector<AnalysisRow>* rows) {
    rows->push_back(DecodedRow("Text", "", ShownEscapedText(in)));
    for (int i = 0; i < in.length; ++i) {
        if (!Allowed(in.value[i], formatKind, extended)) {
            char reason[96];
            snprintf(reason, sizeof reason, "byte %d (%02X) is not %s", i + 1, in.value[i],
                     FormatName(formatKind));
            rows->push_back(InvalidRow(HexText(in.value + i, 1), reason));
            return;
        }
    }
}
