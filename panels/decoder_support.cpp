#include "panels/decoder_support.h"

#include <stdio.h>

#include "core/ber_reader.h"

AnalysisRow DecodedRow(const std::string& contents, const std::string& data,
                       const std::string& description) {
    return AnalysisRow{contents, data, description, ANALYSIS_IMAGE_DECODED, 0, {}, {}};
}

AnalysisRow InvalidRow(const std::string& data, const std::string& reason) {
    return DecodedRow("Invalid", data, "Invalid: " + reason);
}

std::string HexText(const uint8_t* bytes, int count) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string ByteCountText(int count) {
    return std::to_string(count) + (count > 1 ? " bytes" : " byte");
}

std::string LookUpCode(const CodeTable& table, int code) {
    std::string text = table.otherText;
    for (int i = 0; i < table.count; ++i) {
        if (code >= table.entries[i].from && code <= table.entries[i].to) {
            text = table.entries[i].text;
            break;
        }
    }
    const size_t at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(code));
    }
    return text;
}

namespace {

int HighestBit(uint8_t mask) {
    int bit = 8;
    while (bit > 1 && (mask & (1 << (bit - 1))) == 0) {
        --bit;
    }
    return bit;
}

int LowestBit(uint8_t mask) {
    int bit = 1;
    while (bit < 8 && (mask & (1 << (bit - 1))) == 0) {
        ++bit;
    }
    return bit;
}

std::string BitCaption(int byte, uint8_t mask) {
    char text[32];
    const int high = HighestBit(mask);
    const int low = LowestBit(mask);
    if (high == low) {
        snprintf(text, sizeof text, "Byte %d b%d", byte, high);
    } else {
        snprintf(text, sizeof text, "Byte %d b%d-b%d", byte, high, low);
    }
    return text;
}

}  // namespace

void AddBitFieldRows(const BitLayout& layout, const uint8_t* value,
                     std::vector<AnalysisRow>* rows) {
    for (int byte = 1; byte <= layout.byteCount; ++byte) {
        const uint8_t bits = value[byte - 1];
        uint8_t covered = 0;
        for (int i = 0; i < layout.count; ++i) {
            if (layout.fields[i].byte == byte) {
                covered |= layout.fields[i].mask;
            }
        }
        for (int bit = 8; bit >= 1; --bit) {
            const uint8_t mask = static_cast<uint8_t>(1 << (bit - 1));
            if ((covered & mask) == 0) {
                if ((bits & mask) != 0) {
                    rows->push_back(DecodedRow(BitCaption(byte, mask), "", "RFU"));
                }
                continue;
            }
            for (int i = 0; i < layout.count; ++i) {
                const BitField& field = layout.fields[i];
                if (field.byte != byte || HighestBit(field.mask) != bit) {
                    continue;
                }
                const int code = (bits & field.mask) >> (LowestBit(field.mask) - 1);
                if (field.values != nullptr) {
                    rows->push_back(DecodedRow(
                        BitCaption(byte, field.mask), "",
                        std::string(field.name) + ": " + LookUpCode(*field.values, code)));
                } else if (HighestBit(field.mask) != LowestBit(field.mask)) {
                    rows->push_back(
                        DecodedRow(BitCaption(byte, field.mask), "",
                                   std::string(field.name) + ": " + std::to_string(code)));
                } else if (code != 0) {
                    rows->push_back(DecodedRow(BitCaption(byte, field.mask), "", field.name));
                }
            }
        }
    }
}

bool AllDecimal(const std::string& digits) {
    return digits.find_first_not_of("0123456789") == std::string::npos;
}

bool BcdValue(const uint8_t* bytes, int count, long long* value) {
    long long result = 0;
    for (int i = 0; i < count; ++i) {
        const int high = bytes[i] >> 4;
        const int low = bytes[i] & 0x0F;
        if (high > 9 || low > 9) {
            return false;
        }
        result = result * 100 + high * 10 + low;
    }
    *value = result;
    return true;
}

std::string EscapedText(const uint8_t* bytes, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (bytes[i] < 0x20 || bytes[i] > 0x7E || bytes[i] == '\\') {
            char escape[8];
            snprintf(escape, sizeof escape, "\\x%02X", bytes[i]);
            text += escape;
        } else {
            text += static_cast<char>(bytes[i]);
        }
    }
    return text;
}

namespace {

const TlvNode* TreeRoot(const TlvNode* node) {
    while (node != nullptr && node->parent != nullptr) {
        node = node->parent;
    }
    return node;
}

bool FindInNodes(const TlvNode* node, const uint8_t tag[2], std::vector<uint8_t>* value) {
    const TlvNode* root = TreeRoot(node);
    if (root == nullptr) {
        return false;
    }
    uint8_t buffer[TLV_ENCODE_BUFFER_SIZE];
    uint16_t length = 0;
    if (TlvFind(root, 2, tag, &length, buffer) != TLV_OK || length > TLV_MAX_ELEMENT_SIZE) {
        return false;
    }
    value->assign(buffer, buffer + length);
    return true;
}

// The same search over elements of the general reader, in the order TlvFind takes.
bool FindInElements(BerCursor* cursor, const uint8_t tag[2], std::vector<uint8_t>* value) {
    BerElement element;
    while (BerReadNext(cursor, &element, nullptr) == TLV_OK) {
        if (element.kind == TLV_KIND_PADDING) {
            continue;
        }
        if (element.tagLength == 2 && element.start[0] == tag[0] && element.start[1] == tag[1]) {
            if (element.valueLength > TLV_MAX_ELEMENT_SIZE) {
                return false;
            }
            const uint8_t* start = BerValueOf(&element);
            value->assign(start, start + element.valueLength);
            return true;
        }
        if (element.kind == TLV_KIND_CONSTRUCTED) {
            BerCursor inner;
            BerCursorEnter(cursor, &element, &inner);
            if (FindInElements(&inner, tag, value)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool FindInTree(const ElementRecord& record, uint8_t tag0, uint8_t tag1,
                std::vector<uint8_t>* value) {
    const uint8_t tag[2] = {tag0, tag1};
    if (record.node != nullptr) {
        return FindInNodes(record.node, tag, value);
    }
    if (record.bytes == nullptr) {
        return false;
    }
    BerCursor cursor;
    BerCursorInit(&cursor, record.bytes, record.size, BER_RULES_GENERAL);
    return FindInElements(&cursor, tag, value);
}
