#include "cli/element_output.h"

#include "cli/text_escape.h"

namespace {

const char* const kJsonKeys[ELEMENT_COLUMN_COUNT] = {
    "dataElement", "tag", "lengthIn", "length", "value", "valueLength", "tlv"};

const uint8_t kWarningBits[] = {BER_WARNING_NON_MINIMAL_LENGTH, BER_WARNING_MISPLACED_PADDING};

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

// Children of a template in grid order; stops at the first child that cannot be read, as the
// grid does.
std::vector<const TlvNode*> ChildrenOf(const TlvNode* node) {
    std::vector<const TlvNode*> children;
    uint8_t count = 0;
    if (TlvGetChildCount(node, &count) != TLV_OK) {
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

}  // namespace

ElementRow* ElementOutput::RowAt(int depth) {
    if (rows_.size() <= static_cast<size_t>(depth)) {
        rows_.resize(static_cast<size_t>(depth) + 1);
    }
    return &rows_[static_cast<size_t>(depth)];
}

void ElementOutput::AppendRow(const ElementRow& row, int depth, uint8_t warnings,
                              std::string* out) {
    out->append(2 * static_cast<size_t>(depth), ' ');
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        if (column > 0) {
            *out += '\t';
        }
        AppendEscaped(row.cells[column], out);
    }
    const char* separator = "\twarning: ";
    for (const uint8_t bit : kWarningBits) {
        if ((warnings & warnings_ & bit) != 0) {
            *out += separator;
            *out += BerWarningText(bit);
            separator = ", ";
        }
    }
    *out += '\n';
}

Json ElementOutput::RowJson(const ElementRow& row) {
    Json object = Json::object();
    object["kind"] = KindName(row.kind);
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        object[kJsonKeys[column]] = JsonText(row.cells[column]);
    }
    return object;
}

void ElementOutput::AppendNode(const TlvNode* node, int depth, std::string* out) {
    ElementRow* row = RowAt(depth);
    if (!BuildElementRow(node, row)) {
        return;
    }
    AppendRow(*row, depth, 0, out);
    if (row->kind == TLV_KIND_CONSTRUCTED) {
        for (const TlvNode* child : ChildrenOf(node)) {
            AppendNode(child, depth + 1, out);
        }
    }
}

Json ElementOutput::NodeJson(const TlvNode* node, int depth) {
    ElementRow* row = RowAt(depth);
    if (!BuildElementRow(node, row)) {
        return Json();
    }
    Json object = RowJson(*row);
    if (row->kind == TLV_KIND_CONSTRUCTED) {
        Json children = Json::array();
        for (const TlvNode* child : ChildrenOf(node)) {
            Json built = NodeJson(child, depth + 1);
            if (!built.is_null()) {
                children.push_back(std::move(built));
            }
        }
        object["children"] = std::move(children);
    }
    return object;
}

void ElementOutput::AppendText(const TlvNode* root, std::string* out) {
    AppendNode(root, 0, out);
}

Json ElementOutput::ToJson(const TlvNode* root) {
    return NodeJson(root, 0);
}

void ElementOutput::AppendElement(const BerCursor& outer, const BerElement& element, int depth,
                                  std::string* out) {
    ElementRow* row = RowAt(depth);
    BuildElementRow(GetBerElementParts(element), row);
    AppendRow(*row, depth, element.warnings, out);
    if (element.kind == TLV_KIND_CONSTRUCTED) {
        BerCursor inner;
        BerCursorEnter(&outer, &element, &inner);
        BerElement child;
        while (BerReadNext(&inner, &child, nullptr) == TLV_OK) {
            AppendElement(inner, child, depth + 1, out);
        }
    }
}

Json ElementOutput::ElementJson(const BerCursor& outer, const BerElement& element, int depth) {
    ElementRow* row = RowAt(depth);
    BuildElementRow(GetBerElementParts(element), row);
    Json object = RowJson(*row);
    Json warnings = Json::array();
    for (const uint8_t bit : kWarningBits) {
        if ((element.warnings & warnings_ & bit) != 0) {
            warnings.push_back(BerWarningText(bit));
        }
    }
    object["warnings"] = std::move(warnings);
    if (element.kind == TLV_KIND_CONSTRUCTED) {
        Json children = Json::array();
        BerCursor inner;
        BerCursorEnter(&outer, &element, &inner);
        BerElement child;
        while (BerReadNext(&inner, &child, nullptr) == TLV_OK) {
            children.push_back(ElementJson(inner, child, depth + 1));
        }
        object["children"] = std::move(children);
    }
    return object;
}

void ElementOutput::AppendText(const uint8_t* bytes, uint32_t size, std::string* out) {
    BerCursor top;
    BerCursorInit(&top, bytes, size, BER_RULES_GENERAL);
    BerElement element;
    while (BerReadNext(&top, &element, nullptr) == TLV_OK) {
        AppendElement(top, element, 0, out);
    }
}

std::vector<Json> ElementOutput::ToJson(const uint8_t* bytes, uint32_t size) {
    std::vector<Json> roots;
    BerCursor top;
    BerCursorInit(&top, bytes, size, BER_RULES_GENERAL);
    BerElement element;
    while (BerReadNext(&top, &element, nullptr) == TLV_OK) {
        roots.push_back(ElementJson(top, element, 0));
    }
    return roots;
}
