// bertlv dict: the data element dictionary, whole or one entry, as text or JSON.
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/output.h"
#include "core/hex_text.h"
#include "dictionary/dictionary.h"
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

void WriteEntry(int index, JsonWriter* json) {
    const DataElementDef* entry = DictGetEntry(index);
    json->BeginObject();
    json->Key("index");
    json->Number(index);
    json->Key("name");
    json->String(DictGetName(index));
    json->Key("description");
    json->String(DictGetDescription(index));
    json->Key("tag");
    json->String(TagHex(entry->tag, entry->tagLength));
    json->Key("formatWord");
    json->Number(static_cast<long>(entry->format));
    json->Key("source");
    json->Number(entry->source);
    json->Key("templates");
    json->BeginArray();
    for (uint8_t i = 0; i < entry->templateCount && i < 3; ++i) {
        json->String(TagHex(entry->templates[i].tag, entry->templates[i].tagLength));
    }
    json->EndArray();
    json->Key("lengths");
    json->BeginArray();
    for (uint8_t i = 0; i < entry->lengthCount && i < 5; ++i) {
        json->Number(entry->lengths[i]);
    }
    json->EndArray();
    json->Key("rule");
    json->String(RuleName(entry->format));
    json->Key("panel");
    DescriptionRow row;
    if (BuildDescriptionRow(index, &row)) {
        json->BeginObject();
        for (int column = 0; column < DESCRIPTION_COLUMN_COUNT; ++column) {
            json->Key(kDescriptionColumnTitles[column]);
            json->String(row.cells[column]);
        }
        json->EndObject();
    } else {
        json->Null();
    }
    json->EndObject();
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

enum Lookup { LOOKUP_FOUND, LOOKUP_NOT_DEFINED, LOOKUP_MALFORMED };

// Decimal digits name an index; hexadecimal with letters, or with a 0x prefix, names a tag.
Lookup FindEntry(const std::string& argument, int* index) {
    bool decimal = !argument.empty();
    for (char c : argument) {
        decimal = decimal && isdigit(static_cast<unsigned char>(c));
    }
    if (decimal) {
        *index = argument.size() <= 3 ? atoi(argument.c_str()) : DICT_ENTRY_COUNT;
        return DictGetEntry(*index) != nullptr ? LOOKUP_FOUND : LOOKUP_NOT_DEFINED;
    }
    std::string hex = argument;
    if (hex.size() > 2 && hex[0] == '0' && (hex[1] == 'x' || hex[1] == 'X')) {
        hex = hex.substr(2);
    }
    for (char c : hex) {
        if (!isxdigit(static_cast<unsigned char>(c))) {
            return LOOKUP_MALFORMED;
        }
    }
    if (hex.empty() || hex.size() % 2 != 0) {
        return LOOKUP_MALFORMED;
    }
    if (hex.size() > 4) {
        return LOOKUP_NOT_DEFINED;
    }
    uint8_t tag[2] = {0, 0};
    uint32_t count = 0;
    HexTextToBytes(hex.data(), static_cast<uint32_t>(hex.size()), tag, &count);
    uint8_t found = 0;
    if (DictFindIndex(tag, static_cast<uint8_t>(count), &found) != TLV_OK) {
        return LOOKUP_NOT_DEFINED;
    }
    *index = found;
    return LOOKUP_FOUND;
}

}  // namespace

int RunDict(const std::vector<std::string>& arguments) {
    bool asJson = false;
    std::vector<std::string> keys;
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            asJson = true;
        } else if (!argument.empty() && argument[0] == '-') {
            return UsageError();
        } else {
            keys.push_back(argument);
        }
    }
    if (keys.size() > 1) {
        return UsageError();
    }
    std::string out;
    if (keys.empty()) {
        JsonWriter json;
        json.BeginArray();
        for (int index = 0; index < DICT_ENTRY_COUNT; ++index) {
            if (asJson) {
                WriteEntry(index, &json);
            } else {
                out += ListLine(index);
            }
        }
        json.EndArray();
        if (asJson) {
            out = json.Text() + "\n";
        }
    } else {
        int index = 0;
        switch (FindEntry(keys[0], &index)) {
            case LOOKUP_MALFORMED:
                return UsageError();
            case LOOKUP_NOT_DEFINED:
                fprintf(stderr, "Not Defined\n");
                return EXIT_DATA_ERROR;
            case LOOKUP_FOUND:
                break;
        }
        if (asJson) {
            JsonWriter json;
            WriteEntry(index, &json);
            out = json.Text() + "\n";
        } else {
            out = EntryText(index);
        }
    }
    WriteOutput(out);
    return 0;
}
