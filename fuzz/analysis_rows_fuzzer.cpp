// Feeds arbitrary values under every primitive tag of the dictionary to BuildAnalysisRows, with
// arbitrary currency data beside them in the same template. The decoders must never read past a
// value, every decoded text must be free of control bytes, and masking card numbers may only turn
// characters into *.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "core/tlv.h"
#include "dictionary/dictionary.h"
#include "panels/analysis_rows.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        abort();
    }
}

const std::vector<const DataElementDef*>& PrimitiveEntries() {
    static const std::vector<const DataElementDef*> entries = [] {
        std::vector<const DataElementDef*> list;
        for (int i = 1; i < DICT_ENTRY_COUNT; ++i) {
            const DataElementDef* entry = DictGetEntry(i);
            if (entry != nullptr && entry->tagLength != 0 && (entry->tag[0] & 0x20) == 0) {
                list.push_back(entry);
            }
        }
        return list;
    }();
    return entries;
}

void AppendElement(const uint8_t* tag, uint8_t tagLength, const uint8_t* value, size_t length,
                   std::vector<uint8_t>* out) {
    out->insert(out->end(), tag, tag + tagLength);
    if (length > 127) {
        out->push_back(0x81);
    }
    out->push_back(static_cast<uint8_t>(length));
    out->insert(out->end(), value, value + length);
}

void CheckDecodedTexts(const AnalysisRow& row) {
    for (const std::string* text : {&row.contents, &row.data, &row.description}) {
        for (unsigned char c : *text) {
            Require(c >= 0x20 && c != 0x7F);
        }
    }
    Require(row.image == ANALYSIS_IMAGE_DECODED && row.rowData == 0);
    for (const AnalysisRow& child : row.children) {
        CheckDecodedTexts(child);
    }
}

// Masking card numbers only turns characters into '*': the rows, their order and the length of
// every text stay.
void CheckMasked(const AnalysisRow& plain, const AnalysisRow& masked) {
    Require(plain.contents == masked.contents && plain.image == masked.image &&
            plain.rowData == masked.rowData && plain.children.size() == masked.children.size());
    const std::string* texts[2][2] = {{&plain.data, &plain.description},
                                      {&masked.data, &masked.description}};
    for (int i = 0; i < 2; ++i) {
        const std::string& shown = *texts[1][i];
        const std::string& whole = *texts[0][i];
        Require(shown.size() == whole.size());
        for (size_t at = 0; at < shown.size(); ++at) {
            Require(shown[at] == whole[at] || shown[at] == '*');
        }
    }
    for (size_t i = 0; i < plain.children.size(); ++i) {
        CheckMasked(plain.children[i], masked.children[i]);
    }
}

void CheckRows(uint8_t kind, const TlvNode* node, AnalysisRow* header) {
    Require(BuildAnalysisRows(kind, node, header));
    AnalysisRow masked;
    Require(BuildAnalysisRows(kind, node, &masked, ANALYSIS_MASK_CARD_NUMBERS));
    CheckMasked(*header, masked);
}

void CheckElement(const TlvNode* node) {
    AnalysisRow header;
    CheckRows(TLV_KIND_PRIMITIVE, node, &header);
    for (const AnalysisRow& part : header.children) {
        if (part.contents == "Value") {
            for (const AnalysisRow& row : part.children) {
                CheckDecodedTexts(row);
            }
        }
    }
}

}  // namespace

// Input: an entry selector (its top bit: the element alone, without a template), the values of
// 5F36, 5F2A, 9F44 and 9F42 (6 bytes), then the element's value.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t kHeader = 7;
    if (size < kHeader || size - kHeader > 200) {
        return 0;
    }
    const std::vector<const DataElementDef*>& entries = PrimitiveEntries();
    const DataElementDef* entry = entries[(data[0] & 0x7F) % entries.size()];
    const bool alone = (data[0] & 0x80) != 0;
    const uint8_t* value = data + kHeader;
    const size_t length = size - kHeader;

    std::vector<uint8_t> content;
    if (!alone) {
        static const uint8_t kExponent[2] = {0x5F, 0x36};
        static const uint8_t kCurrency[2] = {0x5F, 0x2A};
        static const uint8_t kApplicationExponent[2] = {0x9F, 0x44};
        static const uint8_t kApplicationCurrency[2] = {0x9F, 0x42};
        AppendElement(kExponent, 2, data + 1, 1, &content);
        AppendElement(kCurrency, 2, data + 2, 2, &content);
        AppendElement(kApplicationExponent, 2, data + 4, 1, &content);
        AppendElement(kApplicationCurrency, 2, data + 5, 2, &content);
    }
    AppendElement(entry->tag, entry->tagLength, value, length, &content);
    std::vector<uint8_t> record;
    if (alone) {
        record = content;
    } else {
        static const uint8_t kTemplate = 0x77;
        AppendElement(&kTemplate, 1, content.data(), content.size(), &record);
    }

    // A heap copy of exactly the record's size, so that any read past it is reported.
    uint8_t* exact = static_cast<uint8_t*>(malloc(record.size()));
    Require(exact != nullptr);
    memcpy(exact, record.data(), record.size());
    TlvNode* root = nullptr;
    uint32_t constructed = 0;
    const TlvResult result =
        TlvParse(exact, static_cast<uint16_t>(record.size()), &root, &constructed);
    if (result == TLV_OK) {
        const TlvNode* element = root;
        if (!alone) {
            uint8_t count = 0;
            TlvGetChildCount(root, &count);
            TlvNode* last = nullptr;
            Require(TlvGetChild(root, static_cast<uint8_t>(count - 1), &last, nullptr) == TLV_OK);
            element = last;
            AnalysisRow header;
            CheckRows(TLV_KIND_CONSTRUCTED, root, &header);
        }
        CheckElement(element);
        TlvFree(root);
    }
    free(exact);
    return 0;
}
