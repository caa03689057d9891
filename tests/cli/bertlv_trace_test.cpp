// bertlv trace on the exchanges of a contact transaction.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "cli/tool_run.h"
#include "dictionary/json_output.h"

namespace {

// SELECT of the payment system environment and of the application (whose FCI holds a PDOL),
// GET PROCESSING OPTIONS, two READ RECORDs (the first holding CDOL1 and CDOL2), the first and
// the second GENERATE AC; markers and time stamps of several tools, and unmarked lines.
const char kTrace[] =
    "# contact transaction\n"
    "12:00:00.100 > 00A404000E325041592E5359532E444446303100\n"
    "12:00:00.180 < 6F23840E325041592E5359532E4444463031A511BF0C0E610C4F07A000000004101087010"
    "1 9000\n"
    "C-APDU: 00A4040007A000000004101000\n"
    "R-APDU: 6F238407A0000000041010A518500A4D4153544552434152448701019F38069F1A029F3704 9000\n"
    "send 80A80000088306097812345678 00\n"
    "recv: 7712820219809 40C080101001001020118010200 9000\n"
    "\n"
    "00B2010C00\n"
    "70405A0854133300896000105F24032512318C159F02069F03069F1A0295055F2A029A039C019F37048D178A"
    "029F02069F03069F1A0295055F2A029A039C019F37049000\n"
    "00B2020C00\n"
    "6A83\n"
    "[2023-06-15 12:00:01.000] > 80AE80001D 000000001000 000000000000 0978 0000000000 0978 "
    "230615 00 12345678 00\n"
    "< 80128000111A2B3C4D5E6F708106010A03A00000 9000\n"
    "80AE40001F 3030 000000001000 000000000000 0978 0000000000 0978 230615 00 12345678 00\n"
    "6985\n";

// The first READ RECORD command as the text output shows it.
const char kReadRecord1[] =
    "> 00B2010C00\n  READ RECORD record 1, SFI 1\n  CLA 00  INS B2  P1 01  P2 0C  Le 00\n";

TEST(BertlvTrace, DecodesAContactTransaction) {
    const ToolRun run = RunTool("trace", kTrace);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::string& out = run.out;
    const char* expected[] = {
        "> 12:00:00.100 00A404000E325041592E5359532E444446303100\n"
        "  SELECT by DF name, first or only occurrence: 2PAY.SYS.DDF01\n"
        "  CLA 00  INS A4  P1 04  P2 00  Lc 0E  Data 325041592E5359532E4444463031  Le 00\n"
        "< 12:00:00.180 6F23840E325041592E5359532E4444463031A511BF0C0E610C4F07A0000000041010870"
        "1019000\n"
        "  SW 9000: Process completed normally\n"
        "  File Control Information(FCI) Template\t6F\t1 byte\t23\t",
        "\n          Application Identifier(AID)-card\t4F\t1 byte\t07\tA0000000041010\t7 bytes\t"
        "4F07A0000000041010\n",
        "\n\n> 80A8000008830609781234567800\n"
        "  GET PROCESSING OPTIONS\n"
        "  CLA 80  INS A8  P1 00  P2 00  Lc 08  Data 8306097812345678  Le 00\n"
        "  PDOL data:\n"
        "    9F1A\tTerminal Country Code\t2 bytes\t0978\n"
        "    9F37\tUnpredictable Number\t4 bytes\t12345678\n"
        "< 771282021980940C0801010010010201180102009000\n"
        "  SW 9000: Process completed normally\n"
        "  Response Message Template Format 2\t77\t",
        "\n\n> 00B2010C00\n  READ RECORD record 1, SFI 1\n  CLA 00  INS B2  P1 01  P2 0C  Le 00\n",
        "    Card Risk Management Data Object List 1(CDOL1)\t8C\t1 byte\t15\t",
        "\n\n> 00B2020C00\n  READ RECORD record 2, SFI 1\n  CLA 00  INS B2  P1 02  P2 0C  Le 00\n"
        "< 6A83\n  SW 6A83: Record not found\n\n",
        "> [2023-06-15 12:00:01.000] 80AE80001D00000000100000000000000009780000000000097823061500"
        "1234567800\n"
        "  GENERATE AC ARQC requested\n",
        "  CDOL1 data:\n"
        "    9F02\tAmount, Authorised(Numeric)\t6 bytes\t000000001000\n"
        "    9F03\tAmount, Other(Numeric)\t6 bytes\t000000000000\n"
        "    9F1A\tTerminal Country Code\t2 bytes\t0978\n"
        "    95\tTerminal Verification Results(TVR)\t5 bytes\t0000000000\n"
        "    5F2A\tTransaction Currency Code\t2 bytes\t0978\n"
        "    9A\tTransaction Date\t3 bytes\t230615\n"
        "    9C\tTransaction Type\t1 byte\t00\n"
        "    9F37\tUnpredictable Number\t4 bytes\t12345678\n"
        "< 80128000111A2B3C4D5E6F708106010A03A000009000\n"
        "  SW 9000: Process completed normally\n"
        "  Response Message Template Format 1\t80\t1 byte\t12\t",
        "  Format 1 fields:\n"
        "    9F27\tCryptogram Information Data(CID)\t80\n"
        "    9F36\tApplication Transaction Counter(ATC)\t0011\n"
        "    9F26\tApplication Cryptogram(AC)\t1A2B3C4D5E6F7081\n"
        "    9F10\tIssuer Application Data\t06010A03A00000\n\n",
        "  GENERATE AC TC requested\n",
        "  CDOL2 data:\n"
        "    8A\tAuthorisation Response Code(ARC)\t2 bytes\t3030\n"
        "    9F02\tAmount, Authorised(Numeric)\t6 bytes\t000000001000\n",
        "< 6985\n  SW 6985: Conditions of use not satisfied\n",
    };
    size_t at = 0;
    for (const char* part : expected) {
        const size_t found = out.find(part, at);
        ASSERT_NE(found, std::string::npos) << "missing after offset " << at << ":\n"
                                            << part << "\nin:\n"
                                            << out;
        at = found + strlen(part);
    }
    EXPECT_EQ(at, out.size());
}

TEST(BertlvTrace, JsonHasOneObjectPerExchange) {
    const ToolRun run = RunTool("trace --json -", kTrace);
    EXPECT_EQ(run.status, 0);
    size_t lines = 0;
    for (const char c : run.out) {
        lines += c == '\n' ? 1 : 0;
    }
    EXPECT_EQ(lines, 7u);
    EXPECT_EQ(run.out.rfind("{\"command\":{\"line\":2,\"time\":\"12:00:00.100\",\"apdu\":"
                            "\"00A404000E325041592E5359532E444446303100\",\"name\":\"SELECT\",",
                            0),
              0u);
    EXPECT_NE(run.out.find("\"dol\":{\"name\":\"PDOL\",\"entries\":[{\"tag\":\"9F1A\",\"name\":"
                           "\"Terminal Country Code\",\"length\":2,\"value\":\"0978\"},{\"tag\":"
                           "\"9F37\",\"name\":\"Unpredictable Number\",\"length\":4,\"value\":"
                           "\"12345678\"}]}"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"response\":{\"line\":12,\"apdu\":\"6A83\",\"sw\":\"6A83\","
                           "\"status\":\"Record not found\"}}\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"fields\":[{\"tag\":\"9F27\",\"name\":\"Cryptogram Information "
                           "Data(CID)\",\"value\":\"80\"}"),
              std::string::npos);
    EXPECT_NE(run.out.find("\"element\":{\"kind\":\"constructed\",\"dataElement\":\"Response "
                           "Message Template Format 2\""),
              std::string::npos);
}

TEST(BertlvTrace, OddLinesAndDataAreReported) {
    // A GENERATE AC before any CDOL, a response whose data the strict reading refuses, one that
    // is no element at all, and a line that is neither command nor response.
    const ToolRun run = RunTool("trace",
                                "80AE8000021234\n"
                                "DF8101021234 9000\n"
                                "> 00B2010C00\n"
                                "< 5A0512 9000\n"
                                "> select the PPSE\n"
                                "< 9000\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "bertlv: line 5: not a command or response\n");
    EXPECT_NE(run.out.find("  GENERATE AC ARQC requested\n  CLA 80  INS AE  P1 80  P2 00  Lc 02  "
                           "Data 1234\n  No CDOL1 seen earlier in the trace.\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("  Read with the general reader: the strict reading refuses it.\n"
                           "  Not Defined\tDF8101\t1 byte\t02\t1234\t2 bytes\tDF8101021234\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("  Data 5A0512, not one BER-TLV element: truncated value at offset 0\n"),
              std::string::npos);
    const ToolRun reselected = RunTool("trace",
                                       "> 00B2010C00\n< 70058C039F370490 00\n"
                                       "> 00A404000E315041592E5359532E444446303100\n< 9000\n"
                                       "> 80AE80000412345678\n< 9000\n");
    EXPECT_NE(reselected.out.find("  No CDOL1 seen since the last SELECT.\n"), std::string::npos)
        << reselected.out;
    // A list that does not read is named as such, not as missing.
    const ToolRun badPdol = RunTool("trace",
                                    "> 00A4040007A000000003101000\n< 6F0E8407A00000000310109F3802"
                                    "9F1A 9000\n> 80A80000048302123400\n< 9000\n");
    EXPECT_NE(badPdol.out.find("  The PDOL seen since the last SELECT does not read as a list: "
                               "9F1A.\n"),
              std::string::npos)
        << badPdol.out;
    // Padding after a response's template: the data reads as a list, padding row and all.
    const ToolRun padded = RunTool("trace", "> 00B2010C00\n< 70035A01120000 9000\n");
    EXPECT_EQ(padded.status, 0);
    EXPECT_NE(padded.out.find("  Read with the general reader as a list: not one element "
                              "(trailing bytes at offset 5).\n"
                              "  Application Elementary File (AEF) Data Template\t70\t1 byte\t03\t"
                              "5A0112\t3 bytes\t70035A0112\n"
                              "    Application Primary Account Number(PAN)\t5A\t1 byte\t01\t12\t"
                              "1 bytes\t5A0112\n"
                              "  padding\t\t\t\t0000\t2 bytes\t0000\twarning: misplaced padding\n"),
              std::string::npos)
        << padded.out;
    const ToolRun paddedJson = RunTool("trace --json", "> 00B2010C00\n< 70035A01120000 9000\n");
    EXPECT_NE(paddedJson.out.find("\"elements\":[{\"kind\":\"constructed\""), std::string::npos)
        << paddedJson.out;
    EXPECT_NE(paddedJson.out.find("{\"kind\":\"padding\""), std::string::npos) << paddedJson.out;
    // A challenge is random bytes, whatever BER-TLV they may resemble.
    const ToolRun challenge =
        RunTool("trace", "> 0084000008\n< 0102030405060708 9000\n> 00B2010400\n< 6A83\n");
    EXPECT_EQ(challenge.status, 0);
    EXPECT_NE(challenge.out.find("  GET CHALLENGE\n"), std::string::npos) << challenge.out;
    EXPECT_NE(challenge.out.find("  Data 0102030405060708: the card's unpredictable number\n"),
              std::string::npos)
        << challenge.out;
    EXPECT_NE(challenge.out.find("  READ RECORD record 1, current file\n"), std::string::npos)
        << challenge.out;
    const ToolRun odd = RunTool("trace", "> 00B2010C0\n< 9000\n");
    EXPECT_EQ(odd.err, "bertlv: line 1: odd number of hex digits\n");
    const ToolRun huge = RunTool("trace", "00A4040000\n" + std::string(3 << 20, 'A') + "\n");
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.err, "bertlv: line 2: line longer than any command or response\n");
    // A refused line keeps its turn: the command before a refused response stands alone, and
    // the response to a refused command pairs with nothing.
    const struct {
        const char* trace;
        const char* lastResponse;
    } turns[] = {
        {"00B2010C00\n6A8\n00B2020C00\n9000\n", "  CLA 00  INS B2  P1 02  P2 0C  Le 00\n< 9000\n"},
        {"> 00B2010C00\n< 6A8\n> 00B2020C00 zz\n< 9000\n",
         "  CLA 00  INS B2  P1 01  P2 0C  Le 00\n\n< 9000\n"},
    };
    for (const auto& c : turns) {
        const ToolRun turn = RunTool("trace", c.trace);
        EXPECT_EQ(turn.status, 1);
        EXPECT_EQ(turn.out.rfind(std::string(kReadRecord1) + "\n", 0), 0u) << turn.out;
        EXPECT_NE(turn.out.find(c.lastResponse), std::string::npos) << turn.out;
    }
    // Format 1 values too short for their fields say so.
    const ToolRun shortFields = RunTool("trace",
                                        "80A8000002830000\n8003198008 9000\n"
                                        "80AE800000\n8005800011AABB9000\n");
    EXPECT_NE(shortFields.out.find("    94\tApplication File Locator(AFL)\t08\tnot a whole "
                                   "number of 4-byte entries\n"),
              std::string::npos)
        << shortFields.out;
    EXPECT_NE(shortFields.out.find("\tAABB\tthe value ends inside it: 2 of 8 bytes\n"),
              std::string::npos)
        << shortFields.out;
    // An empty template 80 has no fields to list.
    const ToolRun empty = RunTool("trace", "80A8000002830000\n80009000\n");
    EXPECT_EQ(empty.status, 0);
    EXPECT_NE(empty.out.find("  Response Message Template Format 1\t80\t1 byte\t00\t"),
              std::string::npos)
        << empty.out;
    EXPECT_EQ(empty.out.find("Format 1 fields"), std::string::npos) << empty.out;
    // The unmarked response after the refused line pairs with nothing.
    EXPECT_NE(run.out.find("\n\n< 9000\n  SW 9000: Process completed normally\n"),
              std::string::npos);
}

TEST(BertlvTrace, DataFetchedByGetResponseBelongsToTheCommandThatAskedForIt) {
    // On T=0 the card answers 61xx and the terminal fetches the data with GET RESPONSE, in one
    // turn or several. Template 80 is split along the fields of the command that asked.
    const struct {
        const char* trace;
        const char* fields;
    } cases[] = {
        {"> 80A8000002830000\n< 610C\n> 00C000000C\n< 800A198008010100100102019000\n",
         "  Format 1 fields:\n"
         "    82\tApplication Interchange Profile(AIP)\t1980\n"
         "    94\tApplication File Locator(AFL)\t0801010010010201\n"},
        // A GET RESPONSE with the wrong Le is answered 6Cxx and asked again.
        {"> 80A8000002830000\n< 610C\n> 00C0000000\n< 6C0C\n> 00C000000C\n"
         "< 800A198008010100100102019000\n",
         "  Format 1 fields:\n"
         "    82\tApplication Interchange Profile(AIP)\t1980\n"},
        {"> 80AE80000411223344\n< 610E\n> 00C000000A\n< 6104\n> 00C0000004\n"
         "< 800B8000121122334455667788 9000\n",
         "  Format 1 fields:\n"
         "    9F27\tCryptogram Information Data(CID)\t80\n"
         "    9F36\tApplication Transaction Counter(ATC)\t0012\n"
         "    9F26\tApplication Cryptogram(AC)\t1122334455667788\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool("trace", c.trace);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find(c.fields), std::string::npos) << run.out;
    }
    // Data fetched for another command, or after an exchange that ended the wait, is not split.
    const char* const unsplit[] = {
        "> 00B2010C00\n< 6103\n> 00C0000003\n< 8001AA9000\n",
        "> 80A8000002830000\n< 6103\n> 00B2010C00\n< 9000\n> 00C0000003\n< 8001AA9000\n",
    };
    for (const char* trace : unsplit) {
        const ToolRun run = RunTool("trace", trace);
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("  Response Message Template Format 1\t80\t1 byte\t01\tAA\t"),
                  std::string::npos)
            << run.out;
        EXPECT_EQ(run.out.find("Format 1 fields"), std::string::npos) << run.out;
    }
}

TEST(BertlvTrace, OneMissingByteIsSingular) {
    const ToolRun run = RunTool("trace",
                                "> 00B2010C00\n< 70058C039F370490 00\n"
                                "> 80AE800003112233\n< 9000\n");
    EXPECT_NE(run.out.find("  The data lacks 1 byte of the CDOL1.\n"), std::string::npos)
        << run.out;
}

}  // namespace

namespace {

const char kPdolSelect[] =
    "> 00A4040007A000000003101000\n< 6F148407A0000000031010A5099F38069F02069F1A029000\n";

// GET PROCESSING OPTIONS data is the PDOL's data inside a Command Template (83); when the
// template is missing or its length disagrees, the bytes after it are still split along the
// PDOL, and a note says what is wrong.
TEST(BertlvTrace, ProcessingOptionsDataOutsideItsTemplateIsNamed) {
    struct Case {
        const char* command;
        const char* note;
        const char* entries;
    };
    const Case cases[] = {
        {"80A800000A8305000000001234082600",
         "  The Command Template (83) states 5 bytes, but 8 follow.\n",
         "    9F02\tAmount, Authorised(Numeric)\t6 bytes\t000000001234\n"
         "    9F1A\tTerminal Country Code\t2 bytes\t0826\n"},
        {"80A800000A8309000000001234082600",
         "  The Command Template (83) states 9 bytes, but 8 follow.\n",
         "    9F1A\tTerminal Country Code\t2 bytes\t0826\n"},
        {"80A80000080000000012340826 00", "  The data is not in a Command Template (83).\n",
         "    9F02\tAmount, Authorised(Numeric)\t6 bytes\t000000001234\n"},
        {"80A800000A8385000000001234082600",
         "  The length of the Command Template (83) does not read.\n",
         "    9F02\tAmount, Authorised(Numeric)\t6 bytes\t838500000000\n"},
        {"80A8000000", "  The command holds no data, not even a Command Template (83).\n",
         "  The data lacks 8 bytes of the PDOL.\n"},
        {"80A800000B8381080000000012340826 00", "",
         "    9F1A\tTerminal Country Code\t2 bytes\t0826\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run =
            RunTool("trace", std::string(kPdolSelect) + "> " + c.command + "\n< 6985\n");
        EXPECT_EQ(run.status, 0) << c.command;
        const size_t command = run.out.find("  GET PROCESSING OPTIONS\n");
        const size_t data = run.out.find("  PDOL data:\n", command);
        ASSERT_NE(data, std::string::npos) << c.command << run.out;
        const size_t header = run.out.find('\n', run.out.find("  CLA 80", command)) + 1;
        EXPECT_EQ(run.out.substr(header, data - header), c.note) << c.command;
        EXPECT_NE(run.out.find(c.entries, data), std::string::npos) << c.command << run.out;
    }
    const ToolRun json = RunTool("trace --json", "80A80000080000000012340826 00\n6985\n");
    EXPECT_NE(json.out.find("\"note\":\"the data is not in a Command Template (83)\","
                            "\"dol\":{\"name\":\"PDOL\""),
              std::string::npos)
        << json.out;
}

// CDOL1 gives the data of the first GENERATE AC the card runs: one it refuses does not count.
TEST(BertlvTrace, ARefusedGenerateAcLeavesTheNextTheFirst) {
    const std::string lists = "> 00B2010C00\n< 700C8C039F37048D058A029F37049000\n";
    struct Case {
        const char* firstStatus;
        const char* secondList;
    };
    const Case cases[] = {
        {"6A86", "CDOL1"}, {"6985", "CDOL1"}, {"6700", "CDOL1"},
        {"9000", "CDOL2"}, {"6108", "CDOL2"}, {"6283", "CDOL2"},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool("trace", lists + "> 80AE800004AABBCCDD\n< " + c.firstStatus +
                                                 "\n> 80AE400006AABBCCDDEEFF\n< 9000\n");
        const size_t second = run.out.find("80AE400006AABBCCDDEEFF");
        ASSERT_NE(second, std::string::npos) << run.out;
        EXPECT_NE(run.out.find(std::string("  ") + c.secondList + " data:\n", second),
                  std::string::npos)
            << c.firstStatus << run.out;
    }
}

}  // namespace

namespace {

// On the command line every text argument of a trace is a line of its own, marker and all.
TEST(BertlvTrace, EachArgumentIsALine) {
    const ToolRun plain = RunTool("trace 00B2010C00 9000");
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out.rfind(std::string(kReadRecord1) + "< 9000\n", 0), 0u) << plain.out;
    const ToolRun marked = RunTool("trace --json '> 00B2010C00' '< 700A5A0847617390010100109000'");
    EXPECT_EQ(marked.status, 0) << marked.err;
    EXPECT_NE(marked.out.find("\"response\":{\"line\":2,"), std::string::npos) << marked.out;
    EXPECT_NE(marked.out.find("\"value\":\"4761739001010010\""), std::string::npos);
    // "0x" before the digits of a line, after its marker and time stamp.
    const ToolRun prefixed = RunTool("trace", "> 12:00:00 0x00B2010C00\n0X9000\n");
    EXPECT_EQ(prefixed.status, 0) << prefixed.err;
    EXPECT_EQ(prefixed.out, plain.out.substr(0, 2) + "12:00:00 " + plain.out.substr(2))
        << prefixed.out;
}

}  // namespace

namespace {

// A response of many elements is written out as its rows gather; what arrives reads whole.
TEST(BertlvTrace, LongResponsesAreWrittenWhole) {
    const size_t count = 5000;
    std::string data;
    for (size_t i = 0; i < count; ++i) {
        data += "5A021234";
    }
    const std::string trace = "> 00B2010C00\n< " + data + "9000\n> 00B2020C00\n< 9000\n";
    const ToolRun text = RunTool("trace", trace);
    EXPECT_EQ(text.status, 0);
    size_t rows = 0;
    for (size_t at = text.out.find("\n  Application Primary Account Number(PAN)\t5A\t");
         at != std::string::npos;
         at = text.out.find("\n  Application Primary Account Number(PAN)\t5A\t", at + 1)) {
        ++rows;
    }
    EXPECT_EQ(rows, count);
    EXPECT_NE(text.out.find("\n\n> 00B2020C00\n"), std::string::npos);

    const ToolRun json = RunTool("trace --json", trace);
    EXPECT_EQ(json.status, 0);
    const size_t lineEnd = json.out.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    const Json first = Json::parse(json.out.substr(0, lineEnd));
    const Json& elements = first["response"]["elements"];
    ASSERT_EQ(elements.size(), count);
    EXPECT_EQ(elements[count - 1]["tlv"], "5A021234");
    EXPECT_EQ(first["response"]["sw"], "9000");
    EXPECT_EQ(Json::parse(json.out.substr(lineEnd + 1))["command"]["apdu"], "00B2020C00");
}

}  // namespace

namespace {

// The direction markers of common card readers' and test tools' logs, as the first word of a
// line or glued to its hex digits.
TEST(BertlvTrace, DirectionMarkersOfOtherToolsAreRead) {
    const std::string expected = RunTool("trace", "> 00B2010C00\n< 6A83\n").out;
    ASSERT_NE(expected.find("Record not found"), std::string::npos) << expected;
    const std::pair<const char*, const char*> markers[] = {
        {">>", "<<"},     {">> ", "<< "}, {"-->", "<--"}, {"->", "<-"},           {"=> ", "<= "},
        {"TX: ", "RX: "}, {"tx ", "rx "}, {"Tx:", "Rx:"}, {"C-APDU ", "R-APDU "},
    };
    for (const auto& marker : markers) {
        // The response comes first so that only its marker can make it one.
        const std::string trace = std::string(marker.second) + "6A83\n" + marker.first +
                                  "00B2010C00\n" + marker.second + "6A83\n";
        const ToolRun run = RunTool("trace", trace);
        EXPECT_EQ(run.err, "") << marker.first;
        EXPECT_EQ(run.out, "< 6A83\n  SW 6A83: Record not found\n\n" + expected) << marker.first;
    }
    // A word that merely starts like a marker is no marker.
    EXPECT_NE(RunTool("trace", "TXN 00B2010C00\n").err, "");
}

}  // namespace
