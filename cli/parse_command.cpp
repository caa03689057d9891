// bertlv parse: the data element grid of the input, as text rows or JSON.
#include <stdio.h>

#include "cli/commands.h"
#include "cli/hex_input.h"
#include "cli/json_writer.h"
#include "core/tlv.h"
#include "dictionary/element_row.h"

namespace {

const char* const kJsonKeys[ELEMENT_COLUMN_COUNT] = {
    "dataElement", "tag", "lengthIn", "length", "value", "valueLength", "tlv"};

const char* KindName(uint8_t kind) {
    switch (kind) {
        case TLV_KIND_PADDING:
            return "padding";
        case TLV_KIND_CONSTRUCTED:
            return "constructed";
        default:
            return "primitive";
    }
}

// Children of a row in grid order; stops at the first child that cannot be read, as the grid
// does.
std::vector<const TlvNode*> ChildrenOf(const TlvNode* node, const ElementRow& row) {
    std::vector<const TlvNode*> children;
    uint8_t count = 0;
    if (row.kind != TLV_KIND_CONSTRUCTED || TlvGetChildCount(node, &count) != TLV_OK) {
        return children;
    }
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* child = nullptr;
        if (TlvGetChild(node, i, &child, nullptr) != TLV_OK) {
            break;
        }
        children.push_back(child);
    }
    return children;
}

void PrintRows(const TlvNode* node, int depth, std::string* out) {
    ElementRow row;
    if (!BuildElementRow(node, &row)) {
        return;
    }
    out->append(2 * static_cast<size_t>(depth), ' ');
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        if (column > 0) {
            *out += '\t';
        }
        *out += row.cells[column];
    }
    *out += '\n';
    for (const TlvNode* child : ChildrenOf(node, row)) {
        PrintRows(child, depth + 1, out);
    }
}

void WriteRow(const TlvNode* node, JsonWriter* json) {
    ElementRow row;
    if (!BuildElementRow(node, &row)) {
        return;
    }
    json->BeginObject();
    json->Key("kind");
    json->String(KindName(row.kind));
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        json->Key(kJsonKeys[column]);
        json->String(row.cells[column]);
    }
    if (row.kind == TLV_KIND_CONSTRUCTED) {
        json->Key("children");
        json->BeginArray();
        for (const TlvNode* child : ChildrenOf(node, row)) {
            WriteRow(child, json);
        }
        json->EndArray();
    }
    json->EndObject();
}

int DataError(const char* message) {
    fprintf(stderr, "%s\n", message);
    return EXIT_DATA_ERROR;
}

}  // namespace

int RunParse(const std::vector<std::string>& arguments) {
    bool asJson = false;
    bool checkPadding = true;
    std::vector<std::string> hex;
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            asJson = true;
        } else if (argument == "--no-padding-check") {
            checkPadding = false;
        } else if (!argument.empty() && argument[0] == '-') {
            return UsageError();
        } else {
            hex.push_back(argument);
        }
    }
    bool tooLong = false;
    const std::vector<uint8_t> bytes = ReadHexInput(hex, stdin, &tooLong);
    if (bytes.empty()) {
        return DataError("No data exist to parse!");
    }
    TlvNode* root = nullptr;
    uint32_t constructed = 0;
    const TlvResult result = tooLong ? static_cast<TlvResult>(TLV_ERR_FORMAT)
                                     : TlvParseEx(bytes.data(), static_cast<uint16_t>(bytes.size()),
                                                  &root, &constructed, checkPadding ? 1 : 0);
    if (result == TLV_ERR_PADDING) {
        return DataError(
            "Bad formatted BER-TLV data !\n\nPadding data is located at the invalid position.");
    }
    if (result != TLV_OK) {
        return DataError("Bad formatted BER-TLV data !");
    }
    std::string out;
    if (asJson) {
        JsonWriter json;
        WriteRow(root, &json);
        out = json.Text() + "\n";
    } else {
        PrintRows(root, 0, &out);
    }
    TlvFree(root);
    fputs(out.c_str(), stdout);
    return 0;
}
