// Reads one record with the strict parser or the general reader, and says what is wrong with
// one that cannot be read.
#ifndef QUORVEL_CLI_RECORD_READING_H
#define QUORVEL_CLI_RECORD_READING_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "core/tlv.h"

struct ReadOptions {
    // The general reader instead of the strict parser.
    bool general = false;
    // A sequence of top-level elements (general reader only).
    bool list = false;
    bool checkPadding = true;
};

// The most bytes a record may hold: one element of the strict format, or 64 MiB.
size_t RecordByteLimit(const ReadOptions& options);

extern const char kBadFormatMessage[];  // "Bad formatted BER-TLV data !"

struct RecordError {
    // The editor's message, and the paragraph shown under it outside --each ("" for none).
    std::string message;
    std::string detail;
    // Where the reading failed and why, when known.
    bool located = false;
    uint32_t offset = 0;
    std::string problem;
};

// A record that could be read: its checked bytes, which stay the caller's, and for the strict
// parser also its tree, owned here.
struct Record {
    Record() = default;
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    ~Record() { TlvFree(root); }

    TlvNode* root = nullptr;
    const uint8_t* bytes = nullptr;
    uint32_t size = 0;
};

// False with `error` filled when the bytes hold no data or cannot be read. `tooLong` says that
// the input held more than RecordByteLimit bytes.
bool ReadRecord(const std::vector<uint8_t>& bytes, bool tooLong, const ReadOptions& options,
                Record* record, RecordError* error);

#endif
