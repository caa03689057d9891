// The built-in dictionary of 142 EMV data elements: lookups by tag and index, names, format and
// source texts, and the value store that fits a value to an element's length rule and checks
// it against the element's format.
#ifndef QUORVEL_DICTIONARY_DICTIONARY_H
#define QUORVEL_DICTIONARY_DICTIONARY_H

#include <stdint.h>

#include "core/tlv.h"

enum {
    DICT_ENTRY_COUNT = 142,

    // Format kind, bits 0xF8 of DataElementDef::format.
    FORMAT_KIND_MASK = 0xF8,
    FORMAT_N = 0x08,
    FORMAT_B = 0x10,
    FORMAT_AN = 0x18,
    FORMAT_CN = 0x20,
    FORMAT_ANS = 0x28,
    FORMAT_A = 0x30,
    FORMAT_VAR = 0x48,

    // Length rule, bits 0x06 of DataElementDef::format; 0x06 is no rule.
    FORMAT_RULE_MASK = 0x06,
    FORMAT_RULE_FIXED = 0x00,
    FORMAT_RULE_RANGE = 0x02,
    FORMAT_RULE_LIST = 0x04,

    // Bits of DataElementDef::source.
    SOURCE_TERMINAL = 0x01,
    SOURCE_ICC = 0x02,
    SOURCE_ISSUER = 0x04,
};

struct TemplateRef {
    uint8_t tag[2];
    uint8_t tagLength;
};

struct DataElementDef {
    uint32_t format;
    uint8_t source;
    uint8_t templateCount;
    TemplateRef templates[3];
    uint8_t tag[2];
    uint8_t tagLength;
    uint8_t lengthCount;
    // Fixed rule: the length, twice. Range: minimum and maximum. List: the allowed lengths.
    uint16_t lengths[5];
    // The value last stored by DictSetValue, followed by a zero byte; null when none.
    uint16_t valueLength;
    uint8_t* value;
    const char* name;
};

void DictInit(void);
DataElementDef* DictGetEntry(int index);
// "Not Defined" outside 0..141.
const char* DictGetName(int index);
// "" outside 0..141.
const char* DictGetDescription(int index);
TlvResult DictFindIndex(const uint8_t* tag, uint8_t tagLength, uint8_t* index);
DataElementDef* DictFindEntry(const uint8_t* tag, uint8_t tagLength, uint8_t* index);
// The entry's name; "Application Elementary File (AEF) Data Template" for the one-byte tag 70,
// which has no entry; otherwise "Not Defined".
const char* DictGetNameByTag(const uint8_t* tag, uint8_t tagLength);
TlvResult DictSetValue(DataElementDef* entry, const uint8_t* value, uint16_t length,
                       int refuseReplace);

// "Numeric", "Binary", ... by the format kind; "" for a format without a kind.
const char* DictFormatLongName(uint32_t format);
// "n", "b", ... by the format kind; "-" for a format without a kind.
const char* DictFormatShortName(uint32_t format);
// "Terminal", "ICC", "Issuer" or "Issuer/Terminal" by the whole source byte; "" otherwise.
const char* DictSourceText(uint8_t source);

#endif
