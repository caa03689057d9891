// Small helpers for tests over the TLV core.
#ifndef QUORVEL_TESTS_CORE_TLV_TEST_UTIL_H
#define QUORVEL_TESTS_CORE_TLV_TEST_UTIL_H

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "core/tlv.h"

struct TlvTreeDeleter {
    void operator()(TlvNode* node) const { TlvFree(node); }
};
using TlvTree = std::unique_ptr<TlvNode, TlvTreeDeleter>;

// Parses from a heap copy of exactly the input's size, so that the address sanitizer reports
// any read past the end.
inline TlvResult ParseExact(const std::vector<uint8_t>& input, TlvTree* tree, int checkPadding,
                            uint32_t* isConstructed = nullptr) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[input.size() == 0 ? 1 : input.size()]);
    std::copy(input.begin(), input.end(), copy.get());
    uint8_t* start = input.size() == 0 ? copy.get() + 1 : copy.get();
    TlvNode* root = nullptr;
    uint32_t constructed = 0xDEAD;
    const TlvResult result =
        TlvParseEx(start, static_cast<uint16_t>(input.size()), &root, &constructed, checkPadding);
    tree->reset(root);
    if (isConstructed != nullptr) {
        *isConstructed = constructed;
    }
    return result;
}

inline std::vector<uint8_t> Encode(const TlvNode* node, int contentOnly) {
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0xFFFF;
    if (TlvEncode(buffer, node, &length, contentOnly) != TLV_OK) {
        return {};
    }
    return std::vector<uint8_t>(buffer, buffer + length);
}

inline TlvNode* ChildAt(const TlvNode* node, uint8_t index) {
    TlvNode* child = nullptr;
    TlvGetChild(node, index, &child, nullptr);
    return child;
}

#endif
