// Shared pieces of the value decoders: row makers, digit and text helpers and the small
// table types the decoders interpret.
#ifndef QUORVEL_PANELS_DECODER_SUPPORT_H
#define QUORVEL_PANELS_DECODER_SUPPORT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "core/tlv.h"
#include "panels/analysis_rows.h"

// What a decoder reads: the value and the record it belongs to (for data elsewhere in it).
struct DecoderInput {
    const uint8_t* value;
    uint16_t length;
    ElementRecord record;
};

// A code, or an inclusive range of codes, and its meaning. "%d" in the text stands for the code.
struct CodeText {
    int from;
    int to;
    const char* text;
};

struct CodeTable {
    const CodeText* entries;
    int count;
    // The meaning of a code outside every entry.
    const char* otherText;
};

// One field of a bit layout: the bits of `mask` in value byte `byte` (1-based). Without
// `values`, a one-bit field is a flag named by `name` (a row only when set) and a wider field is
// a number; with `values`, the field's code is looked up. Bits of a byte no field covers are RFU.
struct BitField {
    uint8_t byte;
    uint8_t mask;
    const char* name;
    const CodeTable* values;
};

struct BitLayout {
    const BitField* fields;
    int count;
    int byteCount;
};

AnalysisRow DecodedRow(const std::string& contents, const std::string& data,
                       const std::string& description);
// The last row of a value that does not fit its layout: "Invalid: <reason>".
AnalysisRow InvalidRow(const std::string& data, const std::string& reason);

std::string HexText(const uint8_t* bytes, int count);
// "%d byte%s", "s" above one.
std::string ByteCountText(int count);
// The meaning of `code`, with "%d" replaced by the code.
std::string LookUpCode(const CodeTable& table, int code);
// Rows of a bit layout over the first layout.byteCount bytes of `value`.
void AddBitFieldRows(const BitLayout& layout, const uint8_t* value, std::vector<AnalysisRow>* rows);

bool AllDecimal(const std::string& digits);
// The decimal value of BCD `bytes`; false when a nibble is above 9.
bool BcdValue(const uint8_t* bytes, int count, long long* value);
// Bytes outside 20..7E (and the backslash) written as \xNN.
std::string EscapedText(const uint8_t* bytes, int count);

// The value of the first element with the two-byte tag `tag0 tag1` in the record, depth first
// (for a template, the encoding of its children).
bool FindInTree(const ElementRecord& record, uint8_t tag0, uint8_t tag1,
                std::vector<uint8_t>* value);

#endif
