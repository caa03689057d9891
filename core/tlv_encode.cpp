#include <string.h>

#include "core/tlv.h"
#include "core/tlv_internal.h"

namespace {

// Writes into a caller buffer of TLV_ENCODE_BUFFER_SIZE bytes. A tree that breaks the size
// invariants could encode to more than that; such a tree is refused instead of overflowing.
struct Writer {
    uint8_t* out;
    uint32_t length;
};

bool Append(Writer* writer, const void* bytes, uint32_t count) {
    if (count > TLV_MAX_ELEMENT_SIZE - writer->length) {
        return false;
    }
    TlvCopyBytes(writer->out + writer->length, static_cast<const uint8_t*>(bytes), count);
    writer->length += count;
    return true;
}

bool TagMatches(const TlvNode* node, uint8_t tagLength, const uint8_t* tag) {
    return node->isPadding == 0 && node->tagLength == tagLength &&
           memcmp(node->tag, tag, tagLength) == 0;
}

// Tag and length field, byte by byte: they are too short to be worth a copy call.
bool AppendHeader(Writer* writer, const TlvNode* node) {
    const uint32_t tagLength = node->tagLength;
    const uint32_t lengthSize = node->lengthSize;
    if (tagLength > 2 || lengthSize > 2 ||
        tagLength + lengthSize > TLV_MAX_ELEMENT_SIZE - writer->length) {
        return false;
    }
    uint8_t* out = writer->out + writer->length;
    for (uint32_t i = 0; i < tagLength; ++i) {
        *out++ = node->tag[i];
    }
    for (uint32_t i = 0; i < lengthSize; ++i) {
        *out++ = node->lengthBytes[i];
    }
    writer->length += tagLength + lengthSize;
    return true;
}

bool WriteNode(Writer* writer, const TlvNode* node, bool contentOnly) {
    if (node->isPadding == 0 && !contentOnly && !AppendHeader(writer, node)) {
        return false;
    }
    if (!TlvIsConstructedElement(node)) {
        return node->valueLength == 0 ||
               (node->data != nullptr && Append(writer, node->data, node->valueLength));
    }
    uint32_t count = 0;
    TlvNode* const* children = TlvChildrenOf(node, &count);
    for (uint32_t i = 0; i < count; ++i) {
        if (children[i] == nullptr || !WriteNode(writer, children[i], false)) {
            return false;
        }
    }
    return true;
}

void CopyValue(const TlvNode* node, uint8_t* value, uint16_t* valueLength) {
    if (value != nullptr) {
        if (node->valueLength > 0 && node->data != nullptr) {
            memcpy(value, node->data, node->valueLength);
        }
        value[node->data != nullptr ? node->valueLength : 0] = 0;
    }
    if (valueLength != nullptr) {
        *valueLength = node->valueLength;
    }
}

}  // namespace

TlvResult TlvEncode(uint8_t* out, const TlvNode* node, uint16_t* length, int contentOnly) {
    if (length != nullptr) {
        *length = 0;
    }
    if (out == nullptr || node == nullptr || length == nullptr) {
        return TLV_ERR_PARAM;
    }
    Writer writer = {out, 0};
    const bool written = WriteNode(&writer, node, contentOnly != 0);
    out[writer.length] = 0;
    if (!written) {
        return TLV_ERR_PARAM;
    }
    *length = static_cast<uint16_t>(writer.length);
    return TLV_OK;
}

TlvResult TlvFind(const TlvNode* node, uint8_t tagLength, const uint8_t* tag, uint16_t* length,
                  uint8_t* out) {
    if (node == nullptr) {
        return TLV_ERR_PARAM;
    }
    if (tag == nullptr || node->isPadding != 0) {
        return TLV_ERR_NOT_FOUND;
    }
    if (!TlvIsConstructedElement(node)) {
        if (!TagMatches(node, tagLength, tag)) {
            return TLV_ERR_NOT_FOUND;
        }
        CopyValue(node, out, length);
        return TLV_OK;
    }
    if (TagMatches(node, tagLength, tag)) {
        if (out != nullptr && length != nullptr) {
            return TlvEncode(out, node, length, 1);
        }
        return TLV_OK;
    }
    uint32_t count = 0;
    TlvNode* const* children = TlvChildrenOf(node, &count);
    for (uint32_t i = 0; i < count; ++i) {
        if (children[i] != nullptr && TlvFind(children[i], tagLength, tag, length, out) == TLV_OK) {
            return TLV_OK;
        }
    }
    return TLV_ERR_NOT_FOUND;
}

TlvResult TlvGetTagLengthValue(const TlvNode* node, uint8_t* tag, uint8_t* tagLength,
                               uint8_t* lengthBytes, uint8_t* lengthSize, uint8_t* value,
                               uint16_t* valueLength) {
    if (node == nullptr) {
        return TLV_ERR_PARAM;
    }
    if (node->isPadding != 0) {
        if (tagLength != nullptr) {
            *tagLength = 0;
        }
        if (lengthSize != nullptr) {
            *lengthSize = 0;
        }
        CopyValue(node, value, valueLength);
        return TLV_OK;
    }
    const uint8_t tagBytes = node->tagLength <= 2 ? node->tagLength : 2;
    const uint8_t fieldBytes = node->lengthSize <= 2 ? node->lengthSize : 2;
    if (tag != nullptr) {
        memcpy(tag, node->tag, tagBytes);
    }
    if (tagLength != nullptr) {
        *tagLength = node->tagLength;
    }
    if (lengthBytes != nullptr) {
        memcpy(lengthBytes, node->lengthBytes, fieldBytes);
    }
    if (lengthSize != nullptr) {
        *lengthSize = node->lengthSize;
    }
    if (TlvIsConstructedElement(node)) {
        if (value != nullptr && valueLength != nullptr) {
            return TlvEncode(value, node, valueLength, 1);
        }
        return TLV_OK;
    }
    CopyValue(node, value, valueLength);
    return TLV_OK;
}

TlvResult TlvGetTagValue(const TlvNode* node, uint8_t* tag, uint8_t* tagLength, uint8_t* value,
                         uint16_t* valueLength) {
    return TlvGetTagLengthValue(node, tag, tagLength, nullptr, nullptr, value, valueLength);
}
