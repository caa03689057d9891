#include "panels/analysis_rows.h"

#include <stdio.h>
#include <string.h>

#include "dictionary/dictionary.h"
#include "dictionary/element_row.h"
#include "panels/analysis_decoders.h"

namespace {

// "%d byte%s": "s" only above one.
std::string ByteCount(int count, const char* suffix) {
    char text[48];
    snprintf(text, sizeof text, "%d byte%s%s", count, count > 1 ? "s" : "", suffix);
    return text;
}

AnalysisRow PartRow(const char* contents, const std::string& data, const std::string& description) {
    return AnalysisRow{contents, data, description, ANALYSIS_IMAGE_PART, 0, {}, {}};
}

// '77' - "Response Message Template Format 2"
AnalysisRow TemplateRow(const TlvNode* parent) {
    const std::string text =
        "'" + HexString(parent->tag, parent->tagLength <= 2 ? parent->tagLength : 2) + "' - \"" +
        DictGetNameByTag(parent->tag, parent->tagLength) + "\"";
    return PartRow("Template", "", text);
}

std::string EncodingOf(const TlvNode* node, int contentOnly) {
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    if (TlvEncode(buffer, node, &length, contentOnly) != TLV_OK) {
        return std::string();
    }
    return HexString(buffer, length);
}

void AddElementRows(const TlvNode* node, bool constructed, AnalysisRow* header) {
    uint8_t index = 0;
    const DataElementDef* entry = DictFindEntry(node->tag, node->tagLength, &index);
    *header = AnalysisRow{DictGetNameByTag(node->tag, node->tagLength),
                          EncodingOf(node, 0),
                          "",
                          constructed ? ANALYSIS_IMAGE_CONSTRUCTED : ANALYSIS_IMAGE_PRIMITIVE,
                          index,
                          {},
                          {}};
    header->children.push_back(PartRow("Tag", HexString(node->tag, node->tagLength), ""));
    header->children.push_back(PartRow("Length", HexString(node->lengthBytes, node->lengthSize),
                                       ByteCount(node->valueLength, "")));
    AnalysisRow value =
        PartRow("Value", node->valueLength > 0 ? EncodingOf(node, 1) : std::string(), "");
    if (!constructed && entry != nullptr) {
        const uint32_t kind = entry->format & FORMAT_KIND_MASK;
        const uint8_t* bytes = static_cast<const uint8_t*>(node->data);
        if ((kind == FORMAT_AN || kind == FORMAT_ANS || kind == FORMAT_A) && bytes != nullptr) {
            // The value read as text ends at its first zero byte.
            const void* zero = memchr(bytes, 0, node->valueLength);
            const size_t end =
                zero != nullptr ? static_cast<const uint8_t*>(zero) - bytes : node->valueLength;
            value.description.assign(reinterpret_cast<const char*>(bytes), end);
        }
        AddDecodedRows(index, bytes, node->valueLength, node, &value.children);
    }
    header->children.push_back(value);
    if (node->parent != nullptr) {
        header->children.push_back(TemplateRow(node->parent));
    }
}

}  // namespace

bool BuildAnalysisRows(uint8_t kind, const TlvNode* node, AnalysisRow* header) {
    if (node == nullptr || header == nullptr) {
        return false;
    }
    const bool element = node->isPadding == 0 && node->tagLength != 0;
    const bool constructedTag = (node->tag[0] & 0x20) != 0;
    if (kind == TLV_KIND_PADDING && node->isPadding != 0) {
        const uint8_t* bytes = static_cast<const uint8_t*>(node->data);
        *header =
            AnalysisRow{"Padding",
                        bytes != nullptr ? HexString(bytes, node->valueLength) : std::string(),
                        ByteCount(node->valueLength, " padding data"),
                        ANALYSIS_IMAGE_PADDING,
                        0,
                        {},
                        {}};
        if (node->parent != nullptr) {
            header->children.push_back(TemplateRow(node->parent));
        }
        return true;
    }
    if (kind == TLV_KIND_PRIMITIVE && element && !constructedTag) {
        AddElementRows(node, false, header);
        return true;
    }
    if (kind == TLV_KIND_CONSTRUCTED && element && constructedTag) {
        AddElementRows(node, true, header);
        return true;
    }
    return false;
}
