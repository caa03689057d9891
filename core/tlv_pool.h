// Inline fast path of the TLV allocator, for the core's own hot loops. Everything else uses the
// functions of tlv_memory.h, which share this state.
//
// Two sources of blocks share one header format:
// - size classes: chunks of 32 << c bytes (header included) on per-class free lists, carved out
//   of slabs; blocks too large for any class come straight from the heap;
// - arenas: a parse bump-allocates all its blocks from 4 KiB arenas. Each block counts as a
//   reference to its arena, which is recycled once the last of them is freed, so single nodes
//   can still be freed and replaced one by one when the tree is edited.
#ifndef QUORVEL_CORE_TLV_POOL_H
#define QUORVEL_CORE_TLV_POOL_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

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

struct Arena {
    uint8_t* top;
    uint8_t* end;
    // One per live block, plus one while a parse is still allocating from the arena.
    uint32_t references;
};

struct Header {
    uint32_t size;
    uint32_t sizeClass;
    Arena* arena;  // arena blocks only
};
struct FreeChunk {
    FreeChunk* next;
};

const size_t kHeaderSize = 16;  // keeps payloads 16-byte aligned
static_assert(sizeof(Header) == kHeaderSize, "header must fill its slot");
const uint32_t kClassCount = 8;
const uint32_t kHeapClass = kClassCount;
const uint32_t kArenaClass = kClassCount + 1;

struct State {
    FreeChunk* freeLists[kClassCount];
    size_t liveBlocks;
    uint32_t failCountdown;
};
extern State g_state;

// Slow paths, out of line: a chunk of the class from a new slab (or a heap block for
// kHeapClass); an arena with room for at least `bytes`; giving an unused arena back.
uint8_t* NewChunk(uint32_t sizeClass, size_t size);
void ReleaseHeapChunk(uint8_t* chunk);
Arena* OpenArena(size_t bytes);
void RecycleArena(Arena* arena);

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

// The header stays poisoned while a block is in use, so that a stray write just before the
// payload is caught by the address sanitizer.
inline Header ReadHeader(uint8_t* chunk) {
    ASAN_UNPOISON_MEMORY_REGION(chunk, kHeaderSize);
    Header header;
    memcpy(&header, chunk, sizeof header);
    ASAN_POISON_MEMORY_REGION(chunk, kHeaderSize);
    return header;
}

inline void WriteHeader(uint8_t* chunk, size_t size, uint32_t sizeClass, Arena* arena) {
    const Header header = {static_cast<uint32_t>(size), sizeClass, arena};
    ASAN_UNPOISON_MEMORY_REGION(chunk, kHeaderSize);
    memcpy(chunk, &header, sizeof header);
    ASAN_POISON_MEMORY_REGION(chunk, kHeaderSize);
}

inline uint8_t* ChunkOf(void* block) {
    return static_cast<uint8_t*>(block) - kHeaderSize;
}

inline void* Handout(uint8_t* chunk, size_t size, uint32_t sizeClass, Arena* arena) {
    WriteHeader(chunk, size, sizeClass, arena);
    ASAN_UNPOISON_MEMORY_REGION(chunk + kHeaderSize, size);
    ++g_state.liveBlocks;
    return chunk + kHeaderSize;
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
    return Handout(chunk, size, sizeClass, nullptr);
}

inline void* Alloc(size_t size) {
    return InjectedFailure() ? nullptr : Take(size);
}

// Bump-allocates from `*arena`, opening a fresh arena when it is missing or full; the caller
// holds one reference to the arena in `*arena` and drops it with ReleaseArena when done.
inline void* ArenaAlloc(Arena** arena, size_t size) {
    if (InjectedFailure() || size > UINT32_MAX) {
        return nullptr;
    }
    const size_t total = kHeaderSize + ((size + 15) & ~size_t(15));
    Arena* current = *arena;
    if (current == nullptr || static_cast<size_t>(current->end - current->top) < total) {
        Arena* fresh = OpenArena(total);
        if (fresh == nullptr) {
            return nullptr;
        }
        if (current != nullptr && --current->references == 0) {
            RecycleArena(current);
        }
        *arena = current = fresh;
    }
    uint8_t* chunk = current->top;
    current->top += total;
    ++current->references;
    return Handout(chunk, size, kArenaClass, current);
}

inline void ReleaseArena(Arena* arena) {
    if (arena != nullptr && --arena->references == 0) {
        RecycleArena(arena);
    }
}

inline void Free(void* block) {
    if (block == nullptr) {
        return;
    }
    uint8_t* chunk = ChunkOf(block);
    const Header header = ReadHeader(chunk);
    --g_state.liveBlocks;
    if (header.sizeClass == kArenaClass) {
        ASAN_POISON_MEMORY_REGION(block, header.size);
        ReleaseArena(header.arena);
        return;
    }
    if (header.sizeClass == kHeapClass) {
        ReleaseHeapChunk(chunk);
        return;
    }
    ASAN_POISON_MEMORY_REGION(chunk, ChunkSize(header.sizeClass));
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(FreeChunk));
    FreeChunk* free = reinterpret_cast<FreeChunk*>(chunk);
    free->next = g_state.freeLists[header.sizeClass];
    g_state.freeLists[header.sizeClass] = free;
    ASAN_POISON_MEMORY_REGION(chunk, sizeof(FreeChunk));
}

// Resizes in place when the block's room allows (a class chunk's capacity, or shrinking an
// arena block), else moves it to a class chunk; null (block untouched) when memory runs out.
inline void* Realloc(void* block, size_t size) {
    if (InjectedFailure()) {
        return nullptr;
    }
    if (block == nullptr) {
        return Take(size);
    }
    uint8_t* chunk = ChunkOf(block);
    const Header header = ReadHeader(chunk);
    const bool fits = header.sizeClass == kArenaClass  ? size <= header.size
                      : header.sizeClass == kHeapClass ? false
                                                       : size <= Capacity(header.sizeClass);
    if (fits) {
        if (size < header.size) {
            ASAN_POISON_MEMORY_REGION(static_cast<uint8_t*>(block) + size, header.size - size);
        } else {
            ASAN_UNPOISON_MEMORY_REGION(block, size);
        }
        WriteHeader(chunk, size, header.sizeClass, header.arena);
        return block;
    }
    void* moved = Take(size);
    if (moved == nullptr) {
        return nullptr;
    }
    memcpy(moved, block, header.size < size ? header.size : size);
    Free(block);
    return moved;
}

}  // namespace tlvpool

#endif
