#include "dictionary/dictionary.h"

#include "dictionary/dictionary_table.h"

namespace {

DataElementDef* g_index[DICT_ENTRY_COUNT];
int g_entryCount;
// For every tag of one or two bytes, 1 + the index of the first entry with that tag, 0 for none:
// a look-up costs one read instead of a pass over the table.
uint8_t g_oneByteTags[0x100];
uint8_t g_twoByteTags[0x10000];

}  // namespace

void DictInit(void) {
    if (g_entryCount != 0) {
        return;
    }
    for (int i = DICT_ENTRY_COUNT - 1; i >= 0; --i) {
        DataElementDef* entry = &g_dictionaryTable[i];
        g_index[i] = entry;
        if (entry->tagLength == 1) {
            g_oneByteTags[entry->tag[0]] = static_cast<uint8_t>(i + 1);
        } else if (entry->tagLength == 2) {
            g_twoByteTags[entry->tag[0] << 8 | entry->tag[1]] = static_cast<uint8_t>(i + 1);
        }
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
    int found = -1;
    if (tagLength == 1) {
        found = g_oneByteTags[tag[0]] - 1;
    } else if (tagLength == 2) {
        found = g_twoByteTags[tag[0] << 8 | tag[1]] - 1;
    } else {
        for (int i = 0; i < g_entryCount && found < 0; ++i) {
            found = g_index[i]->tagLength == 0 ? i : -1;
        }
    }
    if (found < 0) {
        return nullptr;
    }
    if (index != nullptr) {
        *index = static_cast<uint8_t>(found);
    }
    return g_index[found];
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
