// Files of EMV records, one per line as hexadecimal text, for the bertlv throughput benchmark.
#ifndef QUORVEL_BENCH_RECORD_LINES_H
#define QUORVEL_BENCH_RECORD_LINES_H

#include <stddef.h>
#include <stdint.h>

#include <string>

struct RecordFileStats {
    size_t records;
    size_t bytes;      // of the records
    size_t textBytes;  // of the file
};

// Writes `count` records of 30 to 150 bytes to `path`: READ RECORD, GPO and GENERATE AC style
// templates (70, 77, some with a nested template) of typical EMV elements with random values,
// each a valid element for the editor's strict reading. The same seed gives the same file.
bool WriteRecordLines(const std::string& path, size_t count, uint32_t seed, RecordFileStats* stats);

#endif
