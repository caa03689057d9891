// BER-TLV node tree: parser, encoder, search and node queries.
//
// Plain functions over plain records. Every fallible operation returns a TlvResult; outputs go
// through caller pointers, and an optional output whose pointer is null is skipped. Copied-out
// byte strings are followed by one zero byte that the returned length does not count.
#ifndef QUORVEL_CORE_TLV_H
#define QUORVEL_CORE_TLV_H

#include <stdint.h>

typedef uint16_t TlvResult;

enum {
    TLV_OK = 0x0000,
    TLV_ERR_MEMORY = 0x4001,
    TLV_ERR_PARAM = 0x4002,
    TLV_ERR_FORMAT = 0x4101,
    TLV_ERR_PADDING = 0x4102,
    TLV_ERR_NOT_FOUND = 0x4103,
    DE_ERR_LENGTH_RULE = 0x4140,
    DE_ERR_NOT_DEFINED = 0x4141,
    DE_ERR_VALUE_FORMAT = 0x4142,
    DE_ERR_VALUE_SET = 0x4143,
    DE_ERR_VALUE_LENGTH = 0x4144,
};

enum { TLV_KIND_PADDING = 1, TLV_KIND_PRIMITIVE = 2, TLV_KIND_CONSTRUCTED = 3 };

enum {
    // A value holds at most 255 bytes behind a tag of at most 2 bytes and a length field of at
    // most 2 bytes, so no element encodes to more than 259 bytes.
    TLV_MAX_VALUE_LENGTH = 255,
    TLV_MAX_ELEMENT_SIZE = 2 + 2 + TLV_MAX_VALUE_LENGTH,
    // Size every buffer handed to TlvEncode, TlvFind or the copy-out functions must have: the
    // largest element plus the terminating zero byte.
    TLV_ENCODE_BUFFER_SIZE = TLV_MAX_ELEMENT_SIZE + 1,
};

struct TlvNode {
    uint32_t isPadding;
    uint8_t tag[2];
    uint8_t tagLength;
    uint8_t lengthBytes[2];
    uint8_t lengthSize;
    // Primitive and padding nodes: valueLength bytes (null when empty; see TlvSetValue).
    // Constructed nodes: an array of childCount TlvNode pointers (null without children).
    void* data;
    uint16_t valueLength;
    uint8_t childCount;
    TlvNode* parent;
};

void TlvFree(TlvNode* node);
int TlvIsPadding(const TlvNode* node);
TlvResult TlvGetKind(const TlvNode* node, uint8_t* kind);
TlvResult TlvGetChildCount(const TlvNode* node, uint8_t* count);
TlvResult TlvGetChild(const TlvNode* node, uint8_t index, TlvNode** child, uint32_t* isConstructed);
TlvResult TlvAppendChild(TlvNode* node, TlvNode* child);

TlvResult TlvParse(const uint8_t* input, uint16_t length, TlvNode** root, uint32_t* isConstructed);
TlvResult TlvParseEx(const uint8_t* input, uint16_t length, TlvNode** root, uint32_t* isConstructed,
                     int checkPadding);
TlvResult TlvCheckPadding(const TlvNode* node);

TlvResult TlvEncode(uint8_t* out, const TlvNode* node, uint16_t* length, int contentOnly);
TlvResult TlvFind(const TlvNode* node, uint8_t tagLength, const uint8_t* tag, uint16_t* length,
                  uint8_t* out);
TlvResult TlvGetTagValue(const TlvNode* node, uint8_t* tag, uint8_t* tagLength, uint8_t* value,
                         uint16_t* valueLength);
TlvResult TlvGetTagLengthValue(const TlvNode* node, uint8_t* tag, uint8_t* tagLength,
                               uint8_t* lengthBytes, uint8_t* lengthSize, uint8_t* value,
                               uint16_t* valueLength);

// Replaces the value of a primitive or padding node; the length field is left to the caller.
// A parsed leaf's value lies in memory the parsed tree owns as a whole, so `data` is never
// freed or replaced by hand: this is the one way to give a leaf another value.
TlvResult TlvSetValue(TlvNode* node, const uint8_t* value, uint16_t length);

// New nodes for editing: a data element with the given tag, a one-byte length field 00 and no
// value or children, or a padding node without bytes. Null when memory runs out; the node is
// not yet in `parent`'s child array.
TlvNode* TlvNewElement(const uint8_t* tag, uint8_t tagLength, TlvNode* parent);
TlvNode* TlvNewPadding(TlvNode* parent);
// Puts `child` at `index` (0 to childCount) of a constructed node, moving later children up.
// TLV_ERR_PARAM for a bad argument or a full array (255 children), TLV_ERR_MEMORY when the
// array cannot grow; the node is then unchanged. Neither sets `parent` nor lengths.
TlvResult TlvInsertChild(TlvNode* node, uint8_t index, TlvNode* child);
// Takes the child at `index` out of the array, moving later children down; the child is not
// freed.
TlvResult TlvRemoveChild(TlvNode* node, uint8_t index);

// Bytes the node occupies in an encoding: its padding bytes, or tag + length field + value.
uint32_t TlvEncodedSize(const TlvNode* node);

#endif
