// bertlv parse: the data element grid of the input, as text rows or JSON.
#include <stdio.h>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/output.h"
#include "cli/parse_input.h"
#include "cli/text_escape.h"
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
        AppendEscaped(row.cells[column], out);
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

}  // namespace

int RunParse(const std::vector<std::string>& arguments) {
    ParseOptions options;
    std::vector<std::string> hex;
    for (const std::string& argument : arguments) {
        if (!TakeParseOption(argument, &options, &hex)) {
            return UsageError();
        }
    }
    TlvNode* root = nullptr;
    const int status = ParseInput(hex, options, &root);
    if (status != 0) {
        return status;
    }
    std::string out;
    if (options.json) {
        JsonWriter json;
        WriteRow(root, &json);
        out = json.Text() + "\n";
    } else {
        PrintRows(root, 0, &out);
    }
    TlvFree(root);
    WriteOutput(out);
    return 0;
}
