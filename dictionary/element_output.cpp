#include "dictionary/element_output.h"

#include "dictionary/text_escape.h"

namespace {

// Keys as strings made once, so that a member costs no key construction from a C string.
const std::string* JsonKeys() {
    static const std::string keys[ELEMENT_COLUMN_COUNT] = {
        "dataElement", "tag", "lengthIn", "length", "value", "valueLength", "tlv"};
    return keys;
}

const std::string& KindKey() {
    static const std::string key = "kind";
    return key;
}

const uint8_t kWarningBits[] = {BER_WARNING_NON_MINIMAL_LENGTH, BER_WARNING_MISPLACED_PADDING};

const std::string& KindName(uint8_t kind) {
    static const std::string names[3] = {"padding", "constructed", "primitive"};
    switch (kind) {
        case TLV_KIND_PADDING:
            return names[0];
        case TLV_KIND_CONSTRUCTED:
            return names[1];
        default:
            return names[2];
    }
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
    out->append(2 * static_cast<size_t>(textIndent_ + depth), ' ');
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

void ElementOutput::MaskRow(const DigitMask& content, uint32_t headerBytes, ElementRow* row) {
    if (!MaskHidesAny(content)) {
        return;
    }
    std::string& value = row->cells[ELEMENT_COLUMN_VALUE];
    value = MaskedHexText(value, content);
    std::string& tlv = row->cells[ELEMENT_COLUMN_TLV];
    const size_t header = 2 * static_cast<size_t>(headerBytes);
    if (tlv.size() > header) {
        tlv.replace(header, std::string::npos, MaskedHexText(tlv.substr(header), content));
    }
}

void ElementOutput::MaskElementRow(const BerElement& element, ElementRow* row) {
    contentMask_.clear();
    const uint8_t* value = BerValueOf(&element);
    if (element.kind == TLV_KIND_PRIMITIVE) {
        AppendValueMask(element.start, element.tagLength, value, element.valueLength,
                        &contentMask_);
    } else if (element.kind == TLV_KIND_CONSTRUCTED) {
        AppendElementsMask(value, element.valueLength, rules_, &contentMask_);
    }
    MaskRow(contentMask_, static_cast<uint32_t>(element.tagLength) + element.lengthSize, row);
}

void ElementOutput::MaskNodeRow(const TlvNode* node, ElementRow* row) {
    if (node->isPadding != 0) {
        return;
    }
    contentMask_.clear();
    AppendNodeMask(node, 1, &contentMask_);
    MaskRow(contentMask_, static_cast<uint32_t>(node->tagLength) + node->lengthSize, row);
}

void ElementOutput::AppendElement(const BerCursor& outer, const BerElement& element, int depth,
                                  std::string* out) {
    ElementRow* row = RowAt(depth);
    BuildElementRow(GetBerElementParts(element), row);
    if (mask_) {
        MaskElementRow(element, row);
    }
    AppendRow(*row, depth, element.warnings, out);
    RowWritten();
    if (element.kind == TLV_KIND_CONSTRUCTED) {
        BerCursor inner;
        BerCursorEnter(&outer, &element, &inner);
        BerElement child;
        while (!outputFailed_ && BerReadNext(&inner, &child, nullptr) == TLV_OK) {
            AppendElement(inner, child, depth + 1, out);
        }
    }
}

void ElementOutput::AppendElementJson(const BerCursor& outer, const BerElement& element, int depth,
                                      bool indented, int level, std::string* out) {
    ElementRow* row = RowAt(depth);
    BuildElementRow(GetBerElementParts(element), row);
    if (mask_) {
        MaskElementRow(element, row);
    }
    AppendJson(RowJson(row, element.warnings), indented, level, out);
    const std::string indent(2 * static_cast<size_t>(level), ' ');
    if (element.kind != TLV_KIND_CONSTRUCTED) {
        RowWritten();
        return;
    }
    // The row's object is opened again for its children before anything may be written out.
    out->resize(out->size() - (indented ? indent.size() + 2 : 1));
    *out += indented ? ",\n" + indent + "  \"children\": [" : ",\"children\":[";
    RowWritten();
    const std::string childIndent = indent + "    ";
    BerCursor inner;
    BerCursorEnter(&outer, &element, &inner);
    BerElement child;
    bool first = true;
    while (!outputFailed_ && BerReadNext(&inner, &child, nullptr) == TLV_OK) {
        if (indented) {
            *out += first ? "\n" : ",\n";
            *out += childIndent;
        } else if (!first) {
            *out += ',';
        }
        first = false;
        AppendElementJson(inner, child, depth + 1, indented, level + 2, out);
    }
    if (indented && !first) {
        *out += "\n" + indent + "  ";
    }
    *out += indented ? "]\n" + indent + "}" : "]}";
}

Json ElementOutput::RowJson(ElementRow* row, uint8_t warnings) {
    // Members are appended in order without the look-up that operator[] makes, and the cells
    // are moved rather than copied: records of many rows are written at streaming speed.
    Json object(Json::value_t::object);
    Json::object_t& members = object.get_ref<Json::object_t&>();
    members.reserve(ELEMENT_COLUMN_COUNT + 3);
    members.emplace_back(KindKey(), KindName(row->kind));
    // Only the name can hold a byte outside ASCII; the other cells are hexadecimal digits and
    // fixed texts.
    members.emplace_back(JsonKeys()[ELEMENT_COLUMN_NAME],
                         JsonText(std::move(row->cells[ELEMENT_COLUMN_NAME])));
    for (int column = ELEMENT_COLUMN_NAME + 1; column < ELEMENT_COLUMN_COUNT; ++column) {
        members.emplace_back(JsonKeys()[column], std::move(row->cells[column]));
    }
    if (rules_ == BER_RULES_GENERAL) {
        Json names(Json::value_t::array);
        for (const uint8_t bit : kWarningBits) {
            if ((warnings & warnings_ & bit) != 0) {
                names.push_back(BerWarningText(bit));
            }
        }
        members.emplace_back("warnings", std::move(names));
    }
    return object;
}

void ElementOutput::StartRecord(const uint8_t* bytes, uint32_t size, BerCursor* top) const {
    BerCursorInit(top, bytes, size, rules_);
}

bool ElementOutput::AppendNextText(BerCursor* top, std::string* out) {
    BerElement element;
    if (outputFailed_ || BerReadNext(top, &element, nullptr) != TLV_OK) {
        return false;
    }
    AppendElement(*top, element, 0, out);
    return true;
}

bool ElementOutput::AppendNextJsonText(BerCursor* top, bool indented, int level, std::string* out) {
    BerElement element;
    if (outputFailed_ || BerReadNext(top, &element, nullptr) != TLV_OK) {
        return false;
    }
    AppendElementJson(*top, element, 0, indented, indented && level > 0 ? level : 0, out);
    return true;
}

bool ElementOutput::HasNext(const BerCursor& top) const {
    BerCursor next = top;
    BerElement element;
    return !outputFailed_ && BerReadNext(&next, &element, nullptr) == TLV_OK;
}

void ElementOutput::AppendText(const uint8_t* bytes, uint32_t size, std::string* out) {
    BerCursor top;
    StartRecord(bytes, size, &top);
    while (AppendNextText(&top, out)) {
    }
}

void ElementOutput::AppendNode(const TlvNode* node, int depth, std::string* out) {
    ElementRow* row = RowAt(depth);
    if (!BuildElementRow(node, row)) {
        return;
    }
    if (mask_) {
        MaskNodeRow(node, row);
    }
    AppendRow(*row, depth, 0, out);
    if (row->kind != TLV_KIND_CONSTRUCTED) {
        return;
    }
    uint8_t count = 0;
    TlvGetChildCount(node, &count);
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* child = nullptr;
        if (TlvGetChild(node, i, &child, nullptr) != TLV_OK) {
            return;
        }
        AppendNode(child, depth + 1, out);
    }
}

Json ElementOutput::NodeJson(const TlvNode* node, int depth) {
    ElementRow* row = RowAt(depth);
    if (!BuildElementRow(node, row)) {
        return Json();
    }
    if (mask_) {
        MaskNodeRow(node, row);
    }
    const uint8_t kind = row->kind;
    Json object = RowJson(row, 0);
    if (kind != TLV_KIND_CONSTRUCTED) {
        return object;
    }
    Json children(Json::value_t::array);
    uint8_t count = 0;
    TlvGetChildCount(node, &count);
    for (uint8_t i = 0; i < count; ++i) {
        TlvNode* child = nullptr;
        if (TlvGetChild(node, i, &child, nullptr) != TLV_OK) {
            break;
        }
        Json childObject = NodeJson(child, depth + 1);
        if (!childObject.is_null()) {
            children.push_back(std::move(childObject));
        }
    }
    object.get_ref<Json::object_t&>().emplace_back("children", std::move(children));
    return object;
}

void ElementOutput::AppendText(const TlvNode* root, std::string* out) {
    if (root != nullptr) {
        AppendNode(root, 0, out);
    }
}

Json ElementOutput::ToJson(const TlvNode* root) {
    return root != nullptr ? NodeJson(root, 0) : Json();
}
