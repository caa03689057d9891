#include "core/tlv_memory.h"

#include <stdlib.h>

#include "core/tlv_pool.h"

namespace tlvpool {

State g_state;

namespace {

const size_t kSlabSize = 65536;
const size_t kArenaSize = 4096;

// One standard-size arena is kept when its last block goes, since the next parse needs one.
Arena* g_spareArena;

const size_t kArenaOverhead = (sizeof(Arena) + 15) & ~size_t(15);

uint8_t* ArenaStart(Arena* arena) {
    return reinterpret_cast<uint8_t*>(arena) + kArenaOverhead;
}

// Slabs are chained so that they stay reachable for leak checkers; they live as long as the
// process and only their chunks are recycled.
struct Slab {
    Slab* next;
};
Slab* g_slabs;

}  // namespace

uint8_t* NewChunk(uint32_t sizeClass, size_t size) {
    if (sizeClass == kHeapClass) {
        return static_cast<uint8_t*>(malloc(kHeaderSize + size));
    }
    uint8_t* raw = static_cast<uint8_t*>(malloc(kSlabSize));
    if (raw == nullptr) {
        return nullptr;
    }
    Slab* slab = reinterpret_cast<Slab*>(raw);
    slab->next = g_slabs;
    g_slabs = slab;
    // The first chunk is handed out, the others go to the free list.
    const size_t chunk = ChunkSize(sizeClass);
    for (size_t offset = kSlabSize - chunk; offset >= kHeaderSize + chunk; offset -= chunk) {
        FreeChunk* free = reinterpret_cast<FreeChunk*>(raw + offset);
        free->next = g_state.freeLists[sizeClass];
        g_state.freeLists[sizeClass] = free;
    }
    ASAN_POISON_MEMORY_REGION(raw + kHeaderSize, kSlabSize - kHeaderSize);
    return raw + kHeaderSize;
}

Arena* OpenArena(size_t bytes) {
    Arena* arena = nullptr;
    const size_t size = bytes + kArenaOverhead > kArenaSize ? bytes + kArenaOverhead : kArenaSize;
    if (size == kArenaSize && g_spareArena != nullptr) {
        arena = g_spareArena;
        g_spareArena = nullptr;
    } else {
        arena = static_cast<Arena*>(malloc(size));
        if (arena == nullptr) {
            return nullptr;
        }
        arena->end = reinterpret_cast<uint8_t*>(arena) + size;
    }
    arena->top = ArenaStart(arena);
    arena->references = 1;
    ASAN_POISON_MEMORY_REGION(arena->top, arena->end - arena->top);
    return arena;
}

void RecycleArena(Arena* arena) {
    const bool standard = arena->end - reinterpret_cast<uint8_t*>(arena) == kArenaSize;
    if (standard && g_spareArena == nullptr) {
        g_spareArena = arena;
        return;
    }
    ASAN_UNPOISON_MEMORY_REGION(ArenaStart(arena), arena->end - ArenaStart(arena));
    free(arena);
}

void ReleaseHeapChunk(uint8_t* chunk) {
    ASAN_UNPOISON_MEMORY_REGION(chunk, kHeaderSize);
    free(chunk);
}

}  // namespace tlvpool

void* TlvMemAlloc(size_t size) {
    return tlvpool::Alloc(size);
}

void* TlvMemRealloc(void* block, size_t size) {
    return tlvpool::Realloc(block, size);
}

void TlvMemFree(void* block) {
    tlvpool::Free(block);
}

size_t TlvMemLiveBlocks(void) {
    return tlvpool::g_state.liveBlocks;
}

void TlvMemFailAt(uint32_t n) {
    tlvpool::g_state.failCountdown = n;
}
