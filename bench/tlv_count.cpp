// Fixed passes of the tlv_bench workloads, for repeatable instruction counts on a busy machine:
//   valgrind --tool=callgrind --toggle-collect='CountedPasses*' tlv_count core corpus 1000
// counts only the measured passes, after as many warm-up passes that fill the allocator's
// caches. Workers: core (parse + encode + free), walk (the OpenSSL reference) or ber (the general
// reader's walk); workloads: corpus or largest.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "bench/asn1_reference_walk.h"
#include "bench/ber_reader_walk.h"
#include "core/tlv.h"
#include "support/tlv_samples.h"

namespace {

uint32_t ParseEncodeFree(const std::vector<TlvSample>& records) {
    uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
    uint32_t total = 0;
    for (const TlvSample& record : records) {
        TlvNode* root = nullptr;
        uint32_t constructed = 0;
        TlvParse(record.bytes.data(), static_cast<uint16_t>(record.bytes.size()), &root,
                 &constructed);
        uint16_t length = 0;
        TlvEncode(encoded, root, &length, 0);
        total += length;
        TlvFree(root);
    }
    return total;
}

uint32_t Walk(const std::vector<TlvSample>& records) {
    uint32_t total = 0;
    for (const TlvSample& record : records) {
        Asn1NodeArray nodes;
        if (Asn1BuildNodes(record.bytes.data(), record.bytes.size(), &nodes)) {
            total += static_cast<uint32_t>(nodes.count);
        }
    }
    return total;
}

uint32_t BerWalk(const std::vector<TlvSample>& records) {
    uint32_t total = 0;
    for (const TlvSample& record : records) {
        BerNodeArray nodes;
        if (BerBuildNodes(record.bytes.data(), record.bytes.size(), &nodes)) {
            total += static_cast<uint32_t>(nodes.count);
        }
    }
    return total;
}

using Worker = uint32_t (*)(const std::vector<TlvSample>&);

__attribute__((noinline)) uint32_t CountedPasses(Worker worker,
                                                 const std::vector<TlvSample>& records,
                                                 long passes) {
    uint32_t total = 0;
    for (long i = 0; i < passes; ++i) {
        total += worker(records);
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    const long passes = argc == 4 ? atol(argv[3]) : 0;
    Worker worker = nullptr;
    if (argc == 4) {
        worker = strcmp(argv[1], "core") == 0   ? ParseEncodeFree
                 : strcmp(argv[1], "walk") == 0 ? Walk
                 : strcmp(argv[1], "ber") == 0  ? BerWalk
                                                : nullptr;
    }
    if (passes <= 0 || worker == nullptr ||
        (strcmp(argv[2], "corpus") != 0 && strcmp(argv[2], "largest") != 0)) {
        fprintf(stderr, "usage: tlv_count core|walk|ber corpus|largest PASSES\n");
        return 2;
    }
    std::vector<TlvSample> records = EmvRecords();
    if (strcmp(argv[2], "largest") == 0) {
        records.erase(records.begin(), records.end() - 1);
    }
    uint32_t total = 0;
    for (long i = 0; i < passes; ++i) {
        total += worker(records);
    }
    total += CountedPasses(worker, records, passes);
    printf("%u\n", total);
    return 0;
}
