// `parse` output: the data element grid's rows as text or JSON, from the elements of a checked
// record, read by the strict parser or the general reader.
#ifndef QUORVEL_CLI_ELEMENT_OUTPUT_H
#define QUORVEL_CLI_ELEMENT_OUTPUT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "cli/json_output.h"
#include "core/ber_reader.h"
#include "dictionary/element_row.h"

class ElementOutput {
public:
    // `rules` is the reading the record passed: the strict parser's (BER_RULES_STRICT, whose
    // elements the cursor reads exactly as the parser does) or the general reader's. Only the
    // general reader's rows carry warnings, those of `warnings` (BER_WARNING_*).
    ElementOutput(uint8_t rules, uint8_t warnings)
        : rules_(rules), warnings_(rules == BER_RULES_GENERAL ? warnings : 0) {}

    // One row per element, children indented by two spaces under their template, the seven
    // cells separated by tabs and written with control bytes escaped; rows with warnings get an
    // eighth cell naming them.
    void AppendText(const uint8_t* bytes, uint32_t size, std::string* out);
    // One object per top-level element, with its children; rows of the general reader carry a
    // `warnings` array.
    std::vector<Json> ToJson(const uint8_t* bytes, uint32_t size);

private:
    ElementRow* RowAt(int depth);
    void AppendRow(const ElementRow& row, int depth, uint8_t warnings, std::string* out);
    void AppendElement(const BerCursor& outer, const BerElement& element, int depth,
                       std::string* out);
    Json ElementJson(const BerCursor& outer, const BerElement& element, int depth);

    uint8_t rules_;
    uint8_t warnings_;
    // One row per depth, reused from record to record.
    std::vector<ElementRow> rows_;
};

#endif
