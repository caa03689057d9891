#include "core/hex_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tlv_samples.h"

namespace {

std::string Convert(const std::string& text) {
    std::vector<uint8_t> out(text.size() / 2 + 1);
    uint32_t count = 99;
    HexTextToBytes(text.data(), static_cast<uint32_t>(text.size()), out.data(), &count);
    out.resize(count);
    return BytesHex(out);
}

TEST(HexTextToBytes, ConvertsUntilTheFirstCharacterThatDoesNotFit) {
    struct Case {
        std::string text;
        const char* bytes;
    } cases[] = {
        {"5a021234", "5A021234"},
        {"5A021234", "5A021234"},
        {"5A0212345", "5A021234"},
        {"5A021234XYZ", "5A021234"},
        {"5A 02 12 34", "5A021234"},
        {"  5A", "5A"},
        {"5 A02", ""},
        {"5A0 2", "5A"},
        {std::string("5A\0"
                     "02",
                     5),
         "5A"},
        {"ZZ", ""},
        {"", ""},
        {"G0", ""},
        {"abcdefABCDEF0189", "ABCDEFABCDEF0189"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Convert(c.text), c.bytes) << c.text;
    }
}

TEST(HexTextToBytes, CountsWithoutAnOutputBuffer) {
    uint32_t count = 0;
    HexTextToBytes("70075A", 6, nullptr, &count);
    EXPECT_EQ(count, 3u);
    HexTextToBytes(nullptr, 6, nullptr, &count);
    EXPECT_EQ(count, 0u);
}

TEST(HexText, StripsTheFourWhiteSpaceCharacters) {
    std::string pane = "70 07\r\n5A 02 12 34\t00 FF 00";
    pane.resize(HexTextStripWhiteSpace(&pane[0], static_cast<uint32_t>(pane.size())));
    EXPECT_EQ(pane, "70075A02123400FF00");
    EXPECT_EQ(Convert(pane), "70075A02123400FF00");
}

TEST(HexText, BytesBecomeUpperCasePairs) {
    const uint8_t bytes[] = {0x00, 0x0a, 0xFF, 0x5a};
    char text[9];
    BytesToHexText(bytes, 4, text);
    EXPECT_STREQ(text, "000AFF5A");
    BytesToHexText(bytes, 0, text);
    EXPECT_STREQ(text, "");
}

}  // namespace
