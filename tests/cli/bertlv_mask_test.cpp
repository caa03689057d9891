// bertlv --mask, end to end: card numbers masked wherever parse and analyse show them, and
// nothing else changed.
#include <gtest/gtest.h>

#include <string>

#include "cli/tool_run.h"

namespace {

// A READ RECORD response with the PAN, Track 2 and both discretionary data elements; 9F1F
// holds "ABC" and sixteen digits and "XZ", 9F20 twenty digits and a filler.
const char kRecord[] =
    "704957134761739001010010D22122011143804400000F5A0847617390010100105F3401019F1F154142433132"
    "3334353637383930313233343536585A9F200B12345678901234567890FF";

// A contactless READ RECORD response: Track 1 Data 56 and Track 2 Data 9F6B, both with the PAN
// 4761739001010010.
const char kContactlessRecord[] =
    "703F562942343736313733393030313031303031305E43415244484F4C4445522F564953415E32353132323031"
    "9F6B114761739001010010D2512201123456789F";

// Masking only ever turns hexadecimal digits or digit characters into '*'.
void ExpectOnlyDigitsHidden(const std::string& plain, const std::string& masked) {
    ASSERT_EQ(plain.size(), masked.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] != masked[i]) {
            ASSERT_EQ(masked[i], '*') << i;
            ASSERT_TRUE(isxdigit(static_cast<unsigned char>(plain[i]))) << i;
        }
    }
}

TEST(BertlvMask, ParseMasksEveryCellThatShowsACardNumber) {
    const ToolRun run = RunTool(std::string("parse --mask ") + kRecord);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "Application Elementary File (AEF) Data Template\t70\t1 byte\t49\t"
              "5713476173******0010D22122011143804400000F5A08476173******00105F3401019F1F15414243"
              "313233343536************33343536585A9F200B123456**********7890FF\t73 bytes\t"
              "70495713476173******0010D22122011143804400000F5A08476173******00105F3401019F1F1541"
              "4243313233343536************33343536585A9F200B123456**********7890FF\n"
              "  Track 2 Equivalent Data\t57\t1 byte\t13\t476173******0010D22122011143804400000F\t"
              "19 bytes\t5713476173******0010D22122011143804400000F\n"
              "  Application Primary Account Number(PAN)\t5A\t1 byte\t08\t476173******0010\t"
              "8 bytes\t5A08476173******0010\n"
              "  Application Primary Account Number(PAN) Sequence Number\t5F34\t1 byte\t01\t01\t"
              "1 bytes\t5F340101\n"
              "  Track 1 Discretionary Data\t9F1F\t1 byte\t15\t"
              "414243313233343536************33343536585A\t21 bytes\t"
              "9F1F15414243313233343536************33343536585A\n"
              "  Track 2 Discretionary Data\t9F20\t1 byte\t0B\t123456**********7890FF\t11 bytes\t"
              "9F200B123456**********7890FF\n");
    const ToolRun plain = RunTool(std::string("parse ") + kRecord);
    EXPECT_EQ(plain.out.find('*'), std::string::npos);
    ExpectOnlyDigitsHidden(plain.out, run.out);
}

TEST(BertlvMask, EveryReadingAndOutputForm) {
    struct {
        const char* arguments;
        const char* input;
    } cases[] = {
        {"parse --json", kRecord},
        {"parse --ber", kRecord},
        {"parse --list --json", "5A0847617390010100105A085413330089600010"},
        {"parse --each", "5A084761739001010010\n#x\n57084761739001010010\n"},
        {"parse --each --json", "5A084761739001010010\n"},
        {"analyse", kRecord},
        {"analyse --json --path 0", kRecord},
        {"analyse --ber --path 3", kRecord},
        {"analyse --list", "5A0847617390010100105A085413330089600010"},
        {"parse", kContactlessRecord},
        {"analyse --path 1", kContactlessRecord},
    };
    for (const auto& c : cases) {
        const std::string arguments = c.arguments;
        const ToolRun plain = RunTool(arguments, c.input);
        const ToolRun masked = RunTool(arguments + " --mask", c.input);
        EXPECT_EQ(masked.status, 0) << arguments;
        EXPECT_EQ(plain.out.find("******"), std::string::npos) << arguments;
        EXPECT_NE(masked.out.find("******"), std::string::npos) << arguments;
        EXPECT_EQ(masked.out.find("4761739001010010"), std::string::npos) << arguments;
        EXPECT_EQ(masked.out.find("34373631373339303031303130303130"), std::string::npos)
            << arguments;
        ExpectOnlyDigitsHidden(plain.out, masked.out);
    }
}

TEST(BertlvMask, AnalyseMasksHeaderValueTextAndDecodedRows) {
    struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"0",
         "Track 2 Equivalent Data\t5713476173******0010D22122011143804400000F\t\n"
         "  Tag\t57\t\n"
         "  Length\t13\t19 bytes\n"
         "  Value\t476173******0010D22122011143804400000F\t\n"
         "    Primary Account Number\t476173******0010\t16 digits\n"
         "    Field Separator\tD\t\n"
         "    Expiration Date\t2212\t2022-12\n"
         "    Service Code\t201\t\n"
         "      Digit 1\t2\tInterchange and technology: International interchange, use IC (chip) "
         "where feasible\n"
         "      Digit 2\t0\tAuthorization processing: Normal\n"
         "      Digit 3\t1\tRange of services and PIN requirements: No restrictions\n"
         "    Discretionary Data\t1143804400000\t13 digits\n"
         "    Filler\tF\tPads the data to whole bytes\n"
         "  Template\t\t'70' - \"Application Elementary File (AEF) Data Template\"\n"},
        {"3",
         "Track 1 Discretionary Data\t9F1F15414243313233343536************33343536585A\t\n"
         "  Tag\t9F1F\t\n"
         "  Length\t15\t21 bytes\n"
         "  Value\t414243313233343536************33343536585A\tABC123456******3456XZ\n"
         "    Text\t\tABC123456******3456XZ\n"
         "  Template\t\t'70' - \"Application Elementary File (AEF) Data Template\"\n"},
        {"4",
         "Track 2 Discretionary Data\t9F200B123456**********7890FF\t\n"
         "  Tag\t9F20\t\n"
         "  Length\t0B\t11 bytes\n"
         "  Value\t123456**********7890FF\t\n"
         "    Discretionary Data\t123456**********7890\t20 digits\n"
         "  Template\t\t'70' - \"Application Elementary File (AEF) Data Template\"\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(std::string("analyse --mask --path ") + c.path + " " + kRecord);
        EXPECT_EQ(run.status, 0) << c.path;
        EXPECT_EQ(run.out, c.expected) << c.path;
    }
}

TEST(BertlvMask, OnlyTheCommandsThatShowDataTakeIt) {
    for (const char* arguments : {"dict --mask 5A", "--mask parse 5A00"}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_NE(run.err.find("--mask"), std::string::npos) << arguments;
    }
    for (const char* arguments : {"parse --help", "analyse --help", "trace --help"}) {
        EXPECT_NE(RunTool(arguments).out.find("--mask"), std::string::npos) << arguments;
    }
}

// A record whose CDOL1 asks for the PAN, the GENERATE AC that sends it, and a command of an
// unknown instruction whose data is a PAN element.
const char kTrace[] =
    "00B2010C00\n"
    "70265A0847617390010100108C055A089F370457134761739001010010D22122011143804400000F 9000\n"
    "80AE80000C 4761739001010010 12345678 00\n"
    "6985\n"
    "80E200000A5A084761739001010010\n"
    "9000\n";

TEST(BertlvMask, TraceMasksCommandsResponsesAndListEntries) {
    const ToolRun run = RunTool("trace --mask", kTrace);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const char* expected[] = {
        "< 70265A08476173******00108C055A089F37045713476173******0010D22122011143804400000F9000\n",
        "  Application Primary Account Number(PAN)\t5A\t1 byte\t08\t476173******0010\t8 bytes\t"
        "5A08476173******0010\n",
        "> 80AE80000C476173******00101234567800\n",
        "Lc 0C  Data 476173******001012345678  Le 00\n",
        "    5A\tApplication Primary Account Number(PAN)\t8 bytes\t476173******0010\n"
        "    9F37\tUnpredictable Number\t4 bytes\t12345678\n",
        "> 80E200000A5A08476173******0010\n",
    };
    for (const char* text : expected) {
        EXPECT_NE(run.out.find(text), std::string::npos) << text << "\nin\n" << run.out;
    }
    // A record whose template length is wrong does not read, and is shown whole.
    const char damaged[] =
        "> 00B2010C00\n< 701B5A08476173900101001057104761739001010010D25122011234567F9000\n";
    const ToolRun broken = RunTool("trace --mask", damaged);
    EXPECT_NE(broken.out.find("< 701B5A08476173******00105710476173******0010D25122011234567F"
                              "9000\n"),
              std::string::npos)
        << broken.out;
    EXPECT_NE(broken.out.find("  Data 701B5A08476173******00105710476173******0010D25122011234567F,"
                              " not one BER-TLV element"),
              std::string::npos)
        << broken.out;
    // Damaged data shows whole: a long length form, or a command whose data does not match Lc.
    const ToolRun hidden = RunTool(
        "trace --mask",
        "> 00B2010C00\n< 70205A81084761739001010010 9000\n> 04DA005A0A5A08476173900101001000\n");
    EXPECT_EQ(hidden.out.find("4761739001010010"), std::string::npos) << hidden.out;
    EXPECT_NE(hidden.out.find("< 70205A8108476173******00109000\n"), std::string::npos)
        << hidden.out;
    // PUT DATA sends the value of the element P1-P2 names: taken as a PAN, and read as
    // elements.
    EXPECT_NE(hidden.out.find("> 04DA005A0A5A0847**********001000\n"), std::string::npos)
        << hidden.out;
    const ToolRun contactless =
        RunTool("trace --mask", std::string("> 00B2010C00\n< ") + kContactlessRecord + "9000\n");
    EXPECT_NE(contactless.out.find("9F6B11476173******0010D2512201123456789F"), std::string::npos)
        << contactless.out;
    EXPECT_NE(contactless.out.find("562942343736313733************303031305E"), std::string::npos)
        << contactless.out;
    for (const char* arguments : {"trace", "trace --json"}) {
        const ToolRun plain = RunTool(arguments, kTrace);
        const ToolRun masked = RunTool(std::string(arguments) + " --mask", kTrace);
        EXPECT_EQ(masked.status, 0) << arguments;
        EXPECT_NE(plain.out.find("4761739001010010"), std::string::npos) << arguments;
        EXPECT_EQ(masked.out.find("4761739001010010"), std::string::npos) << arguments;
        EXPECT_EQ(masked.out.find("34373631373339303031303130303130"), std::string::npos)
            << arguments;
        ExpectOnlyDigitsHidden(plain.out, masked.out);
    }
}

// Logs lose lines and write a status word on a line of its own: a card number is hidden
// wherever a line holds it, and one cut short keeps only its first six digits.
TEST(BertlvMask, TraceHidesCardNumbersOfLinesTakenAmiss) {
    struct Case {
        const char* trace;
        std::vector<const char*> shown;
    } cases[] = {
        // The record's last two bytes taken for its status word.
        {"> 00B2010C00\n< 700A5A084761739001010119\n< 9000\n",
         {"< 700A5A08476173******0119\n  SW 0119: Unknown status\n",
          "  Data 700A5A08476173******, not one"}},
        // A record cut short: the status word may be more of the number.
        {"> 00B2010C00\n< 700A5A0847617390019000\n",
         {"< 700A5A08476173********\n  SW ****: Not shown: it may be the end of a card number\n"}},
        // A response where a command was due: the number starts in the header.
        {"700A5A0847617390010101199000\n6A83\n",
         {"> 700A5A08476173******01199000\n", "P2 08  Data 476173******01199000\n"}},
        // PUT DATA of the PAN, with a MAC after it.
        {"84DA005A0C4761739001010119AABBCCDD\n9000\n", {"> 84DA005A0C476173**************CCDD\n"}},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool("trace --mask", c.trace);
        for (const char* text : c.shown) {
            EXPECT_NE(run.out.find(text), std::string::npos) << text << "\nin\n" << run.out;
        }
        EXPECT_EQ(run.out.find("9001"), std::string::npos) << run.out;
        const ToolRun json = RunTool("trace --mask --json", c.trace);
        EXPECT_EQ(json.out.find("9001"), std::string::npos) << json.out;
    }
}

// A PIN given in clear is hidden but for its control byte; an enciphered one is shown.
TEST(BertlvMask, TraceHidesAPlaintextPin) {
    const char trace[] = "> 0020008008241234FFFFFFFFFF\n< 9000\n> 00200088041A2B3C4D\n< 9000\n";
    for (const char* arguments : {"trace --mask", "trace --mask --json"}) {
        const ToolRun run = RunTool(arguments, trace);
        EXPECT_EQ(run.status, 0) << arguments;
        EXPECT_EQ(run.out.find("1234"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("002000800824**************"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("1A2B3C4D"), std::string::npos) << run.out;
    }
    EXPECT_NE(RunTool("trace", trace).out.find("Data 241234FFFFFFFFFF"), std::string::npos);
}

}  // namespace
