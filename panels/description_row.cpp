#include "panels/description_row.h"

#include <stdio.h>

#include "dictionary/dictionary.h"

const char* const kDescriptionColumnTitles[DESCRIPTION_COLUMN_COUNT] = {
    "Name", "Description", "Source", "Format", "Template", "Tag", "Length"};

namespace {

// A tag in single quotes, e.g. '9F26'.
std::string QuotedTag(const uint8_t* tag, uint8_t tagLength) {
    std::string text = "'";
    for (uint8_t i = 0; i < tagLength && i < 2; ++i) {
        char digits[3];
        snprintf(digits, sizeof digits, "%02X", tag[i]);
        text += digits;
    }
    return text + "'";
}

std::string TemplateText(const DataElementDef& entry) {
    if (entry.templateCount == 0) {
        return "-";
    }
    std::string text;
    for (uint8_t i = 0; i < entry.templateCount && i < 3; ++i) {
        if (i > 0) {
            text += " or ";
        }
        text += QuotedTag(entry.templates[i].tag, entry.templates[i].tagLength);
    }
    return text;
}

std::string LengthText(const DataElementDef& entry) {
    std::string text;
    switch (entry.format & FORMAT_RULE_MASK) {
        case FORMAT_RULE_FIXED:
            return std::to_string(entry.lengths[0]);
        case FORMAT_RULE_RANGE:
            return std::to_string(entry.lengths[0]) + "-" + std::to_string(entry.lengths[1]);
        case FORMAT_RULE_LIST:
            for (uint8_t i = 0; i < entry.lengthCount && i < 5; ++i) {
                text += (i > 0 ? " or " : "") + std::to_string(entry.lengths[i]);
            }
            return text;
        default:
            return "";
    }
}

}  // namespace

bool BuildDescriptionRow(int index, DescriptionRow* row) {
    const DataElementDef* entry = DictGetEntry(index);
    if (index == 0 || entry == nullptr || row == nullptr) {
        return false;
    }
    row->cells[0] = DictGetName(index);
    row->cells[1] = DictGetDescription(index);
    row->cells[2] = DictSourceText(entry->source);
    row->cells[3] = DictFormatShortName(entry->format);
    row->cells[4] = TemplateText(*entry);
    row->cells[5] = entry->tagLength == 0 ? "-" : QuotedTag(entry->tag, entry->tagLength);
    row->cells[6] = LengthText(*entry);
    return true;
}
