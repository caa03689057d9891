#include <string.h>

#include "core/tlv.h"
#include "core/tlv_memory.h"

namespace {

TlvResult TlvParseSequence(const uint8_t* input, uint32_t available, TlvNode* parent,
                           TlvNode** root);

bool IsPaddingByte(uint8_t byte) {
    return byte == 0x00 || byte == 0xFF;
}

bool IsConstructedElement(const TlvNode* node) {
    return node->isPadding == 0 && (node->tag[0] & 0x20) != 0;
}

TlvNode* NewNode() {
    TlvNode* node = static_cast<TlvNode*>(TlvMemAlloc(sizeof(TlvNode)));
    if (node != nullptr) {
        memset(node, 0, sizeof *node);
    }
    return node;
}

// Reads tag and length field of the element at `pos`, never looking past `available` bytes, and
// makes sure the whole element lies within them before any value byte is touched.
TlvResult ReadElementHeader(const uint8_t* pos, uint32_t available, TlvNode* node,
                            uint32_t* headerSize) {
    uint32_t at = 0;
    if (available < 1) {
        return TLV_ERR_FORMAT;
    }
    node->tag[0] = pos[at++];
    node->tagLength = 1;
    if ((node->tag[0] & 0x1F) == 0x1F) {
        if (at >= available) {
            return TLV_ERR_FORMAT;
        }
        node->tag[1] = pos[at++];
        node->tagLength = 2;
    }
    if (at >= available) {
        return TLV_ERR_FORMAT;
    }
    const uint8_t first = pos[at++];
    if (first < 0x80) {
        node->lengthBytes[0] = first;
        node->lengthSize = 1;
        node->valueLength = first;
    } else if (first == 0x81) {
        if (at >= available) {
            return TLV_ERR_FORMAT;
        }
        const uint8_t length = pos[at++];
        node->lengthBytes[0] = 0x81;
        node->lengthBytes[1] = length;
        node->lengthSize = 2;
        node->valueLength = length;
    } else {
        return TLV_ERR_FORMAT;
    }
    if (node->valueLength > available - at) {
        return TLV_ERR_FORMAT;
    }
    *headerSize = at;
    return TLV_OK;
}

TlvResult TlvParsePrimitive(const uint8_t* pos, uint32_t available, TlvNode* node,
                            TlvNode* parent) {
    node->isPadding = 0;
    node->parent = parent;
    uint32_t headerSize = 0;
    const TlvResult result = ReadElementHeader(pos, available, node, &headerSize);
    if (result != TLV_OK || node->valueLength == 0) {
        return result;
    }
    node->data = TlvMemAlloc(node->valueLength);
    if (node->data == nullptr) {
        return TLV_ERR_MEMORY;
    }
    memcpy(node->data, pos + headerSize, node->valueLength);
    return TLV_OK;
}

TlvResult TlvParseConstructed(const uint8_t* pos, uint32_t available, TlvNode* node,
                              TlvNode* parent) {
    node->isPadding = 0;
    node->parent = parent;
    uint32_t headerSize = 0;
    const TlvResult result = ReadElementHeader(pos, available, node, &headerSize);
    if (result != TLV_OK || node->valueLength == 0) {
        return result;
    }
    return TlvParseSequence(pos + headerSize, node->valueLength, node, nullptr);
}

TlvResult TlvParsePadding(const uint8_t* pos, TlvNode* node, TlvNode* parent, uint32_t available) {
    node->isPadding = 1;
    node->parent = parent;
    node->data = nullptr;
    uint32_t count = 0;
    while (count < available && IsPaddingByte(pos[count])) {
        ++count;
    }
    node->valueLength = static_cast<uint16_t>(count);
    if (count == 0) {
        return TLV_OK;
    }
    node->data = TlvMemAlloc(count);
    if (node->data == nullptr) {
        return TLV_ERR_MEMORY;
    }
    memcpy(node->data, pos, count);
    return TLV_OK;
}

TlvResult TlvCheckChildSizes(const TlvNode* node) {
    uint32_t sum = 0;
    const TlvNode* const* children = static_cast<const TlvNode* const*>(node->data);
    for (uint32_t i = 0; i < node->childCount; ++i) {
        sum += TlvEncodedSize(children[i]);
    }
    return sum == node->valueLength ? TLV_OK : TLV_ERR_FORMAT;
}

// Parses one element at top level (no parent), or the whole value of `parent` as a run of
// elements and padding. `available` bounds every read.
TlvResult TlvParseSequence(const uint8_t* input, uint32_t available, TlvNode* parent,
                           TlvNode** root) {
    uint32_t remaining = parent != nullptr ? parent->valueLength : available;
    if (remaining > available) {
        return TLV_ERR_FORMAT;
    }
    const uint8_t* pos = input;
    do {
        if (remaining == 0) {
            return TLV_ERR_FORMAT;
        }
        const uint8_t first = *pos;
        if (parent == nullptr && IsPaddingByte(first)) {
            return TLV_ERR_FORMAT;
        }
        TlvNode* node = NewNode();
        if (node == nullptr) {
            return TLV_ERR_MEMORY;
        }
        TlvResult result;
        if (IsPaddingByte(first)) {
            result = TlvParsePadding(pos, node, parent, remaining);
        } else if ((first & 0x20) != 0) {
            result = TlvParseConstructed(pos, remaining, node, parent);
            if (result == TLV_OK) {
                result = TlvCheckChildSizes(node);
            }
        } else {
            result = TlvParsePrimitive(pos, remaining, node, parent);
        }
        const uint32_t size = TlvEncodedSize(node);
        if (result == TLV_OK && size > remaining) {
            result = TLV_ERR_FORMAT;
        }
        if (result == TLV_OK && parent == nullptr) {
            if (size != available) {
                result = TLV_ERR_FORMAT;
            } else {
                node->parent = nullptr;
                *root = node;
                return TLV_OK;
            }
        }
        if (result == TLV_OK) {
            result = TlvAppendChild(parent, node);
        }
        if (result != TLV_OK) {
            TlvFree(node);
            return result;
        }
        remaining -= size;
        pos += size;
    } while (remaining > 0);
    return TLV_OK;
}

}  // namespace

TlvResult TlvCheckPadding(const TlvNode* node) {
    if (node == nullptr || !IsConstructedElement(node)) {
        return TLV_ERR_PARAM;
    }
    const TlvNode* const* children = static_cast<const TlvNode* const*>(node->data);
    const uint32_t count = children != nullptr ? node->childCount : 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (IsConstructedElement(children[i])) {
            const TlvResult result = TlvCheckPadding(children[i]);
            if (result != TLV_OK) {
                return result;
            }
        }
    }
    for (uint32_t i = 0; i < count; ++i) {
        if (children[i]->isPadding == 0) {
            continue;
        }
        uint8_t before = 0;
        uint8_t after = 0;
        if (i > 0) {
            TlvGetKind(children[i - 1], &before);
        }
        if (i + 1 < count) {
            TlvGetKind(children[i + 1], &after);
        }
        if (before != TLV_KIND_PRIMITIVE && after != TLV_KIND_PRIMITIVE) {
            return TLV_ERR_PADDING;
        }
    }
    return TLV_OK;
}

TlvResult TlvParseEx(const uint8_t* input, uint16_t length, TlvNode** root, uint32_t* isConstructed,
                     int checkPadding) {
    if (input == nullptr || root == nullptr || isConstructed == nullptr) {
        return TLV_ERR_PARAM;
    }
    *root = nullptr;
    TlvNode* top = nullptr;
    TlvResult result = TlvParseSequence(input, length, nullptr, &top);
    if (result != TLV_OK) {
        return result;
    }
    const bool constructed = IsConstructedElement(top);
    if (constructed && checkPadding != 0) {
        result = TlvCheckPadding(top);
        if (result != TLV_OK) {
            TlvFree(top);
            return result;
        }
    }
    *root = top;
    *isConstructed = constructed ? 1 : 0;
    return TLV_OK;
}

TlvResult TlvParse(const uint8_t* input, uint16_t length, TlvNode** root, uint32_t* isConstructed) {
    return TlvParseEx(input, length, root, isConstructed, 1);
}
