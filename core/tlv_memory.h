// The allocator behind every node, value block and child array of the TLV tree.
//
// Small blocks come from per-size free lists carved out of larger slabs, so building and editing
// a tree costs a few pointer moves per node instead of a round trip through the heap. Growing a
// block within its size class keeps it in place. A parse puts a whole tree into one arena (see
// tlv_pool.h). Single-threaded, like the rest of the program. Editing code that allocates or
// replaces node data must use these functions too.
#ifndef QUORVEL_CORE_TLV_MEMORY_H
#define QUORVEL_CORE_TLV_MEMORY_H

#include <stddef.h>
#include <stdint.h>

// Returns an uninitialised block of at least `size` bytes, or null when memory runs out.
void* TlvMemAlloc(size_t size);
// Resizes a block, keeping its first min(old, new) bytes. On failure returns null and leaves
// the block as it was. A null block is allocated afresh. The nodes and child arrays of a parsed
// tree are not TlvMemAlloc blocks and cannot be resized here (null): TlvInsertChild grows a
// parsed child array itself.
void* TlvMemRealloc(void* block, size_t size);
// Releases a block from TlvMemAlloc or TlvMemRealloc, or a node or child array of a parsed
// tree; null does nothing.
void TlvMemFree(void* block);

// Number of blocks currently handed out, for leak checks.
size_t TlvMemLiveBlocks(void);
// Test seam: the n-th allocation or resize request from now on (1 = the next) fails; 0 switches
// the seam off.
void TlvMemFailAt(uint32_t n);

#endif
