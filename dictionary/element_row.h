// Cell texts of the data element grid, one row per element. Qt-free, so that the grid and the
// command-line tool show exactly the same texts, whichever reader produced the element.
#ifndef QUORVEL_DICTIONARY_ELEMENT_ROW_H
#define QUORVEL_DICTIONARY_ELEMENT_ROW_H

#include <stdint.h>

#include <string>

#include "core/ber_reader.h"
#include "core/tlv.h"

enum ElementColumn {
    ELEMENT_COLUMN_NAME = 0,
    ELEMENT_COLUMN_TAG = 1,
    ELEMENT_COLUMN_LENGTH_IN = 2,
    ELEMENT_COLUMN_LENGTH = 3,
    ELEMENT_COLUMN_VALUE = 4,
    ELEMENT_COLUMN_VALUE_LENGTH = 5,
    ELEMENT_COLUMN_TLV = 6,
    ELEMENT_COLUMN_COUNT = 7,
};

// Pictures of the grid's image strip used by the rows.
enum ElementImage {
    ELEMENT_IMAGE_CONSTRUCTED = 1,
    ELEMENT_IMAGE_PRIMITIVE = 3,
    ELEMENT_IMAGE_PADDING = 5,
};

extern const char* const kElementColumnTitles[ELEMENT_COLUMN_COUNT];
extern const char* const kLengthInOptions[2];  // "1 byte", "2 bytes"

struct ElementRow {
    uint8_t kind;  // TLV_KIND_*
    int image;
    std::string cells[ELEMENT_COLUMN_COUNT];
};

// One element as the row builders see it: its kind and the byte ranges of its tag, length
// field, value (for a template, the encoding of its children) and whole encoding. A range that
// could not be produced is null. `statedLength` is the length the length field states; it
// differs from `valueLength` only in an edited tree whose template length was left behind.
struct ElementParts {
    uint8_t kind;
    const uint8_t* tag;
    uint32_t tagLength;
    const uint8_t* lengthField;
    uint32_t lengthSize;
    const uint8_t* value;
    uint32_t valueLength;
    uint32_t statedLength;
    const uint8_t* encoded;
    uint32_t encodedLength;
};

// The parts of a tree node, with room for the encodings the node does not hold as they are.
struct NodeParts {
    ElementParts parts;
    uint8_t content[TLV_ENCODE_BUFFER_SIZE];
    uint8_t encoded[TLV_ENCODE_BUFFER_SIZE];
};

// False for a null node. A value or encoding the encoder refuses is left null; an empty value
// is not.
bool GetNodeParts(const TlvNode* node, NodeParts* parts);

// The parts of an element of the general reader, all within the reader's input.
ElementParts GetBerElementParts(const BerElement& element);

// Bytes as upper-case hexadecimal pairs, as every cell shows them.
std::string HexString(const uint8_t* bytes, uint32_t count);

// "1 byte" for a one-byte length field, "N bytes" for longer ones.
std::string LengthInText(uint32_t lengthSize);

// Fills the row of one element, reusing the row's strings. False when its value or encoding is
// missing (null).
bool BuildElementRow(const ElementParts& parts, ElementRow* row);

// Fills the row of one node. False when the node's parts cannot be read or encoded or its
// length field has a size other than 0, 1 or 2: such a node gets no row.
bool BuildElementRow(const TlvNode* node, ElementRow* row);

#endif
