// Inline fast paths of the TLV allocator, for the core's own hot loops. Everything else uses the
// functions of tlv_memory.h, which share this state.
//
// Every block lives in a region: memory aligned to kRegionSize whose first bytes say what it
// holds, so a block's owner is found from the block's address alone (rounded down to the region
// size). Regions come in three kinds:
// - slabs, one per size class: chunks of 32 << c bytes (a 16-byte header holding the requested
//   size, then the payload) on per-class free lists;
// - large regions, each holding one block too large for any class, with the same header;
// - parse arenas, one per parsed tree: a copy of the parsed bytes, which holds every value, then
//   the tree's nodes and child arrays, bump-allocated without any header. The arena counts its
//   live blocks. Freeing the tree's root while no block of it was freed, moved or replaced on
//   its own releases the whole arena at once; once edited, the tree is freed block by block and
//   the arena goes with its last block.
#ifndef QUORVEL_CORE_TLV_POOL_H
#define QUORVEL_CORE_TLV_POOL_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/tlv.h"

#if defined(__has_include)
#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#endif
#endif
#ifndef ASAN_POISON_MEMORY_REGION
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

namespace tlvpool {

const size_t kRegionSize = 16384;

enum RegionKind : uint32_t { kSlabRegion = 1, kLargeRegion = 2, kArenaRegion = 3 };

// First bytes of every region; stays unpoisoned while the region lives.
struct Region {
    uint32_t kind;
    uint32_t sizeClass;  // slabs: their chunks' class; arenas: their capacity class
    Region* next;        // slabs: all slabs, so that leak checkers see them; arenas: spares
};
const size_t kRegionHeaderSize = 16;
static_assert(sizeof(Region) == kRegionHeaderSize, "region header must fill its slot");

struct Arena {
    Region region;
    TlvNode* root;
    // The tree's nodes lie in [root, nodesEnd), in document order.
    TlvNode* nodesEnd;
    // Nodes and child arrays handed out and not yet freed.
    uint32_t liveBlocks;
    // Some block was freed, moved or replaced on its own: the tree is no longer the arena.
    bool edited;
};
// Parsed bytes start here, keeping the nodes behind them 8-byte aligned.
const size_t kArenaHeaderSize = 64;
static_assert(sizeof(Arena) <= kArenaHeaderSize, "arena header must fit its slot");
const uint32_t kArenaClassCount = 5;  // capacities of 1, 2, 4, 8 and 16 KiB

inline size_t ArenaCapacity(uint32_t arenaClass) {
    return size_t(1024) << arenaClass;
}

// The parsed bytes are followed by zero bytes, so that a few bytes of an element's header, or
// 16 bytes of any value, can be read at once without leaving the copy.
const size_t kArenaCopySlack = 16;

inline uint8_t* ArenaCopy(Arena* arena) {
    return reinterpret_cast<uint8_t*>(arena) + kArenaHeaderSize;
}

// Room for the copy of `length` parsed bytes, keeping the nodes behind it 8-byte aligned.
inline size_t ArenaCopySize(uint32_t length) {
    return ((length + 7u) & ~size_t(7)) + kArenaCopySlack;
}

// An arena that parses `length` bytes holds the copy, then room for `length` nodes, then room
// for as many child array slots. Every node takes at least one input byte, the root two, and
// every node but the root has one slot in its parent's child array: a parse of `length` bytes
// makes fewer than `length` nodes and slots. Keeping nodes apart from child arrays leaves the
// nodes of every subtree side by side, in document order.
inline TlvNode* ArenaNodes(Arena* arena, uint32_t length) {
    return reinterpret_cast<TlvNode*>(ArenaCopy(arena) + ArenaCopySize(length));
}

inline uint8_t* ArenaArrays(Arena* arena, uint32_t length) {
    return reinterpret_cast<uint8_t*>(ArenaNodes(arena, length) + length);
}

inline size_t ArenaBytesFor(uint32_t length) {
    return kArenaHeaderSize + ArenaCopySize(length) +
           (sizeof(TlvNode) + sizeof(TlvNode*)) * static_cast<size_t>(length);
}
static_assert(kArenaHeaderSize + ((TLV_MAX_ELEMENT_SIZE + 7) & ~7) + kArenaCopySlack +
                      (sizeof(TlvNode) + sizeof(TlvNode*)) * TLV_MAX_ELEMENT_SIZE <=
                  kRegionSize,
              "the largest element must parse within one region");

struct Header {
    uint32_t size;
    uint32_t sizeClass;
};
struct FreeChunk {
    FreeChunk* next;
};

const size_t kHeaderSize = 16;  // keeps payloads 16-byte aligned
const uint32_t kClassCount = 8;
const uint32_t kHeapClass = kClassCount;

// Arenas kept per capacity class once their tree is gone, for the next parses.
const uint32_t kSparesPerClass = 4;

struct State {
    FreeChunk* freeLists[kClassCount];
    Arena* spareArenas[kArenaClassCount];
    uint32_t spareCounts[kArenaClassCount];
    // The address of every arena, in use or spare, in ascending order, and the arena last
    // handed out, which is most often the one asked about.
    uintptr_t* arenas;
    uint32_t arenaCount;
    uint32_t arenaCapacity;
    uintptr_t recentArena;
    size_t liveBlocks;
    uint32_t failCountdown;
};
extern State g_state;

// Slow paths, out of line: a chunk of the class from a new slab (or a large region for
// kHeapClass); giving a large region back; a new arena of the class, listed among the arenas;
// giving an arena's memory back and striking it off the list.
uint8_t* NewChunk(uint32_t sizeClass, size_t size);
void ReleaseLargeChunk(uint8_t* chunk);
Arena* NewArena(uint32_t arenaClass);
void ReleaseArenaRegion(Arena* arena);

inline Region* RegionOf(const void* block) {
    return reinterpret_cast<Region*>(reinterpret_cast<uintptr_t>(block) & ~(kRegionSize - 1));
}

// The arena holding `block`, or null. Nodes handed to the core may be the caller's own, on the
// stack or anywhere, so the answer comes from the list of arenas, without reading memory that
// may not be the allocator's.
inline Arena* ArenaOf(const void* block) {
    const uintptr_t region = reinterpret_cast<uintptr_t>(RegionOf(block));
    if (region == g_state.recentArena) {
        return reinterpret_cast<Arena*>(region);
    }
    const uintptr_t* arenas = g_state.arenas;
    uint32_t low = 0;
    uint32_t high = g_state.arenaCount;
    while (low < high) {
        const uint32_t middle = (low + high) / 2;
        if (arenas[middle] < region) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low < g_state.arenaCount && arenas[low] == region ? reinterpret_cast<Arena*>(region)
                                                             : nullptr;
}

inline size_t ChunkSize(uint32_t sizeClass) {
    return size_t(32) << sizeClass;
}
inline size_t Capacity(uint32_t sizeClass) {
    return ChunkSize(sizeClass) - kHeaderSize;
}

inline uint32_t ClassFor(size_t size) {
    const size_t total = size + kHeaderSize;
    if (total <= 32) {
        return 0;
    }
    const uint32_t sizeClass = 64 - static_cast<uint32_t>(__builtin_clzll(total - 1)) - 5;
    return sizeClass < kClassCount ? sizeClass : kHeapClass;
}

inline bool InjectedFailure() {
    return __builtin_expect(g_state.failCountdown != 0, 0) && --g_state.failCountdown == 0;
}

// A chunk's header stays poisoned while the block is in use, so that a stray write just before
// the payload is caught by the address sanitizer.
inline Header ReadHeader(uint8_t* chunk) {
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(Header));
    Header header;
    memcpy(&header, chunk, sizeof header);
    ASAN_POISON_MEMORY_REGION(chunk, sizeof(Header));
    return header;
}

inline void WriteHeader(uint8_t* chunk, size_t size, uint32_t sizeClass) {
    const Header header = {static_cast<uint32_t>(size), sizeClass};
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(Header));
    memcpy(chunk, &header, sizeof header);
    ASAN_POISON_MEMORY_REGION(chunk, sizeof(Header));
}

inline uint8_t* ChunkOf(void* block) {
    return static_cast<uint8_t*>(block) - kHeaderSize;
}

// Allocation without the failure seam; the public entries consult it once per request.
inline void* Take(size_t size) {
    if (size > UINT32_MAX) {
        return nullptr;
    }
    const uint32_t sizeClass = ClassFor(size);
    uint8_t* chunk;
    if (sizeClass != kHeapClass && g_state.freeLists[sizeClass] != nullptr) {
        FreeChunk* free = g_state.freeLists[sizeClass];
        ASAN_UNPOISON_MEMORY_REGION(free, sizeof(FreeChunk));
        g_state.freeLists[sizeClass] = free->next;
        chunk = reinterpret_cast<uint8_t*>(free);
    } else {
        chunk = NewChunk(sizeClass, size);
        if (chunk == nullptr) {
            return nullptr;
        }
    }
    WriteHeader(chunk, size, sizeClass);
    ASAN_UNPOISON_MEMORY_REGION(chunk + kHeaderSize, size);
    ++g_state.liveBlocks;
    return chunk + kHeaderSize;
}

inline void* Alloc(size_t size) {
    return InjectedFailure() ? nullptr : Take(size);
}

inline uint8_t* ArenaPayload(Arena* arena) {
    return reinterpret_cast<uint8_t*>(arena) + kRegionHeaderSize;
}

inline size_t ArenaPayloadSize(const Arena* arena) {
    return ArenaCapacity(arena->region.sizeClass) - kRegionHeaderSize;
}

// An empty arena with room for `bytes`, a spare one when there is one; null when memory runs
// out, or when the failure seam says so.
inline Arena* AcquireArena(size_t bytes) {
    if (InjectedFailure()) {
        return nullptr;
    }
    const uint32_t arenaClass =
        bytes <= ArenaCapacity(0) ? 0 : 64 - static_cast<uint32_t>(__builtin_clzll(bytes - 1)) - 10;
    if (arenaClass >= kArenaClassCount) {
        return nullptr;
    }
    Arena* arena = g_state.spareArenas[arenaClass];
    if (arena != nullptr) {
        g_state.spareArenas[arenaClass] = reinterpret_cast<Arena*>(arena->region.next);
        --g_state.spareCounts[arenaClass];
    } else {
        arena = NewArena(arenaClass);
        if (arena == nullptr) {
            return nullptr;
        }
    }
    ASAN_UNPOISON_MEMORY_REGION(ArenaPayload(arena), ArenaPayloadSize(arena));
    g_state.recentArena = reinterpret_cast<uintptr_t>(arena);
    arena->root = nullptr;
    arena->liveBlocks = 0;
    arena->edited = false;
    return arena;
}

// Gives back an arena none of whose blocks is in use any more.
inline void RecycleArena(Arena* arena) {
    const uint32_t arenaClass = arena->region.sizeClass;
    if (g_state.spareCounts[arenaClass] == kSparesPerClass) {
        ReleaseArenaRegion(arena);
        return;
    }
    arena->region.next = reinterpret_cast<Region*>(g_state.spareArenas[arenaClass]);
    g_state.spareArenas[arenaClass] = arena;
    ++g_state.spareCounts[arenaClass];
    ASAN_POISON_MEMORY_REGION(ArenaPayload(arena), ArenaPayloadSize(arena));
}

// Hands over the tree parsed from `length` bytes: `root` and the `blocks` nodes and child
// arrays in [root, nodesEnd) and before `arraysEnd`.
inline void CommitArena(Arena* arena, uint32_t length, TlvNode* root, TlvNode* nodesEnd,
                        uint8_t* arraysEnd, uint32_t blocks) {
    uint8_t* arrays = ArenaArrays(arena, length);
    uint8_t* end = reinterpret_cast<uint8_t*>(arena) + ArenaCapacity(arena->region.sizeClass);
    ASAN_POISON_MEMORY_REGION(nodesEnd, arrays - reinterpret_cast<uint8_t*>(nodesEnd));
    ASAN_POISON_MEMORY_REGION(arraysEnd, end - arraysEnd);
    arena->root = root;
    arena->nodesEnd = nodesEnd;
    arena->liveBlocks = blocks;
    g_state.liveBlocks += blocks;
}

// Marks the tree of the arena holding `block` as edited; blocks outside arenas are left alone.
inline void NoteEdit(const void* block) {
    if (Arena* arena = ArenaOf(block)) {
        arena->edited = true;
    }
}

// Releases a parsed tree at once when `root` is its arena's unedited root; false otherwise.
inline bool ReleaseParsedTree(TlvNode* root) {
    Arena* arena = ArenaOf(root);
    if (arena == nullptr || arena->edited || arena->root != root) {
        return false;
    }
    g_state.liveBlocks -= arena->liveBlocks;
    RecycleArena(arena);
    return true;
}

// Frees an arena block on its own; `knownBytes` of it (as many as the caller can vouch for)
// are poisoned for the address sanitizer.
inline void FreeArenaBlock(Arena* arena, void* block, size_t knownBytes) {
    ASAN_POISON_MEMORY_REGION(block, knownBytes);
    arena->edited = true;
    --g_state.liveBlocks;
    if (--arena->liveBlocks == 0) {
        RecycleArena(arena);
    }
}

// Frees a block of any kind; `knownBytes` as for FreeArenaBlock.
inline void Free(void* block, size_t knownBytes) {
    if (block == nullptr) {
        return;
    }
    Region* region = RegionOf(block);
    if (region->kind == kArenaRegion) {
        FreeArenaBlock(reinterpret_cast<Arena*>(region), block, knownBytes);
        return;
    }
    uint8_t* chunk = ChunkOf(block);
    const Header header = ReadHeader(chunk);
    --g_state.liveBlocks;
    if (region->kind == kLargeRegion) {
        ReleaseLargeChunk(chunk);
        return;
    }
    ASAN_POISON_MEMORY_REGION(chunk, ChunkSize(header.sizeClass));
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(FreeChunk));
    FreeChunk* free = reinterpret_cast<FreeChunk*>(chunk);
    free->next = g_state.freeLists[header.sizeClass];
    g_state.freeLists[header.sizeClass] = free;
    ASAN_POISON_MEMORY_REGION(chunk, sizeof(FreeChunk));
}

// Resizes a block, keeping its first min(old, new) bytes. A slab block grows in place within its
// class's capacity; other blocks move to a chunk of their new size. An arena block records no
// size: the caller gives it as `arenaBytes`. Null (block untouched) when memory runs out.
inline void* Resize(void* block, size_t arenaBytes, size_t size) {
    if (InjectedFailure()) {
        return nullptr;
    }
    if (block == nullptr) {
        return Take(size);
    }
    size_t keep = arenaBytes;
    Region* region = RegionOf(block);
    if (region->kind != kArenaRegion) {
        uint8_t* chunk = ChunkOf(block);
        const Header header = ReadHeader(chunk);
        if (region->kind == kSlabRegion && size <= Capacity(header.sizeClass)) {
            if (size < header.size) {
                ASAN_POISON_MEMORY_REGION(static_cast<uint8_t*>(block) + size, header.size - size);
            } else {
                ASAN_UNPOISON_MEMORY_REGION(block, size);
            }
            WriteHeader(chunk, size, header.sizeClass);
            return block;
        }
        keep = header.size;
    }
    void* moved = Take(size);
    if (moved == nullptr) {
        return nullptr;
    }
    memcpy(moved, block, keep < size ? keep : size);
    Free(block, keep);
    return moved;
}

}  // namespace tlvpool

#endif
