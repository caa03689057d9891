// `parse` output: the data element grid's rows as text or JSON, for the strict parser's tree and
// for the elements of the general reader alike.
#ifndef QUORVEL_CLI_ELEMENT_OUTPUT_H
#define QUORVEL_CLI_ELEMENT_OUTPUT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "cli/json_output.h"
#include "core/ber_reader.h"
#include "core/tlv.h"
#include "dictionary/element_row.h"

class ElementOutput {
public:
    // `warnings` selects the warnings of the general reader that are shown (BER_WARNING_*).
    explicit ElementOutput(uint8_t warnings) : warnings_(warnings) {}

    // One row per node, children indented by two spaces under their template, the seven cells
    // separated by tabs and written with control bytes escaped.
    void AppendText(const TlvNode* root, std::string* out);
    // The root row as an object with its children.
    Json ToJson(const TlvNode* root);

    // The same for every top-level element of bytes the general reader has checked. Rows with
    // warnings get an eighth cell naming them; in JSON each row carries a `warnings` array.
    void AppendText(const uint8_t* bytes, uint32_t size, std::string* out);
    // One object per top-level element.
    std::vector<Json> ToJson(const uint8_t* bytes, uint32_t size);

private:
    ElementRow* RowAt(int depth);
    void AppendRow(const ElementRow& row, int depth, uint8_t warnings, std::string* out);
    Json RowJson(const ElementRow& row);
    void AppendNode(const TlvNode* node, int depth, std::string* out);
    Json NodeJson(const TlvNode* node, int depth);
    void AppendElement(const BerCursor& outer, const BerElement& element, int depth,
                       std::string* out);
    Json ElementJson(const BerCursor& outer, const BerElement& element, int depth);

    uint8_t warnings_;
    // One row per depth, reused from record to record.
    std::vector<ElementRow> rows_;
};

#endif
