// The data element grid's rows as text or JSON: what `bertlv parse` writes and what the editor's
// "Copy Tree as Text" and "Copy Tree as JSON" copy. The elements come from a checked record,
// read by the strict parser or the general reader, or from a tree of nodes.
#ifndef QUORVEL_DICTIONARY_ELEMENT_OUTPUT_H
#define QUORVEL_DICTIONARY_ELEMENT_OUTPUT_H

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "core/ber_reader.h"
#include "core/tlv.h"
#include "dictionary/card_number_mask.h"
#include "dictionary/element_row.h"
#include "dictionary/json_output.h"

class ElementOutput {
public:
    // `rules` is the reading the record passed: the strict parser's (BER_RULES_STRICT, whose
    // elements the cursor reads exactly as the parser does) or the general reader's. Only the
    // general reader's rows carry warnings, those of `warnings` (BER_WARNING_*). With
    // `maskCardNumbers` the Value and TLV cells show card numbers masked.
    ElementOutput(uint8_t rules, uint8_t warnings, bool maskCardNumbers = false)
        : rules_(rules),
          warnings_(rules == BER_RULES_GENERAL ? warnings : 0),
          mask_(maskCardNumbers) {}

    // One row per element, children indented by two spaces under their template, the seven
    // cells separated by tabs and written with control bytes escaped; rows with warnings get an
    // eighth cell naming them.
    void AppendText(const uint8_t* bytes, uint32_t size, std::string* out);

    // The same one top-level element at a time, so that output can be written as it grows:
    // `top` starts at StartRecord, and each call reads the next element; false after the last
    // and once the output failed.
    void StartRecord(const uint8_t* bytes, uint32_t size, BerCursor* top) const;
    bool AppendNextText(BerCursor* top, std::string* out);
    // The next element as a JSON object with its children, written as AppendJson writes, compact
    // or indented as a value `level` levels deep, without building the object: memory stays
    // that of one row however many the element holds. Rows of the general reader carry a
    // `warnings` array.
    bool AppendNextJsonText(BerCursor* top, bool indented, int level, std::string* out);
    // Whether another element follows at `top` and the output has not failed.
    bool HasNext(const BerCursor& top) const;
    // Called after each row of a checked record is written, at a point where `out` may be
    // written out and emptied. Once it returns false (the output failed), no further rows are
    // made.
    void SetRowWritten(std::function<bool()> rowWritten) {
        rowWritten_ = std::move(rowWritten);
        outputFailed_ = false;
    }
    // Text rows, of records and of trees, start `depth` levels further in.
    void SetTextIndent(int depth) { textIndent_ = depth; }

    // Text rows and the JSON object for a tree of nodes, each row as the grid shows it; nothing
    // for a null root.
    void AppendText(const TlvNode* root, std::string* out);
    Json ToJson(const TlvNode* root);

private:
    ElementRow* RowAt(int depth);
    void AppendRow(const ElementRow& row, int depth, uint8_t warnings, std::string* out);
    void AppendElement(const BerCursor& outer, const BerElement& element, int depth,
                       std::string* out);
    void AppendElementJson(const BerCursor& outer, const BerElement& element, int depth,
                           bool indented, int level, std::string* out);
    void RowWritten() {
        if (rowWritten_ && !outputFailed_) {
            outputFailed_ = !rowWritten_();
        }
    }
    void AppendNode(const TlvNode* node, int depth, std::string* out);
    Json NodeJson(const TlvNode* node, int depth);
    // The row's members, without children.
    Json RowJson(ElementRow* row, uint8_t warnings);
    // Hides the card numbers in the Value and TLV cells: `content` flags the value's digits,
    // which follow `headerBytes` bytes of tag and length field in the TLV cell.
    static void MaskRow(const DigitMask& content, uint32_t headerBytes, ElementRow* row);
    void MaskElementRow(const BerElement& element, ElementRow* row);
    void MaskNodeRow(const TlvNode* node, ElementRow* row);

    uint8_t rules_;
    uint8_t warnings_;
    bool mask_;
    DigitMask contentMask_;
    // One row per depth, reused from record to record.
    std::vector<ElementRow> rows_;
    std::function<bool()> rowWritten_;
    bool outputFailed_ = false;
    int textIndent_ = 0;
};

#endif
