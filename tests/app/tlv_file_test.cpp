#include "app/tlv_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Magic() {
    return std::vector<uint8_t>(TLV_FILE_MAGIC, TLV_FILE_MAGIC + 16);
}

std::vector<uint8_t> Length(uint32_t n) {
    return {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
            static_cast<uint8_t>(n >> 24)};
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> all;
    for (const std::vector<uint8_t>& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TEST(TlvFile, WritesSignatureAndTwoLengthPrefixedStrings) {
    const std::vector<uint8_t> file = TlvFileWrite("5A021234", "5a 02\r\n12 34");
    EXPECT_EQ(file,
              Join({Magic(), Length(8), Bytes("5A021234"), Length(12), Bytes("5a 02\r\n12 34")}));
    EXPECT_EQ(TlvFileWrite("", "").size(), 24u);
    EXPECT_EQ(TlvFileWrite("", "abc").size(), 16u + 4u + 0u + 4u + 3u);
}

TEST(TlvFile, ReadsWhatWasWritten) {
    const std::vector<uint8_t> file = TlvFileWrite("70075A02123400FF00", "typed text");
    TlvFileStrings strings;
    ASSERT_TRUE(TlvFileRead(file.data(), file.size(), &strings));
    EXPECT_EQ(strings.encodedHex, "70075A02123400FF00");
    EXPECT_EQ(strings.paneText, "typed text");
    // Bytes after the last field are ignored.
    std::vector<uint8_t> longer = file;
    longer.push_back(0x99);
    ASSERT_TRUE(TlvFileRead(longer.data(), longer.size(), &strings));
    EXPECT_EQ(strings.paneText, "typed text");
}

TEST(TlvFile, StopsAtTheFirstMissingOrWrongField) {
    const std::vector<uint8_t> magic = Magic();
    std::vector<uint8_t> wrongMagic = magic;
    wrongMagic[11] = 0x02;
    const std::vector<std::vector<uint8_t>> stopped = {
        {},
        std::vector<uint8_t>(magic.begin(), magic.begin() + 15),
        Join({wrongMagic, Length(0), Length(0)}),
        Magic(),
        Join({Magic(), {0x02, 0x00, 0x00}}),
        Join({Magic(), Length(5), Bytes("5A02")}),
        Join({Magic(), Length(0xFFFFFFFFu), Bytes("5A")}),
        Join({Magic(), Length(2), Bytes("5A"), Length(3), Bytes("ab")}),
        Join({Magic(), Length(2), Bytes("5A")}),
    };
    for (const std::vector<uint8_t>& file : stopped) {
        TlvFileStrings strings;
        EXPECT_FALSE(TlvFileRead(file.data(), file.size(), &strings)) << file.size();
    }
    EXPECT_FALSE(TlvFileRead(nullptr, 0, nullptr));
}

TEST(TlvFile, StringsEndAtAZeroByte) {
    const std::vector<uint8_t> file =
        Join({Magic(), Length(6), {'5', 'A', 0, '0', '2', '1'}, Length(3), {'a', 0, 'b'}});
    TlvFileStrings strings;
    ASSERT_TRUE(TlvFileRead(file.data(), file.size(), &strings));
    EXPECT_EQ(strings.encodedHex, "5A");
    EXPECT_EQ(strings.paneText, "a");
}

}  // namespace
