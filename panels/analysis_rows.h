// The Analysis panel's rows for one element: a header row with the element's parts beneath it
// and, for a few elements, the value decoded field by field. Qt-free, so that the panel and the
// command-line tool build them the same way.
#ifndef QUORVEL_PANELS_ANALYSIS_ROWS_H
#define QUORVEL_PANELS_ANALYSIS_ROWS_H

#include <stdint.h>

#include <string>
#include <vector>

#include "core/tlv.h"
#include "dictionary/element_row.h"

// Pictures of the panel's image list.
enum AnalysisImage {
    ANALYSIS_IMAGE_CONSTRUCTED = 0,
    ANALYSIS_IMAGE_DECODED = 1,
    ANALYSIS_IMAGE_PART = 2,
    ANALYSIS_IMAGE_PRIMITIVE = 3,
    ANALYSIS_IMAGE_PADDING = 7,
    ANALYSIS_IMAGE_COUNT = 8,
};

struct AnalysisRow {
    std::string contents;
    std::string data;
    std::string description;
    int image;
    // The dictionary index on an element's header row (0 when the tag is unknown); 0 elsewhere.
    uint8_t rowData;
    // The byte heading of a decoded bit ("AIP Byte 1 - (Leftmost)"), shown as a tooltip.
    std::string tooltip;
    std::vector<AnalysisRow> children;
};

// The header row for a node of the given kind (1 padding, 2 primitive, 3 constructed). False,
// leaving `header` alone, when the kind is 0, the node is null or kind and node do not match.
bool BuildAnalysisRows(uint8_t kind, const TlvNode* node, AnalysisRow* header);

// The record an element was read from, for decoders that read a value together with another
// element of the same record (an amount with its currency): any node of the strict parser's
// tree, or the bytes the general reader checked (one element or a sequence). Both may be absent.
struct ElementRecord {
    const TlvNode* node;
    const uint8_t* bytes;
    uint32_t size;
};

// The header row for one element of any reader. `parentTag` names the template that holds it,
// null at the top level.
void BuildAnalysisRows(const ElementParts& element, const uint8_t* parentTag,
                       uint32_t parentTagLength, const ElementRecord& record, AnalysisRow* header);

#endif
