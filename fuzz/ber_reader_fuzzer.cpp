// Reads arbitrary bytes with the general reader under both rules, as one element and as a
// sequence. Whatever it accepts must write back to the same bytes from what it read (tags,
// lengths re-encoded from the numbers, values), problems must point into the input, and under
// the strict rules it must accept exactly what the strict parser accepts.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "core/ber_reader.h"
#include "core/tlv.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        abort();
    }
}

// Appends every element of the cursor, templates by their children.
void WriteBack(BerCursor* cursor, std::vector<uint8_t>* out) {
    BerElement element;
    TlvResult result;
    while ((result = BerReadNext(cursor, &element, nullptr)) == TLV_OK) {
        if (element.kind == TLV_KIND_PADDING) {
            for (uint32_t i = 0; i < element.valueLength; ++i) {
                Require(element.start[i] == 0x00 || element.start[i] == 0xFF);
            }
            out->insert(out->end(), element.start, element.start + element.valueLength);
            continue;
        }
        out->insert(out->end(), element.start, element.start + element.tagLength);
        uint8_t field[BER_MAX_LENGTH_SIZE];
        Require(BerWriteLengthField(element.valueLength, element.lengthSize, field) ==
                element.lengthSize);
        out->insert(out->end(), field, field + element.lengthSize);
        // A length that a shorter field could state is flagged.
        uint8_t shorter[BER_MAX_LENGTH_SIZE];
        const bool fitsShorter =
            element.lengthSize > 1 &&
            BerWriteLengthField(element.valueLength, element.lengthSize - 1, shorter) != 0;
        Require(fitsShorter == ((element.warnings & BER_WARNING_NON_MINIMAL_LENGTH) != 0));
        if (element.kind == TLV_KIND_CONSTRUCTED) {
            BerCursor inner;
            BerCursorEnter(cursor, &element, &inner);
            WriteBack(&inner, out);
        } else {
            const uint8_t* value = BerValueOf(&element);
            out->insert(out->end(), value, value + element.valueLength);
        }
    }
    Require(result == TLV_ERR_NOT_FOUND);
}

void ReadOnce(const uint8_t* data, uint32_t size, uint8_t rules, uint8_t flags) {
    BerDiagnostic diagnostic = {0, 0};
    uint32_t topCount = 0;
    if (BerCheck(data, size, rules, flags, &diagnostic, &topCount) != TLV_OK) {
        Require(diagnostic.problem != BER_PROBLEM_NONE && diagnostic.offset <= size);
        return;
    }
    Require((flags & BER_CHECK_SEQUENCE) != 0 || topCount == 1);
    std::vector<uint8_t> written;
    BerCursor cursor;
    BerCursorInit(&cursor, data, size, rules);
    WriteBack(&cursor, &written);
    Require(written.size() == size && (size == 0 || memcmp(written.data(), data, size) == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > UINT32_MAX) {
        return 0;
    }
    const uint32_t length = static_cast<uint32_t>(size);
    for (uint8_t rules : {BER_RULES_GENERAL, BER_RULES_STRICT}) {
        ReadOnce(data, length, rules, 0);
        ReadOnce(data, length, rules, BER_CHECK_SEQUENCE);
        ReadOnce(data, length, rules, BER_CHECK_PADDING_RULE);
    }
    if (size <= UINT16_MAX) {
        TlvNode* root = nullptr;
        uint32_t constructed = 0;
        const bool strictAccepts =
            TlvParseEx(data, static_cast<uint16_t>(size), &root, &constructed, 0) == TLV_OK;
        TlvFree(root);
        Require(strictAccepts ==
                (BerCheck(data, length, BER_RULES_STRICT, 0, nullptr, nullptr) == TLV_OK));
    }
    return 0;
}
