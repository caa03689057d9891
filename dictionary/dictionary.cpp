#include "dictionary/dictionary.h"

#include <string.h>

#include "dictionary/dictionary_table.h"

namespace {

DataElementDef* g_index[DICT_ENTRY_COUNT];
int g_entryCount;

bool TagMatches(const DataElementDef* entry, const uint8_t* tag, uint8_t tagLength) {
    return entry->tagLength == tagLength && memcmp(entry->tag, tag, tagLength) == 0;
}

}  // namespace

void DictInit(void) {
    if (g_entryCount != 0) {
        return;
    }
    for (int i = 0; i < DICT_ENTRY_COUNT; ++i) {
        g_index[i] = &g_dictionaryTable[i];
    }
    g_entryCount = DICT_ENTRY_COUNT;
}

DataElementDef* DictGetEntry(int index) {
    DictInit();
    return index >= 0 && index < g_entryCount ? g_index[index] : nullptr;
}

const char* DictGetName(int index) {
    const DataElementDef* entry = DictGetEntry(index);
    return entry != nullptr ? entry->name : "Not Defined";
}

const char* DictGetDescription(int index) {
    return index >= 0 && index < DICT_ENTRY_COUNT ? g_dictionaryDescriptions[index] : "";
}

DataElementDef* DictFindEntry(const uint8_t* tag, uint8_t tagLength, uint8_t* index) {
    DictInit();
    if (index != nullptr) {
        *index = 0;
    }
    if (tag == nullptr || tagLength > 2) {
        return nullptr;
    }
    for (int i = 0; i < g_entryCount; ++i) {
        if (TagMatches(g_index[i], tag, tagLength)) {
            if (index != nullptr) {
                *index = static_cast<uint8_t>(i);
            }
            return g_index[i];
        }
    }
    return nullptr;
}

TlvResult DictFindIndex(const uint8_t* tag, uint8_t tagLength, uint8_t* index) {
    if (tag == nullptr || index == nullptr) {
        return TLV_ERR_PARAM;
    }
    return DictFindEntry(tag, tagLength, index) != nullptr ? TLV_OK : DE_ERR_NOT_DEFINED;
}

const char* DictGetNameByTag(const uint8_t* tag, uint8_t tagLength) {
    const DataElementDef* entry = DictFindEntry(tag, tagLength, nullptr);
    if (entry != nullptr) {
        return entry->name;
    }
    if (tag != nullptr && tagLength == 1 && tag[0] == 0x70) {
        return "Application Elementary File (AEF) Data Template";
    }
    return "Not Defined";
}

const char* DictFormatLongName(uint32_t format) {
    switch (format & FORMAT_KIND_MASK) {
        case FORMAT_N:
            return "Numeric";
        case FORMAT_B:
            return "Binary";
        case FORMAT_AN:
            return "AlphaNumeric";
        case FORMAT_CN:
            return "CompressedNumeric";
        case FORMAT_ANS:
            return "AlphaNumericString";
        case FORMAT_A:
            return "Alphabetic";
        case FORMAT_VAR:
            return "Various";
        default:
            return "";
    }
}

const char* DictFormatShortName(uint32_t format) {
    switch (format & FORMAT_KIND_MASK) {
        case FORMAT_N:
            return "n";
        case FORMAT_B:
            return "b";
        case FORMAT_AN:
            return "an";
        case FORMAT_CN:
            return "cn";
        case FORMAT_ANS:
            return "ans";
        case FORMAT_A:
            return "a";
        case FORMAT_VAR:
            return "var.";
        default:
            return "-";
    }
}

const char* DictSourceText(uint8_t source) {
    switch (source) {
        case SOURCE_TERMINAL:
            return "Terminal";
        case SOURCE_ICC:
            return "ICC";
        case SOURCE_ISSUER:
            return "Issuer";
        case SOURCE_ISSUER | SOURCE_TERMINAL:
            return "Issuer/Terminal";
        default:
            return "";
    }
}
