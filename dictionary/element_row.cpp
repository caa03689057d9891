#include "dictionary/element_row.h"

#include <stdio.h>

#include "core/hex_text.h"
#include "dictionary/dictionary.h"

const char* const kElementColumnTitles[ELEMENT_COLUMN_COUNT] = {
    "Data Element", "Tag", "Length in", "Length", "Value", "length", "TLV"};
const char* const kLengthInOptions[2] = {"1 byte", "2 bytes"};

std::string HexString(const uint8_t* bytes, uint32_t count) {
    std::string text(2 * static_cast<size_t>(count) + 1, '\0');
    BytesToHexText(bytes, count, &text[0]);
    text.resize(2 * static_cast<size_t>(count));
    return text;
}

bool BuildElementRow(const TlvNode* node, ElementRow* row) {
    uint8_t tag[2] = {0, 0};
    uint8_t tagLength = 0;
    uint8_t lengthBytes[2] = {0, 0};
    uint8_t lengthSize = 0;
    uint8_t value[TLV_ENCODE_BUFFER_SIZE];
    uint16_t valueLength = 0;
    if (row == nullptr ||
        TlvGetTagLengthValue(node, tag, &tagLength, lengthBytes, &lengthSize, value,
                             &valueLength) != TLV_OK ||
        TlvGetKind(node, &row->kind) != TLV_OK || lengthSize > 2 || tagLength > 2) {
        return false;
    }
    uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
    uint16_t encodedLength = 0;
    if (TlvEncode(encoded, node, &encodedLength, 0) != TLV_OK) {
        return false;
    }
    const bool padding = row->kind == TLV_KIND_PADDING;
    if (padding) {
        row->image = ELEMENT_IMAGE_PADDING;
        row->cells[ELEMENT_COLUMN_NAME] = "padding";
    } else {
        row->image =
            row->kind == TLV_KIND_CONSTRUCTED ? ELEMENT_IMAGE_CONSTRUCTED : ELEMENT_IMAGE_PRIMITIVE;
        row->cells[ELEMENT_COLUMN_NAME] = DictGetNameByTag(tag, tagLength);
    }
    row->cells[ELEMENT_COLUMN_TAG] = HexString(tag, tagLength);
    row->cells[ELEMENT_COLUMN_LENGTH_IN] = lengthSize == 0 ? "" : kLengthInOptions[lengthSize - 1];
    row->cells[ELEMENT_COLUMN_LENGTH] = HexString(lengthBytes, lengthSize);
    row->cells[ELEMENT_COLUMN_VALUE] = HexString(value, valueLength);
    char count[16];
    snprintf(count, sizeof count, "%d bytes", valueLength);
    row->cells[ELEMENT_COLUMN_VALUE_LENGTH] = count;
    row->cells[ELEMENT_COLUMN_TLV] = HexString(encoded, encodedLength);
    return true;
}
