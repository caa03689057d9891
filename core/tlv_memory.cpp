#include "core/tlv_memory.h"

#include <stdlib.h>

#include "core/tlv_pool.h"

namespace tlvpool {

State g_state;

namespace {

// Slabs live as long as the process and only their chunks are recycled; they are chained so
// that they stay reachable for leak checkers.
Region* g_slabs;

Region* NewRegion(size_t bytes, RegionKind kind, uint32_t sizeClass) {
    void* memory = nullptr;
    if (posix_memalign(&memory, kRegionSize, bytes) != 0) {
        return nullptr;
    }
    Region* region = static_cast<Region*>(memory);
    region->kind = kind;
    region->sizeClass = sizeClass;
    region->next = nullptr;
    return region;
}

}  // namespace

uint8_t* NewChunk(uint32_t sizeClass, size_t size) {
    if (sizeClass == kHeapClass) {
        Region* region =
            NewRegion(kRegionHeaderSize + kHeaderSize + size, kLargeRegion, kHeapClass);
        return region != nullptr ? reinterpret_cast<uint8_t*>(region) + kRegionHeaderSize : nullptr;
    }
    Region* slab = NewRegion(kRegionSize, kSlabRegion, sizeClass);
    if (slab == nullptr) {
        return nullptr;
    }
    slab->next = g_slabs;
    g_slabs = slab;
    // The first chunk is handed out, the others go to the free list.
    uint8_t* first = reinterpret_cast<uint8_t*>(slab) + kRegionHeaderSize;
    const size_t chunk = ChunkSize(sizeClass);
    for (size_t i = (kRegionSize - kRegionHeaderSize) / chunk - 1; i > 0; --i) {
        FreeChunk* free = reinterpret_cast<FreeChunk*>(first + i * chunk);
        free->next = g_state.freeLists[sizeClass];
        g_state.freeLists[sizeClass] = free;
    }
    ASAN_POISON_MEMORY_REGION(first, kRegionSize - kRegionHeaderSize);
    return first;
}

void ReleaseLargeChunk(uint8_t* chunk) {
    ASAN_UNPOISON_MEMORY_REGION(chunk, kHeaderSize);
    free(chunk - kRegionHeaderSize);
}

Arena* NewArena(uint32_t arenaClass) {
    if (g_state.arenaCount == g_state.arenaCapacity) {
        const uint32_t capacity = g_state.arenaCapacity > 0 ? 2 * g_state.arenaCapacity : 16;
        void* grown = realloc(g_state.arenas, capacity * sizeof(uintptr_t));
        if (grown == nullptr) {
            return nullptr;
        }
        g_state.arenas = static_cast<uintptr_t*>(grown);
        g_state.arenaCapacity = capacity;
    }
    Region* region = NewRegion(ArenaCapacity(arenaClass), kArenaRegion, arenaClass);
    if (region == nullptr) {
        return nullptr;
    }
    const uintptr_t address = reinterpret_cast<uintptr_t>(region);
    uint32_t at = g_state.arenaCount;
    for (; at > 0 && g_state.arenas[at - 1] > address; --at) {
        g_state.arenas[at] = g_state.arenas[at - 1];
    }
    g_state.arenas[at] = address;
    ++g_state.arenaCount;
    return reinterpret_cast<Arena*>(region);
}

void ReleaseArenaRegion(Arena* arena) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(arena);
    uint32_t at = 0;
    while (g_state.arenas[at] != address) {
        ++at;
    }
    for (--g_state.arenaCount; at < g_state.arenaCount; ++at) {
        g_state.arenas[at] = g_state.arenas[at + 1];
    }
    if (g_state.recentArena == address) {
        g_state.recentArena = 0;
    }
    ASAN_UNPOISON_MEMORY_REGION(ArenaPayload(arena), ArenaPayloadSize(arena));
    free(arena);
}

}  // namespace tlvpool

void* TlvMemAlloc(size_t size) {
    return tlvpool::Alloc(size);
}

void* TlvMemRealloc(void* block, size_t size) {
    if (block != nullptr && tlvpool::ArenaOf(block) != nullptr) {
        return nullptr;
    }
    return tlvpool::Resize(block, 0, size);
}

void TlvMemFree(void* block) {
    tlvpool::Free(block, 0);
}

size_t TlvMemLiveBlocks(void) {
    return tlvpool::g_state.liveBlocks;
}

void TlvMemFailAt(uint32_t n) {
    tlvpool::g_state.failCountdown = n;
}
