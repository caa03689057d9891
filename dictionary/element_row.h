// Cell texts of the data element grid, one row per node. Qt-free, so that the grid and the
// command-line tool show exactly the same texts.
#ifndef QUORVEL_DICTIONARY_ELEMENT_ROW_H
#define QUORVEL_DICTIONARY_ELEMENT_ROW_H

#include <stdint.h>

#include <string>

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

// Bytes as upper-case hexadecimal pairs, as every cell shows them.
std::string HexString(const uint8_t* bytes, uint32_t count);

// Fills the row of one node. False when the node's parts cannot be read or encoded or its
// length field has a size other than 0, 1 or 2: such a node gets no row.
bool BuildElementRow(const TlvNode* node, ElementRow* row);

#endif
