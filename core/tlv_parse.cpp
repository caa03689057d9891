#include <string.h>

#include "core/tlv.h"
#include "core/tlv_internal.h"
#include "core/tlv_pool.h"

namespace {

// Children are collected on one stack shared by all levels and moved into an array of the
// exact size once their parent's value is complete: one allocation per template instead of one
// per child. Every node takes at least one byte of a value of at most 255, so the stack never
// holds more than 255 nodes.
struct ParseContext {
    TlvNode* pending[TLV_MAX_VALUE_LENGTH + 1];
    uint32_t pendingCount;
    // Every block of one parse comes from the same arenas (see tlv_pool.h).
    tlvpool::Arena* arena;
    // Set when any padding run was read; without one the placement rule holds trivially.
    bool sawPadding;
};

void DropPending(ParseContext* context, uint32_t base) {
    while (context->pendingCount > base) {
        TlvFree(context->pending[--context->pendingCount]);
    }
}

// Hands the children collected since `base` to `parent` as its child array.
TlvResult AdoptPending(ParseContext* context, uint32_t base, TlvNode* parent) {
    const uint32_t count = context->pendingCount - base;
    TlvNode** children =
        static_cast<TlvNode**>(tlvpool::ArenaAlloc(&context->arena, count * sizeof(TlvNode*)));
    if (children == nullptr) {
        DropPending(context, base);
        return TLV_ERR_MEMORY;
    }
    memcpy(children, context->pending + base, count * sizeof(TlvNode*));
    parent->data = children;
    parent->childCount = static_cast<uint8_t>(count);
    context->pendingCount = base;
    return TLV_OK;
}

TlvResult TlvParseSequence(ParseContext* context, const uint8_t* input, uint32_t available,
                           TlvNode* parent, TlvNode** root);

bool IsPaddingByte(uint8_t byte) {
    return byte == 0x00 || byte == 0xFF;
}

struct ElementHeader {
    uint8_t tag[2];
    uint8_t tagLength;
    uint8_t lengthBytes[2];
    uint8_t lengthSize;
    uint16_t valueLength;
};

// Reads tag and length field of the element at `pos`, never looking past `available` bytes, and
// makes sure the whole element lies within them before any value byte is touched.
TlvResult ReadElementHeader(const uint8_t* pos, uint32_t available, ElementHeader* header) {
    uint32_t at = 0;
    if (available < 1) {
        return TLV_ERR_FORMAT;
    }
    header->tag[0] = pos[at++];
    header->tag[1] = 0;
    header->tagLength = 1;
    if ((header->tag[0] & 0x1F) == 0x1F) {
        if (at >= available) {
            return TLV_ERR_FORMAT;
        }
        header->tag[1] = pos[at++];
        header->tagLength = 2;
    }
    if (at >= available) {
        return TLV_ERR_FORMAT;
    }
    const uint8_t first = pos[at++];
    header->lengthBytes[0] = first;
    header->lengthBytes[1] = 0;
    if (first < 0x80) {
        header->lengthSize = 1;
        header->valueLength = first;
    } else if (first == 0x81) {
        if (at >= available) {
            return TLV_ERR_FORMAT;
        }
        header->lengthBytes[1] = pos[at++];
        header->lengthSize = 2;
        header->valueLength = header->lengthBytes[1];
    } else {
        return TLV_ERR_FORMAT;
    }
    if (header->valueLength > available - at) {
        return TLV_ERR_FORMAT;
    }
    return TLV_OK;
}

uint32_t HeaderSize(const ElementHeader& header) {
    return static_cast<uint32_t>(header.tagLength) + header.lengthSize;
}

// Allocates a node with room for `inlineBytes` of value behind it and sets every field, so
// that no field is left unset and nothing is written twice.
TlvNode* NewNode(ParseContext* context, uint32_t isPadding, const ElementHeader& header,
                 TlvNode* parent, uint32_t inlineBytes) {
    TlvNode* node =
        static_cast<TlvNode*>(tlvpool::ArenaAlloc(&context->arena, sizeof(TlvNode) + inlineBytes));
    if (node == nullptr) {
        return nullptr;
    }
    node->isPadding = isPadding;
    node->tag[0] = header.tag[0];
    node->tag[1] = header.tag[1];
    node->tagLength = header.tagLength;
    node->lengthBytes[0] = header.lengthBytes[0];
    node->lengthBytes[1] = header.lengthBytes[1];
    node->lengthSize = header.lengthSize;
    node->data = inlineBytes > 0 ? TlvInlineValue(node) : nullptr;
    node->valueLength = header.valueLength;
    node->childCount = 0;
    node->parent = parent;
    return node;
}

TlvResult TlvParsePrimitive(ParseContext* context, const uint8_t* pos, uint32_t available,
                            TlvNode* parent, TlvNode** out) {
    ElementHeader header;
    const TlvResult result = ReadElementHeader(pos, available, &header);
    if (result != TLV_OK) {
        return result;
    }
    TlvNode* node = NewNode(context, 0, header, parent, header.valueLength);
    if (node == nullptr) {
        return TLV_ERR_MEMORY;
    }
    if (header.valueLength > 0) {
        TlvCopyBytes(static_cast<uint8_t*>(node->data), pos + HeaderSize(header),
                     header.valueLength);
    }
    *out = node;
    return TLV_OK;
}

TlvResult TlvParseConstructed(ParseContext* context, const uint8_t* pos, uint32_t available,
                              TlvNode* parent, TlvNode** out) {
    ElementHeader header;
    TlvResult result = ReadElementHeader(pos, available, &header);
    if (result != TLV_OK) {
        return result;
    }
    TlvNode* node = NewNode(context, 0, header, parent, 0);
    if (node == nullptr) {
        return TLV_ERR_MEMORY;
    }
    if (header.valueLength > 0) {
        result =
            TlvParseSequence(context, pos + HeaderSize(header), header.valueLength, node, nullptr);
    }
    *out = node;
    return result;
}

TlvResult TlvParsePadding(ParseContext* context, const uint8_t* pos, TlvNode* parent,
                          uint32_t available, TlvNode** out) {
    uint32_t count = 0;
    while (count < available && IsPaddingByte(pos[count])) {
        ++count;
    }
    ElementHeader none = {{0, 0}, 0, {0, 0}, 0, static_cast<uint16_t>(count)};
    TlvNode* node = NewNode(context, 1, none, parent, count);
    if (node == nullptr) {
        return TLV_ERR_MEMORY;
    }
    TlvCopyBytes(static_cast<uint8_t*>(node->data), pos, count);
    *out = node;
    return TLV_OK;
}

TlvResult TlvCheckChildSizes(const TlvNode* node) {
    uint32_t count = 0;
    TlvNode* const* children = TlvChildrenOf(node, &count);
    uint32_t sum = 0;
    for (uint32_t i = 0; i < count; ++i) {
        sum += TlvSizeOf(children[i]);
    }
    return sum == node->valueLength ? TLV_OK : TLV_ERR_FORMAT;
}

// Parses one element at top level (no parent), or the whole value of `parent` as a run of
// elements and padding. `available` bounds every read. On failure everything this call built
// is freed.
TlvResult TlvParseSequence(ParseContext* context, const uint8_t* input, uint32_t available,
                           TlvNode* parent, TlvNode** root) {
    uint32_t remaining = parent != nullptr ? parent->valueLength : available;
    if (remaining == 0 || remaining > available) {
        return TLV_ERR_FORMAT;
    }
    const uint32_t base = context->pendingCount;
    const uint8_t* pos = input;
    while (remaining > 0) {
        const uint8_t first = *pos;
        TlvNode* node = nullptr;
        TlvResult result;
        if (IsPaddingByte(first)) {
            if (parent == nullptr) {
                return TLV_ERR_FORMAT;
            }
            context->sawPadding = true;
            result = TlvParsePadding(context, pos, parent, remaining, &node);
        } else if ((first & 0x20) != 0) {
            result = TlvParseConstructed(context, pos, remaining, parent, &node);
            if (result == TLV_OK) {
                result = TlvCheckChildSizes(node);
            }
        } else {
            result = TlvParsePrimitive(context, pos, remaining, parent, &node);
        }
        const uint32_t size = node != nullptr ? TlvSizeOf(node) : 0;
        if (result == TLV_OK && size > remaining) {
            result = TLV_ERR_FORMAT;
        }
        if (result == TLV_OK && parent == nullptr) {
            if (size == available) {
                *root = node;
                return TLV_OK;
            }
            result = TLV_ERR_FORMAT;
        }
        if (result == TLV_OK && context->pendingCount > TLV_MAX_VALUE_LENGTH) {
            result = TLV_ERR_FORMAT;
        }
        if (result != TLV_OK) {
            TlvFree(node);
            DropPending(context, base);
            return result;
        }
        context->pending[context->pendingCount++] = node;
        remaining -= size;
        pos += size;
    }
    return AdoptPending(context, base, parent);
}

}  // namespace

TlvResult TlvCheckPadding(const TlvNode* node) {
    if (node == nullptr || !TlvIsConstructedElement(node)) {
        return TLV_ERR_PARAM;
    }
    uint32_t count = 0;
    TlvNode* const* children = TlvChildrenOf(node, &count);
    for (uint32_t i = 0; i < count; ++i) {
        if (TlvIsConstructedElement(children[i])) {
            const TlvResult result = TlvCheckPadding(children[i]);
            if (result != TLV_OK) {
                return result;
            }
        }
    }
    // Padding may only stand directly before or after a primitive sibling.
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
    ParseContext context;
    context.pendingCount = 0;
    context.arena = nullptr;
    context.sawPadding = false;
    TlvNode* top = nullptr;
    TlvResult result = TlvParseSequence(&context, input, length, nullptr, &top);
    tlvpool::ReleaseArena(context.arena);
    if (result != TLV_OK) {
        return result;
    }
    const bool constructed = TlvIsConstructedElement(top);
    if (constructed && checkPadding != 0 && context.sawPadding) {
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
