#include <stddef.h>
#include <string.h>

#include "core/tlv.h"
#include "core/tlv_internal.h"
#include "core/tlv_pool.h"

namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "node words are little-endian");
static_assert(offsetof(TlvNode, tag) == 4 && offsetof(TlvNode, tagLength) == 6 &&
                  offsetof(TlvNode, lengthBytes) == 7 && offsetof(TlvNode, lengthSize) == 9 &&
                  offsetof(TlvNode, childCount) == offsetof(TlvNode, valueLength) + 2,
              "node words follow this layout");

bool IsPaddingByte(uint8_t byte) {
    return byte == 0x00 || byte == 0xFF;
}

// What the first byte of an element or padding run says, as bits.
const uint8_t kTwoByteTag = 1;
const uint8_t kTemplate = 2;
const uint8_t kPadding = 4;

struct LeadForms {
    uint8_t of[256];
};

constexpr LeadForms MakeLeadForms() {
    LeadForms forms = {};
    for (int lead = 0; lead < 256; ++lead) {
        forms.of[lead] = lead == 0x00 || lead == 0xFF
                             ? kPadding
                             : static_cast<uint8_t>(((lead & 0x1F) == 0x1F ? kTwoByteTag : 0) |
                                                    ((lead & 0x20) != 0 ? kTemplate : 0));
    }
    return forms;
}

constexpr LeadForms kLeadForms = MakeLeadForms();

// Where an element's value starts (null when the element is refused) and how long it is.
struct ElementRead {
    const uint8_t* value;
    uint32_t valueLength;
};

// Fills every field of an element's node but `data`, from header bytes read beforehand (a
// store to the node could otherwise make the compiler read them again). Each form of tag and
// length field has its own copy of this code, with the sizes as constants; the first ten bytes
// of the node go as two words.
template <uint32_t kTagLength, uint32_t kLengthSize>
inline ElementRead SetElement(const uint8_t* pos, uint8_t tag0, uint8_t tag1, uint8_t first,
                              uint32_t valueLength, TlvNode* node, TlvNode* parent) {
    const uint64_t head = uint64_t(tag0) << 32 | uint64_t(kTagLength == 2 ? tag1 : 0) << 40 |
                          uint64_t(kTagLength) << 48 | uint64_t(first) << 56;
    const uint16_t tail =
        static_cast<uint16_t>((kLengthSize == 2 ? valueLength : 0) | kLengthSize << 8);
    const uint32_t counts = valueLength;  // valueLength, and a childCount of 0
    uint8_t* bytes = reinterpret_cast<uint8_t*>(node);
    memcpy(bytes, &head, sizeof head);
    memcpy(bytes + offsetof(TlvNode, lengthBytes) + 1, &tail, sizeof tail);
    memcpy(bytes + offsetof(TlvNode, valueLength), &counts, sizeof counts);
    node->parent = parent;
    return {pos + kTagLength + kLengthSize, valueLength};
}

// Reads the element at `pos`, whose tag takes kTagLength bytes, into `node`; refused unless the
// whole element lies before `end`. The bytes are the arena's copy of the input, whose slack lets
// the length field be read before it is known to lie within them. Each tag size has its own copy
// of this code, so that the processor can go on to the next element on a predicted branch
// rather than wait for the tag byte.
template <uint32_t kTagLength>
inline ElementRead ReadElement(const uint8_t* pos, const uint8_t* end, TlvNode* node,
                               TlvNode* parent) {
    const uint8_t tag0 = pos[0];
    const uint8_t tag1 = pos[1];
    const uint8_t first = pos[kTagLength];
    const uint8_t second = pos[kTagLength + 1];
    if (first < 0x80) {
        if (first + kTagLength + 1 > static_cast<size_t>(end - pos)) {
            return {nullptr, 0};
        }
        return SetElement<kTagLength, 1>(pos, tag0, tag1, first, first, node, parent);
    }
    if (first != 0x81 || second + kTagLength + 2 > static_cast<size_t>(end - pos)) {
        return {nullptr, 0};
    }
    return SetElement<kTagLength, 2>(pos, tag0, tag1, first, second, node, parent);
}

inline ElementRead ReadElement(const uint8_t* pos, const uint8_t* end, uint32_t form, TlvNode* node,
                               TlvNode* parent) {
    return (form & kTwoByteTag) != 0 ? ReadElement<2>(pos, end, node, parent)
                                     : ReadElement<1>(pos, end, node, parent);
}

inline void SetPadding(TlvNode* node, const uint8_t* run, uint32_t count, TlvNode* parent) {
    const uint64_t head = 1;  // isPadding, and no tag or length field
    const uint16_t tail = 0;
    const uint32_t counts = count;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(node);
    memcpy(bytes, &head, sizeof head);
    memcpy(bytes + offsetof(TlvNode, lengthBytes) + 1, &tail, sizeof tail);
    memcpy(bytes + offsetof(TlvNode, valueLength), &counts, sizeof counts);
    node->data = const_cast<uint8_t*>(run);
    node->parent = parent;
}

// A template whose children are being read, and where its parent's reading resumes.
struct OpenTemplate {
    TlvNode* parent;
    const uint8_t* end;
    TlvNode** firstChild;
};

// Templates are opened below the root only for a non-empty value: each takes two header bytes
// of the root's value of at most 255 bytes, and the innermost one a byte of its own value.
const uint32_t kMaxOpenTemplates = (TLV_MAX_VALUE_LENGTH - 1) / 2;

// The result of a parse into an arena: where its nodes and its child arrays end, how many
// blocks it made and whether it read any padding. `top` is null after a format error; the arena
// is then dropped as a whole.
struct ParseOutcome {
    uint8_t* top;
    uint8_t* arrays;
    uint32_t blocks;
    bool sawPadding;
};

// Parses the record copied into `arena`, `length` bytes, into nodes and child arrays in the
// arena's room for them (see tlv_pool.h). The root element must span the whole record. Nodes
// are written in input order; children are collected on one stack shared by all levels and
// moved into an array of the exact size once their template's value is complete. Nodes on the
// stack take disjoint bytes of the root's value of at most 255 bytes, so the stack never holds
// more than 255 of them.
ParseOutcome ParseRecord(tlvpool::Arena* arena, uint32_t size) {
    const uint8_t* copy = tlvpool::ArenaCopy(arena);
    TlvNode* root = tlvpool::ArenaNodes(arena, size);
    ParseOutcome outcome = {nullptr, nullptr, 1, false};
    const ElementRead read = ReadElement(copy, copy + size, kLeadForms.of[copy[0]], root, nullptr);
    if (read.value == nullptr || read.value + read.valueLength != copy + size) {
        return outcome;
    }
    uint8_t* top = reinterpret_cast<uint8_t*>(root + 1);
    uint8_t* arrays = tlvpool::ArenaArrays(arena, size);
    const uint8_t* pos = read.value;
    const uint8_t* end = read.value + read.valueLength;
    if ((copy[0] & 0x20) == 0 || pos == end) {
        root->data = (copy[0] & 0x20) == 0 && pos != end ? const_cast<uint8_t*>(pos) : nullptr;
        outcome.top = top;
        outcome.arrays = arrays;
        return outcome;
    }
    TlvNode* stack[TLV_MAX_VALUE_LENGTH];
    OpenTemplate open[kMaxOpenTemplates];
    uint32_t depth = 0;
    TlvNode* parent = root;
    TlvNode** firstChild = stack;
    TlvNode** next = stack;
    for (;;) {
        while (pos < end) {
            TlvNode* node = reinterpret_cast<TlvNode*>(top);
            top += sizeof(TlvNode);
            *next++ = node;
            const uint32_t form = kLeadForms.of[*pos];
            // Leaves with a short length field, by far the most common elements, take the
            // shortest way. The next element starts at the value plus its length: one addition
            // once the length byte is in, where "pos += length + 2" had g++ make two, on the
            // chain of reads from one element to the next. Marked as expected, the short way is
            // laid out as one straight run with a single taken branch per element.
            if (__builtin_expect(form == 0, 1)) {
                const uint8_t* value = pos + 2;
                const uint8_t length = pos[1];
                if (__builtin_expect(length < 0x80 && length + 2u <= static_cast<size_t>(end - pos),
                                     1)) {
                    SetElement<1, 1>(pos, pos[0], 0, length, length, node, parent);
                    node->data = length > 0 ? const_cast<uint8_t*>(value) : nullptr;
                    pos = value + length;
                    continue;
                }
            } else if (form == kTwoByteTag) {
                const uint8_t* value = pos + 3;
                const uint8_t length = pos[2];
                if (__builtin_expect(length < 0x80 && length + 3u <= static_cast<size_t>(end - pos),
                                     1)) {
                    SetElement<2, 1>(pos, pos[0], pos[1], length, length, node, parent);
                    node->data = length > 0 ? const_cast<uint8_t*>(value) : nullptr;
                    pos = value + length;
                    continue;
                }
            }
            if (form == kPadding) {
                const uint8_t* run = pos;
                do {
                    ++pos;
                } while (pos < end && IsPaddingByte(*pos));
                SetPadding(node, run, static_cast<uint32_t>(pos - run), parent);
                outcome.sawPadding = true;
                continue;
            }
            const ElementRead read = ReadElement(pos, end, form, node, parent);
            if (read.value == nullptr) {
                return outcome;
            }
            pos = read.value + read.valueLength;
            if ((form & kTemplate) == 0) {
                node->data = read.valueLength > 0 ? const_cast<uint8_t*>(read.value) : nullptr;
                continue;
            }
            node->data = nullptr;
            if (read.valueLength > 0) {
                open[depth++] = {parent, end, firstChild};
                parent = node;
                firstChild = next;
                end = pos;
                pos = read.value;
            }
        }
        const uint32_t count = static_cast<uint32_t>(next - firstChild);
        TlvNode** children = reinterpret_cast<TlvNode**>(arrays);
        arrays += count * sizeof(TlvNode*);
        TlvCopyBytes(reinterpret_cast<uint8_t*>(children),
                     reinterpret_cast<const uint8_t*>(firstChild),
                     count * static_cast<uint32_t>(sizeof(TlvNode*)));
        parent->data = children;
        parent->childCount = static_cast<uint8_t>(count);
        outcome.blocks += count + 1;
        next = firstChild;
        if (depth == 0) {
            outcome.top = top;
            outcome.arrays = arrays;
            return outcome;
        }
        --depth;
        parent = open[depth].parent;
        end = open[depth].end;
        firstChild = open[depth].firstChild;
    }
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
    // The root element spans the whole input, which bounds the arena the tree needs.
    if (length == 0 || length > TLV_MAX_ELEMENT_SIZE || IsPaddingByte(input[0])) {
        return TLV_ERR_FORMAT;
    }
    tlvpool::Arena* arena = tlvpool::AcquireArena(tlvpool::ArenaBytesFor(length));
    if (arena == nullptr) {
        return TLV_ERR_MEMORY;
    }
    uint8_t* copy = tlvpool::ArenaCopy(arena);
    TlvCopyBytes(copy, input, length);
    memset(copy + length, 0, tlvpool::kArenaCopySlack);
    const ParseOutcome outcome = ParseRecord(arena, length);
    if (outcome.top == nullptr) {
        tlvpool::RecycleArena(arena);
        return TLV_ERR_FORMAT;
    }
    TlvNode* top = tlvpool::ArenaNodes(arena, length);
    tlvpool::CommitArena(arena, length, top, reinterpret_cast<TlvNode*>(outcome.top),
                         outcome.arrays, outcome.blocks);
    const bool constructed = TlvIsConstructedElement(top);
    if (constructed && checkPadding != 0 && outcome.sawPadding) {
        const TlvResult result = TlvCheckPadding(top);
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
