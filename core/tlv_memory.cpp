#include "core/tlv_memory.h"

#include <stdlib.h>
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

namespace {

// Every block is preceded by a header that records its size class and requested size. Chunk
// sizes include the header; blocks larger than the biggest class go straight to the heap.
struct BlockHeader {
    uint32_t size;
    uint32_t sizeClass;
};

const size_t kHeaderSize = 16;  // keeps payloads 16-byte aligned
static_assert(sizeof(BlockHeader) <= kHeaderSize, "header must fit its slot");
const size_t kChunkSizes[] = {32, 64, 128, 256, 512};
const uint32_t kClassCount = sizeof(kChunkSizes) / sizeof(kChunkSizes[0]);
const uint32_t kHeapClass = kClassCount;
const size_t kSlabSize = 16384;

struct FreeChunk {
    FreeChunk* next;
};

// Slabs are chained so that they stay reachable for leak checkers; they live as long as the
// process and only their chunks are recycled.
struct Slab {
    Slab* next;
};

FreeChunk* g_freeLists[kClassCount];
Slab* g_slabs;
size_t g_liveBlocks;
uint32_t g_failCountdown;

bool InjectedFailure() {
    if (g_failCountdown == 0) {
        return false;
    }
    return --g_failCountdown == 0;
}

uint32_t ClassFor(size_t size) {
    for (uint32_t c = 0; c < kClassCount; ++c) {
        if (size + kHeaderSize <= kChunkSizes[c]) {
            return c;
        }
    }
    return kHeapClass;
}

size_t CapacityOf(uint32_t sizeClass) {
    return kChunkSizes[sizeClass] - kHeaderSize;
}

bool RefillClass(uint32_t sizeClass) {
    uint8_t* raw = static_cast<uint8_t*>(malloc(kSlabSize));
    if (raw == nullptr) {
        return false;
    }
    Slab* slab = reinterpret_cast<Slab*>(raw);
    slab->next = g_slabs;
    g_slabs = slab;
    const size_t chunk = kChunkSizes[sizeClass];
    for (size_t offset = kHeaderSize; offset + chunk <= kSlabSize; offset += chunk) {
        FreeChunk* free = reinterpret_cast<FreeChunk*>(raw + offset);
        free->next = g_freeLists[sizeClass];
        g_freeLists[sizeClass] = free;
    }
    ASAN_POISON_MEMORY_REGION(raw + kHeaderSize, kSlabSize - kHeaderSize);
    return true;
}

uint8_t* TakeChunk(uint32_t sizeClass) {
    if (g_freeLists[sizeClass] == nullptr && !RefillClass(sizeClass)) {
        return nullptr;
    }
    FreeChunk* chunk = g_freeLists[sizeClass];
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(FreeChunk));
    g_freeLists[sizeClass] = chunk->next;
    return reinterpret_cast<uint8_t*>(chunk);
}

void ReturnChunk(uint8_t* chunk, uint32_t sizeClass) {
    ASAN_POISON_MEMORY_REGION(chunk, kChunkSizes[sizeClass]);
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(FreeChunk));
    FreeChunk* free = reinterpret_cast<FreeChunk*>(chunk);
    free->next = g_freeLists[sizeClass];
    g_freeLists[sizeClass] = free;
    ASAN_POISON_MEMORY_REGION(chunk, sizeof(FreeChunk));
}

// The header is poisoned while the block is in use, so that a stray write just before the
// payload is caught by the address sanitizer; only these two functions touch it.
BlockHeader ReadHeader(uint8_t* chunk) {
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(BlockHeader));
    BlockHeader header;
    memcpy(&header, chunk, sizeof header);
    ASAN_POISON_MEMORY_REGION(chunk, sizeof(BlockHeader));
    return header;
}

void WriteHeader(uint8_t* chunk, uint32_t size, uint32_t sizeClass) {
    BlockHeader header = {size, sizeClass};
    ASAN_UNPOISON_MEMORY_REGION(chunk, sizeof(BlockHeader));
    memcpy(chunk, &header, sizeof header);
    ASAN_POISON_MEMORY_REGION(chunk, kHeaderSize);
}

uint8_t* ChunkOf(void* block) {
    return static_cast<uint8_t*>(block) - kHeaderSize;
}

void* NewBlock(size_t size) {
    const uint32_t sizeClass = ClassFor(size);
    uint8_t* chunk = sizeClass == kHeapClass ? static_cast<uint8_t*>(malloc(kHeaderSize + size))
                                             : TakeChunk(sizeClass);
    if (chunk == nullptr) {
        return nullptr;
    }
    WriteHeader(chunk, static_cast<uint32_t>(size), sizeClass);
    ASAN_UNPOISON_MEMORY_REGION(chunk + kHeaderSize, size);
    ++g_liveBlocks;
    return chunk + kHeaderSize;
}

}  // namespace

void* TlvMemAlloc(size_t size) {
    if (size > UINT32_MAX || InjectedFailure()) {
        return nullptr;
    }
    return NewBlock(size);
}

void* TlvMemRealloc(void* block, size_t size) {
    if (block == nullptr) {
        return TlvMemAlloc(size);
    }
    if (size > UINT32_MAX || InjectedFailure()) {
        return nullptr;
    }
    uint8_t* chunk = ChunkOf(block);
    const BlockHeader header = ReadHeader(chunk);
    if (header.sizeClass != kHeapClass && size <= CapacityOf(header.sizeClass)) {
        ASAN_POISON_MEMORY_REGION(block, CapacityOf(header.sizeClass));
        ASAN_UNPOISON_MEMORY_REGION(block, size);
        WriteHeader(chunk, static_cast<uint32_t>(size), header.sizeClass);
        return block;
    }
    void* grown = NewBlock(size);
    if (grown == nullptr) {
        return nullptr;
    }
    memcpy(grown, block, header.size < size ? header.size : size);
    TlvMemFree(block);
    return grown;
}

void TlvMemFree(void* block) {
    if (block == nullptr) {
        return;
    }
    uint8_t* chunk = ChunkOf(block);
    const BlockHeader header = ReadHeader(chunk);
    --g_liveBlocks;
    if (header.sizeClass == kHeapClass) {
        ASAN_UNPOISON_MEMORY_REGION(chunk, kHeaderSize);
        free(chunk);
        return;
    }
    ReturnChunk(chunk, header.sizeClass);
}

size_t TlvMemLiveBlocks(void) {
    return g_liveBlocks;
}

void TlvMemFailAt(uint32_t n) {
    g_failCountdown = n;
}
