// bertlv dict: the data element dictionary, whole or one entry, as text or JSON.
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

#include "cli/commands.h"
#include "cli/output.h"
#include "core/hex_text.h"
#include "dictionary/dictionary.h"
#include "dictionary/json_output.h"
#include "panels/description_row.h"

namespace {

std::string TagHex(const uint8_t* tag, uint8_t tagLength) {
    char text[5];
    BytesToHexText(tag, tagLength <= 2 ? tagLength : 2, text);
    return text;
}

const char* RuleName(uint32_t format) {
    switch (format & FORMAT_RULE_MASK) {
        case FORMAT_RULE_FIXED:
            return "fixed";
        case FORMAT_RULE_RANGE:
            return "range";
        case FORMAT_RULE_LIST:
            return "list";
        default:
            return "none";
    }
}

Json EntryJson(int index) {
    const DataElementDef* entry = DictGetEntry(index);
    Json object = Json::object();
    object["index"] = index;
    object["name"] = JsonText(DictGetName(index));
    object["description"] = JsonText(DictGetDescription(index));
    object["tag"] = TagHex(entry->tag, entry->tagLength);
    object["formatWord"] = static_cast<long>(entry->format);
    object["source"] = entry->source;
    Json templates = Json::array();
    for (uint8_t i = 0; i < entry->templateCount && i < 3; ++i) {
        templates.push_back(TagHex(entry->templates[i].tag, entry->templates[i].tagLength));
    }
    object["templates"] = std::move(templates);
    Json lengths = Json::array();
    for (uint8_t i = 0; i < entry->lengthCount && i < 5; ++i) {
        lengths.push_back(entry->lengths[i]);
    }
    object["lengths"] = std::move(lengths);
    object["rule"] = RuleName(entry->format);
    DescriptionRow row;
    if (BuildDescriptionRow(index, &row)) {
        Json panel = Json::object();
        for (int column = 0; column < DESCRIPTION_COLUMN_COUNT; ++column) {
            panel[kDescriptionColumnTitles[column]] = JsonText(row.cells[column]);
        }
        object["panel"] = std::move(panel);
    } else {
        object["panel"] = nullptr;
    }
    return object;
}

std::string EntryText(int index) {
    std::string text = "Index: " + std::to_string(index) + "\n";
    DescriptionRow row;
    if (!BuildDescriptionRow(index, &row)) {
        return text + "Name: " + DictGetName(index) + "\n";
    }
    for (int column = 0; column < DESCRIPTION_COLUMN_COUNT; ++column) {
        text += std::string(kDescriptionColumnTitles[column]) + ": " + row.cells[column] + "\n";
    }
    return text;
}

std::string ListLine(int index) {
    const DataElementDef* entry = DictGetEntry(index);
    const std::string tag = entry->tagLength == 0 ? "-" : TagHex(entry->tag, entry->tagLength);
    char line[200];
    snprintf(line, sizeof line, "%3d  %-4s  %s\n", index, tag.c_str(), DictGetName(index));
    return line;
}

bool IsDecimal(const std::string& key) {
    bool decimal = !key.empty();
    for (const char c : key) {
        decimal = decimal && isdigit(static_cast<unsigned char>(c));
    }
    return decimal;
}

// The hexadecimal digits of a tag key, without its 0x prefix.
std::string TagDigits(const std::string& key) {
    return key.substr(HexTextPrefixLength(key.data(), static_cast<uint32_t>(key.size())));
}

// Decimal digits name an index; hexadecimal with letters, or with a 0x prefix, names a tag.
bool FindEntry(const std::string& key, int* index) {
    if (IsDecimal(key)) {
        // Leading zeros aside, an index has at most three digits; more cannot name an entry.
        const size_t first = key.find_first_not_of('0');
        const std::string digits = first == std::string::npos ? "0" : key.substr(first);
        *index = digits.size() <= 3 ? atoi(digits.c_str()) : DICT_ENTRY_COUNT;
        return DictGetEntry(*index) != nullptr;
    }
    const std::string hex = TagDigits(key);
    if (hex.size() > 4) {
        return false;
    }
    uint8_t tag[2] = {0, 0};
    uint32_t count = 0;
    HexTextToBytes(hex.data(), static_cast<uint32_t>(hex.size()), tag, &count);
    uint8_t found = 0;
    if (DictFindIndex(tag, static_cast<uint8_t>(count), &found) != TLV_OK) {
        return false;
    }
    *index = found;
    return true;
}

}  // namespace

bool DictKeyIsWellFormed(const std::string& key) {
    if (IsDecimal(key)) {
        return true;
    }
    const std::string hex = TagDigits(key);
    for (const char c : hex) {
        if (!isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return !hex.empty() && hex.size() % 2 == 0;
}

int RunDict(bool json, const std::string& key) {
    std::string out;
    if (key.empty()) {
        Json entries = Json::array();
        for (int index = 0; index < DICT_ENTRY_COUNT; ++index) {
            if (json) {
                entries.push_back(EntryJson(index));
            } else {
                out += ListLine(index);
            }
        }
        if (json) {
            AppendJson(entries, true, &out);
            out += '\n';
        }
    } else {
        int index = 0;
        if (!FindEntry(key, &index)) {
            fprintf(stderr, "Not Defined\n");
            return EXIT_DATA_ERROR;
        }
        if (json) {
            AppendJson(EntryJson(index), true, &out);
            out += '\n';
        } else {
            out = EntryText(index);
        }
    }
    WriteOutput(out);
    return 0;
}
