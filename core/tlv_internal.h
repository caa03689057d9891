// Node helpers shared by the core's own files.
#ifndef QUORVEL_CORE_TLV_INTERNAL_H
#define QUORVEL_CORE_TLV_INTERNAL_H

#include <string.h>

#include "core/tlv.h"

inline bool TlvIsConstructedElement(const TlvNode* node) {
    return node->isPadding == 0 && (node->tag[0] & 0x20) != 0;
}

inline uint32_t TlvSizeOf(const TlvNode* node) {
    return node->isPadding != 0
               ? node->valueLength
               : static_cast<uint32_t>(node->tagLength) + node->lengthSize + node->valueLength;
}

// Children of a constructed element; count is 0 when the array is missing.
inline TlvNode* const* TlvChildrenOf(const TlvNode* node, uint32_t* count) {
    TlvNode* const* children = static_cast<TlvNode* const*>(node->data);
    *count = children != nullptr ? node->childCount : 0;
    return children;
}

// Copies `count` bytes. Element values and whole records are short, where a call to memcpy
// (or the string instruction the compiler may put in its place) costs more than the copy: up to
// 16 bytes are moved as two overlapping fixed-size words, more as 16-byte words, the last one
// overlapping the one before.
inline void TlvCopyBytes(uint8_t* to, const uint8_t* from, uint32_t count) {
    if (count >= 8) {
        if (count > 16) {
            for (uint32_t at = 0; at + 16 < count; at += 16) {
                memcpy(to + at, from + at, 16);
            }
            memcpy(to + count - 16, from + count - 16, 16);
            return;
        }
        uint64_t head;
        uint64_t tail;
        memcpy(&head, from, 8);
        memcpy(&tail, from + count - 8, 8);
        memcpy(to, &head, 8);
        memcpy(to + count - 8, &tail, 8);
    } else if (count >= 4) {
        uint32_t head;
        uint32_t tail;
        memcpy(&head, from, 4);
        memcpy(&tail, from + count - 4, 4);
        memcpy(to, &head, 4);
        memcpy(to + count - 4, &tail, 4);
    } else if (count > 0) {
        to[0] = from[0];
        to[count / 2] = from[count / 2];
        to[count - 1] = from[count - 1];
    }
}

#endif
