// bertlv analyse: the Analysis panel's rows for one element of the input.
#include <stdio.h>

#include "cli/commands.h"
#include "cli/element_path.h"
#include "cli/hex_input.h"
#include "cli/json_writer.h"
#include "cli/output.h"
#include "cli/parse_input.h"
#include "cli/text_escape.h"
#include "panels/analysis_rows.h"

namespace {

// Follows child indices from the root; null when the path names no node.
const TlvNode* NodeAt(const TlvNode* root, const std::vector<uint32_t>& path) {
    const TlvNode* node = root;
    for (const uint32_t index : path) {
        TlvNode* child = nullptr;
        if (index > UINT8_MAX ||
            TlvGetChild(node, static_cast<uint8_t>(index), &child, nullptr) != TLV_OK) {
            return nullptr;
        }
        node = child;
    }
    return node;
}

void PrintRow(const AnalysisRow& row, int depth, std::string* out) {
    out->append(2 * static_cast<size_t>(depth), ' ');
    AppendEscaped(row.contents, out);
    *out += '\t';
    AppendEscaped(row.data, out);
    *out += '\t';
    AppendEscaped(row.description, out);
    *out += '\n';
    for (const AnalysisRow& child : row.children) {
        PrintRow(child, depth + 1, out);
    }
}

void WriteRow(const AnalysisRow& row, JsonWriter* json) {
    json->BeginObject();
    json->Key("contents");
    json->String(row.contents);
    json->Key("data");
    json->String(row.data);
    json->Key("description");
    json->String(row.description);
    json->Key("image");
    json->Number(row.image);
    json->Key("rowData");
    json->Number(row.rowData);
    json->Key("children");
    json->BeginArray();
    for (const AnalysisRow& child : row.children) {
        WriteRow(child, json);
    }
    json->EndArray();
    json->EndObject();
}

}  // namespace

int RunAnalyse(const std::vector<std::string>& arguments) {
    ParseOptions options;
    std::vector<uint32_t> path;
    std::vector<std::string> hex;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--path") {
            if (i + 1 >= arguments.size() || !ParseElementPath(arguments[++i], &path)) {
                return UsageError();
            }
        } else if (!TakeParseOption(argument, &options, &hex)) {
            return UsageError();
        }
    }
    TlvNode* root = nullptr;
    const int status = ParseInput(hex, options, &root);
    if (status != 0) {
        return status;
    }
    const TlvNode* node = NodeAt(root, path);
    uint8_t kind = 0;
    AnalysisRow header;
    if (node == nullptr || TlvGetKind(node, &kind) != TLV_OK ||
        !BuildAnalysisRows(kind, node, &header)) {
        TlvFree(root);
        fprintf(stderr, "No such element\n");
        return EXIT_DATA_ERROR;
    }
    TlvFree(root);
    std::string out;
    if (options.json) {
        JsonWriter json;
        WriteRow(header, &json);
        out = json.Text() + "\n";
    } else {
        PrintRow(header, 0, &out);
    }
    WriteOutput(out);
    return 0;
}
