// Field-by-field decoding of the values the Analysis panel explains.
#ifndef QUORVEL_PANELS_ANALYSIS_DECODERS_H
#define QUORVEL_PANELS_ANALYSIS_DECODERS_H

#include <stdint.h>

#include <vector>

#include "core/tlv.h"
#include "panels/analysis_rows.h"

struct DataElementDef;

// Whether a value length satisfies the entry's length rule.
bool CheckLengthRule(const DataElementDef* entry, uint16_t length);

// Appends the decoded rows of the value of dictionary entry `index` to `rows`; nothing for an
// entry without a decoder. `record` is where the value was read from: some values are read
// with others from the same record, such as an amount with its currency.
void AddDecodedRows(int index, const uint8_t* value, uint16_t length, const ElementRecord& record,
                    std::vector<AnalysisRow>* rows);

extern const uint8_t BitMasks[8];
extern const char* const AipBitTexts[2][8];
extern const char* const AucBitTexts[2][8];
extern const char* const TvrBitTexts[5][8];

#endif
