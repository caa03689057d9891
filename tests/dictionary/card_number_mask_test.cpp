#include "dictionary/card_number_mask.h"

#include <gtest/gtest.h>

#include <random>

#include "core/ber_reader.h"
#include "core/tlv_test_util.h"
#include "dictionary/element_row.h"
#include "support/tlv_samples.h"

namespace {

std::string MaskedValue(const std::vector<uint8_t>& tag, const std::string& valueHex) {
    const std::vector<uint8_t> value = HexBytes(valueHex);
    DigitMask mask;
    AppendValueMask(tag.data(), static_cast<uint32_t>(tag.size()), value.data(),
                    static_cast<uint32_t>(value.size()), &mask);
    EXPECT_EQ(mask.size(), 2 * value.size());
    return MaskedHexText(valueHex, mask);
}

std::string Ascii(const std::string& text) {
    std::string hex;
    for (const char c : text) {
        static const char kDigits[] = "0123456789ABCDEF";
        hex += kDigits[static_cast<uint8_t>(c) >> 4];
        hex += kDigits[static_cast<uint8_t>(c) & 0x0F];
    }
    return hex;
}

std::string MaskedElements(const std::string& hex, uint8_t rules = BER_RULES_STRICT) {
    const std::vector<uint8_t> bytes = HexBytes(hex);
    DigitMask mask;
    AppendElementsMask(bytes.data(), static_cast<uint32_t>(bytes.size()), rules, &mask);
    EXPECT_EQ(mask.size(), 2 * bytes.size()) << hex;
    return MaskedHexText(hex, mask);
}

std::string MaskedDamaged(const std::string& hex) {
    const std::vector<uint8_t> bytes = HexBytes(hex);
    DigitMask mask;
    AppendDamagedElementsMask(bytes.data(), static_cast<uint32_t>(bytes.size()), &mask);
    EXPECT_EQ(mask.size(), 2 * bytes.size()) << hex;
    return MaskedHexText(hex, mask);
}

std::string MaskedNode(const TlvNode* node, int contentOnly) {
    DigitMask mask;
    AppendNodeMask(node, contentOnly, &mask);
    const std::vector<uint8_t> encoded = Encode(node, contentOnly);
    EXPECT_EQ(mask.size(), 2 * encoded.size());
    return MaskedHexText(BytesHex(encoded), mask);
}

struct ValueCase {
    std::vector<uint8_t> tag;
    const char* value;
    const char* shown;
};

TEST(CardNumberMask, ValuesOfEachElementThatHoldsACardNumber) {
    const ValueCase cases[] = {
        // PAN: the digits before the F filler; first six and last four kept.
        {{0x5A}, "4761739001010010", "476173******0010"},
        {{0x5A}, "4761739001010010123F", "476173*********0123F"},
        {{0x5A}, "12345678901F", "123456*8901F"},
        // Ten digits or fewer cannot keep ten and hide any: hidden whole.
        {{0x5A}, "1234567890", "**********"},
        {{0x5A}, "1234", "****"},
        {{0x5A}, "", ""},
        // Track 2: the PAN is what comes before the separator; the rest stays.
        {{0x57},
         "4761739001010010D22122011143804400000F",
         "476173******0010D22122011143804400000F"},
        {{0x57}, "5413330089600010D251", "541333******0010D251"},
        // Without a separator everything up to the filler may be the PAN.
        {{0x57}, "4761739001010010FF", "476173******0010FF"},
        // Track 2 discretionary data: runs of twelve or more digits.
        {{0x9F, 0x20}, "12345678901234567890FF", "123456**********7890FF"},
        {{0x9F, 0x20}, "123456789012", "123456**9012"},
        {{0x9F, 0x20}, "12345678901F", "12345678901F"},
        {{0x9F, 0x20}, "1234567890A12345678901234B", "1234567890A123456****1234B"},
        // Track 1 discretionary data: characters, each hidden character both of its digits.
        {{0x9F, 0x1F},
         "414243313233343536373839303132333435365A",
         "414243313233343536************33343536"
         "5A"},
        {{0x9F, 0x1F}, "3132333435363738393031", "3132333435363738393031"},
        // Other elements never change, whatever digits they hold.
        {{0x9F, 0x02}, "000012345678", "000012345678"},
        {{0x5F, 0x20}, "4761739001010010", "4761739001010010"},
        {{0x5A, 0x00}, "4761739001010010", "4761739001010010"},
        {{0x9F, 0x6C}, "4761739001010010", "4761739001010010"},
        // Contactless Track 2 Data reads as Track 2 Equivalent Data.
        {{0x9F, 0x6B},
         "5413330089010000D26122010000000000000F",
         "541333******0000D26122010000000000000F"},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(MaskedValue(c.tag, c.value), c.shown) << c.value;
    }
    EXPECT_EQ(MaskedValue({0x9F, 0x1F}, Ascii("ABC4761739001010010XZ")),
              Ascii("ABC476173") + "************" + Ascii("0010XZ"));
    // Contactless Track 1 Data: the PAN after the format code, up to the field separator.
    EXPECT_EQ(MaskedValue({0x56}, Ascii("B4761739001010010^CARDHOLDER/VISA^2512201")),
              Ascii("B476173") + "************" + Ascii("0010^CARDHOLDER/VISA^2512201"));
}

TEST(CardNumberMask, DigitsAndCharactersOfACardNumber) {
    EXPECT_EQ(MaskCardNumber("4761739001010010"), "476173******0010");
    EXPECT_EQ(MaskCardNumber("4761739001010010123"), "476173*********0123");
    EXPECT_EQ(MaskCardNumber("12345678901"), "123456*8901");
    EXPECT_EQ(MaskCardNumber("1234567890"), "**********");
    EXPECT_EQ(MaskCardNumber(""), "");

    DigitMask mask = {false, false, true, false, false, true, false, false};
    EXPECT_EQ(MaskedByteText("ABCD", mask), "A**D");
    EXPECT_EQ(MaskedByteText("ABCDEF", mask), "A**DEF");
    EXPECT_EQ(MaskedHexText("0123456789", mask), "01*34*6789");
    EXPECT_EQ(MaskedHexText("012", mask), "01*");
    EXPECT_FALSE(MaskHidesAny(DigitMask(8, false)));
    EXPECT_TRUE(MaskHidesAny(mask));
}

TEST(CardNumberMask, ElementsInTemplatesAtAnyDepth) {
    EXPECT_EQ(MaskedElements("70125A0847617390010100105F3401019F2001FF"),
              "70125A08476173******00105F3401019F2001FF");
    EXPECT_EQ(MaskedElements("6F0CA50A5A084761739001010010"), "6F0CA50A5A08476173******0010");
    // Padding, long length forms and siblings are stepped over.
    EXPECT_EQ(MaskedElements("700E00005A81084761739001010010FF"),
              "700E00005A8108476173******0010FF");
    // A run of top-level elements, as the general reader reads a list.
    EXPECT_EQ(MaskedElements("5A0847617390010100105A0854133300896000108201FF", BER_RULES_GENERAL),
              "5A08476173******00105A08541333******00108201FF");
    // A tag that only begins like 5A is another element.
    EXPECT_EQ(MaskedElements("9F5A084761739001010010"), "9F5A084761739001010010");
    // What does not read as elements hides nothing, and keeps its length.
    EXPECT_EQ(MaskedElements("5A104761739001010010"), "5A104761739001010010");
    EXPECT_EQ(MaskedElements("70085A0847617390"), "70085A0847617390");
    EXPECT_EQ(MaskedElements(""), "");
}

TEST(CardNumberMask, DamagedElementsStillHideTheirCardNumbers) {
    // A template whose length is one short, one too long, and a value cut off by the end.
    EXPECT_EQ(MaskedDamaged("701B5A08476173900101001057104761739001010010D25122011234567F"),
              "701B5A08476173******00105710476173******0010D25122011234567F");
    EXPECT_EQ(MaskedDamaged("701D5A08476173900101001057104761739001010010D25122011234567F"),
              "701D5A08476173******00105710476173******0010D25122011234567F");
    // A card number cut short by the end keeps its first six digits only: the last four seen
    // are not its last four.
    EXPECT_EQ(MaskedDamaged("70095A084761739001"), "70095A08476173****");
    EXPECT_EQ(MaskedDamaged("700A5A0847617390010101"), "700A5A08476173********");
    EXPECT_EQ(MaskedDamaged("70159F6B13541333008901"), "70159F6B13541333******");
    EXPECT_EQ(MaskedDamaged("70079F6B1054133300"), "70079F6B10541333**");
    // Track 2 cut after its separator, and discretionary data whose last run may go on.
    EXPECT_EQ(MaskedDamaged("701557134761739001010010D25122"), "70155713476173******0010D25122");
    EXPECT_EQ(MaskedDamaged("9F1F10" + Ascii("AB12345678")), "9F1F10" + Ascii("AB123456") + "****");
    EXPECT_EQ(MaskedDamaged("9F200A1234567890"), "9F200A123456****");
    EXPECT_EQ(MaskedDamaged("9F200A12345DFF"), "9F200A12345DFF");
    // Discretionary data runs, and elements that read whole, as AppendElementsMask hides them.
    EXPECT_EQ(MaskedDamaged("70FF9F200A12345678901234567890"), "70FF9F200A123456**********7890");
    EXPECT_EQ(MaskedDamaged("70125A0847617390010100105F3401019F2001FF"),
              MaskedElements("70125A0847617390010100105F3401019F2001FF"));
    // Long length forms are read too; after a length field the reader refuses, the value is
    // taken to run past the end. A length field with nothing after it and bytes that name no
    // such tag hide nothing.
    EXPECT_EQ(MaskedDamaged("70205A81084761739001010010"), "70205A8108476173******0010");
    EXPECT_EQ(MaskedDamaged("70205A8200084761739001010010"), "70205A820008476173******0010");
    EXPECT_EQ(MaskedDamaged("70205A884761739001010010"), "70205A88476173**********");
    EXPECT_EQ(MaskedDamaged("5A81"), "5A81");
    EXPECT_EQ(MaskedDamaged("0102030405"), "0102030405");
    EXPECT_EQ(MaskedDamaged(""), "");
}

TEST(CardNumberMask, NodesAgreeWithTheirEncodings) {
    for (const TlvSample& sample : ValidSamples()) {
        TlvTree tree;
        ASSERT_EQ(ParseExact(sample.bytes, &tree, 0), TLV_OK) << sample.name;
        const std::string hex = BytesHex(sample.bytes);
        EXPECT_EQ(MaskedNode(tree.get(), 0), MaskedElements(hex)) << sample.name;
        const uint32_t header = tree->isPadding != 0 ? 0 : tree->tagLength + tree->lengthSize;
        EXPECT_EQ(MaskedNode(tree.get(), 1), MaskedElements(hex).substr(2 * header)) << sample.name;
    }
    // The largest sample is a template of 5A elements of one digit pair each: all hidden.
    TlvTree largest;
    ASSERT_EQ(ParseExact(EmvRecords().back().bytes, &largest, 1), TLV_OK);
    EXPECT_EQ(MaskedNode(ChildAt(largest.get(), 0), 0), "5A01**");
}

// A template whose length an edit could not rewrite no longer reads back from its encoding;
// its nodes still say where every card number is.
TEST(CardNumberMask, NodesOfATreeWhoseLengthsFellBehind) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("7013A50E5A0847617390010100105F3401018201FF"), &tree, 1), TLV_OK);
    ChildAt(tree.get(), 0)->lengthBytes[0] = 0x02;
    EXPECT_EQ(MaskedNode(tree.get(), 0), "7013A5025A08476173******00105F3401018201FF");
    EXPECT_EQ(MaskedElements("7013A5025A0847617390010100105F3401018201FF"),
              "7013A5025A0847617390010100105F3401018201FF");
}

TEST(CardNumberMask, RandomBytesKeepTheirLengthAndOnlyLoseDigits) {
    std::mt19937 random(1313);
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> bytes(random() % 64);
        for (uint8_t& byte : bytes) {
            // Mostly the bytes of the elements that hold card numbers, so that some read.
            const uint8_t kBytes[] = {0x5A, 0x57, 0x9F, 0x1F, 0x20, 0x70, 0x08, 0x10, 0x47, 0x31};
            byte = random() % 3 == 0 ? static_cast<uint8_t>(random())
                                     : kBytes[random() % sizeof kBytes];
        }
        for (const uint8_t rules : {BER_RULES_STRICT, BER_RULES_GENERAL}) {
            const std::string hex = BytesHex(bytes);
            for (const std::string& shown : {MaskedElements(hex, rules), MaskedDamaged(hex)}) {
                ASSERT_EQ(shown.size(), hex.size());
                for (size_t i = 0; i < hex.size(); ++i) {
                    ASSERT_TRUE(shown[i] == hex[i] || (shown[i] == '*' && isxdigit(hex[i]))) << hex;
                }
            }
        }
    }
}

}  // namespace
