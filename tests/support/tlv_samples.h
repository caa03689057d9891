// Valid BER-TLV records shared by the tests, the benchmark and the fuzzer's seed corpus.
#ifndef QUORVEL_TESTS_TLV_SAMPLES_H
#define QUORVEL_TESTS_TLV_SAMPLES_H

#include <stdint.h>

#include <string>
#include <vector>

struct TlvSample {
    std::string name;
    std::vector<uint8_t> bytes;
    // Padding stands where the placement rule forbids it: only TlvParseEx with the check off
    // accepts the record.
    bool misplacedPadding;
};

std::vector<uint8_t> HexBytes(const std::string& hex);
std::string BytesHex(const std::vector<uint8_t>& bytes);

// Realistic card responses (FCI, GPO, READ RECORD, GENERATE AC) and the largest legal element.
const std::vector<TlvSample>& EmvRecords();
// EmvRecords plus small records that exercise every byte rule of the format.
const std::vector<TlvSample>& ValidSamples();

#endif
