// The general BER-TLV reader, beside the strict parser of tlv.h: tags of 1 to 4 bytes, definite
// lengths in short form or 81 to 84 followed by 1 to 4 bytes, values of any length the input
// holds, and a sequence of top-level elements.
//
// It reads in place: a cursor walks the caller's bytes and hands out each element as offsets
// and sizes into them, without allocating. Every length is checked against what remains before
// a byte behind it is touched. Problems are reported with the offset of the element at fault.
#ifndef QUORVEL_CORE_BER_READER_H
#define QUORVEL_CORE_BER_READER_H

#include <stdint.h>

#include "core/tlv.h"

enum {
    BER_MAX_TAG_LENGTH = 4,
    // The first length byte and up to four length bytes behind it.
    BER_MAX_LENGTH_SIZE = 5,
    // Templates nested deeper than this are refused, so that every walk over a checked input
    // can recurse safely.
    BER_MAX_DEPTH = 256,
};

// Reading rules of a cursor.
enum {
    // Tags, lengths and padding as BER allows them.
    BER_RULES_GENERAL = 0,
    // The editor's reading: a tag whose first byte ends in 1F has exactly two bytes, whatever
    // the second one holds, and only the short length form and 81 are read.
    BER_RULES_STRICT = 1,
};

// What is wrong with an input.
typedef uint8_t BerProblem;
enum {
    BER_PROBLEM_NONE = 0,
    BER_PROBLEM_TRUNCATED_TAG,
    BER_PROBLEM_TAG_TOO_LONG,
    BER_PROBLEM_TRUNCATED_LENGTH,
    BER_PROBLEM_INDEFINITE_LENGTH,
    // 85 to FF as first length byte.
    BER_PROBLEM_RESERVED_LENGTH,
    BER_PROBLEM_TRUNCATED_VALUE,
    // An element reaches past the end of the template that holds it: the template's children
    // do not end exactly at its end.
    BER_PROBLEM_CHILD_OVERRUN,
    BER_PROBLEM_TRAILING_BYTES,
    // Padding where one element was to start.
    BER_PROBLEM_PADDING_OUTSIDE,
    BER_PROBLEM_MISPLACED_PADDING,
    BER_PROBLEM_TOO_DEEP,
    // 82 to 84 under the strict rules, which read lengths up to 81 FF.
    BER_PROBLEM_LONG_LENGTH,
};

// Things read that are allowed but worth telling.
enum {
    // 81 05, 82 00 05: the length is read as it stands, never normalised.
    BER_WARNING_NON_MINIMAL_LENGTH = 0x01,
    // A padding run next to no primitive element of the same value.
    BER_WARNING_MISPLACED_PADDING = 0x02,
};

struct BerDiagnostic {
    BerProblem problem;
    // Offset in the input of the element at fault (for trailing bytes, of the first of them).
    uint32_t offset;
};

// One element or padding run, as offsets into the cursor's input. Its tag starts at `start`,
// its length field follows the tag, its value the length field.
struct BerElement {
    const uint8_t* start;
    uint32_t offset;
    // Value bytes; for a padding run the number of its bytes.
    uint32_t valueLength;
    // Both 0 for a padding run.
    uint8_t tagLength;
    uint8_t lengthSize;
    uint8_t kind;  // TLV_KIND_*
    uint8_t warnings;
};

struct BerCursor {
    // Start of the whole input, from which offsets count.
    const uint8_t* base;
    const uint8_t* pos;
    const uint8_t* end;
    uint8_t rules;
    // Nonzero inside a template, where running past the end is an overrun, not a truncation.
    uint8_t nested;
    // Kind of the element read last, 0 before the first.
    uint8_t previousKind;
};

inline const uint8_t* BerValueOf(const BerElement* element) {
    return element->start + element->tagLength + element->lengthSize;
}

inline uint32_t BerSizeOf(const BerElement* element) {
    return static_cast<uint32_t>(element->tagLength) + element->lengthSize + element->valueLength;
}

// A cursor over `length` bytes at `input` (null only with length 0).
void BerCursorInit(BerCursor* cursor, const uint8_t* input, uint32_t length, uint8_t rules);

// A cursor over the value of a template read by `outer`.
void BerCursorEnter(const BerCursor* outer, const BerElement* element, BerCursor* inner);

// Reads the element at the cursor and moves past it. TLV_OK with the element;
// TLV_ERR_NOT_FOUND at the end of the cursor's bytes; TLV_ERR_FORMAT with the problem in
// `diagnostic` (optional), the cursor then staying where it was.
TlvResult BerReadNext(BerCursor* cursor, BerElement* element, BerDiagnostic* diagnostic);

// How BerCheck reads an input.
enum {
    // A sequence of top-level elements, with padding between them; otherwise exactly one
    // element and nothing else.
    BER_CHECK_SEQUENCE = 0x01,
    // Misplaced padding inside a template is a problem rather than a warning.
    BER_CHECK_PADDING_RULE = 0x02,
};

// Walks the whole input, every template's value included, under `rules`. TLV_OK when
// everything reads and ends exactly where it should, with the number of top-level elements
// and padding runs in `topCount` (optional); otherwise TLV_ERR_FORMAT and the first problem
// met in reading order. Allocates nothing.
TlvResult BerCheck(const uint8_t* input, uint32_t length, uint8_t rules, uint8_t flags,
                   BerDiagnostic* diagnostic, uint32_t* topCount);

// Where and why TlvParse or TlvParseEx refused `input` with `parseResult`, found by BerCheck
// under the strict rules. False when they find nothing wrong (the parser ran out of memory).
bool BerExplainParseFailure(const uint8_t* input, uint32_t length, TlvResult parseResult,
                            BerDiagnostic* diagnostic);

// Bytes of the tag at `bytes` under the general rules (1 to 4), or 0 when it runs past
// `available` bytes (`tooLong` false) or past 4 bytes (`tooLong` true).
uint32_t BerTagSize(const uint8_t* bytes, uint32_t available, bool* tooLong);

// A short English phrase for a problem ("truncated value"), or for a warning bit.
const char* BerProblemText(BerProblem problem);
const char* BerWarningText(uint8_t warning);

// Writes the length field that states `valueLength` in `lengthSize` bytes (1: short form, 2 to
// 5: 81 to 84 and the length in big-endian order) into `out`. Returns the bytes written, 0 when
// the length does not fit that size.
uint32_t BerWriteLengthField(uint32_t valueLength, uint8_t lengthSize, uint8_t* out);

#endif
