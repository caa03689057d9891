#include <string.h>

#include "core/tlv.h"
#include "core/tlv_internal.h"
#include "core/tlv_pool.h"

namespace {

// A parsed leaf's value lies in its tree's arena and goes with it; any other value is a block of
// its own.
bool OwnsValueBlock(const TlvNode* node) {
    return node->data != nullptr && tlvpool::ArenaOf(node->data) == nullptr;
}

// Frees a node and its subtree block by block; kept apart, so that freeing a whole parsed tree
// stays a short call.
__attribute__((noinline)) void FreeBlocks(TlvNode* node) {
    if (TlvIsConstructedElement(node)) {
        uint32_t count = 0;
        TlvNode* const* children = TlvChildrenOf(node, &count);
        for (uint32_t i = 0; i < count; ++i) {
            TlvFree(children[i]);
        }
        tlvpool::Free(node->data, count * sizeof(TlvNode*));
    } else if (OwnsValueBlock(node)) {
        tlvpool::Free(node->data, 0);
    }
    tlvpool::Free(node, sizeof(TlvNode));
}

}  // namespace

void TlvFree(TlvNode* node) {
    if (node != nullptr && !tlvpool::ReleaseParsedTree(node)) {
        FreeBlocks(node);
    }
}

int TlvIsPadding(const TlvNode* node) {
    return node != nullptr && node->isPadding != 0;
}

TlvResult TlvGetKind(const TlvNode* node, uint8_t* kind) {
    if (node == nullptr) {
        return TLV_ERR_PARAM;
    }
    if (kind != nullptr) {
        if (node->isPadding != 0) {
            *kind = TLV_KIND_PADDING;
        } else {
            *kind = TlvIsConstructedElement(node) ? TLV_KIND_CONSTRUCTED : TLV_KIND_PRIMITIVE;
        }
    }
    return TLV_OK;
}

TlvResult TlvGetChildCount(const TlvNode* node, uint8_t* count) {
    if (node == nullptr || (node->tag[0] & 0x20) == 0) {
        return TLV_ERR_PARAM;
    }
    if (count != nullptr) {
        *count = node->childCount;
    }
    return TLV_OK;
}

TlvResult TlvGetChild(const TlvNode* node, uint8_t index, TlvNode** child,
                      uint32_t* isConstructed) {
    if (node == nullptr || (node->tag[0] & 0x20) == 0 || index >= node->childCount ||
        node->data == nullptr) {
        return TLV_ERR_PARAM;
    }
    if (child == nullptr) {
        return TLV_OK;
    }
    TlvNode* found = static_cast<TlvNode**>(node->data)[index];
    *child = found;
    if (isConstructed != nullptr) {
        *isConstructed = found != nullptr && TlvIsConstructedElement(found) ? 1 : 0;
    }
    return TLV_OK;
}

TlvResult TlvAppendChild(TlvNode* node, TlvNode* child) {
    // A child count is one byte wide: a 256th child cannot be recorded.
    if (node == nullptr) {
        return TLV_ERR_PARAM;
    }
    return TlvInsertChild(node, node->childCount, child);
}

TlvNode* TlvNewElement(const uint8_t* tag, uint8_t tagLength, TlvNode* parent) {
    if (tag == nullptr || tagLength < 1 || tagLength > 2) {
        return nullptr;
    }
    TlvNode* node = static_cast<TlvNode*>(tlvpool::Alloc(sizeof(TlvNode)));
    if (node != nullptr) {
        memset(node, 0, sizeof *node);
        memcpy(node->tag, tag, tagLength);
        node->tagLength = tagLength;
        node->lengthSize = 1;
        node->parent = parent;
    }
    return node;
}

TlvNode* TlvNewPadding(TlvNode* parent) {
    TlvNode* node = static_cast<TlvNode*>(tlvpool::Alloc(sizeof(TlvNode)));
    if (node != nullptr) {
        memset(node, 0, sizeof *node);
        node->isPadding = 1;
        node->parent = parent;
    }
    return node;
}

TlvResult TlvInsertChild(TlvNode* node, uint8_t index, TlvNode* child) {
    if (node == nullptr || child == nullptr || !TlvIsConstructedElement(node) ||
        index > node->childCount || node->childCount == UINT8_MAX) {
        return TLV_ERR_PARAM;
    }
    tlvpool::NoteEdit(node);
    const size_t slots = static_cast<size_t>(node->childCount) + 1;
    void* grown =
        tlvpool::Resize(node->data, node->childCount * sizeof(TlvNode*), slots * sizeof(TlvNode*));
    if (grown == nullptr) {
        return TLV_ERR_MEMORY;
    }
    TlvNode** children = static_cast<TlvNode**>(grown);
    memmove(children + index + 1, children + index,
            (static_cast<size_t>(node->childCount) - index) * sizeof(TlvNode*));
    children[index] = child;
    node->data = grown;
    ++node->childCount;
    return TLV_OK;
}

TlvResult TlvRemoveChild(TlvNode* node, uint8_t index) {
    if (node == nullptr || !TlvIsConstructedElement(node) || node->data == nullptr ||
        index >= node->childCount) {
        return TLV_ERR_PARAM;
    }
    tlvpool::NoteEdit(node);
    TlvNode** children = static_cast<TlvNode**>(node->data);
    memmove(children + index, children + index + 1,
            (static_cast<size_t>(node->childCount) - index - 1) * sizeof(TlvNode*));
    --node->childCount;
    // The array keeps its block, so that removing a child cannot fail; the next insert reuses it.
    if (node->childCount == 0) {
        tlvpool::Free(node->data, sizeof(TlvNode*));
        node->data = nullptr;
    }
    return TLV_OK;
}

TlvResult TlvSetValue(TlvNode* node, const uint8_t* value, uint16_t length) {
    if (node == nullptr || TlvIsConstructedElement(node) || (value == nullptr && length > 0)) {
        return TLV_ERR_PARAM;
    }
    uint8_t* block = nullptr;
    if (length > 0) {
        block = static_cast<uint8_t*>(tlvpool::Alloc(length));
        if (block == nullptr) {
            return TLV_ERR_MEMORY;
        }
        memcpy(block, value, length);
    }
    if (OwnsValueBlock(node)) {
        tlvpool::Free(node->data, 0);
    }
    tlvpool::NoteEdit(node);
    node->data = block;
    node->valueLength = length;
    return TLV_OK;
}

uint32_t TlvEncodedSize(const TlvNode* node) {
    return node != nullptr ? TlvSizeOf(node) : 0;
}
