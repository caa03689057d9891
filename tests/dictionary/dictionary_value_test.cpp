#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/dictionary.h"
#include "support/tlv_samples.h"

namespace {

struct SetCase {
    int index;
    std::string value;  // hexadecimal
    TlvResult result;
    std::string stored;  // hexadecimal; "-" when no value is held
};

std::string StoredHex(const DataElementDef* entry) {
    if (entry->value == nullptr || entry->valueLength == 0) {
        return "-";
    }
    EXPECT_EQ(entry->value[entry->valueLength], 0);
    return BytesHex(std::vector<uint8_t>(entry->value, entry->value + entry->valueLength));
}

void Check(const std::vector<SetCase>& cases) {
    for (const SetCase& c : cases) {
        DataElementDef* entry = DictGetEntry(c.index);
        const std::vector<uint8_t> bytes = HexBytes(c.value);
        EXPECT_EQ(DictSetValue(entry, bytes.data(), static_cast<uint16_t>(bytes.size()), 0),
                  c.result)
            << c.index << " " << c.value;
        EXPECT_EQ(StoredHex(entry), c.stored) << c.index << " " << c.value;
        DictSetValue(entry, nullptr, 0, 0);
    }
}

TEST(DictSetValue, IccLengthsAreCheckedStrictly) {
    Check({
        {10, "09", DE_ERR_VALUE_LENGTH, "-"},  // fixed 2
        {10, "0978", TLV_OK, "0978"},
        {10, "097A", DE_ERR_VALUE_FORMAT, "097A"},
        {12, "", DE_ERR_VALUE_LENGTH, "-"},  // range 1-32
        {21, "", TLV_OK, "-"},               // range 0-10
        {21, "1234567890123456789012", DE_ERR_VALUE_LENGTH, "-"},
        {35, "000102030405060708", DE_ERR_VALUE_LENGTH, "-"},  // list 8 or 11
        {35, "0001020304050607", TLV_OK, "0001020304050607"},
        {35, "000102030405060708090A", TLV_OK, "000102030405060708090A"},
    });
}

TEST(DictSetValue, TerminalAndIssuerValuesAreFittedByFormat) {
    Check({
        {5, "0123", TLV_OK, "000000000123"},                         // n: right-justified
        {118, "41424344", DE_ERR_VALUE_FORMAT, "4142434400000000"},  // an: zero fill fails
        {96, "3132333435363738393031323334353637383930", TLV_OK,
         "313233343536373839303132333435"},        // ans: tail dropped
        {74, "0102", TLV_OK, "0102"},              // range 8-16: not padded
        {34, "0102030405", TLV_OK, "0102030405"},  // list: up to 8
        {34, "01020304050607080910", TLV_OK, "0102030405060708"},
        {124, "1234", TLV_OK, "1234"},
    });
}

TEST(DictSetValue, FormatChecks) {
    Check({
        {21, "12345FFF", TLV_OK, "12345FFF"},  // cn
        {21, "12F4", DE_ERR_VALUE_FORMAT, "12F4"},
        {21, "1A", DE_ERR_VALUE_FORMAT, "1A"},
        {21, "F1", DE_ERR_VALUE_FORMAT, "F1"},
        {13, "991231", TLV_OK, "991231"},  // n
        {13, "99123A", DE_ERR_VALUE_FORMAT, "99123A"},
        {13, "A91231", DE_ERR_VALUE_FORMAT, "A91231"},
        {33, "3030", TLV_OK, "3030"},  // an (issuer/terminal, fixed 2)
        {33, "302D", DE_ERR_VALUE_FORMAT, "302D"},
        {77, "4445", TLV_OK, "4445"},  // a
        {77, "4435", DE_ERR_VALUE_FORMAT, "4435"},
        {16, "A0000000041010", TLV_OK, "A0000000041010"},  // b: no check
    });
}

TEST(DictSetValue, AlphaNumericStringReplacements) {
    // Entry 19 replaces every byte it may not show; entry 20 only control bytes and zero;
    // other entries accept signs and control bytes but refuse zero and bytes from 0x80.
    Check({
        {19, "41422A4344", TLV_OK, "4142204344"},
        {20, "41422A4344", TLV_OK, "41422A4344"},
        {19, "41000A7F80FF", TLV_OK, "412020202020"},
        {20, "41000A7F80FF", TLV_OK,
         "41202020"
         "80FF"},
        {39, "41422A0A7F", TLV_OK, "41422A0A7F"},
        {39, "414200", DE_ERR_VALUE_FORMAT, "414200"},
        {39, "4142C3", DE_ERR_VALUE_FORMAT, "4142C3"},
    });
}

TEST(DictSetValue, ReplacingAndRefusing) {
    DataElementDef* entry = DictGetEntry(10);
    const uint8_t first[] = {0x09, 0x78};
    const uint8_t second[] = {0x08, 0x40};
    ASSERT_EQ(DictSetValue(entry, first, 2, 0), TLV_OK);
    EXPECT_EQ(DictSetValue(entry, second, 2, 1), DE_ERR_VALUE_SET);
    EXPECT_EQ(StoredHex(entry), "0978");
    EXPECT_EQ(DictSetValue(entry, second, 2, 0), TLV_OK);
    EXPECT_EQ(StoredHex(entry), "0840");
    EXPECT_EQ(DictSetValue(entry, second, 1, 0), DE_ERR_VALUE_LENGTH);
    EXPECT_EQ(StoredHex(entry), "-");
    EXPECT_EQ(DictSetValue(nullptr, second, 2, 0), TLV_ERR_PARAM);
}

TEST(DictSetValue, CallerBytesStayUnchanged) {
    uint8_t label[] = {'A', 'B', '*', 'C', 'D'};
    ASSERT_EQ(DictSetValue(DictGetEntry(19), label, 5, 0), TLV_OK);
    EXPECT_EQ(label[2], '*');
    DictSetValue(DictGetEntry(19), nullptr, 0, 0);
}

}  // namespace
