#include "dictionary/element_row.h"

#include "core/hex_text.h"
#include "dictionary/dictionary.h"

const char* const kElementColumnTitles[ELEMENT_COLUMN_COUNT] = {
    "Data Element", "Tag", "Length in", "Length", "Value", "length", "TLV"};
const char* const kLengthInOptions[2] = {"1 byte", "2 bytes"};

namespace {

// Writes the hexadecimal text of the bytes over the cell's old text, keeping its storage.
void SetHexCell(const uint8_t* bytes, uint32_t count, std::string* cell) {
    static const char kDigits[] = "0123456789ABCDEF";
    cell->resize(2 * static_cast<size_t>(count));
    char* out = &(*cell)[0];
    for (uint32_t i = 0; i < count; ++i) {
        *out++ = kDigits[bytes[i] >> 4];
        *out++ = kDigits[bytes[i] & 0x0F];
    }
}

}  // namespace

std::string HexString(const uint8_t* bytes, uint32_t count) {
    std::string text(2 * static_cast<size_t>(count) + 1, '\0');
    BytesToHexText(bytes, count, &text[0]);
    text.resize(2 * static_cast<size_t>(count));
    return text;
}

std::string LengthInText(uint32_t lengthSize) {
    if (lengthSize <= 2) {
        return lengthSize == 0 ? std::string() : kLengthInOptions[lengthSize - 1];
    }
    return std::to_string(lengthSize) + " bytes";
}

bool GetNodeParts(const TlvNode* node, NodeParts* parts) {
    uint8_t kind = 0;
    if (node == nullptr || parts == nullptr || TlvGetKind(node, &kind) != TLV_OK) {
        return false;
    }
    ElementParts& out = parts->parts;
    out.kind = kind;
    out.tag = node->tag;
    out.tagLength = node->tagLength;
    out.lengthField = node->lengthBytes;
    out.lengthSize = node->lengthSize;
    out.statedLength = node->valueLength;
    uint16_t length = 0;
    if (kind == TLV_KIND_CONSTRUCTED) {
        const bool encoded = TlvEncode(parts->content, node, &length, 1) == TLV_OK;
        out.value = encoded ? parts->content : nullptr;
        out.valueLength = length;
    } else {
        // A leaf's value is shown as it is; an empty one has no block of its own.
        static const uint8_t kEmpty = 0;
        out.value = node->data != nullptr    ? static_cast<const uint8_t*>(node->data)
                    : node->valueLength == 0 ? &kEmpty
                                             : nullptr;
        out.valueLength = node->valueLength;
    }
    const bool encoded = TlvEncode(parts->encoded, node, &length, 0) == TLV_OK;
    out.encoded = encoded ? parts->encoded : nullptr;
    out.encodedLength = length;
    return true;
}

ElementParts GetBerElementParts(const BerElement& element) {
    ElementParts parts;
    parts.kind = element.kind;
    parts.tag = element.start;
    parts.tagLength = element.tagLength;
    parts.lengthField = element.start + element.tagLength;
    parts.lengthSize = element.lengthSize;
    parts.value = BerValueOf(&element);
    parts.valueLength = element.valueLength;
    parts.statedLength = element.valueLength;
    parts.encoded = element.start;
    parts.encodedLength = BerSizeOf(&element);
    return parts;
}

bool BuildElementRow(const ElementParts& parts, ElementRow* row) {
    if (row == nullptr || parts.value == nullptr || parts.encoded == nullptr) {
        return false;
    }
    row->kind = parts.kind;
    if (parts.kind == TLV_KIND_PADDING) {
        row->image = ELEMENT_IMAGE_PADDING;
        row->cells[ELEMENT_COLUMN_NAME] = "padding";
    } else {
        row->image = parts.kind == TLV_KIND_CONSTRUCTED ? ELEMENT_IMAGE_CONSTRUCTED
                                                        : ELEMENT_IMAGE_PRIMITIVE;
        row->cells[ELEMENT_COLUMN_NAME] =
            DictGetNameByTag(parts.tag, static_cast<uint8_t>(parts.tagLength));
    }
    SetHexCell(parts.tag, parts.tagLength, &row->cells[ELEMENT_COLUMN_TAG]);
    row->cells[ELEMENT_COLUMN_LENGTH_IN] = LengthInText(parts.lengthSize);
    SetHexCell(parts.lengthField, parts.lengthSize, &row->cells[ELEMENT_COLUMN_LENGTH]);
    SetHexCell(parts.value, parts.valueLength, &row->cells[ELEMENT_COLUMN_VALUE]);
    std::string& count = row->cells[ELEMENT_COLUMN_VALUE_LENGTH];
    count = std::to_string(parts.valueLength);
    count += " bytes";
    SetHexCell(parts.encoded, parts.encodedLength, &row->cells[ELEMENT_COLUMN_TLV]);
    return true;
}

bool BuildElementRow(const TlvNode* node, ElementRow* row) {
    NodeParts parts;
    if (!GetNodeParts(node, &parts) || node->lengthSize > 2 || node->tagLength > 2) {
        return false;
    }
    return BuildElementRow(parts.parts, row);
}
