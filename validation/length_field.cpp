#include "validation/length_field.h"

bool WriteLengthField(TlvNode* node, uint32_t length) {
    if (length > TLV_MAX_VALUE_LENGTH) {
        return false;
    }
    if (node->lengthSize == 2 || length > 127) {
        node->lengthSize = 2;
        node->lengthBytes[0] = 0x81;
        node->lengthBytes[1] = static_cast<uint8_t>(length);
    } else {
        node->lengthSize = 1;
        node->lengthBytes[0] = static_cast<uint8_t>(length);
    }
    node->valueLength = static_cast<uint16_t>(length);
    return true;
}

const TlvNode* AncestorOverflowing(const TlvNode* node, int32_t growth) {
    return TemplateOverflowing(node->parent, growth);
}

const TlvNode* TemplateOverflowing(const TlvNode* templateNode, int32_t growth) {
    for (const TlvNode* up = templateNode; up != nullptr && growth != 0; up = up->parent) {
        const int32_t length = static_cast<int32_t>(up->valueLength) + growth;
        if (length > TLV_MAX_VALUE_LENGTH) {
            return up;
        }
        const int32_t fieldSize = up->lengthSize == 2 || length > 127 ? 2 : 1;
        growth += fieldSize - up->lengthSize;
    }
    return nullptr;
}
