// Parses arbitrary bytes with both parser entries. Every accepted input must encode back to
// itself byte for byte, every node must answer its queries, and nothing may leak.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "core/tlv.h"
#include "core/tlv_memory.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        abort();
    }
}

void QueryTree(const TlvNode* node, const TlvNode* root) {
    uint8_t kind = 0;
    Require(TlvGetKind(node, &kind) == TLV_OK);
    uint8_t tag[2];
    uint8_t tagLength = 0;
    uint8_t field[2];
    uint8_t fieldSize = 0;
    uint8_t value[TLV_ENCODE_BUFFER_SIZE];
    uint16_t valueLength = 0;
    Require(TlvGetTagLengthValue(node, tag, &tagLength, field, &fieldSize, value, &valueLength) ==
            TLV_OK);
    Require(valueLength == node->valueLength);
    uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
    uint16_t encodedLength = 0;
    Require(TlvEncode(encoded, node, &encodedLength, 0) == TLV_OK);
    Require(encodedLength == TlvEncodedSize(node));
    if (kind == TLV_KIND_PADDING) {
        return;
    }
    uint16_t foundLength = 0;
    Require(TlvFind(root, tagLength, tag, &foundLength, value) == TLV_OK);
    if (kind != TLV_KIND_CONSTRUCTED) {
        return;
    }
    uint8_t count = 0;
    Require(TlvGetChildCount(node, &count) == TLV_OK);
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* child = nullptr;
        Require(TlvGetChild(node, i, &child, nullptr) == TLV_OK);
        Require(child->parent == node);
        QueryTree(child, root);
    }
    Require(TlvGetChild(node, count, nullptr, nullptr) == TLV_ERR_PARAM);
}

void ParseOnce(const uint8_t* data, uint16_t size, int checkPadding) {
    const size_t liveBefore = TlvMemLiveBlocks();
    TlvNode* root = nullptr;
    uint32_t constructed = 0;
    const TlvResult result = TlvParseEx(data, size, &root, &constructed, checkPadding);
    if (result == TLV_OK) {
        uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
        uint16_t length = 0;
        Require(TlvEncode(encoded, root, &length, 0) == TLV_OK);
        Require(length == size && memcmp(encoded, data, size) == 0);
        QueryTree(root, root);
        TlvFree(root);
    } else {
        Require(root == nullptr);
    }
    Require(TlvMemLiveBlocks() == liveBefore);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > UINT16_MAX) {
        return 0;
    }
    ParseOnce(data, static_cast<uint16_t>(size), 1);
    ParseOnce(data, static_cast<uint16_t>(size), 0);
    return 0;
}
