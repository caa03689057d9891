#include "cli/analysis_output.h"

#include "core/ber_reader.h"
#include "dictionary/text_escape.h"

namespace {

void AppendRow(const AnalysisRow& row, int depth, std::string* out) {
    out->append(2 * static_cast<size_t>(depth), ' ');
    AppendEscaped(row.contents, out);
    *out += '\t';
    AppendEscaped(row.data, out);
    *out += '\t';
    AppendEscaped(row.description, out);
    *out += '\n';
    for (const AnalysisRow& child : row.children) {
        AppendRow(child, depth + 1, out);
    }
}

// Reads elements up to the one at `index`; false when the cursor holds fewer.
bool ReadNth(BerCursor* cursor, uint32_t index, BerElement* element) {
    for (uint32_t i = 0; i <= index; ++i) {
        if (BerReadNext(cursor, element, nullptr) != TLV_OK) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool AnalyseNode(const TlvNode* root, const std::vector<uint32_t>& path, uint32_t options,
                 AnalysisRow* header) {
    const TlvNode* node = root;
    for (const uint32_t index : path) {
        TlvNode* child = nullptr;
        if (index > UINT8_MAX ||
            TlvGetChild(node, static_cast<uint8_t>(index), &child, nullptr) != TLV_OK) {
            return false;
        }
        node = child;
    }
    uint8_t kind = 0;
    return TlvGetKind(node, &kind) == TLV_OK && BuildAnalysisRows(kind, node, header, options);
}

bool AnalyseElement(const uint8_t* bytes, uint32_t size, bool list,
                    const std::vector<uint32_t>& path, uint32_t options, AnalysisRow* header) {
    BerCursor cursor;
    BerCursorInit(&cursor, bytes, size, BER_RULES_GENERAL);
    BerElement element;
    size_t step = 0;
    if (!ReadNth(&cursor, list && !path.empty() ? path[step++] : 0, &element)) {
        return false;
    }
    bool nested = false;
    BerElement parent;
    for (; step < path.size(); ++step) {
        if (element.kind != TLV_KIND_CONSTRUCTED) {
            return false;
        }
        BerCursor inner;
        BerCursorEnter(&cursor, &element, &inner);
        cursor = inner;
        parent = element;
        nested = true;
        if (!ReadNth(&cursor, path[step], &element)) {
            return false;
        }
    }
    const ElementRecord record = {nullptr, bytes, size};
    BuildAnalysisRows(GetBerElementParts(element), nested ? parent.start : nullptr,
                      nested ? parent.tagLength : 0, record, header, options);
    return true;
}

void StartTopLevel(const uint8_t* bytes, uint32_t size, BerCursor* top) {
    BerCursorInit(top, bytes, size, BER_RULES_GENERAL);
}

bool AnalyseNextTopLevel(BerCursor* top, uint32_t options, AnalysisRow* row) {
    BerElement element;
    if (BerReadNext(top, &element, nullptr) != TLV_OK) {
        return false;
    }
    *row = AnalysisRow();
    const ElementRecord record = {nullptr, top->base, static_cast<uint32_t>(top->end - top->base)};
    BuildAnalysisRows(GetBerElementParts(element), nullptr, 0, record, row, options);
    return true;
}

void AppendAnalysisText(const AnalysisRow& row, std::string* out) {
    AppendRow(row, 0, out);
}

Json AnalysisJson(const AnalysisRow& row) {
    Json object = Json::object();
    object["contents"] = JsonText(row.contents);
    object["data"] = JsonText(row.data);
    object["description"] = JsonText(row.description);
    object["image"] = row.image;
    object["rowData"] = row.rowData;
    Json children = Json::array();
    for (const AnalysisRow& child : row.children) {
        children.push_back(AnalysisJson(child));
    }
    object["children"] = std::move(children);
    return object;
}
