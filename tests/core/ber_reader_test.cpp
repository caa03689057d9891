#include "core/ber_reader.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

// A heap copy of exactly the input's size, so that the address sanitizer reports any read past
// the end.
class ExactCopy {
public:
    explicit ExactCopy(const std::vector<uint8_t>& bytes)
        : size_(static_cast<uint32_t>(bytes.size())), block_(new uint8_t[bytes.size()]) {
        std::copy(bytes.begin(), bytes.end(), block_.get());
    }
    const uint8_t* data() const { return block_.get(); }
    uint32_t size() const { return size_; }

private:
    uint32_t size_;
    std::unique_ptr<uint8_t[]> block_;
};

struct CheckOutcome {
    TlvResult result;
    BerDiagnostic diagnostic;
    uint32_t topCount;
};

CheckOutcome Check(const std::vector<uint8_t>& bytes, uint8_t rules = BER_RULES_GENERAL,
                   uint8_t flags = 0) {
    const ExactCopy copy(bytes);
    CheckOutcome outcome = {0xFFFF, {0xEE, 0xEEEE}, 0xEEEE};
    outcome.result =
        BerCheck(copy.data(), copy.size(), rules, flags, &outcome.diagnostic, &outcome.topCount);
    return outcome;
}

// The first element of the input, read by a fresh cursor.
TlvResult ReadFirst(const std::vector<uint8_t>& bytes, BerElement* element,
                    uint8_t rules = BER_RULES_GENERAL) {
    const ExactCopy copy(bytes);
    BerCursor cursor;
    BerCursorInit(&cursor, copy.data(), copy.size(), rules);
    return BerReadNext(&cursor, element, nullptr);
}

// A length field written independently of the reader: short form, or 81 to 84 as needed, or
// `forcedSize` bytes when given.
std::string LengthHex(uint32_t length, int forcedSize = 0) {
    int size = forcedSize;
    if (size == 0) {
        size = length < 0x80        ? 1
               : length <= 0xFF     ? 2
               : length <= 0xFFFF   ? 3
               : length <= 0xFFFFFF ? 4
                                    : 5;
    }
    std::vector<uint8_t> field;
    if (size > 1) {
        field.push_back(static_cast<uint8_t>(0x80 + size - 1));
    }
    for (int i = size > 1 ? size - 2 : 0; i >= 0; --i) {
        field.push_back(static_cast<uint8_t>(length >> (8 * i)));
    }
    return BytesHex(field);
}

struct ElementCase {
    std::string hex;
    uint8_t kind;
    uint8_t tagLength;
    uint8_t lengthSize;
    uint32_t valueLength;
    uint8_t warnings;
};

TEST(BerReader, ReadsTagsLengthsAndFlagsNonMinimalLengths) {
    const std::string k256(512, 'A');
    const std::string k65536(131072, 'B');
    const ElementCase cases[] = {
        {"9F0206000000000100", TLV_KIND_PRIMITIVE, 2, 1, 6, 0},
        {"DF8101021234", TLV_KIND_PRIMITIVE, 3, 1, 2, 0},
        {"DF81810101AA", TLV_KIND_PRIMITIVE, 4, 1, 1, 0},
        {"FF0000FF", TLV_KIND_PADDING, 0, 0, 4, BER_WARNING_MISPLACED_PADDING},
        {"BF810A03"
         "9F4D00",
         TLV_KIND_CONSTRUCTED, 3, 1, 3, 0},
        {"5A8180" + std::string(256, 'C'), TLV_KIND_PRIMITIVE, 1, 2, 128, 0},
        {"5A820100" + k256, TLV_KIND_PRIMITIVE, 1, 3, 256, 0},
        {"5A83010000" + k65536, TLV_KIND_PRIMITIVE, 1, 4, 65536, 0},
        {"5A810512345678FF", TLV_KIND_PRIMITIVE, 1, 2, 5, BER_WARNING_NON_MINIMAL_LENGTH},
        {"5A82000512345678FF", TLV_KIND_PRIMITIVE, 1, 3, 5, BER_WARNING_NON_MINIMAL_LENGTH},
        {"5A8300000512345678FF", TLV_KIND_PRIMITIVE, 1, 4, 5, BER_WARNING_NON_MINIMAL_LENGTH},
        {"5A840000000512345678FF", TLV_KIND_PRIMITIVE, 1, 5, 5, BER_WARNING_NON_MINIMAL_LENGTH},
        {"5A820080" + std::string(256, 'D'), TLV_KIND_PRIMITIVE, 1, 3, 128,
         BER_WARNING_NON_MINIMAL_LENGTH},
        {"5A8100", TLV_KIND_PRIMITIVE, 1, 2, 0, BER_WARNING_NON_MINIMAL_LENGTH},
        {"7000", TLV_KIND_CONSTRUCTED, 1, 1, 0, 0},
    };
    for (const ElementCase& c : cases) {
        const std::vector<uint8_t> bytes = HexBytes(c.hex);
        BerElement element;
        ASSERT_EQ(ReadFirst(bytes, &element), TLV_OK) << c.hex.substr(0, 24);
        EXPECT_EQ(element.kind, c.kind) << c.hex.substr(0, 24);
        EXPECT_EQ(element.tagLength, c.tagLength) << c.hex.substr(0, 24);
        EXPECT_EQ(element.lengthSize, c.lengthSize) << c.hex.substr(0, 24);
        EXPECT_EQ(element.valueLength, c.valueLength) << c.hex.substr(0, 24);
        EXPECT_EQ(element.warnings, c.warnings) << c.hex.substr(0, 24);
        EXPECT_EQ(element.offset, 0u);
        if (c.kind != TLV_KIND_PADDING) {
            EXPECT_EQ(BerSizeOf(&element), bytes.size()) << c.hex.substr(0, 24);
            EXPECT_EQ(Check(bytes).result, TLV_OK) << c.hex.substr(0, 24);
        }
    }
}

TEST(BerReader, FourByteLengthsReachTheirValue) {
    // 84 01 00 00 00: a value of 16 MiB.
    std::vector<uint8_t> bytes = HexBytes(
        "DF8101"
        "8401000000");
    bytes.resize(bytes.size() + 0x1000000, 0x5A);
    const CheckOutcome whole = Check(bytes);
    EXPECT_EQ(whole.result, TLV_OK);
    bytes.pop_back();
    const CheckOutcome cut = Check(bytes);
    EXPECT_EQ(cut.result, TLV_ERR_FORMAT);
    EXPECT_EQ(cut.diagnostic.problem, BER_PROBLEM_TRUNCATED_VALUE);
    EXPECT_EQ(cut.diagnostic.offset, 0u);
}

struct RejectCase {
    std::string hex;
    uint8_t rules;
    uint8_t flags;
    BerProblem problem;
    uint32_t offset;
};

TEST(BerReader, ReportsEachProblemWithItsOffset) {
    const uint8_t kGeneral = BER_RULES_GENERAL;
    const uint8_t kStrict = BER_RULES_STRICT;
    const RejectCase cases[] = {
        {"", kGeneral, 0, BER_PROBLEM_TRUNCATED_TAG, 0},
        {"9F", kGeneral, 0, BER_PROBLEM_TRUNCATED_TAG, 0},
        {"DF81", kGeneral, 0, BER_PROBLEM_TRUNCATED_TAG, 0},
        {"DF8181810100", kGeneral, 0, BER_PROBLEM_TAG_TOO_LONG, 0},
        {"5A", kGeneral, 0, BER_PROBLEM_TRUNCATED_LENGTH, 0},
        {"5A8201", kGeneral, 0, BER_PROBLEM_TRUNCATED_LENGTH, 0},
        {"5A80", kGeneral, 0, BER_PROBLEM_INDEFINITE_LENGTH, 0},
        {"7080"
         "5A0112"
         "0000",
         kGeneral, 0, BER_PROBLEM_INDEFINITE_LENGTH, 0},
        {"5A850000000001AA", kGeneral, 0, BER_PROBLEM_RESERVED_LENGTH, 0},
        {"5AFF", kGeneral, 0, BER_PROBLEM_RESERVED_LENGTH, 0},
        {"5A820002AAAA", kStrict, 0, BER_PROBLEM_LONG_LENGTH, 0},
        {"5A8400000002AAAA", kStrict, 0, BER_PROBLEM_LONG_LENGTH, 0},
        {"5A85", kStrict, 0, BER_PROBLEM_RESERVED_LENGTH, 0},
        {"5A0212", kGeneral, 0, BER_PROBLEM_TRUNCATED_VALUE, 0},
        {"70055A021234", kGeneral, 0, BER_PROBLEM_TRUNCATED_VALUE, 0},
        {"70035A021234", kGeneral, 0, BER_PROBLEM_CHILD_OVERRUN, 2},
        {"70065A0212349F01", kGeneral, 0, BER_PROBLEM_CHILD_OVERRUN, 6},
        {"6F04A5025A01", kGeneral, 0, BER_PROBLEM_CHILD_OVERRUN, 4},
        {"70035A8401", kGeneral, 0, BER_PROBLEM_CHILD_OVERRUN, 2},
        {"70025A80", kGeneral, 0, BER_PROBLEM_INDEFINITE_LENGTH, 2},
        {"7003DF8181", kGeneral, 0, BER_PROBLEM_CHILD_OVERRUN, 2},
        {"7005DF81818101", kGeneral, 0, BER_PROBLEM_TAG_TOO_LONG, 2},
        {"5A02123400", kGeneral, 0, BER_PROBLEM_TRAILING_BYTES, 4},
        {"5A0212345A00", kGeneral, 0, BER_PROBLEM_TRAILING_BYTES, 4},
        {"005A021234", kGeneral, 0, BER_PROBLEM_PADDING_OUTSIDE, 0},
        {"5A021234"
         "5A03",
         kGeneral, BER_CHECK_SEQUENCE, BER_PROBLEM_TRUNCATED_VALUE, 4},
        {"5A021234"
         "00FF"
         "9F",
         kGeneral, BER_CHECK_SEQUENCE, BER_PROBLEM_TRUNCATED_TAG, 6},
        {"7008A503880101FFFF00", kStrict, BER_CHECK_PADDING_RULE, BER_PROBLEM_MISPLACED_PADDING, 7},
        {"700300FF00", kGeneral, BER_CHECK_PADDING_RULE, BER_PROBLEM_MISPLACED_PADDING, 2},
        // Strictly read, 9F 81 is a whole tag and 02 its length.
        {"9F8102123456", kStrict, 0, BER_PROBLEM_TRAILING_BYTES, 5},
    };
    for (const RejectCase& c : cases) {
        const CheckOutcome outcome = Check(HexBytes(c.hex), c.rules, c.flags);
        EXPECT_EQ(outcome.result, TLV_ERR_FORMAT) << c.hex;
        EXPECT_EQ(outcome.diagnostic.problem, c.problem)
            << c.hex << ": " << BerProblemText(outcome.diagnostic.problem);
        EXPECT_EQ(outcome.diagnostic.offset, c.offset) << c.hex;
    }
}

TEST(BerReader, TheSameBytesUnderBothRules) {
    // A three-byte tag for the general reading; a two-byte tag 9F81 and length 02 for the
    // strict one.
    const std::vector<uint8_t> bytes = HexBytes("9F810201AA");
    BerElement general;
    ASSERT_EQ(ReadFirst(bytes, &general), TLV_OK);
    EXPECT_EQ(general.tagLength, 3);
    EXPECT_EQ(general.valueLength, 1u);
    BerElement strict;
    ASSERT_EQ(ReadFirst(HexBytes("9F81021234"), &strict, BER_RULES_STRICT), TLV_OK);
    EXPECT_EQ(strict.tagLength, 2);
    EXPECT_EQ(strict.valueLength, 2u);
    EXPECT_EQ(Check(HexBytes("DF8101021234"), BER_RULES_STRICT).diagnostic.problem,
              BER_PROBLEM_TRAILING_BYTES);
}

TEST(BerReader, PaddingIsReadAndItsPlacementFlagged) {
    struct PaddingCase {
        const char* hex;
        uint32_t childCount;
        uint8_t paddingWarnings;
    } cases[] = {
        {"70075A02123400FF00", 2, 0},
        {"700600005A021234", 2, 0},
        {"7008A503880101FFFF00", 2, BER_WARNING_MISPLACED_PADDING},
        {"700300FF00", 1, BER_WARNING_MISPLACED_PADDING},
        {"700B A50388010100 A5038801 01", 3, BER_WARNING_MISPLACED_PADDING},
    };
    for (const PaddingCase& c : cases) {
        const std::vector<uint8_t> bytes = HexBytes(c.hex);
        const ExactCopy copy(bytes);
        BerCursor top;
        BerCursorInit(&top, copy.data(), copy.size(), BER_RULES_GENERAL);
        BerElement root;
        ASSERT_EQ(BerReadNext(&top, &root, nullptr), TLV_OK) << c.hex;
        BerCursor inside;
        BerCursorEnter(&top, &root, &inside);
        BerElement child;
        uint32_t count = 0;
        uint8_t warnings = 0xEE;
        TlvResult result;
        while ((result = BerReadNext(&inside, &child, nullptr)) == TLV_OK) {
            ++count;
            if (child.kind == TLV_KIND_PADDING) {
                warnings = child.warnings;
            }
        }
        EXPECT_EQ(result, TLV_ERR_NOT_FOUND) << c.hex;
        EXPECT_EQ(count, c.childCount) << c.hex;
        EXPECT_EQ(warnings, c.paddingWarnings) << c.hex;
        EXPECT_EQ(BerReadNext(&top, &root, nullptr), TLV_ERR_NOT_FOUND) << c.hex;
    }
}

TEST(BerReader, CursorHandsOutOffsetsAndStaysPutOnAProblem) {
    const std::vector<uint8_t> bytes = HexBytes(
        "9F2701809F3602001100FF"
        "5A03");
    const ExactCopy copy(bytes);
    BerCursor cursor;
    BerCursorInit(&cursor, copy.data(), copy.size(), BER_RULES_GENERAL);
    const uint32_t offsets[] = {0, 4, 9};
    const uint8_t kinds[] = {TLV_KIND_PRIMITIVE, TLV_KIND_PRIMITIVE, TLV_KIND_PADDING};
    BerElement element;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(BerReadNext(&cursor, &element, nullptr), TLV_OK);
        EXPECT_EQ(element.offset, offsets[i]);
        EXPECT_EQ(element.start, copy.data() + offsets[i]);
        EXPECT_EQ(element.kind, kinds[i]);
    }
    EXPECT_EQ(element.valueLength, 2u);
    EXPECT_EQ(element.warnings, 0);  // after the primitive 9F36
    for (int attempt = 0; attempt < 2; ++attempt) {
        BerDiagnostic diagnostic = {0, 0};
        EXPECT_EQ(BerReadNext(&cursor, &element, &diagnostic), TLV_ERR_FORMAT);
        EXPECT_EQ(diagnostic.problem, BER_PROBLEM_TRUNCATED_VALUE);
        EXPECT_EQ(diagnostic.offset, 11u);
    }
    BerCursor empty;
    BerCursorInit(&empty, nullptr, 0, BER_RULES_GENERAL);
    EXPECT_EQ(BerReadNext(&empty, &element, nullptr), TLV_ERR_NOT_FOUND);
}

TEST(BerReader, SequencesOfTopLevelElements) {
    // The ICC data of an authorisation request: a run of elements with no template around it.
    const std::string field55 =
        "9F2608C2C12B098F3DA6E39F2701809F100706011203A4B0109F3704D8E7A2F69F36020157950580800480"
        "009A032306159C01005F2A020978820239009F1A0209789F03060000000000009F02060000000019995F34"
        "0101";
    const CheckOutcome run = Check(HexBytes(field55), BER_RULES_GENERAL, BER_CHECK_SEQUENCE);
    EXPECT_EQ(run.result, TLV_OK);
    EXPECT_EQ(run.topCount, 14u);
    EXPECT_EQ(Check(HexBytes(field55)).diagnostic.problem, BER_PROBLEM_TRAILING_BYTES);
    EXPECT_EQ(Check(HexBytes(field55)).diagnostic.offset, 11u);

    const CheckOutcome padded = Check(HexBytes("FFFF"
                                               "5A021234"
                                               "0000"),
                                      BER_RULES_GENERAL, BER_CHECK_SEQUENCE);
    EXPECT_EQ(padded.result, TLV_OK);
    EXPECT_EQ(padded.topCount, 3u);
    const CheckOutcome none = Check({}, BER_RULES_GENERAL, BER_CHECK_SEQUENCE);
    EXPECT_EQ(none.result, TLV_OK);
    EXPECT_EQ(none.topCount, 0u);
}

// Every prefix of a valid input is refused: the element being read when the bytes ran out is
// the one at fault, and the part it was in names the problem.
struct PrefixRecord {
    std::string hex;
    uint32_t headerTag;
    uint32_t headerLength;
};

BerProblem ExpectedTruncation(uint32_t cut, const PrefixRecord& record) {
    if (cut < record.headerTag) {
        return BER_PROBLEM_TRUNCATED_TAG;
    }
    return cut < record.headerTag + record.headerLength ? BER_PROBLEM_TRUNCATED_LENGTH
                                                        : BER_PROBLEM_TRUNCATED_VALUE;
}

std::vector<PrefixRecord> PrefixRecords() {
    std::vector<PrefixRecord> records;
    for (const TlvSample& sample : ValidSamples()) {
        TlvTree tree;
        EXPECT_EQ(ParseExact(sample.bytes, &tree, 0), TLV_OK);
        records.push_back({BytesHex(sample.bytes), tree->tagLength, tree->lengthSize});
    }
    records.push_back(
        {"BF810104"
         "DF810200",
         3, 1});
    records.push_back({"9F8121" + LengthHex(300) + std::string(600, '5'), 3, 3});
    records.push_back({"7F21" + LengthHex(9, 5) + "DF8181010481020304", 2, 5});
    return records;
}

TEST(BerReader, EveryPrefixOfOneElementIsRefused) {
    for (const PrefixRecord& record : PrefixRecords()) {
        const std::vector<uint8_t> bytes = HexBytes(record.hex);
        ASSERT_EQ(Check(bytes).result, TLV_OK) << record.hex;
        for (uint32_t cut = 0; cut < bytes.size(); ++cut) {
            const CheckOutcome outcome =
                Check(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut));
            ASSERT_EQ(outcome.result, TLV_ERR_FORMAT) << record.hex << " cut at " << cut;
            EXPECT_EQ(outcome.diagnostic.offset, 0u) << record.hex << " cut at " << cut;
            EXPECT_EQ(outcome.diagnostic.problem, ExpectedTruncation(cut, record))
                << record.hex << " cut at " << cut;
        }
    }
}

TEST(BerReader, EveryPrefixOfASequenceEndsAtAnElementOrIsRefused) {
    const std::vector<PrefixRecord> records = PrefixRecords();
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> starts;
    for (const PrefixRecord& record : records) {
        starts.push_back(static_cast<uint32_t>(bytes.size()));
        const std::vector<uint8_t> more = HexBytes(record.hex);
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
    starts.push_back(static_cast<uint32_t>(bytes.size()));
    size_t record = 0;
    for (uint32_t cut = 0; cut <= bytes.size(); ++cut) {
        while (starts[record + 1] <= cut && record + 1 < records.size()) {
            ++record;
        }
        const CheckOutcome outcome = Check(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut),
                                           BER_RULES_GENERAL, BER_CHECK_SEQUENCE);
        if (cut == starts[record] || cut == bytes.size()) {
            EXPECT_EQ(outcome.result, TLV_OK) << "cut at " << cut;
            EXPECT_EQ(outcome.topCount, cut == bytes.size() ? records.size() : record);
            continue;
        }
        ASSERT_EQ(outcome.result, TLV_ERR_FORMAT) << "cut at " << cut;
        EXPECT_EQ(outcome.diagnostic.offset, starts[record]) << "cut at " << cut;
        EXPECT_EQ(outcome.diagnostic.problem,
                  ExpectedTruncation(cut - starts[record], records[record]))
            << "cut at " << cut;
    }
}

// `levels` templates 60 nested inside each other around 5A00.
std::vector<uint8_t> Nested(int levels) {
    std::string hex = "5A00";
    for (int i = 0; i < levels; ++i) {
        hex = "60" + LengthHex(static_cast<uint32_t>(hex.size() / 2)) + hex;
    }
    return HexBytes(hex);
}

TEST(BerReader, NestingIsBoundedSoThatWalksNeverRecurseTooDeep) {
    EXPECT_EQ(Check(Nested(BER_MAX_DEPTH)).result, TLV_OK);
    const std::vector<uint8_t> deeper = Nested(BER_MAX_DEPTH + 1);
    const CheckOutcome outcome = Check(deeper);
    EXPECT_EQ(outcome.result, TLV_ERR_FORMAT);
    EXPECT_EQ(outcome.diagnostic.problem, BER_PROBLEM_TOO_DEEP);
    // The innermost template, 60 02 5A 00, is the one that would go too deep.
    EXPECT_EQ(outcome.diagnostic.offset, deeper.size() - 4);
}

TEST(BerReader, WritesLengthFieldsInTheFormAsked) {
    struct LengthCase {
        uint32_t length;
        uint8_t size;
        const char* hex;  // null: does not fit
    } cases[] = {
        {5, 1, "05"},
        {0x7F, 1, "7F"},
        {0x80, 1, nullptr},
        {5, 2, "8105"},
        {0xFF, 2, "81FF"},
        {0x100, 2, nullptr},
        {0x100, 3, "820100"},
        {5, 4, "83000005"},
        {0x1000000, 4, nullptr},
        {0xFFFFFFFF, 5, "84FFFFFFFF"},
        {1, 0, nullptr},
        {1, 6, nullptr},
    };
    for (const LengthCase& c : cases) {
        uint8_t field[8] = {0};
        const uint32_t written = BerWriteLengthField(c.length, c.size, field);
        if (c.hex == nullptr) {
            EXPECT_EQ(written, 0u) << c.length << " in " << int(c.size);
        } else {
            EXPECT_EQ(BytesHex(std::vector<uint8_t>(field, field + written)), c.hex);
        }
    }
}

TEST(BerReader, EveryProblemAndWarningHasAText) {
    for (BerProblem problem = BER_PROBLEM_TRUNCATED_TAG; problem <= BER_PROBLEM_LONG_LENGTH;
         ++problem) {
        EXPECT_STRNE(BerProblemText(problem), "unknown problem") << int(problem);
    }
    EXPECT_STREQ(BerProblemText(BER_PROBLEM_TRUNCATED_VALUE), "truncated value");
    EXPECT_STREQ(BerWarningText(BER_WARNING_NON_MINIMAL_LENGTH), "non-minimal length");
    EXPECT_STREQ(BerWarningText(BER_WARNING_MISPLACED_PADDING), "misplaced padding");
}

}  // namespace
