#include "cli/element_output.h"

#include "cli/text_escape.h"

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
        Json warnings(Json::value_t::array);
        for (const uint8_t bit : kWarningBits) {
            if ((element.warnings & warnings_ & bit) != 0) {
                warnings.push_back(BerWarningText(bit));
            }
        }
        members.emplace_back("warnings", std::move(warnings));
    }
    if (element.kind == TLV_KIND_CONSTRUCTED) {
        Json children(Json::value_t::array);
        BerCursor inner;
        BerCursorEnter(&outer, &element, &inner);
        BerElement child;
        while (BerReadNext(&inner, &child, nullptr) == TLV_OK) {
            children.push_back(ElementJson(inner, child, depth + 1));
        }
        members.emplace_back("children", std::move(children));
    }
    return object;
}

void ElementOutput::AppendText(const uint8_t* bytes, uint32_t size, std::string* out) {
    BerCursor top;
    BerCursorInit(&top, bytes, size, rules_);
    BerElement element;
    while (BerReadNext(&top, &element, nullptr) == TLV_OK) {
        AppendElement(top, element, 0, out);
    }
}

std::vector<Json> ElementOutput::ToJson(const uint8_t* bytes, uint32_t size) {
    std::vector<Json> roots;
    BerCursor top;
    BerCursorInit(&top, bytes, size, rules_);
    BerElement element;
    while (BerReadNext(&top, &element, nullptr) == TLV_OK) {
        roots.push_back(ElementJson(top, element, 0));
    }
    return roots;
}
