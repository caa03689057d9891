// Runs the built bertlv binary and checks what it prints and how it exits.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "cli/tool_run.h"

namespace {

TEST(BertlvCli, ParsePrintsTheGridRows) {
    const ToolRun run = RunTool("parse '70 07' 5A021234 00FF00");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "Application Elementary File (AEF) Data Template\t70\t1 byte\t07\t5A02123400FF00\t"
              "7 bytes\t70075A02123400FF00\n"
              "  Application Primary Account Number(PAN)\t5A\t1 byte\t02\t1234\t2 bytes\t"
              "5A021234\n"
              "  padding\t\t\t\t00FF00\t3 bytes\t00FF00\n");
    EXPECT_EQ(run.err, "");
}

TEST(BertlvCli, ParseReadsStandardInputAndWritesJson) {
    const ToolRun run = RunTool("parse --json", "bf0c03\r\n9f4d00\tZZ");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "{\n"
              "  \"kind\": \"constructed\",\n"
              "  \"dataElement\": \"File Control Information(FCI) Issuer Discretionary Data\",\n"
              "  \"tag\": \"BF0C\",\n"
              "  \"lengthIn\": \"1 byte\",\n"
              "  \"length\": \"03\",\n"
              "  \"value\": \"9F4D00\",\n"
              "  \"valueLength\": \"3 bytes\",\n"
              "  \"tlv\": \"BF0C039F4D00\",\n"
              "  \"children\": [\n"
              "    {\n"
              "      \"kind\": \"primitive\",\n"
              "      \"dataElement\": \"Log Entry\",\n"
              "      \"tag\": \"9F4D\",\n"
              "      \"lengthIn\": \"1 byte\",\n"
              "      \"length\": \"00\",\n"
              "      \"value\": \"\",\n"
              "      \"valueLength\": \"0 bytes\",\n"
              "      \"tlv\": \"9F4D00\"\n"
              "    }\n"
              "  ]\n"
              "}\n");
}

TEST(BertlvCli, ParseErrorsUseTheEditorsMessages) {
    struct {
        const char* arguments;
        const char* input;
        int status;
        const char* err;
    } cases[] = {
        {"parse 5A0212", "", 1, "Bad formatted BER-TLV data !\n\nTruncated value at offset 0.\n"},
        {"parse 77078202198094021234", "", 1,
         "Bad formatted BER-TLV data !\n\nElement reaches past the end of its template at offset "
         "6.\n"},
        {"parse 7008A503880101FFFF00", "", 1,
         "Bad formatted BER-TLV data !\n\nPadding data is located at the invalid position.\n"
         "Misplaced padding at offset 7.\n"},
        // Text with no digit at its start (one word of it would name a file).
        {"parse 'ZZ 5A'", "", 1, "No data exist to parse!\n"},
        {"parse", "", 1, "No data exist to parse!\n"},
        {"parse 5", "", 1, "No data exist to parse!\n"},
        {"dict 142", "", 1, "Not Defined\n"},
        {"dict 9F7F", "", 1, "Not Defined\n"},
        {"dict 0x70", "", 1, "Not Defined\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(c.arguments, c.input);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(run.err, c.err) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
    const ToolRun relaxed = RunTool("parse --no-padding-check 7008A503880101FFFF00");
    EXPECT_EQ(relaxed.status, 0);
    EXPECT_NE(relaxed.out.find("  padding\t\t\t\tFFFF00\t3 bytes\tFFFF00\n"), std::string::npos);
}

TEST(BertlvCli, OversizedInputDoesNotWrapAround) {
    // 65536 + 4 bytes: a 16-bit count would see only the valid element 5A 02 12 34.
    const std::string input = "5A021234" + std::string(2 * 65536, '0');
    const ToolRun run = RunTool("parse", input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Bad formatted BER-TLV data !\n\nTrailing bytes at offset 4.\n");
    const ToolRun largest = RunTool("parse", "5F5081FF" + std::string(510, 'A'));
    EXPECT_EQ(largest.status, 0);
}

TEST(BertlvCli, DictionaryListAndEntries) {
    const ToolRun list = RunTool("dict");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 142);
    EXPECT_EQ(list.out.substr(0, 15), "  0  -     NULL");
    EXPECT_NE(list.out.find(" 29  9F07  Appilcation Usage Control(AUC)\n"), std::string::npos);

    const ToolRun byTag = RunTool("dict 8a");
    EXPECT_EQ(byTag.status, 0);
    EXPECT_EQ(byTag.out.substr(0, 49), "Index: 33\nName: Authorisation Response Code(ARC)\n");
    EXPECT_NE(byTag.out.find("\nSource: Issuer/Terminal\nFormat: an\nTemplate: -\nTag: '8A'\n"
                             "Length: 2\n"),
              std::string::npos);

    const ToolRun zero = RunTool("dict --json 0");
    EXPECT_EQ(zero.status, 0);
    EXPECT_NE(zero.out.find("\"name\": \"NULL DE\""), std::string::npos);
    EXPECT_NE(zero.out.find("\"rule\": \"fixed\""), std::string::npos);
    EXPECT_NE(zero.out.find("\"panel\": null"), std::string::npos);

    // Leading zeros do not change an index; an index past the last entry names none.
    EXPECT_EQ(RunTool("dict 00000141").out, RunTool("dict 141").out);
    EXPECT_EQ(RunTool("dict 0000").out, RunTool("dict 0").out);
    EXPECT_EQ(RunTool("dict 0142").status, 1);

    const ToolRun label = RunTool("dict 0x50 --json");
    EXPECT_NE(label.out.find("\"index\": 19"), std::string::npos);
    EXPECT_NE(label.out.find("\"Template\": \"'61' or 'A5'\""), std::string::npos);
}

TEST(BertlvCli, AnalyseShowsThePanelRowsOfOneElement) {
    const ToolRun aip = RunTool("analyse --path 0 770482021980");
    EXPECT_EQ(aip.status, 0);
    EXPECT_EQ(aip.out,
              "Application Interchange Profile(AIP)\t82021980\t\n"
              "  Tag\t82\t\n"
              "  Length\t02\t2 bytes\n"
              "  Value\t1980\t\n"
              "    Byte 1 b5\t\tCardholder verification is supported\n"
              "    Byte 1 b4\t\tTerminal risk management is to be performed\n"
              "    Byte 1 b1\t\tCombined DDA/AC Generation is supported\n"
              "    Byte 2 b8\t\tRFU\n"
              "  Template\t\t'77' - \"Response Message Template Format 2\"\n");

    const ToolRun padding = RunTool("analyse --json --path 1", "70055A02123400");
    EXPECT_EQ(padding.status, 0);
    EXPECT_EQ(padding.out,
              "{\n"
              "  \"contents\": \"Padding\",\n"
              "  \"data\": \"00\",\n"
              "  \"description\": \"1 byte padding data\",\n"
              "  \"image\": 7,\n"
              "  \"rowData\": 0,\n"
              "  \"children\": [\n"
              "    {\n"
              "      \"contents\": \"Template\",\n"
              "      \"data\": \"\",\n"
              "      \"description\": \"'70' - \\\"Application Elementary File (AEF) Data "
              "Template\\\"\",\n"
              "      \"image\": 2,\n"
              "      \"rowData\": 0,\n"
              "      \"children\": []\n"
              "    }\n"
              "  ]\n"
              "}\n");

    EXPECT_EQ(RunTool("analyse --path").status, 2);
}

TEST(BertlvCli, PathsNameElementsOrAreUsageErrors) {
    for (const char* path : {"2", "0/0", "1/0", "256", "99999999999999999999"}) {
        const ToolRun missing = RunTool(std::string("analyse --path ") + path + " 70055A02123400");
        EXPECT_EQ(missing.status, 1) << path;
        EXPECT_EQ(missing.err, "No such element\n") << path;
    }
    for (const char* path : {"x", "0//1", "0/", "/0", "''", "1a", "-1", "' 1'", "0/+1", "0\\\\1"}) {
        const ToolRun bad = RunTool(std::string("analyse --path ") + path + " 70055A02123400");
        EXPECT_EQ(bad.status, 2) << path;
        EXPECT_EQ(bad.err.rfind("usage: bertlv parse", 0), 0u) << path;
        EXPECT_EQ(bad.out, "") << path;
    }
    EXPECT_EQ(RunTool("analyse --path 00 70055A02123400").out.substr(0, 15), "Application Pri");
}

TEST(BertlvCli, TextOutputEscapesControlBytes) {
    // ESC ] 0 ; pwned BEL would set the terminal's title.
    const ToolRun title = RunTool("analyse 9F120D41421B5D303B70776E65640741");
    EXPECT_EQ(title.status, 0);
    EXPECT_NE(title.out.find("  Value\t41421B5D303B70776E65640741\tAB\\x1B]0;pwned\\x07A\n"),
              std::string::npos)
        << title.out;
    EXPECT_EQ(title.out.find('\x1B'), std::string::npos);

    // A line feed and a tab would forge a row; bytes 7F to 9F are control codes too, A0 and up
    // are their Latin-1 characters, written in UTF-8.
    const ToolRun forged = RunTool("analyse 9F1207410A42094385A0");
    EXPECT_NE(forged.out.find("\tA\\x0AB\\x09C\\x85\xC2\xA0\n"), std::string::npos) << forged.out;
    const ToolRun names = RunTool("analyse 9F1A020384");
    EXPECT_NE(names.out.find("C\xC3\xB4te d'Ivoire"), std::string::npos) << names.out;
    const ToolRun language = RunTool("analyse 5F2D026E62");
    EXPECT_NE(language.out.find("Bokm\xC3\xA5l"), std::string::npos) << language.out;
    // Every line is one row of three cells.
    for (size_t at = 0; at < forged.out.size(); at = forged.out.find('\n', at) + 1) {
        const std::string line = forged.out.substr(at, forged.out.find('\n', at) - at);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
    }

    // JSON keeps its own escapes.
    const ToolRun json = RunTool("analyse --json 9F1203411B7F");
    EXPECT_NE(json.out.find("\"description\": \"A\\u001B\\u007F\""), std::string::npos) << json.out;
}

TEST(BertlvCli, WriteErrorsAreReported) {
    for (const char* arguments : {"parse 5A021234", "parse --json 5A021234", "analyse 5A021234",
                                  "dict", "dict --json 5", "--help", "--version"}) {
        const ToolRun run = RunTool(arguments, "", "/dev/full");
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.err, "bertlv: write error: No space left on device\n") << arguments;
    }
    // A data error keeps its own message and status.
    const ToolRun bad = RunTool("parse 5A02", "", "/dev/full");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "Bad formatted BER-TLV data !\n\nTruncated value at offset 0.\n");
}

TEST(BertlvCli, UsageErrors) {
    for (const char* arguments : {"", "frobnicate", "parse --bogus 5A00", "dict 1 2", "dict 9F2",
                                  "dict x9", "--version extra"}) {
        const ToolRun run = RunTool(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.err.rfind("usage: bertlv parse", 0), 0u) << arguments;
    }
    EXPECT_EQ(RunTool("--version").out, "bertlv (Quorvel BERTLV) 1.00\n");
    EXPECT_EQ(RunTool("--help").status, 0);
    // The help's option column holds the options and their arguments only.
    const std::string help = RunTool("parse --help").out;
    EXPECT_NE(help.find("\n  --binary                    Files and standard input hold raw bytes. "
                        "Not with --each.\n"),
              std::string::npos)
        << help;
    EXPECT_NE(RunTool("analyse --help").out.find("\n  --path I/J/...              The element"),
              std::string::npos);
}

}  // namespace
