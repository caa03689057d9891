// The general reader's counterpart of asn1_reference_walk.h: a walk of one record that builds a
// flat node per element (the element as the cursor hands it out, and its parent's index) in an
// array the record owns, each node written in place by the reader.
#ifndef QUORVEL_BENCH_BER_READER_WALK_H
#define QUORVEL_BENCH_BER_READER_WALK_H

#include <stddef.h>
#include <stdint.h>

#include <memory>

#include "core/ber_reader.h"

struct BerWalkNode {
    BerElement element;
    int parent;
};

struct BerNodeArray {
    std::unique_ptr<BerWalkNode[]> nodes;
    int count = 0;
    int capacity = 0;
};

// Appends a node for every element the cursor holds, templates followed by their children.
// False for bytes the reader refuses or more elements than the array holds.
inline bool BerWalkElements(BerCursor* cursor, int parent, BerNodeArray* array) {
    for (;;) {
        if (array->count == array->capacity) {
            return cursor->pos == cursor->end;
        }
        const int self = array->count;
        BerWalkNode& node = array->nodes[self];
        const TlvResult result = BerReadNext(cursor, &node.element, nullptr);
        if (result != TLV_OK) {
            return result == TLV_ERR_NOT_FOUND;
        }
        ++array->count;
        node.parent = parent;
        if (node.element.kind == TLV_KIND_CONSTRUCTED) {
            BerCursor inner;
            BerCursorEnter(cursor, &node.element, &inner);
            if (!BerWalkElements(&inner, self, array)) {
                return false;
            }
        }
    }
}

// Builds the node array of one record as Asn1BuildNodes does: one allocation of the same size,
// then the walk.
inline bool BerBuildNodes(const uint8_t* bytes, size_t size, BerNodeArray* array) {
    array->capacity = static_cast<int>(size / 2 + 1);
    array->nodes.reset(new BerWalkNode[static_cast<size_t>(array->capacity)]);
    array->count = 0;
    BerCursor cursor;
    BerCursorInit(&cursor, bytes, static_cast<uint32_t>(size), BER_RULES_GENERAL);
    return BerWalkElements(&cursor, -1, array);
}

#endif
