// bertlv on the data engineers have: runs of top-level elements, long tags and lengths, one
// record per line, and files.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>

#include "cli/tool_run.h"
#include "dictionary/json_output.h"

namespace {

// The ICC data of an authorisation request (ISO 8583 field 55): 14 elements, no template.
const char kField55[] =
    "9F2608C2C12B098F3DA6E39F2701809F100706011203A4B0109F3704D8E7A2F69F360201579505808004800"
    "09A032306159C01005F2A020978820239009F1A0209789F03060000000000009F02060000000019995F3401"
    "01";

const char kPanRow[] =
    "Application Primary Account Number(PAN)\t5A\t1 byte\t02\t1234\t2 bytes\t5A021234\n";
const char kCidRow[] =
    "Cryptogram Information Data(CID)\t9F27\t1 byte\t01\t80\t1 bytes\t9F270180\n";
const char kTemplateRows[] =
    "Application Elementary File (AEF) Data Template\t70\t1 byte\t07\t5A02123400FF00\t7 bytes\t"
    "70075A02123400FF00\n"
    "  Application Primary Account Number(PAN)\t5A\t1 byte\t02\t1234\t2 bytes\t5A021234\n"
    "  padding\t\t\t\t00FF00\t3 bytes\t00FF00\n";

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(BertlvRecords, ListReadsAuthorisationData) {
    const std::string field55 = kField55;
    const ToolRun strict = RunTool("parse " + field55);
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.err, "Bad formatted BER-TLV data !\n\nTrailing bytes at offset 11.\n");

    const ToolRun rows = RunTool("parse --list " + field55);
    EXPECT_EQ(rows.status, 0);
    EXPECT_EQ(std::count(rows.out.begin(), rows.out.end(), '\n'), 14);
    EXPECT_EQ(rows.out.rfind("Application Cryptogram(AC)\t9F26\t1 byte\t08\tC2C12B098F3DA6E3\t"
                             "8 bytes\t9F2608C2C12B098F3DA6E3\n",
                             0),
              0u);
    EXPECT_NE(rows.out.find("\n" + std::string(kCidRow)), std::string::npos);
    EXPECT_NE(rows.out.find("\nApplication Primary Account Number(PAN) Sequence Number\t5F34\t"
                            "1 byte\t01\t01\t1 bytes\t5F340101\n"),
              std::string::npos);

    const ToolRun json = RunTool("parse --list --json", field55);
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("[\n  {\n    \"kind\": \"primitive\",\n    \"dataElement\": "
                             "\"Application Cryptogram(AC)\",\n",
                             0),
              0u);
    EXPECT_EQ(CountOf(json.out, "\"warnings\": []"), 14u);
    EXPECT_EQ(json.out.substr(json.out.size() - 4), "}\n]\n");

    // With --list the path starts at the top-level element: the TVR is the sixth.
    const ToolRun tvr = RunTool("analyse --list --path 5 " + field55);
    EXPECT_EQ(tvr.status, 0);
    EXPECT_EQ(tvr.out.rfind("Terminal Verification Results(TVR)\t95058080048000\t\n  Tag\t95\t\n"
                            "  Length\t05\t5 bytes\n  Value\t8080048000\t",
                            0),
              0u);
    EXPECT_EQ(tvr.out.find("Template"), std::string::npos);

    const ToolRun all = RunTool("analyse --list " + field55);
    size_t headers = 0;
    for (size_t at = 0; at < all.out.size(); at = all.out.find('\n', at) + 1) {
        headers += all.out[at] != ' ' ? 1 : 0;
    }
    EXPECT_EQ(headers, 14u);

    for (const char* path : {"14", "1/0"}) {
        const ToolRun missing =
            RunTool(std::string("analyse --list --path ") + path + " " + field55);
        EXPECT_EQ(missing.status, 1) << path;
        EXPECT_EQ(missing.err, "No such element\n") << path;
    }
    const ToolRun nested = RunTool("analyse --list --json --path 2/0 5A0112 9F2701 80 70035A0134");
    EXPECT_NE(nested.out.find("\"contents\": \"Application Primary Account Number(PAN)\""),
              std::string::npos);
    EXPECT_NE(nested.out.find("'70' - \\\"Application Elementary File (AEF) Data Template\\\""),
              std::string::npos);
}

// A sequence of many elements is written out element by element in pieces; what arrives is
// the same as one piece would have been.
TEST(BertlvRecords, LongSequencesAreWrittenWhole) {
    const size_t count = 5000;
    std::string hex;
    std::string rows;
    for (size_t i = 0; i < count; ++i) {
        hex += "5A021234";
        rows += kPanRow;
    }
    const ScratchFile input(hex, ".txt");
    EXPECT_EQ(RunTool("parse --list " + input.path()).out, rows);
    for (const char* command : {"parse --list --json ", "analyse --list --json ",
                                "parse --each --list --json ", "analyse --each --list --json "}) {
        const ToolRun run = RunTool(command + input.path());
        EXPECT_EQ(run.status, 0) << command;
        const bool each = std::string(command).find("--each") != std::string::npos;
        const Json parsed = Json::parse(run.out);
        const Json& roots = each ? parsed["roots"] : parsed;
        ASSERT_EQ(roots.size(), count) << command;
        EXPECT_EQ(roots[count - 1].dump().find("1234") != std::string::npos, true) << command;
    }
    const ToolRun analysed = RunTool("analyse --list " + input.path());
    EXPECT_EQ(CountOf(analysed.out, "\n  Value\t1234\t"), count);
}

// The peak resident set in KiB of bertlv run with `arguments`, its output discarded.
long PeakKb(const std::string& arguments) {
    // The sanitizer's quarantine of freed memory would hide what the program itself keeps.
    const std::string command = "ASAN_OPTIONS=\"$ASAN_OPTIONS:quarantine_size_mb=1\" " +
                                std::string(BERTLV_PATH) + " " + arguments + " >/dev/null";
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return usage.ru_maxrss;
}

// Output is written as it grows: a sequence, a template or a trace response of 65,536
// elements, whose JSON takes tens of megabytes, runs in the memory of a small record (analysed,
// a quarter as many).
TEST(BertlvRecords, ManyElementsTakeNoMemoryOfTheirNumber) {
    const size_t count = 65536;
    std::string sequence;
    for (size_t i = 0; i < count; ++i) {
        sequence += "5A021234";
    }
    const ScratchFile many(sequence, ".txt");
    const ScratchFile quarter(sequence.substr(0, sequence.size() / 4), ".txt");
    const ScratchFile template70("7083040000" + sequence, ".txt");
    const ScratchFile small("5A021234", ".txt");
    const long base = PeakKb("parse --list --json " + small.path());
    ASSERT_GT(base, 0);
    const ScratchFile trace("> 00B2010C00\n< " + sequence + "9000\n", ".txt");
    for (const std::string& arguments :
         {"parse --list --json " + many.path(), "analyse --list --json " + quarter.path(),
          "parse --ber --json " + template70.path(), "trace --json " + trace.path(),
          "trace " + trace.path()}) {
        const long peak = PeakKb(arguments);
        ASSERT_GT(peak, 0) << arguments;
        EXPECT_LT(peak - base, 12 * 1024) << arguments;
    }
}

// UTF-16 text would read as nothing, every other byte being zero: it is named instead.
TEST(BertlvRecords, Utf16TextIsNamed) {
    const std::string littleEndian(
        "\xFF\xFE"
        "5\0A\0"
        "0\0"
        "1\0"
        "1\0"
        "2\0",
        14);
    const std::string bigEndian(
        "\xFE\xFF"
        "\0"
        "5\0A\0"
        "0\0"
        "1\0"
        "1\0"
        "2",
        14);
    for (const std::string& text : {littleEndian, bigEndian}) {
        const ScratchFile file(text, ".txt");
        for (const char* command : {"parse ", "parse --each ", "trace ", "analyse --list "}) {
            const ToolRun run = RunTool(command + file.path());
            EXPECT_EQ(run.status, 1) << command;
            EXPECT_EQ(run.err, "bertlv: " + file.path() +
                                   ": UTF-16 text; hexadecimal text is read as ASCII or UTF-8\n")
                << command;
        }
        EXPECT_EQ(RunTool("parse -", text).err,
                  "bertlv: standard input: UTF-16 text; hexadecimal text is read as ASCII or "
                  "UTF-8\n");
    }
    // Raw bytes may start so.
    EXPECT_EQ(RunTool("parse --binary -", std::string("\xFF\xFE", 2)).err,
              "Bad formatted BER-TLV data !\n\nPadding outside a template at offset 0.\n");
}

TEST(BertlvRecords, BerReadsLongTagsAndLengths) {
    // A three-byte tag with a non-minimal 82 length, and one with a 300-byte value.
    const ToolRun shortValue = RunTool("parse --ber DF810182000512345678FF");
    EXPECT_EQ(shortValue.status, 0);
    EXPECT_EQ(shortValue.out,
              "Not Defined\tDF8101\t3 bytes\t820005\t12345678FF\t5 bytes\tDF810182000512345678FF\t"
              "warning: non-minimal length\n");
    EXPECT_EQ(RunTool("parse DF810182000512345678FF").status, 1);

    const std::string value(616, 'C');
    const ToolRun longValue = RunTool("parse --ber --json BF2182013A DF8102820134" + value);
    EXPECT_EQ(longValue.status, 0);
    EXPECT_NE(longValue.out.find("\"tag\": \"BF21\",\n  \"lengthIn\": \"3 bytes\",\n"
                                 "  \"length\": \"82013A\""),
              std::string::npos);
    EXPECT_NE(longValue.out.find("\"valueLength\": \"308 bytes\""), std::string::npos);
    EXPECT_NE(longValue.out.find("\"valueLength\": \"314 bytes\",\n  \"tlv\": \"BF2182013ADF8102"),
              std::string::npos);
    EXPECT_NE(longValue.out.find("\"value\": \"" + value + "\""), std::string::npos);
    EXPECT_EQ(CountOf(longValue.out, "\"warnings\": []"), 2u);

    const ToolRun analysed = RunTool("analyse --ber --path 0 BF2182013A DF8102820134" + value);
    EXPECT_NE(analysed.out.find("  Length\t820134\t308 bytes\n"), std::string::npos);
    EXPECT_NE(analysed.out.find("  Template\t\t'BF21' - \"Not Defined\"\n"), std::string::npos);

    const ToolRun padding = RunTool("parse --ber 7008A503880101FFFF00");
    EXPECT_EQ(padding.status, 0);
    EXPECT_NE(
        padding.out.find("  padding\t\t\t\tFFFF00\t3 bytes\tFFFF00\twarning: misplaced padding\n"),
        std::string::npos);
    const ToolRun unchecked = RunTool("parse --ber --no-padding-check --json 7008A503880101FFFF00");
    EXPECT_EQ(unchecked.out.find("misplaced"), std::string::npos);
    // The strict reading shows no warnings.
    EXPECT_EQ(RunTool("parse 5A810512345678FF").out,
              "Application Primary Account Number(PAN)\t5A\t2 bytes\t8105\t12345678FF\t5 bytes\t"
              "5A810512345678FF\n");
    EXPECT_EQ(RunTool("parse --json 7008A503880101FFFF00 --no-padding-check").out.find("warning"),
              std::string::npos);
    const ToolRun flagged = RunTool("parse --ber --json 5A810512345678FF");
    EXPECT_NE(flagged.out.find("\"warnings\": [\n    \"non-minimal length\"\n  ]"),
              std::string::npos);

    struct {
        const char* input;
        const char* err;
    } bad[] = {
        {"70035A021234",
         "Bad formatted BER-TLV data !\n\nElement reaches past the end of its template at offset "
         "2.\n"},
        {"5A80", "Bad formatted BER-TLV data !\n\nIndefinite length at offset 0.\n"},
        {"5A021234 9F", "Bad formatted BER-TLV data !\n\nTrailing bytes at offset 4.\n"},
        {"DF8181818101AA",
         "Bad formatted BER-TLV data !\n\nTag longer than 4 bytes at offset 0.\n"},
    };
    for (const auto& c : bad) {
        const ToolRun run = RunTool(std::string("parse --ber ") + c.input);
        EXPECT_EQ(run.status, 1) << c.input;
        EXPECT_EQ(run.err, c.err) << c.input;
        EXPECT_EQ(run.out, "") << c.input;
    }
}

const char kMixedLines[] =
    "# authorisation log\n"
    "5A021234\n"
    " \n"
    "70035A021234\n"
    "9F2701 80\r\n"
    "ZZ\n"
    "5A03";

TEST(BertlvRecords, EachLineIsARecordOfItsOwn) {
    const ToolRun text = RunTool("parse --each", kMixedLines);
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.out, std::string(kPanRow) + "\n" + kCidRow);
    EXPECT_EQ(text.err,
              "line 4: Bad formatted BER-TLV data ! (element reaches past the end of its template "
              "at offset 2)\n"
              "line 6: No data exist to parse!\n"
              "line 7: Bad formatted BER-TLV data ! (truncated value at offset 0)\n");

    const ToolRun json = RunTool("parse --each --json", kMixedLines);
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.out,
              "{\"line\":2,\"root\":{\"kind\":\"primitive\",\"dataElement\":\"Application Primary "
              "Account Number(PAN)\",\"tag\":\"5A\",\"lengthIn\":\"1 byte\",\"length\":\"02\","
              "\"value\":\"1234\",\"valueLength\":\"2 bytes\",\"tlv\":\"5A021234\"}}\n"
              "{\"line\":4,\"error\":\"Bad formatted BER-TLV data !\",\"offset\":2,\"problem\":"
              "\"element reaches past the end of its template\"}\n"
              "{\"line\":5,\"root\":{\"kind\":\"primitive\",\"dataElement\":\"Cryptogram "
              "Information Data(CID)\",\"tag\":\"9F27\",\"lengthIn\":\"1 byte\",\"length\":\"01\","
              "\"value\":\"80\",\"valueLength\":\"1 bytes\",\"tlv\":\"9F270180\"}}\n"
              "{\"line\":6,\"error\":\"No data exist to parse!\"}\n"
              "{\"line\":7,\"error\":\"Bad formatted BER-TLV data !\",\"offset\":0,\"problem\":"
              "\"truncated value\"}\n");
    EXPECT_EQ(json.err, "");

    const ToolRun good = RunTool("parse --each", "70075A02123400FF00\n\n5A021234\n");
    EXPECT_EQ(good.status, 0);
    EXPECT_EQ(good.out, std::string(kTemplateRows) + "\n" + kPanRow);

    const ToolRun padding = RunTool("parse --each --json", "7008A503880101FFFF00\n");
    EXPECT_EQ(padding.out,
              "{\"line\":1,\"error\":\"Bad formatted BER-TLV data !\",\"offset\":7,\"problem\":"
              "\"misplaced padding\"}\n");

    const ToolRun list = RunTool("parse --each --list --json", "9F270180 5A021234\n5A0212\n");
    EXPECT_EQ(list.status, 1);
    EXPECT_EQ(list.out.rfind("{\"line\":1,\"roots\":[{\"kind\":\"primitive\",", 0), 0u);
    EXPECT_EQ(CountOf(list.out, "\"warnings\":[]"), 2u);
    EXPECT_NE(list.out.find("\n{\"line\":2,\"error\":\"Bad formatted BER-TLV data !\","
                            "\"offset\":0,\"problem\":\"truncated value\"}\n"),
              std::string::npos);

    const ToolRun analysed = RunTool("analyse --each --json --path 0", "770482021980\n5A021234\n");
    EXPECT_EQ(analysed.status, 1);
    EXPECT_EQ(analysed.out.rfind("{\"line\":1,\"root\":{\"contents\":\"Application Interchange "
                                 "Profile(AIP)\",\"data\":\"82021980\"",
                                 0),
              0u);
    EXPECT_NE(analysed.out.find("\n{\"line\":2,\"error\":\"No such element\"}\n"),
              std::string::npos);
}

// `text` with each of its line ends written as `lineEnd`.
std::string WithLineEnds(const std::string& text, const std::string& lineEnd) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i] == '\n' ? lineEnd : std::string(1, text[i]);
    }
    return out;
}

TEST(BertlvRecords, EveryKindOfLineEndEndsALine) {
    const ToolRun expected = RunTool("parse --each", kMixedLines);
    const std::string trace = "> 00B2010C00\n< 6A83\n80CA9F3600\n9F360200129000\n";
    const ToolRun expectedTrace = RunTool("trace", trace);
    for (const char* lineEnd : {"\n", "\r\n", "\r"}) {
        const ToolRun run = RunTool("parse --each", WithLineEnds(kMixedLines, lineEnd));
        EXPECT_EQ(run.out, expected.out) << lineEnd;
        EXPECT_EQ(run.err, expected.err) << lineEnd;
        const ToolRun traced = RunTool("trace", WithLineEnds(trace, lineEnd));
        EXPECT_EQ(traced.status, 0) << lineEnd;
        EXPECT_EQ(traced.out, expectedTrace.out) << lineEnd;
    }
    // A lone carriage return followed by a line end is a line of its own.
    const ToolRun blank = RunTool("parse --each --json", "5A021234\r\r\nZZ\n");
    EXPECT_NE(blank.out.find("{\"line\":3,\"error\":\"No data exist to parse!\"}"),
              std::string::npos)
        << blank.out;
}

// What `arguments` writes within `wait_ms` while the input it reads from a pipe stays open: the
// shell keeps the pipe open for two seconds after `input`.
std::string OutputWhileInputIsOpen(const std::string& arguments, const std::string& input,
                                   int wait_ms) {
    const ScratchFile text(input, ".txt");
    const std::string command =
        "(cat " + text.path() + "; sleep 2) | " + std::string(BERTLV_PATH) + " " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    pollfd ready = {fileno(pipe), POLLIN, 0};
    char buffer[4096];
    while (out.find('\n') == std::string::npos && poll(&ready, 1, wait_ms) > 0) {
        const ssize_t got = read(fileno(pipe), buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        out.append(buffer, static_cast<size_t>(got));
    }
    pclose(pipe);
    return out;
}

// Conversion stops at the first character that is no hex digit, and so does the reading: the
// result comes without waiting for the rest of the input.
TEST(BertlvRecords, ReadingStopsWhereTheConversionStops) {
    for (const char* arguments : {"parse", "parse --list", "parse --ber", "analyse --list"}) {
        const std::string out = OutputWhileInputIsOpen(arguments, "0x5A02 1234 ZZ 5A", 1500);
        EXPECT_NE(out.find("5A021234"), std::string::npos) << arguments << ": " << out;
    }
    // A file named after the point where the reading stopped must still be there.
    const ToolRun missing = RunTool("parse '5A021234;' missing.hex");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "bertlv: missing.hex: No such file or directory\n");
    const ToolRun folder = RunTool("parse '5A021234;' /");
    EXPECT_EQ(folder.err, "bertlv: /: Is a directory\n");
    EXPECT_EQ(RunTool("parse '5A021234;' /dev/null").out, kPanRow);
}

TEST(BertlvRecords, LongLinesThatEndDoNotStopTheInput) {
    // A long comment, or a record line longer than any record, is one line among others.
    const ScratchFile lines(
        "#" + std::string(5000, 'x') + "\n" + std::string(3000, 'A') + "\n5A021234\n", ".txt");
    const ToolRun run = RunTool("parse --each " + lines.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, kPanRow);
    EXPECT_EQ(run.err.rfind("line 2: Bad formatted BER-TLV data !", 0), 0u) << run.err;
    EXPECT_EQ(CountOf(run.err, "\n"), 1u) << run.err;
}

TEST(BertlvRecords, AnEndlessLineEndsTheInput) {
    // A line far longer than any record (a device, a binary file) stops the reading with the
    // line reported, instead of reading on for a line feed that never comes.
    const struct {
        const char* command;
        const char* err;
    } cases[] = {
        {"parse --each", "bertlv: line 1: longer than 64 MiB, the input ends there\n"},
        {"analyse --each", "bertlv: line 1: longer than 64 MiB, the input ends there\n"},
        {"trace",
         "bertlv: line 1: line longer than any command or response\n"
         "bertlv: line 1: longer than 64 MiB, the input ends there\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = RunTool(std::string(c.command) + " /dev/zero");
        EXPECT_EQ(run.status, 1) << c.command;
        EXPECT_EQ(run.err, c.err) << c.command;
    }
    // What the reading kept of such a line is no record, and nothing after it is read.
    const ScratchFile endless("5A021234\n" + std::string(65 << 20, 'z') + "\n5A021234\n", ".txt");
    const ToolRun run = RunTool("parse --each " + endless.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, kPanRow);
    EXPECT_EQ(run.err, "bertlv: line 2: longer than 64 MiB, the input ends there\n");
}

TEST(BertlvRecords, RecordsFromAPipeShowAsTheyCome) {
    EXPECT_EQ(OutputWhileInputIsOpen("parse --each", "5A021234\n", 1500),
              "Application Primary Account Number(PAN)\t5A\t1 byte\t02\t1234\t2 bytes\t"
              "5A021234\n");
    EXPECT_EQ(OutputWhileInputIsOpen("trace", "> 00B2010C00\n< 9000\n", 1500).substr(0, 13),
              "> 00B2010C00\n");
    // A byte order mark that arrives in pieces is still one.
    const std::string command = "(printf '\\357'; sleep 0.3; printf '\\273\\2775A021234') | " +
                                std::string(BERTLV_PATH) + " parse";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, got);
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(out, kPanRow);
    // So is a UTF-16 one.
    const std::string utf16 = "(printf '\\377'; sleep 0.3; printf '\\3765\\0A\\0') | " +
                              std::string(BERTLV_PATH) + " parse 2>&1";
    pipe = popen(utf16.c_str(), "r");
    out.clear();
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, got);
    }
    EXPECT_NE(pclose(pipe), 0);
    EXPECT_EQ(out,
              "bertlv: standard input: UTF-16 text; hexadecimal text is read as ASCII or UTF-8\n");
}

TEST(BertlvRecords, FilesAndStandardInputAreInputs) {
    const ScratchFile hex("70 07 5A021234\n00FF00\n", ".txt");
    const ToolRun fromHex = RunTool("parse " + hex.path());
    EXPECT_EQ(fromHex.status, 0);
    EXPECT_EQ(fromHex.out, kTemplateRows);

    const ScratchFile marked(
        "\xEF\xBB\xBF"
        "70 07 5A021234\n00FF00\n",
        ".txt");
    EXPECT_EQ(RunTool("parse " + marked.path()).out, kTemplateRows);
    EXPECT_EQ(RunTool("parse -",
                      "\xEF\xBB\xBF"
                      "5A021234")
                  .out,
              kPanRow);
    // A "0x" before the digits, as programmers write them, is skipped; elsewhere an x ends the
    // digits as any other character does.
    EXPECT_EQ(RunTool("parse 0x5A021234").out, kPanRow);
    EXPECT_EQ(RunTool("parse -", " 0X5A02 1234\n").out, kPanRow);
    EXPECT_EQ(RunTool("parse --each", "0x5A021234\n0X5A021234\n").out,
              std::string(kPanRow) + "\n" + kPanRow);
    EXPECT_EQ(RunTool("parse 0x5A02 0X1234").out, kPanRow);
    EXPECT_EQ(RunTool("parse 0x5A02 ' 0x1234'").out, kPanRow);
    const ScratchFile firstPart("0x5A02\n", ".hex");
    EXPECT_EQ(RunTool("parse " + firstPart.path() + " 0x1234").out, kPanRow);
    EXPECT_EQ(RunTool("parse - 0x1234", "0X5A02").out, kPanRow);
    EXPECT_EQ(RunTool("parse 5A0x021234").err,
              "Bad formatted BER-TLV data !\n\nTruncated length at offset 0.\n");
    const ScratchFile binary(std::string("\x70\x07\x5A\x02\x12\x34\x00\xFF\x00", 9), ".bin");
    EXPECT_EQ(RunTool("parse --binary " + binary.path()).out, kTemplateRows);
    EXPECT_EQ(RunTool("parse --binary -", std::string("\x5A\x02\x12\x34", 4)).out, kPanRow);

    // A .tlv document: signature, then the tree text and the pane text, each with a 32-bit
    // little-endian length. The tree text is what counts.
    const auto documentOf = [](const std::string& tree) {
        return std::string(
                   "\x01\x12\x23\x58\x69\x58\x69\x58\x58\x49\x01\x01"
                   "\x00\x00\x00\x00",
                   16) +
               std::string(1, static_cast<char>(tree.size())) + std::string(3, '\0') + tree +
               std::string("\x02\0\0\0ZZ", 6);
    };
    const std::string document = documentOf("70075A02123400FF00");
    const ScratchFile tlv(document, ".tlv");
    EXPECT_EQ(RunTool("parse " + tlv.path()).out, kTemplateRows);
    EXPECT_EQ(RunTool("parse --binary " + tlv.path()).out, kTemplateRows);
    const ScratchFile broken(document.substr(0, 30), ".tlv");
    const ToolRun refused = RunTool("parse " + broken.path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "bertlv: " + broken.path() + ": not a readable .tlv document\n");

    // A stored tree is read as the editor opens a document: padding may stand anywhere.
    const std::string padded = "7008A503880101FFFF00";
    EXPECT_EQ(RunTool("parse " + padded).err,
              "Bad formatted BER-TLV data !\n\nPadding data is located at the invalid position.\n"
              "Misplaced padding at offset 7.\n");
    const ScratchFile stored(documentOf(padded), ".tlv");
    const ToolRun opened = RunTool("parse " + stored.path());
    EXPECT_EQ(opened.status, 0);
    EXPECT_EQ(opened.out.substr(0, opened.out.find('\t')),
              "Application Elementary File (AEF) Data Template");
    // With --each too, where a document is one record of its own, whatever line breaks its tree
    // text holds, between the lines of other inputs.
    const ScratchFile brokenLines(documentOf("7008A503880101\nFFFF00"), ".tlv");
    const ScratchFile around("5A021234\n", ".txt");
    const ToolRun each = RunTool("parse --each " + around.path() + " " + stored.path() + " " +
                                 brokenLines.path() + " " + around.path());
    EXPECT_EQ(each.status, 0) << each.err;
    EXPECT_EQ(each.out,
              std::string(kPanRow) + "\n" + opened.out + "\n" + opened.out + "\n" + kPanRow);
    // A document's tree is read as the editor reads it: a 0x there ends the digits.
    const ScratchFile prefixed(documentOf("0x5A021234"), ".tlv");
    EXPECT_EQ(RunTool("parse " + prefixed.path()).err, "No data exist to parse!\n");
    EXPECT_EQ(RunTool("parse --each " + prefixed.path()).err, "line 1: No data exist to parse!\n");
    // An empty tree is a record too, refused as parse refuses it.
    const ScratchFile emptyTree(documentOf(""), ".tlv");
    const ToolRun none = RunTool("parse --each " + emptyTree.path() + " " + around.path());
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "line 1: No data exist to parse!\n");
    EXPECT_EQ(none.out, kPanRow);

    // Files, text and standard input are joined in order.
    const ScratchFile head("70 07 5A02", ".txt");
    const ScratchFile tail("1234", ".txt");
    EXPECT_EQ(RunTool("parse " + head.path() + " " + tail.path() + " 00FF00").out, kTemplateRows);
    EXPECT_EQ(RunTool("parse " + head.path() + " - 00FF00", "1234").out, kTemplateRows);

    // Lines are numbered over all files; each file ends its last line.
    const ScratchFile first("5A021234\n9F2701", ".txt");
    const ScratchFile second("9F270180\n5A00", ".txt");
    const ToolRun lines = RunTool("parse --each --json " + first.path() + " " + second.path());
    EXPECT_EQ(lines.status, 1);
    EXPECT_EQ(CountOf(lines.out, "\n"), 4u);
    EXPECT_NE(lines.out.find("{\"line\":2,\"error\":\"Bad formatted BER-TLV data !\",\"offset\":0,"
                             "\"problem\":\"truncated value\"}\n{\"line\":3,\"root\":"),
              std::string::npos);
    EXPECT_NE(
        lines.out.find("{\"line\":4,\"root\":{\"kind\":\"primitive\",\"dataElement\":\"Application "
                       "Primary Account Number(PAN)\",\"tag\":\"5A\",\"lengthIn\":\"1 "
                       "byte\",\"length\":\"00\""),
        std::string::npos);

    const std::string folder = ScratchPath(".d");
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    const ToolRun directory = RunTool("parse " + folder);
    EXPECT_EQ(directory.status, 1);
    EXPECT_EQ(directory.err, "bertlv: " + folder + ": Is a directory\n");
    rmdir(folder.c_str());

    // A name that is no file fails, even where it starts with hex digits; text with white
    // space is converted by the editor's rule, up to its first other character.
    const ToolRun missing = RunTool("parse 5A021234.hex");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "bertlv: 5A021234.hex: No such file or directory\n");
    EXPECT_EQ(RunTool("trace nosuch.log").err, "bertlv: nosuch.log: No such file or directory\n");
    // So does a word starting with a letter beyond F, which as text would give nothing; a trace
    // line with its marker stays text.
    for (const char* command : {"parse session", "trace session", "analyse --each session"}) {
        const ToolRun run = RunTool(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, "bertlv: session: No such file or directory\n") << command;
    }
    for (const char* line : {"'>00B2010C00'", "recv:9000", "C-APDU:00B2010C00"}) {
        const ToolRun run = RunTool(std::string("trace ") + line);
        EXPECT_EQ(run.err, "") << line;
        EXPECT_TRUE(run.out.find("SW 9000") != std::string::npos ||
                    run.out.find("READ RECORD") != std::string::npos)
            << line << ": " << run.out;
    }
    const ToolRun commented = RunTool("parse '5A02 1234 # the PAN'");
    EXPECT_EQ(commented.status, 0);
    EXPECT_EQ(commented.out, kPanRow);
    EXPECT_EQ(RunTool("parse --each --binary x").status, 2);
}

}  // namespace
