// `analyse` output: the Analysis panel's rows for one element, found by its path, as text or
// JSON, for the strict parser's tree and for the elements of the general reader alike.
#ifndef QUORVEL_CLI_ANALYSIS_OUTPUT_H
#define QUORVEL_CLI_ANALYSIS_OUTPUT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "core/ber_reader.h"
#include "core/tlv.h"
#include "dictionary/json_output.h"
#include "panels/analysis_rows.h"

// `options` of the following are those of BuildAnalysisRows (ANALYSIS_MASK_CARD_NUMBERS).

// The rows of the node that `path` names from the root (the root for an empty path). False
// when the path names no node.
bool AnalyseNode(const TlvNode* root, const std::vector<uint32_t>& path, uint32_t options,
                 AnalysisRow* header);

// The rows of the element that `path` names in bytes the general reader has checked. With
// `list` the first index picks the top-level element; otherwise the input is one element and
// the path starts below it. False when the path names no element.
bool AnalyseElement(const uint8_t* bytes, uint32_t size, bool list,
                    const std::vector<uint32_t>& path, uint32_t options, AnalysisRow* header);

// The rows of the top-level elements of checked bytes, one element at a time: `top` starts
// at the first byte with the general reader's rules, and each call reads the next element;
// false after the last.
void StartTopLevel(const uint8_t* bytes, uint32_t size, BerCursor* top);
bool AnalyseNextTopLevel(BerCursor* top, uint32_t options, AnalysisRow* row);

// Contents, data and description separated by tabs, sub-rows indented by two spaces, control
// bytes escaped.
void AppendAnalysisText(const AnalysisRow& row, std::string* out);
Json AnalysisJson(const AnalysisRow& row);

#endif
