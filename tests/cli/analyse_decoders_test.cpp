// `bertlv analyse --json` run as a process: the decoded rows of every value decoder reach the
// JSON output.
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

struct ToolRun {
    int status;
    std::string out;
};

ToolRun Analyse(const std::string& arguments) {
    const std::string command = std::string(BERTLV_PATH) + " analyse --json " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run = {-1, ""};
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        run.out.append(buffer, count);
    }
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

void Flatten(const nlohmann::json& row, int depth, Lines* lines) {
    lines->push_back(std::string(2 * depth, ' ') + row["contents"].get<std::string>() + "|" +
                     row["data"].get<std::string>() + "|" + row["description"].get<std::string>());
    EXPECT_EQ(row["image"], 1);
    EXPECT_EQ(row["rowData"], 0);
    for (const nlohmann::json& child : row["children"]) {
        Flatten(child, depth + 1, lines);
    }
}

// The rows under the Value row of the analysed element.
Lines DecodedRows(const std::string& arguments) {
    const ToolRun run = Analyse(arguments);
    EXPECT_EQ(run.status, 0) << arguments;
    Lines lines;
    const nlohmann::json header = nlohmann::json::parse(run.out, nullptr, false);
    if (header.is_discarded()) {
        ADD_FAILURE() << "not JSON: " << run.out;
        return lines;
    }
    for (const nlohmann::json& part : header["children"]) {
        if (part["contents"] == "Value") {
            for (const nlohmann::json& row : part["children"]) {
                Flatten(row, 0, &lines);
            }
        }
    }
    return lines;
}

TEST(AnalyseDecoders, EveryDecoderReachesTheJsonOutput) {
    struct Case {
        std::string arguments;
        Lines rows;
    };
    const std::vector<Case> cases = {
        {"9F38069F02069F3704",
         {"9F02|9F0206|Amount, Authorised(Numeric), 6 bytes",
          "9F37|9F3704|Unpredictable Number, 4 bytes"}},
        {"8C049F02069F",
         {"9F02|9F0206|Amount, Authorised(Numeric), 6 bytes",
          "Invalid|9F|Invalid: the list ends inside an entry"}},
        {"--path 2 70159F420209789F4401028E0A000186A0000003E81E03",
         {"Amount X|000186A0|1000.00 EUR", "Amount Y|000003E8|10.00 EUR", "CV Rule 1|1E03|",
          "  CVM Code|1E|Signature (paper)",
          "  Byte 1 b7||Fail cardholder verification if this CVM is unsuccessful",
          "  CVM Condition Code|03|If terminal supports the CVM"}},
        {"9F34033F0000",
         {"CVM Code|3F|No CVM performed", "CVM Condition Code|00|Always", "CVM Result|00|Unknown"}},
        {"5F2403251231", {"Date|251231|2025-12-31"}},
        {"9A03251301", {"Invalid|251301|Invalid: month out of range"}},
        {"9F2103083000", {"Time|083000|08:30:00"}},
        {"--path 2 70125F2A0209785F3601029F0206000000001234",
         {"Amount|000000001234|12.34 EUR", "Exponent|2|Transaction Currency Exponent (5F36)"}},
        {"8104000004D2",
         {"Amount|000004D2|12.34", "Exponent|2|No currency exponent in the data: 2 assumed"}},
        {"9F1A020250", {"Country|0250|250 FR France"}},
        {"5F5603444555", {"Country|444555|276 DEU Germany"}},
        {"9F42020840", {"Currency|0840|840 USD US Dollar"}},
        {"5F2D04656E6465", {"Language 1|656E|en English", "Language 2|6465|de German"}},
        {"5F300202FF", {"Invalid|02FF|Invalid: not a three-digit service code"}},
        {"9F20021234", {"Discretionary Data|1234|4 digits"}},
        {"57115413339000001515D25122010123456789",
         {"Primary Account Number|5413339000001515|16 digits", "Field Separator|D|",
          "Expiration Date|2512|2025-12", "Service Code|201|",
          "  Digit 1|2|Interchange and technology: International interchange, use IC (chip) where "
          "feasible",
          "  Digit 2|0|Authorization processing: Normal",
          "  Digit 3|1|Range of services and PIN requirements: No restrictions",
          "Discretionary Data|0123456789|10 digits"}},
        {"9F100706011203A61000", {"Layout not recognised|06011203A61000|7 bytes"}},
        {"9C0101", {"Transaction Type|01|Cash"}},
        {"9F350125", {"Terminal Type|25|Merchant, unattended, offline with online capability"}},
        {"9F390102", {"POS Entry Mode|02|Magnetic stripe"}},
        {"5F570110", {"Account Type|10|Savings"}},
        {"9F440100", {"Exponent|00|0 decimal places"}},
        {"870102",
         {"Byte 1 b8||Selection: Application may be selected without confirmation of "
          "cardholder",
          "Byte 1 b4-b1||Priority: 2 (1 is the highest)"}},
        {"9F0902008C", {"Version|008C|140, assigned by the payment system"}},
        {"9F1E083132330A34353637",
         {"Text||123\\x0A4567", "Invalid|0A|Invalid: byte 4 (0A) is not alphanumeric (an)"}},
        {"95050200000000", {"Byte 1 b2||SDA selected"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodedRows(c.arguments), c.rows) << c.arguments;
    }
}

TEST(AnalyseDecoders, IssuerApplicationDataRowsNestUnderTheirFields) {
    const Lines rows = DecodedRows(
        "9F1020"
        "0FA501A000000000"
        "0000000000000000"
        "0F"
        "000000000000000000000000000000");
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[1], "Common Core Identifier|A5|");
    EXPECT_EQ(rows[2], "  Byte 1 b8-b5||Format Code: A");
    EXPECT_EQ(rows[5], "Card Verification Results|A000000000|");
    EXPECT_EQ(rows[6],
              "  Byte 1 b8-b7||Application Cryptogram Type Returned in Second GENERATE AC: Second "
              "GENERATE AC Not Requested");
}

TEST(AnalyseDecoders, ADecodedRowInFull) {
    const ToolRun run = Analyse("9C0109");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("      \"children\": [\n"
                           "        {\n"
                           "          \"contents\": \"Transaction Type\",\n"
                           "          \"data\": \"09\",\n"
                           "          \"description\": \"Purchase with cashback\",\n"
                           "          \"image\": 1,\n"
                           "          \"rowData\": 0,\n"
                           "          \"children\": []\n"
                           "        }\n"
                           "      ]\n"),
              std::string::npos)
        << run.out;
}

}  // namespace
