// The compiled dictionary data behind the lookups of dictionary.h.
#ifndef QUORVEL_DICTIONARY_DICTIONARY_TABLE_H
#define QUORVEL_DICTIONARY_DICTIONARY_TABLE_H

#include "dictionary/dictionary.h"

// Definitions never change; only each entry's value and valueLength, through DictSetValue.
extern DataElementDef g_dictionaryTable[DICT_ENTRY_COUNT];
extern const char* const g_dictionaryDescriptions[DICT_ENTRY_COUNT];

#endif
