// Reference for the TLV benchmarks: a walk of one record with OpenSSL's ASN1_get_object that
// builds a flat node per element (tag, class, value length and position, parent index) in an
// array the record owns, the way a well-written C parser over an established decoder would.
//
// Each node is written field by field straight into its slot of the array. Building it as a
// temporary and copying it in (`push_back(Asn1WalkNode{...})`) makes the compiler store the
// fields one by one and reload them as wide words for the copy, a store-to-load forwarding
// stall per element that made an earlier version of this walk 1.7 times slower than it is.
#ifndef QUORVEL_BENCH_ASN1_REFERENCE_WALK_H
#define QUORVEL_BENCH_ASN1_REFERENCE_WALK_H

#include <openssl/asn1.h>
#include <stddef.h>
#include <stdint.h>

#include <memory>

struct Asn1WalkNode {
    int tag;
    int tagClass;
    long length;
    const unsigned char* value;
    int parent;
};

// The nodes of one record, in document order (depth first), in one owned allocation.
struct Asn1NodeArray {
    std::unique_ptr<Asn1WalkNode[]> nodes;
    int count = 0;
    int capacity = 0;
};

// Walks the elements of `length` bytes at `pos` whose parent is node `parent` (-1 at top
// level), appending one node each. False for bytes the decoder refuses or more elements than
// the array holds.
inline bool Asn1WalkElements(const unsigned char* pos, long length, int parent,
                             Asn1NodeArray* array) {
    const unsigned char* end = pos + length;
    while (pos < end) {
        long valueLength = 0;
        int tag = 0;
        int tagClass = 0;
        const int flags = ASN1_get_object(&pos, &valueLength, &tag, &tagClass, end - pos);
        if ((flags & 0x80) != 0 || array->count == array->capacity) {
            return false;
        }
        const int self = array->count++;
        Asn1WalkNode& node = array->nodes[self];
        node.tag = tag;
        node.tagClass = tagClass;
        node.length = valueLength;
        node.value = pos;
        node.parent = parent;
        if ((flags & V_ASN1_CONSTRUCTED) != 0 && !Asn1WalkElements(pos, valueLength, self, array)) {
            return false;
        }
        pos += valueLength;
    }
    return true;
}

// Builds the node array of one record: one allocation sized from the record (every element
// takes at least two bytes), then the walk. Default-initialised slots cost nothing.
inline bool Asn1BuildNodes(const uint8_t* bytes, size_t size, Asn1NodeArray* array) {
    array->capacity = static_cast<int>(size / 2 + 1);
    array->nodes.reset(new Asn1WalkNode[static_cast<size_t>(array->capacity)]);
    array->count = 0;
    return Asn1WalkElements(bytes, static_cast<long>(size), -1, array);
}

#endif
