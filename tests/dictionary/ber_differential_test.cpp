// The general reader against the strict parser: on every input the strict parser accepts, the
// same tree and the same grid and Analysis rows; and under its strict rules the reader refuses
// exactly what the strict parser refuses and reads the parser's tree.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/ber_reader.h"
#include "core/tlv_test_util.h"
#include "dictionary/element_row.h"
#include "panels/analysis_rows.h"
#include "support/tlv_samples.h"

namespace {

std::vector<uint8_t> Bytes(const uint8_t* bytes, uint32_t count) {
    return bytes != nullptr ? std::vector<uint8_t>(bytes, bytes + count) : std::vector<uint8_t>();
}

void ExpectSameAnalysis(const AnalysisRow& a, const AnalysisRow& b, const std::string& where) {
    EXPECT_EQ(a.contents, b.contents) << where;
    EXPECT_EQ(a.data, b.data) << where;
    EXPECT_EQ(a.description, b.description) << where;
    EXPECT_EQ(a.image, b.image) << where;
    EXPECT_EQ(a.rowData, b.rowData) << where;
    EXPECT_EQ(a.tooltip, b.tooltip) << where;
    ASSERT_EQ(a.children.size(), b.children.size()) << where;
    for (size_t i = 0; i < a.children.size(); ++i) {
        ExpectSameAnalysis(a.children[i], b.children[i], where + "/" + a.children[i].contents);
    }
}

// Compares a node of the strict tree with the element the general reader read in its place.
void ExpectSame(const TlvNode* node, const BerCursor& outer, const BerElement& element,
                const ElementParts* parent, const ElementRecord& record, const std::string& where) {
    NodeParts nodeParts;
    ASSERT_TRUE(GetNodeParts(node, &nodeParts)) << where;
    const ElementParts& expected = nodeParts.parts;
    const ElementParts actual = GetBerElementParts(element);
    EXPECT_EQ(actual.kind, expected.kind) << where;
    EXPECT_EQ(Bytes(actual.tag, actual.tagLength), Bytes(expected.tag, expected.tagLength))
        << where;
    EXPECT_EQ(Bytes(actual.lengthField, actual.lengthSize),
              Bytes(expected.lengthField, expected.lengthSize))
        << where;
    EXPECT_EQ(Bytes(actual.value, actual.valueLength), Bytes(expected.value, expected.valueLength))
        << where;
    EXPECT_EQ(Bytes(actual.encoded, actual.encodedLength),
              Bytes(expected.encoded, expected.encodedLength))
        << where;
    const bool nonMinimal = expected.lengthSize == 2 && expected.lengthField[1] < 0x80;
    EXPECT_EQ((element.warnings & BER_WARNING_NON_MINIMAL_LENGTH) != 0, nonMinimal) << where;

    ElementRow strictRow;
    ElementRow generalRow;
    ASSERT_TRUE(BuildElementRow(node, &strictRow)) << where;
    ASSERT_TRUE(BuildElementRow(actual, &generalRow)) << where;
    EXPECT_EQ(generalRow.kind, strictRow.kind) << where;
    EXPECT_EQ(generalRow.image, strictRow.image) << where;
    for (int column = 0; column < ELEMENT_COLUMN_COUNT; ++column) {
        EXPECT_EQ(generalRow.cells[column], strictRow.cells[column]) << where << " " << column;
    }

    AnalysisRow strictAnalysis;
    AnalysisRow generalAnalysis;
    ASSERT_TRUE(BuildAnalysisRows(expected.kind, node, &strictAnalysis)) << where;
    BuildAnalysisRows(actual, parent != nullptr ? parent->tag : nullptr,
                      parent != nullptr ? parent->tagLength : 0, record, &generalAnalysis);
    ExpectSameAnalysis(generalAnalysis, strictAnalysis, where);

    if (expected.kind != TLV_KIND_CONSTRUCTED) {
        return;
    }
    BerCursor inner;
    BerCursorEnter(&outer, &element, &inner);
    BerElement child;
    uint8_t index = 0;
    while (BerReadNext(&inner, &child, nullptr) == TLV_OK) {
        const TlvNode* strictChild = ChildAt(node, index);
        ASSERT_NE(strictChild, nullptr) << where << " child " << int(index);
        ExpectSame(strictChild, inner, child, &actual, record, where + "/" + std::to_string(index));
        ++index;
    }
    EXPECT_EQ(index, node->childCount) << where;
}

// A two-byte tag whose second byte has bit 8 set is read whole by the strict parser, and as
// the start of a longer tag by the general reader.
bool HasOpenTag(const TlvNode* node) {
    if (node->isPadding == 0 && node->tagLength == 2 && (node->tag[1] & 0x80) != 0) {
        return true;
    }
    for (uint8_t i = 0; node->isPadding == 0 && (node->tag[0] & 0x20) != 0 && i < node->childCount;
         ++i) {
        if (HasOpenTag(ChildAt(node, i))) {
            return true;
        }
    }
    return false;
}

enum Comparison { COMPARED_TREES, STRICT_REFUSED, OPEN_TAG };

// `input` is exactly as large as its bytes, so that the address sanitizer sees any overread.
Comparison Compare(const std::vector<uint8_t>& input, const std::string& where) {
    TlvTree relaxed;
    const TlvResult strict = ParseExact(input, &relaxed, 0);
    BerDiagnostic diagnostic = {0, 0};
    const TlvResult strictRules = BerCheck(input.data(), static_cast<uint32_t>(input.size()),
                                           BER_RULES_STRICT, 0, &diagnostic, nullptr);
    EXPECT_EQ(strictRules == TLV_OK, strict == TLV_OK)
        << where << ": " << BerProblemText(diagnostic.problem);
    if (strict != TLV_OK) {
        return STRICT_REFUSED;
    }
    TlvTree checked;
    const TlvResult withRule = ParseExact(input, &checked, 1);
    const TlvResult ruleChecked =
        BerCheck(input.data(), static_cast<uint32_t>(input.size()), BER_RULES_STRICT,
                 BER_CHECK_PADDING_RULE, &diagnostic, nullptr);
    EXPECT_EQ(withRule == TLV_ERR_PADDING,
              ruleChecked == TLV_ERR_FORMAT && diagnostic.problem == BER_PROBLEM_MISPLACED_PADDING)
        << where;
    EXPECT_EQ(withRule == TLV_OK, ruleChecked == TLV_OK) << where;
    // Under the strict rules the cursor reads the very tree the parser built, open tags
    // included: bertlv shows the strict reading's rows from it.
    BerCursor strictTop;
    BerCursorInit(&strictTop, input.data(), static_cast<uint32_t>(input.size()), BER_RULES_STRICT);
    BerElement strictRoot;
    EXPECT_EQ(BerReadNext(&strictTop, &strictRoot, nullptr), TLV_OK) << where;
    const ElementRecord treeRecord = {relaxed.get(), nullptr, 0};
    ExpectSame(relaxed.get(), strictTop, strictRoot, nullptr, treeRecord, where + " (strict)");
    if (HasOpenTag(relaxed.get())) {
        return OPEN_TAG;
    }
    EXPECT_EQ(BerCheck(input.data(), static_cast<uint32_t>(input.size()), BER_RULES_GENERAL, 0,
                       &diagnostic, nullptr),
              TLV_OK)
        << where << ": " << BerProblemText(diagnostic.problem);
    BerCursor top;
    BerCursorInit(&top, input.data(), static_cast<uint32_t>(input.size()), BER_RULES_GENERAL);
    BerElement root;
    EXPECT_EQ(BerReadNext(&top, &root, nullptr), TLV_OK) << where;
    const ElementRecord record = {nullptr, input.data(), static_cast<uint32_t>(input.size())};
    ExpectSame(relaxed.get(), top, root, nullptr, record, where);
    return COMPARED_TREES;
}

// Random data in the strict format: tags of one or two bytes, short and 81 lengths, padding
// runs between children, at most 259 bytes.
class StrictFormatGenerator {
public:
    explicit StrictFormatGenerator(uint32_t seed) : random_(seed) {}

    std::vector<uint8_t> Next() {
        for (;;) {
            std::vector<uint8_t> out;
            Element(0, &out);
            if (out.size() <= TLV_MAX_ELEMENT_SIZE) {
                Mutate(&out);
                return out;
            }
        }
    }

private:
    uint32_t Below(uint32_t bound) { return random_() % bound; }

    void Tag(bool constructed, std::vector<uint8_t>* out) {
        const uint8_t kind = constructed ? 0x20 : 0x00;
        if (Below(3) == 0) {
            // 1F, 5F, 9F, DF or their constructed twins, but never the padding byte FF.
            const uint8_t first =
                static_cast<uint8_t>((Below(constructed ? 3 : 4) << 6) | kind | 0x1F);
            out->push_back(first);
            out->push_back(static_cast<uint8_t>(Below(8) == 0 ? 0x80 | Below(128) : Below(128)));
            return;
        }
        uint8_t first;
        do {
            first = static_cast<uint8_t>((Below(256) & ~0x20) | kind);
        } while ((first & 0x1F) == 0x1F || first == 0x00 || first == 0xFF);
        out->push_back(first);
    }

    void Padding(std::vector<uint8_t>* out) {
        for (uint32_t n = 1 + Below(3); n > 0; --n) {
            out->push_back(Below(2) == 0 ? 0x00 : 0xFF);
        }
    }

    void Element(int depth, std::vector<uint8_t>* out) {
        const bool constructed = depth < 4 && Below(2) == 0;
        Tag(constructed, out);
        std::vector<uint8_t> value;
        if (constructed) {
            for (uint32_t n = Below(5); n > 0; --n) {
                if (Below(4) == 0) {
                    Padding(&value);
                }
                Element(depth + 1, &value);
            }
            if (Below(4) == 0) {
                Padding(&value);
            }
        } else {
            value.resize(Below(4) == 0 ? Below(140) : Below(12));
            for (uint8_t& byte : value) {
                byte = static_cast<uint8_t>(Below(256));
            }
        }
        if (value.size() >= 0x80 || Below(6) == 0) {
            out->push_back(0x81);
        }
        out->push_back(static_cast<uint8_t>(value.size()));
        out->insert(out->end(), value.begin(), value.end());
    }

    void Mutate(std::vector<uint8_t>* out) {
        for (uint32_t n = Below(2) == 0 ? 0 : 1 + Below(3); n > 0 && !out->empty(); --n) {
            const size_t at = Below(static_cast<uint32_t>(out->size()));
            switch (Below(4)) {
                case 0:
                    (*out)[at] = static_cast<uint8_t>(Below(256));
                    break;
                case 1:
                    out->resize(at);
                    break;
                case 2:
                    out->insert(out->begin() + static_cast<long>(at),
                                static_cast<uint8_t>(Below(256)));
                    break;
                default:
                    out->erase(out->begin() + static_cast<long>(at));
            }
        }
    }

    std::mt19937 random_;
};

TEST(BerDifferential, SampleRecordsReadTheSameInBothReaders) {
    for (const TlvSample& sample : ValidSamples()) {
        EXPECT_EQ(Compare(sample.bytes, sample.name), COMPARED_TREES) << sample.name;
    }
    // Amounts are decoded with the currency and exponent found elsewhere in the record.
    for (const char* hex : {"7012"
                            "9F0206000000001234"
                            "5F2A020978"
                            "5F360100",
                            "7012"
                            "5F360103"
                            "9F0206000000001234"
                            "5F2A020840"}) {
        const std::vector<uint8_t> input(HexBytes(hex));
        EXPECT_EQ(Compare(input, hex), COMPARED_TREES) << hex;
    }
}

TEST(BerDifferential, RandomInputsReadTheSameInBothReaders) {
    StrictFormatGenerator generator(20261207);
    int counts[3] = {0, 0, 0};
    for (int i = 0; i < 20000; ++i) {
        const std::vector<uint8_t> input(generator.Next());
        ++counts[Compare(input, BytesHex(input))];
        if (HasFailure()) {
            break;
        }
    }
    // Enough of each outcome for the comparison to mean something.
    EXPECT_GT(counts[COMPARED_TREES], 5000);
    EXPECT_GT(counts[STRICT_REFUSED], 3000);
    EXPECT_GT(counts[OPEN_TAG], 300);
}

TEST(BerDifferential, RowsOfLongTagsAndLengths) {
    const std::vector<uint8_t> input = HexBytes(
        "BF8101"
        "820103"
        "DF810283"
        "0000FC" +
        std::string(504, 'A'));
    BerCursor top;
    BerCursorInit(&top, input.data(), static_cast<uint32_t>(input.size()), BER_RULES_GENERAL);
    BerElement root;
    ASSERT_EQ(BerReadNext(&top, &root, nullptr), TLV_OK);
    ElementRow row;
    ASSERT_TRUE(BuildElementRow(GetBerElementParts(root), &row));
    EXPECT_EQ(row.image, ELEMENT_IMAGE_CONSTRUCTED);
    EXPECT_EQ(row.cells[ELEMENT_COLUMN_NAME], "Not Defined");
    EXPECT_EQ(row.cells[ELEMENT_COLUMN_TAG], "BF8101");
    EXPECT_EQ(row.cells[ELEMENT_COLUMN_LENGTH_IN], "3 bytes");
    EXPECT_EQ(row.cells[ELEMENT_COLUMN_LENGTH], "820103");
    EXPECT_EQ(row.cells[ELEMENT_COLUMN_VALUE_LENGTH], "259 bytes");
    EXPECT_EQ(row.cells[ELEMENT_COLUMN_TLV].size(), 2 * input.size());

    BerCursor inner;
    BerCursorEnter(&top, &root, &inner);
    BerElement child;
    ASSERT_EQ(BerReadNext(&inner, &child, nullptr), TLV_OK);
    EXPECT_EQ(child.warnings, BER_WARNING_NON_MINIMAL_LENGTH);
    const ElementParts rootParts = GetBerElementParts(root);
    AnalysisRow header;
    const ElementRecord record = {nullptr, input.data(), static_cast<uint32_t>(input.size())};
    BuildAnalysisRows(GetBerElementParts(child), rootParts.tag, rootParts.tagLength, record,
                      &header);
    ASSERT_EQ(header.children.size(), 4u);
    EXPECT_EQ(header.contents, "Not Defined");
    EXPECT_EQ(header.children[0].data, "DF8102");
    EXPECT_EQ(header.children[1].data, "830000FC");
    EXPECT_EQ(header.children[1].description, "252 bytes");
    EXPECT_EQ(header.children[2].data, std::string(504, 'A'));
    EXPECT_EQ(header.children[3].description, "'BF8101' - \"Not Defined\"");
}

}  // namespace
