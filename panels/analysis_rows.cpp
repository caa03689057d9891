#include "panels/analysis_rows.h"

#include <stdio.h>
#include <string.h>

#include "dictionary/dictionary.h"
#include "dictionary/element_row.h"
#include "panels/analysis_decoders.h"

namespace {

// "%d byte%s": "s" only above one.
std::string ByteCount(uint32_t count, const char* suffix) {
    char text[48];
    snprintf(text, sizeof text, "%u byte%s%s", count, count > 1 ? "s" : "", suffix);
    return text;
}

AnalysisRow PartRow(const char* contents, const std::string& data, const std::string& description) {
    return AnalysisRow{contents, data, description, ANALYSIS_IMAGE_PART, 0, {}, {}};
}

// '77' - "Response Message Template Format 2"
AnalysisRow TemplateRow(const uint8_t* tag, uint32_t tagLength) {
    const std::string text = "'" + HexString(tag, tagLength) + "' - \"" +
                             DictGetNameByTag(tag, static_cast<uint8_t>(tagLength)) + "\"";
    return PartRow("Template", "", text);
}

std::string HexOrEmpty(const uint8_t* bytes, uint32_t count) {
    return bytes != nullptr ? HexString(bytes, count) : std::string();
}

void AddElementRows(const ElementParts& element, const ElementRecord& record, AnalysisRow* header) {
    const bool constructed = element.kind == TLV_KIND_CONSTRUCTED;
    uint8_t index = 0;
    const DataElementDef* entry =
        DictFindEntry(element.tag, static_cast<uint8_t>(element.tagLength), &index);
    *header = AnalysisRow{DictGetNameByTag(element.tag, static_cast<uint8_t>(element.tagLength)),
                          HexOrEmpty(element.encoded, element.encodedLength),
                          "",
                          constructed ? ANALYSIS_IMAGE_CONSTRUCTED : ANALYSIS_IMAGE_PRIMITIVE,
                          index,
                          {},
                          {}};
    header->children.push_back(PartRow("Tag", HexString(element.tag, element.tagLength), ""));
    header->children.push_back(PartRow("Length", HexString(element.lengthField, element.lengthSize),
                                       ByteCount(element.statedLength, "")));
    AnalysisRow value = PartRow(
        "Value",
        element.statedLength > 0 ? HexOrEmpty(element.value, element.valueLength) : std::string(),
        "");
    const uint8_t* bytes = element.value;
    if (!constructed && entry != nullptr && bytes != nullptr) {
        const uint32_t kind = entry->format & FORMAT_KIND_MASK;
        if (kind == FORMAT_AN || kind == FORMAT_ANS || kind == FORMAT_A) {
            // The value read as text ends at its first zero byte.
            const void* zero = memchr(bytes, 0, element.valueLength);
            const size_t end =
                zero != nullptr ? static_cast<const uint8_t*>(zero) - bytes : element.valueLength;
            value.description.assign(reinterpret_cast<const char*>(bytes), end);
        }
        // No entry allows a value that long, so no decoder would take it.
        if (element.valueLength <= UINT16_MAX) {
            AddDecodedRows(index, bytes, static_cast<uint16_t>(element.valueLength), record,
                           &value.children);
        }
    }
    header->children.push_back(value);
}

}  // namespace

void BuildAnalysisRows(const ElementParts& element, const uint8_t* parentTag,
                       uint32_t parentTagLength, const ElementRecord& record, AnalysisRow* header) {
    if (element.kind == TLV_KIND_PADDING) {
        *header = AnalysisRow{"Padding",
                              HexOrEmpty(element.value, element.valueLength),
                              ByteCount(element.valueLength, " padding data"),
                              ANALYSIS_IMAGE_PADDING,
                              0,
                              {},
                              {}};
    } else {
        AddElementRows(element, record, header);
    }
    if (parentTag != nullptr) {
        header->children.push_back(TemplateRow(parentTag, parentTagLength));
    }
}

bool BuildAnalysisRows(uint8_t kind, const TlvNode* node, AnalysisRow* header) {
    if (node == nullptr || header == nullptr) {
        return false;
    }
    const bool element = node->isPadding == 0 && node->tagLength != 0;
    const bool constructedTag = (node->tag[0] & 0x20) != 0;
    const bool matches = (kind == TLV_KIND_PADDING && node->isPadding != 0) ||
                         (kind == TLV_KIND_PRIMITIVE && element && !constructedTag) ||
                         (kind == TLV_KIND_CONSTRUCTED && element && constructedTag);
    NodeParts parts;
    if (!matches || !GetNodeParts(node, &parts)) {
        return false;
    }
    const TlvNode* parent = node->parent;
    const ElementRecord record = {node, nullptr, 0};
    BuildAnalysisRows(parts.parts, parent != nullptr ? parent->tag : nullptr,
                      parent != nullptr && parent->tagLength <= 2 ? parent->tagLength : 2, record,
                      header);
    return true;
}
