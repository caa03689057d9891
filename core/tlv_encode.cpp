#include <stddef.h>
#include <string.h>

#include "core/tlv.h"
#include "core/tlv_internal.h"
#include "core/tlv_pool.h"

namespace {

// Writers put an encoding at `at`, never past `end`, which keeps room for the terminating zero
// in a buffer of TLV_ENCODE_BUFFER_SIZE bytes, and return where they stopped. A tree that breaks
// the size invariants could encode to more than that: such a tree is refused (null) instead of
// overflowing.

uint8_t* WriteNode(uint8_t* at, uint8_t* end, const TlvNode* node);

// Any tree: byte by byte, and each value exactly.
uint8_t* WriteContent(uint8_t* at, uint8_t* end, const TlvNode* node) {
    if (TlvIsConstructedElement(node)) {
        uint32_t count = 0;
        TlvNode* const* children = TlvChildrenOf(node, &count);
        for (uint32_t i = 0; i < count && at != nullptr; ++i) {
            at = children[i] != nullptr ? WriteNode(at, end, children[i]) : nullptr;
        }
        return at;
    }
    const uint32_t length = node->valueLength;
    if (length == 0) {
        return at;
    }
    if (node->data == nullptr || length > static_cast<uint32_t>(end - at)) {
        return nullptr;
    }
    TlvCopyBytes(at, static_cast<const uint8_t*>(node->data), length);
    return at + length;
}

uint8_t* WriteNode(uint8_t* at, uint8_t* end, const TlvNode* node) {
    if (node->isPadding == 0) {
        const uint32_t tagLength = node->tagLength;
        const uint32_t lengthSize = node->lengthSize;
        if (tagLength > 2 || lengthSize > 2 ||
            tagLength + lengthSize > static_cast<uint32_t>(end - at)) {
            return nullptr;
        }
        for (uint32_t i = 0; i < tagLength; ++i) {
            *at++ = node->tag[i];
        }
        for (uint32_t i = 0; i < lengthSize; ++i) {
            *at++ = node->lengthBytes[i];
        }
    }
    return WriteContent(at, end, node);
}

// A tree just as a parse left it (see tlv_pool.h) has every value in its arena's copy of the
// input, whose slack lets kWideMove bytes be read from any value, and the nodes of each of its
// subtrees side by side in document order. Such a subtree is written node after node, without
// following child arrays, into a scratch buffer with kWideMove bytes to spare beyond `end`: tag
// and length field each as one two-byte move, and a value of up to kWideMove bytes as one move
// of that size. What such a move writes beyond its field is written over by what follows, or
// lies beyond the encoding, which alone is copied out.
const uint32_t kWideMove = 16;
static_assert(tlvpool::kArenaCopySlack >= kWideMove, "values must be readable as wide moves");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "node words are little-endian");
static_assert(offsetof(TlvNode, tag) == 4 && offsetof(TlvNode, tagLength) == 6,
              "node words follow this layout");

inline uint8_t* MoveValue(uint8_t* at, const uint8_t* value, uint32_t length) {
    if (length <= kWideMove) {
        memcpy(at, value, kWideMove);
    } else {
        memcpy(at, value, length);
    }
    return at + length;
}

// The nodes [node, last) of a parsed tree, each with its header.
uint8_t* WriteParsedNodes(uint8_t* at, uint8_t* end, const TlvNode* node, const TlvNode* last) {
    static const uint8_t kNoBytes[kWideMove] = {};
    for (; node != last; ++node) {
        // isPadding, the tag, tagLength and the first length byte, read as one word.
        uint64_t head;
        memcpy(&head, node, sizeof head);
        const uint32_t tagLength = static_cast<uint32_t>(head >> 48) & 0xFF;
        const uint32_t lengthSize = node->lengthSize;
        const uint32_t length = node->valueLength;
        const uint8_t* value = static_cast<const uint8_t*>(node->data);
        uint16_t field;
        memcpy(&field, node->lengthBytes, sizeof field);
        const bool padding = static_cast<uint32_t>(head) != 0;
        const bool leaf = (head & uint64_t(0x20) << 32) == 0;
        // Valueless nodes, padding and trees too large are rare: marked so, they stay off the
        // straight run that g++ lays out for a node.
        if (__builtin_expect(value == nullptr, 0)) {
            value = kNoBytes;
            if (length > 0 && (padding || leaf)) {
                return nullptr;
            }
        }
        if (__builtin_expect(padding, 0)) {
            if (length > static_cast<uint32_t>(end - at)) {
                return nullptr;
            }
            at = MoveValue(at, value, length);
            continue;
        }
        // A tag or length field of no byte has its move written over by the next one.
        if (__builtin_expect(
                tagLength > 2 || lengthSize > 2 ||
                    tagLength + lengthSize + (leaf ? length : 0) > static_cast<uint32_t>(end - at),
                0)) {
            return nullptr;
        }
        const uint16_t tag = static_cast<uint16_t>(head >> 32);
        memcpy(at, &tag, sizeof tag);
        memcpy(at + tagLength, &field, sizeof field);
        at += tagLength + lengthSize;
        if (leaf) {
            at = MoveValue(at, value, length);
        }
    }
    return at;
}

// The last node of `node`'s subtree in document order.
const TlvNode* LastOfSubtree(const TlvNode* node) {
    uint32_t count = 0;
    TlvNode* const* children = nullptr;
    while (TlvIsConstructedElement(node) && (children = TlvChildrenOf(node, &count)) != nullptr &&
           count > 0 && children[count - 1] != nullptr) {
        node = children[count - 1];
    }
    return node;
}

// `node`'s subtree, or its content only, when the node belongs to a tree just as a parse left
// it (`arena`).
uint8_t* WriteParsed(uint8_t* at, uint8_t* end, const tlvpool::Arena* arena, const TlvNode* node,
                     bool contentOnly) {
    const TlvNode* last = node == arena->root ? arena->nodesEnd : LastOfSubtree(node) + 1;
    if (contentOnly) {
        if (!TlvIsConstructedElement(node)) {
            return WriteContent(at, end, node);
        }
        ++node;
    }
    return WriteParsedNodes(at, end, node, last);
}

bool TagMatches(const TlvNode* node, uint8_t tagLength, const uint8_t* tag) {
    return node->isPadding == 0 && node->tagLength == tagLength &&
           memcmp(node->tag, tag, tagLength) == 0;
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
    uint8_t* written = nullptr;
    const tlvpool::Arena* arena = tlvpool::ArenaOf(node);
    if (arena != nullptr && !arena->edited) {
        uint8_t scratch[TLV_MAX_ELEMENT_SIZE + kWideMove];
        written =
            WriteParsed(scratch, scratch + TLV_MAX_ELEMENT_SIZE, arena, node, contentOnly != 0);
        if (written != nullptr) {
            TlvCopyBytes(out, scratch, static_cast<uint32_t>(written - scratch));
            written = out + (written - scratch);
        }
    } else {
        uint8_t* end = out + TLV_MAX_ELEMENT_SIZE;
        written = contentOnly != 0 ? WriteContent(out, end, node) : WriteNode(out, end, node);
    }
    if (written == nullptr) {
        out[0] = 0;
        return TLV_ERR_PARAM;
    }
    *written = 0;
    *length = static_cast<uint16_t>(written - out);
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
