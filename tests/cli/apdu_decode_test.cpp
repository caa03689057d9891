#include "cli/apdu_decode.h"

#include <gtest/gtest.h>

#include "cli/dol.h"
#include "cli/trace_lines.h"
#include "support/tlv_samples.h"

namespace {

TEST(ApduDecode, SplitsTheFourCasesShortAndExtended) {
    struct Case {
        const char* hex;
        const char* lc;
        const char* data;
        const char* le;
        bool malformed;
    } cases[] = {
        {"0084000000", "", "", "00", false},  // case 2: GET CHALLENGE
        {"00B2010C", "", "", "", false},      // case 1
        {"0020008008241234FFFFFFFFFF", "08", "241234FFFFFFFFFF", "", false},  // case 3
        {"00A4040007A000000004101000", "07", "A0000000041010", "00", false},  // case 4
        {"00B2010C000100", "", "", "000100", false},                          // extended case 2
        {"00DA9F4F000003AABBCC", "000003", "AABBCC", "", false},              // extended case 3
        {"00DA9F4F000003AABBCC0000", "000003", "AABBCC", "0000", false},      // extended case 4
        {"00A4040007A0000000041010FFFF", "", "07A0000000041010FFFF", "", true},
        {"00A40400", "", "", "", false},
        {"00A4040000AA", "", "00AA", "", true},
    };
    for (const Case& c : cases) {
        const CommandApdu command = DecodeCommand(HexBytes(c.hex));
        ASSERT_TRUE(command.valid) << c.hex;
        EXPECT_EQ(BytesHex(command.lc), c.lc) << c.hex;
        EXPECT_EQ(BytesHex(command.data), c.data) << c.hex;
        EXPECT_EQ(BytesHex(command.le), c.le) << c.hex;
        EXPECT_EQ(command.malformed, c.malformed) << c.hex;
    }
    EXPECT_FALSE(DecodeCommand(HexBytes("00A404")).valid);
}

TEST(ApduDecode, NamesCommandsAndWhatTheyAskFor) {
    struct Case {
        const char* hex;
        const char* name;
        const char* detail;
    } cases[] = {
        {"00A404000E325041592E5359532E444446303100", "SELECT",
         "by DF name, first or only occurrence: 2PAY.SYS.DDF01"},
        {"00A4040207A000000004101000", "SELECT", "by DF name, next occurrence"},
        {"00B2011400", "READ RECORD", "record 1, SFI 2"},
        {"00B2031C00", "READ RECORD", "record 3, SFI 3"},
        {"00B2010400", "READ RECORD", "record 1, current file"},
        {"80A8000002830000", "GET PROCESSING OPTIONS", ""},
        {"80AE8000021234", "GENERATE AC", "ARQC requested"},
        {"80AE4000021234", "GENERATE AC", "TC requested"},
        {"80AE0000021234", "GENERATE AC", "AAC requested"},
        {"80AE9000021234", "GENERATE AC", "ARQC requested, CDA signature requested"},
        {"80CA9F3600", "GET DATA", "tag 9F36 (Application Transaction Counter(ATC))"},
        {"80CA9F1700", "GET DATA", "tag 9F17 (Personal Identification Number(PIN) Try Counter)"},
        {"0088000004AABBCCDD00", "INTERNAL AUTHENTICATE", ""},
        {"008200000A112233445566778899AA", "EXTERNAL AUTHENTICATE", ""},
        {"0020008008241234FFFFFFFFFF", "VERIFY", "plaintext PIN"},
        {"0020008880AA", "VERIFY", "enciphered PIN"},
        {"0084000000", "GET CHALLENGE", ""},
        {"00C0000010", "GET RESPONSE", ""},
        {"802A8E800400000123", "COMPUTE CRYPTOGRAPHIC CHECKSUM", ""},
        {"00FF000000", "UNKNOWN", ""},
    };
    for (const Case& c : cases) {
        const CommandApdu command = DecodeCommand(HexBytes(c.hex));
        EXPECT_EQ(command.name, c.name) << c.hex;
        EXPECT_EQ(command.detail, c.detail) << c.hex;
    }
}

TEST(ApduDecode, StatusWordsHaveTheirMeanings) {
    struct Case {
        uint8_t sw1;
        uint8_t sw2;
        const char* text;
    } cases[] = {
        {0x90, 0x00, "Process completed normally"},
        {0x61, 0x1A, "Process completed normally, 26 response bytes still available"},
        {0x6C, 0x10, "Wrong Le field: 16 data bytes available"},
        {0x6C, 0x00, "Wrong Le field: 256 data bytes available"},
        {0x62, 0x83, "Warning: selected file deactivated (application blocked)"},
        {0x62, 0x99, "Warning: state of non-volatile memory unchanged"},
        {0x63, 0xC2, "Warning: counter 2 (PIN tries left after a failed VERIFY)"},
        {0x67, 0x00, "Wrong length"},
        {0x69, 0x83, "Authentication method blocked (PIN Try Limit exceeded)"},
        {0x69, 0x85, "Conditions of use not satisfied"},
        {0x6A, 0x81, "Function not supported (card or application blocked)"},
        {0x6A, 0x82, "File or application not found"},
        {0x6A, 0x83, "Record not found"},
        {0x6A, 0x88, "Referenced data or reference data not found"},
        {0x6A, 0xF0, "Checking error: wrong parameters P1-P2"},
        {0x6D, 0x00, "Instruction code not supported or invalid"},
        {0x6E, 0x00, "Class not supported"},
        {0x6F, 0x00, "No precise diagnosis"},
        {0x65, 0x81, "Execution error: memory failure"},
        {0x9F, 0x10, "Unknown status"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatusWordText(c.sw1, c.sw2), c.text) << std::hex << int(c.sw1) << int(c.sw2);
    }
}

TEST(TraceLines, MarkersAndTimeStampsAreTakenOff) {
    struct Case {
        const char* line;
        bool valid;
        TraceDirection direction;
        const char* time;
        const char* hex;
    } cases[] = {
        {"00A4 0400 00", true, TRACE_UNMARKED, "", "00A4040000"},
        {"> 00A4040000", true, TRACE_COMMAND, "", "00A4040000"},
        {">00A4040000", true, TRACE_COMMAND, "", "00A4040000"},
        {"<9000", true, TRACE_RESPONSE, "", "9000"},
        {"C: 00B2010C00", true, TRACE_COMMAND, "", "00B2010C00"},
        {"r:6A83", true, TRACE_RESPONSE, "", "6A83"},
        {"C-APDU 00B2010C00", true, TRACE_COMMAND, "", "00B2010C00"},
        {"r-apdu: 9000", true, TRACE_RESPONSE, "", "9000"},
        {"SEND: 0084000000", true, TRACE_COMMAND, "", "0084000000"},
        {"Recv 1122334455667788 9000", true, TRACE_RESPONSE, "", "11223344556677889000"},
        {"12:00:01.250 > 00B2010C00", true, TRACE_COMMAND, "12:00:01.250", "00B2010C00"},
        {"< [2023-06-15 12:00:01.300] 9000", true, TRACE_RESPONSE, "[2023-06-15 12:00:01.300]",
         "9000"},
        {"C0A4040000", true, TRACE_UNMARKED, "", "C0A4040000"},
        {"C 00A4040000", true, TRACE_COMMAND, "", "00A4040000"},
        {"2023-06-15T12:00:01.123Z > 00B2010C00", true, TRACE_COMMAND, "2023-06-15T12:00:01.123Z",
         "00B2010C00"},
        {"< 2023-06-15T12:00:01+01:00 9000", true, TRACE_RESPONSE, "2023-06-15T12:00:01+01:00",
         "9000"},
        {"2023-06-15 10:00:00.123 +01:00 < 9000", true, TRACE_RESPONSE,
         "2023-06-15 10:00:00.123 +01:00", "9000"},
        {"> 00B2010C00 # READ RECORD 1, SFI 1", true, TRACE_COMMAND, "", "00B2010C00"},
        {"9000#ok", true, TRACE_UNMARKED, "", "9000"},
        {"> # nothing but a comment", false, TRACE_UNMARKED, "", ""},
        {"> 00A4 0", false, TRACE_UNMARKED, "", ""},
        {"DEADBEEF-0T 9000", false, TRACE_UNMARKED, "", ""},
        {"> select PPSE", false, TRACE_UNMARKED, "", ""},
        {"12:00:01", false, TRACE_UNMARKED, "", ""},
    };
    for (const Case& c : cases) {
        TraceLine parsed;
        ASSERT_EQ(ParseTraceLine(c.line, &parsed), c.valid) << c.line;
        if (!c.valid) {
            continue;
        }
        EXPECT_EQ(parsed.direction, c.direction) << c.line;
        EXPECT_EQ(parsed.time, c.time) << c.line;
        EXPECT_EQ(BytesHex(parsed.bytes), c.hex) << c.line;
    }
}

TEST(Dol, EntriesAndTheDataAlongThem) {
    std::vector<DolEntry> entries;
    ASSERT_TRUE(ParseDol(HexBytes("9F1A029F3704DF810103"), &entries));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(BytesHex(entries[2].tag), "DF8101");
    EXPECT_EQ(entries[2].length, 3u);
    EXPECT_FALSE(ParseDol(HexBytes("9F1A029F37"), &entries));
    EXPECT_FALSE(ParseDol(HexBytes("9F"), &entries));

    ASSERT_TRUE(ParseDol(HexBytes("9F1A029F3704"), &entries));
    const DolSplit exact = SplitAlongDol(entries, HexBytes("097812345678"));
    EXPECT_EQ(BytesHex(exact.entries[0].value), "0978");
    EXPECT_EQ(BytesHex(exact.entries[1].value), "12345678");
    EXPECT_EQ(exact.missing, 0u);
    EXPECT_TRUE(exact.extra.empty());

    const DolSplit shortData = SplitAlongDol(entries, HexBytes("097812"));
    EXPECT_EQ(BytesHex(shortData.entries[1].value), "12");
    EXPECT_EQ(shortData.missing, 3u);
    const DolSplit longData = SplitAlongDol(entries, HexBytes("0978123456789999"));
    EXPECT_EQ(BytesHex(longData.extra), "9999");
}

}  // namespace
