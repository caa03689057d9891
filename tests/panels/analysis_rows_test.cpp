#include "panels/analysis_rows.h"

#include <gtest/gtest.h>

#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

// Rows flattened as "contents|data|description", children indented by two spaces.
void Flatten(const AnalysisRow& row, int depth, std::vector<std::string>* lines) {
    lines->push_back(std::string(2 * depth, ' ') + row.contents + "|" + row.data + "|" +
                     row.description);
    for (const AnalysisRow& child : row.children) {
        Flatten(child, depth + 1, lines);
    }
}

// The rows of the node at `path` (child indices) in the tree of `hex`.
std::vector<std::string> Rows(const char* hex, std::vector<int> path,
                              AnalysisRow* header = nullptr) {
    TlvTree tree;
    EXPECT_EQ(ParseExact(HexBytes(hex), &tree, 0), TLV_OK) << hex;
    const TlvNode* node = tree.get();
    for (int index : path) {
        node = ChildAt(node, static_cast<uint8_t>(index));
    }
    uint8_t kind = 0;
    TlvGetKind(node, &kind);
    AnalysisRow row;
    std::vector<std::string> lines;
    if (BuildAnalysisRows(kind, node, &row)) {
        Flatten(row, 0, &lines);
    }
    if (header != nullptr) {
        *header = row;
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(AnalysisRows, AipInsideAResponseTemplate) {
    AnalysisRow header;
    EXPECT_EQ(
        Rows("770482021980", {0}, &header),
        Lines({"Application Interchange Profile(AIP)|82021980|", "  Tag|82|", "  Length|02|2 bytes",
               "  Value|1980|", "    Byte 1 b5||Cardholder verification is supported",
               "    Byte 1 b4||Terminal risk management is to be performed",
               "    Byte 1 b1||Combined DDA/AC Generation is supported", "    Byte 2 b8||RFU",
               "  Template||'77' - \"Response Message Template Format 2\""}));
    EXPECT_EQ(header.rowData, 18);
    EXPECT_EQ(header.image, ANALYSIS_IMAGE_PRIMITIVE);
    EXPECT_EQ(header.children[0].image, ANALYSIS_IMAGE_PART);
    EXPECT_EQ(header.children[2].children[0].image, ANALYSIS_IMAGE_DECODED);
    EXPECT_EQ(header.children[2].children[0].tooltip, "AIP Byte 1 - (Leftmost)");
    EXPECT_EQ(header.children[2].children[3].tooltip, "AIP Byte 2 - (Rightmost)");
    EXPECT_EQ(header.children[0].rowData, 0);
}

TEST(AnalysisRows, AflRecordsInGroupsOfFour) {
    const Lines eight = Rows("94080801010010010301", {});
    ASSERT_EQ(eight.size(), 6u);
    EXPECT_EQ(eight[4], "    1/2 Record Info|08010100|SFI 1, Record No. 1 ~ 1, No. for ODA 0");
    EXPECT_EQ(eight[5], "    2/2 Record Info|10010301|SFI 2, Record No. 1 ~ 3, No. for ODA 1");
    const Lines six = Rows("9406080101001001", {});
    ASSERT_EQ(six.size(), 5u);
    EXPECT_EQ(six[4], "    1/1 Record Info|08010100|SFI 1, Record No. 1 ~ 1, No. for ODA 0");
    EXPECT_EQ(Rows("9403080101", {}).size(), 4u);
}

TEST(AnalysisRows, AflEntriesATerminalCannotReadAreMarked) {
    const struct {
        const char* entry;
        Lines marks;
    } cases[] = {
        {"08010400", {}},
        {"F0010202", {}},
        {"0F010100", {"      Invalid|0F|Invalid: the three low bits of the SFI byte are not zero"}},
        {"00010100", {"      Invalid|00|Invalid: SFI out of the range 1 to 30"}},
        {"F8010100", {"      Invalid|F8|Invalid: SFI out of the range 1 to 30"}},
        {"08000100", {"      Invalid|00|Invalid: no record 0"}},
        {"08030100", {"      Invalid|0301|Invalid: the last record comes before the first"}},
        {"08010203",
         {"      Invalid|03|Invalid: more records for offline data authentication than in the "
          "range"}},
        {"07000000",
         {"      Invalid|07|Invalid: the three low bits of the SFI byte are not zero",
          "      Invalid|07|Invalid: SFI out of the range 1 to 30",
          "      Invalid|00|Invalid: no record 0"}},
    };
    for (const auto& c : cases) {
        const Lines rows = Rows((std::string("9404") + c.entry).c_str(), {});
        ASSERT_GE(rows.size(), 5u) << c.entry;
        EXPECT_EQ(rows[4].substr(0, 26), "    1/1 Record Info|" + std::string(c.entry).substr(0, 6))
            << c.entry;
        EXPECT_EQ(Lines(rows.begin() + 5, rows.end()), c.marks) << c.entry;
    }
}

TEST(AnalysisRows, CryptogramInformationData) {
    EXPECT_EQ(
        Rows("9F270180", {}),
        Lines({"Cryptogram Information Data(CID)|9F270180|", "  Tag|9F27|", "  Length|01|1 byte",
               "  Value|80|", "    AC Type||ARQC", "    Advice||No advice Required",
               "    Reason/advice/referral code||No information given"}));
    const Lines tc = Rows("9F27014C", {});
    EXPECT_EQ(tc[4], "    AC Type||TC");
    EXPECT_EQ(tc[5], "    Advice||Advice Required");
    EXPECT_EQ(tc[6], "    Reason/advice/referral code||");
}

TEST(AnalysisRows, IssuerActionCodesAndVerificationResults) {
    EXPECT_EQ(Rows("9F0D050000000000", {}).size(), 4u);
    const Lines denial = Rows("9F0E05F800000000", {});
    ASSERT_EQ(denial.size(), 9u);
    EXPECT_EQ(denial[4], "    Byte 1 b8||Offline data authentication was not performed");
    EXPECT_EQ(denial[5], "    Byte 1 b7||Offline static data authenticatin failed");
    EXPECT_EQ(denial[8], "    Byte 1 b4||Offline dynamic data authentication failed");
    AnalysisRow header;
    const Lines tvr = Rows("95050000000801", {}, &header);
    EXPECT_EQ(tvr[4], "    Byte 4 b4||Merchant forced transaction online");
    EXPECT_EQ(tvr[5], "    Byte 5 b1||RFU");
    EXPECT_EQ(header.children[2].children[0].tooltip, "TVR Byte 4");
    // A length that breaks the rule decodes nothing.
    EXPECT_EQ(Rows("8203198000", {}).size(), 4u);
}

TEST(AnalysisRows, TerminalSideTables) {
    const Lines capabilities = Rows("9F3303E0F8C8", {});
    EXPECT_EQ(capabilities[4], "    Byte 1 b8||Manual key entry");
    EXPECT_EQ(capabilities.back(), "    Byte 3 b4||Combined DDA/AC Generation");
    const Lines status = Rows("9B02E800", {});
    EXPECT_EQ(status[4], "    Byte 1 b8||Offline data authentication was performed");
    EXPECT_EQ(status.size(), 8u);
    EXPECT_EQ(Rows("9F4005F000F0A001", {}).back(), "    Byte 5 b1||Code table 1");
}

TEST(AnalysisRows, PaddingTextAndTemplates) {
    EXPECT_EQ(Rows("70055A02123400", {1}),
              Lines({"Padding|00|1 byte padding data",
                     "  Template||'70' - \"Application Elementary File (AEF) Data Template\""}));
    AnalysisRow header;
    EXPECT_EQ(Rows("70075A02123400FF00", {1}, &header)[0], "Padding|00FF00|3 bytes padding data");
    EXPECT_EQ(header.image, ANALYSIS_IMAGE_PADDING);
    EXPECT_EQ(Rows("7F7F05A5035A0100", {0}).back(), "  Template||'7F7F' - \"Not Defined\"");
}

TEST(AnalysisRows, ValuesAsTextAndEmptyValues) {
    EXPECT_EQ(Rows("500443415244", {})[3], "  Value|43415244|CARD");
    EXPECT_EQ(Rows("500443004244", {})[3], "  Value|43004244|C");
    EXPECT_EQ(Rows("9F4D00", {}),
              Lines({"Log Entry|9F4D00|", "  Tag|9F4D|", "  Length|00|0 byte", "  Value||"}));
    AnalysisRow header;
    EXPECT_EQ(Rows("9F7F0101", {}, &header)[0], "Not Defined|9F7F0101|");
    EXPECT_EQ(header.rowData, 0);
}

TEST(AnalysisRows, ConstructedElementsShowTheirContentOnly) {
    AnalysisRow header;
    EXPECT_EQ(Rows("70075A02123400FF00", {}, &header),
              Lines({"Application Elementary File (AEF) Data Template|70075A02123400FF00|",
                     "  Tag|70|", "  Length|07|7 bytes", "  Value|5A02123400FF00|"}));
    EXPECT_EQ(header.image, ANALYSIS_IMAGE_CONSTRUCTED);
}

TEST(AnalysisRows, MismatchedKindsLeaveThePanelEmpty) {
    TlvTree tree;
    ASSERT_EQ(ParseExact(HexBytes("5A021234"), &tree, 1), TLV_OK);
    AnalysisRow header;
    EXPECT_FALSE(BuildAnalysisRows(0, nullptr, &header));
    EXPECT_FALSE(BuildAnalysisRows(0, tree.get(), &header));
    EXPECT_FALSE(BuildAnalysisRows(TLV_KIND_CONSTRUCTED, tree.get(), &header));
    EXPECT_FALSE(BuildAnalysisRows(TLV_KIND_PADDING, tree.get(), &header));
    EXPECT_TRUE(BuildAnalysisRows(TLV_KIND_PRIMITIVE, tree.get(), &header));
}

}  // namespace
