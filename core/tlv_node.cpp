#include "core/tlv.h"
#include "core/tlv_memory.h"

namespace {

bool HasConstructedTag(const TlvNode* node) {
    return (node->tag[0] & 0x20) != 0;
}

bool IsConstructedElement(const TlvNode* node) {
    return node->isPadding == 0 && HasConstructedTag(node);
}

}  // namespace

void TlvFree(TlvNode* node) {
    if (node == nullptr) {
        return;
    }
    if (IsConstructedElement(node) && node->data != nullptr) {
        TlvNode** children = static_cast<TlvNode**>(node->data);
        for (uint32_t i = 0; i < node->childCount; ++i) {
            TlvFree(children[i]);
        }
    }
    TlvMemFree(node->data);
    TlvMemFree(node);
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
            *kind = HasConstructedTag(node) ? TLV_KIND_CONSTRUCTED : TLV_KIND_PRIMITIVE;
        }
    }
    return TLV_OK;
}

TlvResult TlvGetChildCount(const TlvNode* node, uint8_t* count) {
    if (node == nullptr || !HasConstructedTag(node)) {
        return TLV_ERR_PARAM;
    }
    if (count != nullptr) {
        *count = node->childCount;
    }
    return TLV_OK;
}

TlvResult TlvGetChild(const TlvNode* node, uint8_t index, TlvNode** child,
                      uint32_t* isConstructed) {
    if (node == nullptr || !HasConstructedTag(node) || index >= node->childCount ||
        node->data == nullptr) {
        return TLV_ERR_PARAM;
    }
    if (child == nullptr) {
        return TLV_OK;
    }
    TlvNode* found = static_cast<TlvNode**>(node->data)[index];
    *child = found;
    if (isConstructed != nullptr) {
        *isConstructed = found != nullptr && IsConstructedElement(found) ? 1 : 0;
    }
    return TLV_OK;
}

TlvResult TlvAppendChild(TlvNode* node, TlvNode* child) {
    if (node == nullptr || child == nullptr || !IsConstructedElement(node)) {
        return TLV_ERR_PARAM;
    }
    // A child count is one byte wide: a 256th child cannot be recorded.
    if (node->childCount == UINT8_MAX) {
        return TLV_ERR_PARAM;
    }
    const size_t slots = static_cast<size_t>(node->childCount) + 1;
    void* grown = TlvMemRealloc(node->data, slots * sizeof(TlvNode*));
    if (grown == nullptr) {
        return TLV_ERR_MEMORY;
    }
    static_cast<TlvNode**>(grown)[node->childCount] = child;
    node->data = grown;
    ++node->childCount;
    return TLV_OK;
}

uint32_t TlvEncodedSize(const TlvNode* node) {
    if (node == nullptr) {
        return 0;
    }
    if (node->isPadding != 0) {
        return node->valueLength;
    }
    return static_cast<uint32_t>(node->tagLength) + node->lengthSize + node->valueLength;
}
