// The decoded rows under the Analysis panel's Value row, decoder by decoder. Each vector names
// where it comes from; "layout" vectors are built from the published layout itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/tlv_test_util.h"
#include "panels/analysis_rows.h"
#include "support/tlv_samples.h"

namespace {

using Lines = std::vector<std::string>;

// Rows flattened as "contents|data|description", children indented by two spaces.
void Flatten(const AnalysisRow& row, int depth, Lines* lines) {
    lines->push_back(std::string(2 * depth, ' ') + row.contents + "|" + row.data + "|" +
                     row.description);
    for (const AnalysisRow& child : row.children) {
        Flatten(child, depth + 1, lines);
    }
}

// The rows under the Value row of the element at `path` in the tree of `hex`.
Lines Decoded(const std::string& hex, const std::vector<int>& path = {}) {
    TlvTree tree;
    EXPECT_EQ(ParseExact(HexBytes(hex), &tree, 0), TLV_OK) << hex;
    const TlvNode* node = tree.get();
    for (int index : path) {
        node = ChildAt(node, static_cast<uint8_t>(index));
    }
    uint8_t kind = 0;
    TlvGetKind(node, &kind);
    AnalysisRow header;
    Lines lines;
    if (!BuildAnalysisRows(kind, node, &header)) {
        ADD_FAILURE() << "no rows for " << hex;
        return lines;
    }
    for (const AnalysisRow& part : header.children) {
        if (part.contents == "Value") {
            for (const AnalysisRow& row : part.children) {
                EXPECT_EQ(row.image, ANALYSIS_IMAGE_DECODED);
                EXPECT_EQ(row.rowData, 0);
                Flatten(row, 0, &lines);
            }
        }
    }
    return lines;
}

struct Vector {
    const char* source;
    std::string hex;
    Lines rows;
};

void ExpectRows(const std::vector<Vector>& vectors) {
    for (const Vector& vector : vectors) {
        EXPECT_EQ(Decoded(vector.hex), vector.rows) << vector.source << ": " << vector.hex;
    }
}

TEST(ValueDecoders, DataObjectLists) {
    ExpectRows({
        {"openemv/emv-utils tests/emv_dol_test.c test 1 (as CDOL1)",
         "8C159F02069F03069F1A0295055F2A029A039C019F3704",
         {"9F02|9F0206|Amount, Authorised(Numeric), 6 bytes",
          "9F03|9F0306|Amount, Other(Numeric), 6 bytes",
          "9F1A|9F1A02|Terminal Country Code, 2 bytes",
          "95|9505|Terminal Verification Results(TVR), 5 bytes",
          "5F2A|5F2A02|Transaction Currency Code, 2 bytes", "9A|9A03|Transaction Date, 3 bytes",
          "9C|9C01|Transaction Type, 1 byte", "9F37|9F3704|Unpredictable Number, 4 bytes"}},
        {"openemv/emv-utils tests/emv_dol_test.c test 2 (as PDOL): ends after a tag",
         "9F380A9F02069F03069F1A0295",
         {"9F02|9F0206|Amount, Authorised(Numeric), 6 bytes",
          "9F03|9F0306|Amount, Other(Numeric), 6 bytes",
          "9F1A|9F1A02|Terminal Country Code, 2 bytes",
          "Invalid|95|Invalid: the list ends inside an entry"}},
        {"openemv/emv-utils tests/emv_dol_test.c test 3 (as TDOL): ends inside a two-byte tag",
         "97049A039F37",
         {"9A|9A03|Transaction Date, 3 bytes",
          "Invalid|9F37|Invalid: the list ends inside an entry"}},
        {"layout: a tag the dictionary lacks, in CDOL2 and DDOL",
         "8D039F7F01",
         {"9F7F|9F7F01|Not Defined, 1 byte"}},
        {"layout: DDOL of one entry",
         "9F49039F3704",
         {"9F37|9F3704|Unpredictable Number, 4 bytes"}},
        {"layout: a kernel's three-byte tag between two-byte ones, in CDOL1",
         "8C0A9F0206DF8101039F3704",
         {"9F02|9F0206|Amount, Authorised(Numeric), 6 bytes",
          "DF8101|DF810103|Not Defined, 3 bytes", "9F37|9F3704|Unpredictable Number, 4 bytes"}},
        {"layout: ends inside a three-byte tag",
         "9F3805DF8101039F",
         {"DF8101|DF810103|Not Defined, 3 bytes",
          "Invalid|9F|Invalid: the list ends inside an entry"}},
        {"layout: a tag of five bytes",
         "9F3806DF8181818101",
         {"Invalid|DF8181818101|Invalid: a tag longer than four bytes"}},
    });
}

TEST(ValueDecoders, CvmListRules) {
    const Lines signature = {"CVM Code|1E|Signature (paper)",
                             "Byte 1 b7||Fail cardholder verification if this CVM is unsuccessful",
                             "CVM Condition Code|03|If terminal supports the CVM"};
    Lines test3 = {"Amount X|000186A0|1000.00", "Amount Y|000003E8|10.00", "CV Rule 1|1E03|"};
    for (const std::string& line : signature) {
        test3.push_back("  " + line);
    }
    ExpectRows({
        {"openemv/emv-utils tests/emv_cvmlist_test.c test 3", "8E0A000186A0000003E81E03", test3},
        {"openemv/emv-utils tests/emv_cvmlist_test.c test 2: odd rule bytes",
         "8E0B000186A0000003E81E0342",
         {"Amount X|000186A0|1000.00", "Amount Y|000003E8|10.00", "CV Rule 1|1E03|",
          "  " + signature[0], "  " + signature[1], "  " + signature[2],
          "Invalid|42|Invalid: odd number of CV Rule bytes"}},
        {"layout: shorter than the two amounts",
         "8E0600000000001E",
         {"Invalid|00000000001E|Invalid: Amount X and Amount Y need 8 bytes"}},
    });
    // openemv/emv-utils tests/emv_cvmlist_test.c test 6, with the application currency.
    const Lines six = Decoded(
        "701F9F420209789F4401028E140000000000000000420144034103"
        "5E0342031F03",
        {2});
    ASSERT_EQ(six.size(), 2u + 6u * 4u);
    EXPECT_EQ(six[0], "Amount X|00000000|0.00 EUR");
    // Amount X and Y in yen, without an Application Currency Exponent: no decimals.
    EXPECT_EQ(Decoded("70119F420203928E0A000001F4000000324203", {1})[0],
              "Amount X|000001F4|500 JPY");
    EXPECT_EQ(six[2], "CV Rule 1|4201|");
    EXPECT_EQ(six[3], "  CVM Code|02|Enciphered PIN verified online");
    EXPECT_EQ(six[4], "  Byte 1 b7||Apply succeeding CV Rule if this CVM is unsuccessful");
    EXPECT_EQ(six[5], "  CVM Condition Code|01|If unattended cash");
    EXPECT_EQ(six[7], "  CVM Code|04|Enciphered PIN verification performed by ICC");
    EXPECT_EQ(six[11], "  CVM Code|01|Plaintext PIN verification performed by ICC");
    EXPECT_EQ(six[23], "  CVM Code|1F|No CVM required");
    EXPECT_EQ(six[24], "  Byte 1 b7||Fail cardholder verification if this CVM is unsuccessful");
}

TEST(ValueDecoders, CvmCodeAndConditionRanges) {
    struct Case {
        const char* rule;
        const char* method;
        const char* condition;
    };
    // EMV 4.3 Book 3, Annex C3, Tables 39 and 40.
    const Case cases[] = {
        {"0000", "00|Fail CVM processing", "00|Always"},
        {"0302", "03|Plaintext PIN verification performed by ICC and signature (paper)",
         "02|If not unattended cash and not manual cash and not purchase with cashback"},
        {"0504", "05|Enciphered PIN verification performed by ICC and signature (paper)",
         "04|If manual cash"},
        {"0605", "06|Facial biometric verified offline (by ICC)", "05|If purchase with cashback"},
        {"1D06", "1D|RFU", "06|If transaction is in the application currency and is under X value"},
        // EMV 4.4 Book 3, Annex C3, Table 43: the biometric methods.
        {"0700", "07|Facial biometric verified online", "00|Always"},
        {"0800", "08|Finger biometric verified offline (by ICC)", "00|Always"},
        {"0900", "09|Finger biometric verified online", "00|Always"},
        {"0A00", "0A|Palm biometric verified offline (by ICC)", "00|Always"},
        {"0B00", "0B|Palm biometric verified online", "00|Always"},
        {"0C00", "0C|Iris biometric verified offline (by ICC)", "00|Always"},
        {"0D00", "0D|Iris biometric verified online", "00|Always"},
        {"0E00", "0E|Voice biometric verified offline (by ICC)", "00|Always"},
        {"0F00", "0F|Voice biometric verified online", "00|Always"},
        {"1000", "10|RFU", "00|Always"},
        {"2007", "20|Reserved for use by the individual payment systems",
         "07|If transaction is in the application currency and is over X value"},
        {"3008", "30|Reserved for use by the issuer",
         "08|If transaction is in the application currency and is under Y value"},
        {"3E09", "3E|Reserved for use by the issuer",
         "09|If transaction is in the application currency and is over Y value"},
        {"3F0A", "3F|This value is not available for use", "0A|RFU"},
        {"1F80", "1F|No CVM required", "80|Reserved for use by individual payment systems"},
    };
    for (const Case& c : cases) {
        const Lines rows = Decoded(std::string("8E0A0000000000000000") + c.rule);
        ASSERT_EQ(rows.size(), 6u) << c.rule;
        EXPECT_EQ(rows[3], std::string("  CVM Code|") + c.method);
        EXPECT_EQ(rows[5], std::string("  CVM Condition Code|") + c.condition);
    }
    // Byte 1 b8 is RFU.
    EXPECT_EQ(Decoded("8E0A00000000000000009F03")[5], "  Byte 1 b8||RFU");
}

TEST(ValueDecoders, CvmResults) {
    ExpectRows({
        {"GlobalPayments .NET SDK NTS test data (9F34 1E0300)",
         "9F34031E0300",
         {"CVM Code|1E|Signature (paper)",
          "Byte 1 b7||Fail cardholder verification if this CVM is unsuccessful",
          "CVM Condition Code|03|If terminal supports the CVM", "CVM Result|00|Unknown"}},
        {"layout: EMV 4.3 Book 4, Annex A4, online PIN successful",
         "9F3403420302",
         {"CVM Code|02|Enciphered PIN verified online",
          "Byte 1 b7||Apply succeeding CV Rule if this CVM is unsuccessful",
          "CVM Condition Code|03|If terminal supports the CVM", "CVM Result|02|Successful"}},
        {"layout: EMV 4.4 Book 3, Annex C3, finger biometric verified offline, successful",
         "9F3403480302",
         {"CVM Code|08|Finger biometric verified offline (by ICC)",
          "Byte 1 b7||Apply succeeding CV Rule if this CVM is unsuccessful",
          "CVM Condition Code|03|If terminal supports the CVM", "CVM Result|02|Successful"}},
        {"layout: no CVM performed ('3F')",
         "9F34033F0001",
         {"CVM Code|3F|No CVM performed", "CVM Condition Code|00|Always", "CVM Result|01|Failed"}},
        {"layout: an RFU result",
         "9F34031F0303",
         {"CVM Code|1F|No CVM required",
          "Byte 1 b7||Fail cardholder verification if this CVM is unsuccessful",
          "CVM Condition Code|03|If terminal supports the CVM", "CVM Result|03|RFU"}},
    });
    EXPECT_EQ(Decoded("9F34041E030000"), Lines());  // length off by one: no decoding
}

TEST(ValueDecoders, DatesAndTimes) {
    ExpectRows({
        {"openemv/emv-utils tests/emv_dol_test.c source data (9A 240217)",
         "9A03240217",
         {"Date|240217|2024-02-17"}},
        {"GlobalPayments .NET SDK NTS test data (5F24 221231)",
         "5F2403221231",
         {"Date|221231|2022-12-31"}},
        {"layout: YY 50 and above is 19YY", "5F2503500101", {"Date|500101|1950-01-01"}},
        {"layout: leap day", "9A03240229", {"Date|240229|2024-02-29"}},
        {"layout: no leap day", "9A03230229", {"Invalid|230229|Invalid: day out of range"}},
        {"layout: month 13", "5F2403251331", {"Invalid|251331|Invalid: month out of range"}},
        {"layout: month 0", "5F2403250001", {"Invalid|250001|Invalid: month out of range"}},
        {"layout: day 0", "5F2403250100", {"Invalid|250100|Invalid: day out of range"}},
        {"layout: not decimal", "9A0324A101", {"Invalid|24A101|Invalid: not a decimal date"}},
        {"layout: time", "9F2103235959", {"Time|235959|23:59:59"}},
        {"GlobalPayments .NET SDK NTS test data (9F21 E80025)",
         "9F2103E80025",
         {"Invalid|E80025|Invalid: not a decimal time"}},
        {"layout: hour 24", "9F2103240000", {"Invalid|240000|Invalid: hour out of range"}},
        {"layout: minute 60", "9F2103126000", {"Invalid|126000|Invalid: minute out of range"}},
        {"layout: second 60", "9F2103120060", {"Invalid|120060|Invalid: second out of range"}},
    });
    EXPECT_EQ(Decoded("9A022402"), Lines());  // length off by one: no decoding
    EXPECT_EQ(Decoded("9A0424021701"), Lines());
}

TEST(ValueDecoders, AmountsWithTheTreesCurrency) {
    // openemv/emv-utils tests/emv_dol_test.c source data: 9F02 000123456789, 5F2A 0978.
    const std::string amount = "9F0206000123456789";
    EXPECT_EQ(Decoded("700E5F2A020978" + amount, {1}),
              Lines({"Amount|000123456789|1234567.89 EUR",
                     "Exponent|2|No currency exponent in the data: the minor unit of EUR "
                     "(ISO 4217)"}));
    EXPECT_EQ(Decoded("70125F2A0208265F360103" + amount, {2}),
              Lines({"Amount|000123456789|123456.789 GBP",
                     "Exponent|3|Transaction Currency Exponent (5F36)"}));
    // 5F36 wins over 9F44; 9F44 serves when 5F36 is absent.
    EXPECT_EQ(Decoded("70115F3601009F440103" + amount, {2})[0], "Amount|000123456789|123456789");
    EXPECT_EQ(Decoded("700D9F440103" + amount, {1}),
              Lines({"Amount|000123456789|123456.789",
                     "Exponent|3|Application Currency Exponent (9F44)"}));
    // ... and only when the application's currency is the transaction's.
    EXPECT_EQ(Decoded("70175F2A0209789F420209789F440103" + amount, {3})[0],
              "Amount|000123456789|123456.789 EUR");
    EXPECT_EQ(Decoded("70175F2A0209789F420203929F440100" + amount, {3}),
              Lines({"Amount|000123456789|1234567.89 EUR",
                     "Exponent|2|Application Currency Exponent (9F44) is for another currency: "
                     "the minor unit of EUR (ISO 4217)"}));
    // Without an exponent in the data, the currency's ISO 4217 minor unit holds: none for the
    // yen, three places for the Bahraini dinar; a code without one (gold) leaves 2.
    struct UnitCase {
        const char* currency;
        const char* amount;
        const char* exponent;
    };
    const UnitCase units[] = {
        {"0392", "Amount|000123456789|123456789 JPY",
         "Exponent|0|No currency exponent in the data: the minor unit of JPY (ISO 4217)"},
        {"0048", "Amount|000123456789|123456.789 BHD",
         "Exponent|3|No currency exponent in the data: the minor unit of BHD (ISO 4217)"},
        {"0990", "Amount|000123456789|12345.6789 CLF",
         "Exponent|4|No currency exponent in the data: the minor unit of CLF (ISO 4217)"},
        {"0959", "Amount|000123456789|1234567.89 XAU",
         "Exponent|2|No currency exponent in the data: 2 assumed"},
    };
    for (const UnitCase& c : units) {
        EXPECT_EQ(Decoded(std::string("700E5F2A02") + c.currency + amount, {1}),
                  Lines({c.amount, c.exponent}));
    }
    EXPECT_EQ(Decoded("70125F2A0203925F360102" + amount, {2})[0],
              "Amount|000123456789|1234567.89 JPY");
    EXPECT_EQ(Decoded("70125F2A0203925F3601"
                      "1A" +
                          amount,
                      {2})[1],
              "Exponent|0|Transaction Currency Exponent (5F36) is not one digit: the minor unit "
              "of JPY (ISO 4217)");
    // An exponent that is not one digit from 0 to 9 is named as not counting.
    EXPECT_EQ(
        Decoded("700D5F3601129F0206000123456789", {1}),
        Lines({"Amount|000123456789|1234567.89",
               "Exponent|2|Transaction Currency Exponent (5F36) is not one digit: 2 assumed"}));
    EXPECT_EQ(Decoded("700E5F360200029F0206000123456789", {1})[1],
              "Exponent|2|Transaction Currency Exponent (5F36) is not one digit: 2 assumed");
    EXPECT_EQ(Decoded("700D9F44011A9F0206000123456789", {1})[1],
              "Exponent|2|Application Currency Exponent (9F44) is not one digit: 2 assumed");
    // GlobalPayments .NET SDK NTS test data: 9F03 zero, 81 and 9F04 binary.
    EXPECT_EQ(Decoded("9F0306000000000000")[0], "Amount|000000000000|0.00");
    EXPECT_EQ(Decoded("81040000C350")[0], "Amount|0000C350|500.00");
    EXPECT_EQ(Decoded("700C5F2A0208409F040400000005", {1})[0], "Amount|00000005|0.05 USD");
    // An unknown currency code adds no alphabetic code.
    EXPECT_EQ(Decoded("700E5F2A020001" + amount, {1})[0], "Amount|000123456789|1234567.89");
    EXPECT_EQ(Decoded("9F02060000000A0000"),
              Lines({"Invalid|0000000A0000|Invalid: not a decimal amount"}));
    ExpectRows({
        {"layout: Transaction Currency Exponent", "5F360102", {"Exponent|02|2 decimal places"}},
        {"layout: Application Currency Exponent", "9F440101", {"Exponent|01|1 decimal place"}},
        {"layout: not one digit", "5F360112", {"Invalid|12|Invalid: not a decimal digit"}},
    });
}

// The reference currencies: codes and exponents one after another, and an amount in the
// transaction's reference currency with its own exponent.
TEST(ValueDecoders, ReferenceCurrencies) {
    ExpectRows({
        {"EMV 4.3 Book 3, Annex A: up to four ISO 4217 codes",
         "9F3B06097808400392",
         {"Currency|0978|978 EUR Euro", "Currency|0840|840 USD US Dollar",
          "Currency|0392|392 JPY Yen"}},
        {"layout: a code cut short",
         "9F3B03097808",
         {"Currency|0978|978 EUR Euro", "Invalid|08|Invalid: not a three-digit numeric code"}},
        {"EMV 4.3 Book 3, Annex A: one exponent per reference currency",
         "9F43020200",
         {"Exponent|02|2 decimal places", "Exponent|00|0 decimal places"}},
        {"layout: not a digit",
         "9F4302011A",
         {"Exponent|01|1 decimal place", "Invalid|1A|Invalid: not a decimal digit"}},
        {"EMV 4.3 Book 3, Annex A: one code", "9F3C020840", {"Currency|0840|840 USD US Dollar"}},
        {"EMV 4.3 Book 3, Annex A: one exponent", "9F3D0103", {"Exponent|03|3 decimal places"}},
    });
    EXPECT_EQ(Decoded("70109F3C0208409F3D01039F3A04000004D2", {2}),
              Lines({"Amount|000004D2|1.234 USD",
                     "Exponent|3|Transaction Reference Currency Exponent (9F3D)"}));
    EXPECT_EQ(Decoded("700C9F3C0203929F3A04000004D2", {1}),
              Lines({"Amount|000004D2|1234 JPY",
                     "Exponent|0|No Transaction Reference Currency Exponent (9F3D) in the data: "
                     "the minor unit of JPY (ISO 4217)"}));
}

TEST(ValueDecoders, CountryCurrencyAndLanguageCodes) {
    ExpectRows({
        {"EMV 4.3 Book 3, Annex A: ISO 3166-1 numeric",
         "5F28020840",
         {"Country|0840|840 US United States"}},
        {"openemv/emv-utils tests/emv_dol_test.c source data (9F1A 0528)",
         "9F1A020528",
         {"Country|0528|528 NL Netherlands"}},
        {"layout: unknown numeric country",
         "9F1A020999",
         {"Country|0999|999 Unknown country code"}},
        {"layout: not numeric",
         "5F2802084A",
         {"Invalid|084A|Invalid: not a three-digit numeric code"}},
        {"layout: ISO 3166-1 alpha-2", "5F55024742", {"Country|4742|826 GB United Kingdom"}},
        {"layout: ISO 3166-1 alpha-3", "5F5603555341", {"Country|555341|840 USA United States"}},
        {"layout: unknown alpha-2", "5F5502515A", {"Country|515A|QZ Unknown country code"}},
        {"layout: alpha with a digit",
         "5F55025531",
         {"Invalid|5531|Invalid: not an alphabetic code"}},
        {"openemv/emv-utils tests/emv_dol_test.c source data (5F2A 0978)",
         "5F2A020978",
         {"Currency|0978|978 EUR Euro"}},
        {"layout: application currency", "9F42020826", {"Currency|0826|826 GBP Pound Sterling"}},
        {"layout: unknown currency", "9F42020001", {"Currency|0001|001 Unknown currency code"}},
        {"layout: code above 999",
         "5F2A021978",
         {"Invalid|1978|Invalid: not a three-digit numeric code"}},
        {"EMV 4.3 Book 1: Language Preference 'en' 'fr'",
         "5F2D04656E6672",
         {"Language 1|656E|en English", "Language 2|6672|fr French"}},
        {"layout: unknown code, then an odd byte",
         "5F2D05717A656E64",
         {"Language 1|717A|qz Unknown language code", "Language 2|656E|en English",
          "Invalid|64|Invalid: odd number of bytes"}},
        {"layout: digits",
         "5F2D04656E3132",
         {"Language 1|656E|en English", "Invalid|3132|Invalid: not a two-letter language code"}},
    });
}

TEST(ValueDecoders, TrackTwoAndServiceCodes) {
    const Lines service201 = {
        "  Digit 1|2|Interchange and technology: International interchange, use IC (chip) where "
        "feasible",
        "  Digit 2|0|Authorization processing: Normal",
        "  Digit 3|1|Range of services and PIN requirements: No restrictions"};
    Lines track = {"Primary Account Number|4761739001010010|16 digits", "Field Separator|D|",
                   "Expiration Date|2212|2022-12", "Service Code|201|"};
    track.insert(track.end(), service201.begin(), service201.end());
    Lines odd = track;
    track.push_back("Discretionary Data|1143804400|10 digits");
    odd.push_back("Discretionary Data|1143804|7 digits");
    odd.push_back("Filler|F|Pads the data to whole bytes");
    ExpectRows({
        {"Visa ADVT test PAN 4761739001010010 with expiry 2212 and service code 201",
         "57114761739001010010D22122011143804400", track},
        {"the same, an odd digit count padded with F", "57104761739001010010D22122011143804F", odd},
        {"layout: no separator",
         "57084761739001010010",
         {"Invalid|4761739001010010|Invalid: no field separator D"}},
        {"layout: a PAN of 20 digits",
         "570E47617390010100100000D2212201",
         {"Invalid|47617390010100100000|Invalid: the PAN is not 1 to 19 decimal digits"}},
        {"layout: month 13",
         "570B4761739001010010D2213F",
         {"Primary Account Number|4761739001010010|16 digits", "Field Separator|D|",
          "Invalid|2213|Invalid: month out of range"}},
        {"layout: no service code",
         "570B4761739001010010D2212F",
         {"Primary Account Number|4761739001010010|16 digits", "Field Separator|D|",
          "Expiration Date|2212|2022-12", "Invalid||Invalid: no decimal service code"}},
    });
    ExpectRows({
        {"Service Code of the Visa ADVT test card",
         "5F30020201",
         {service201[0].substr(2), service201[1].substr(2), service201[2].substr(2)}},
        {"ISO/IEC 7813: national, online, ATM only",
         "5F30020623",
         {"Digit 1|6|Interchange and technology: National interchange only except under bilateral "
          "agreement, use IC (chip) where feasible",
          "Digit 2|2|Authorization processing: Contact issuer via online means",
          "Digit 3|3|Range of services and PIN requirements: ATM only, PIN required"}},
        {"ISO/IEC 7813: RFU digits",
         "5F30020318",
         {"Digit 1|3|Interchange and technology: RFU", "Digit 2|1|Authorization processing: RFU",
          "Digit 3|8|Range of services and PIN requirements: RFU"}},
        {"layout: four digits",
         "5F30021201",
         {"Invalid|1201|Invalid: not a three-digit service code"}},
        {"Track 2 Discretionary Data, compressed numeric",
         "9F2003123FFF",
         {"Discretionary Data|123|3 digits"}},
        {"layout: a letter before the padding",
         "9F2002A1FF",
         {"Invalid|A1FF|Invalid: not compressed numeric digits"}},
    });
}

TEST(ValueDecoders, IssuerApplicationDataInTheCommonCoreLayout) {
    // GlobalPayments .NET SDK NTS test data: CCI A5, CVR A830B90000.
    const std::string ccd =
        "0FA502A830B90000"
        "0000000000000000"
        "0F"
        "010200000000000000000000000000";
    const Lines rows = Decoded("9F1020" + ccd);
    EXPECT_EQ(rows, Lines({
                        "Length Indicator|0F|15 bytes",
                        "Common Core Identifier|A5|",
                        "  Byte 1 b8-b5||Format Code: A",
                        "  Byte 1 b4-b1||Cryptogram Version: Triple DES",
                        "Derivation Key Index|02|",
                        "Card Verification Results|A830B90000|",
                        "  Byte 1 b8-b7||Application Cryptogram Type Returned in Second GENERATE "
                        "AC: Second GENERATE AC Not Requested",
                        "  Byte 1 b6-b5||Application Cryptogram Type Returned in First GENERATE "
                        "AC: ARQC",
                        "  Byte 1 b4||CDA Performed",
                        "  Byte 2 b8-b5||Low Order Nibble of PIN Try Counter: 3",
                        "  Byte 3 b8||Lower Offline Transaction Count Limit Exceeded",
                        "  Byte 3 b6||Lower Cumulative Offline Amount Limit Exceeded",
                        "  Byte 3 b5||Upper Cumulative Offline Amount Limit Exceeded",
                        "  Byte 3 b4||Issuer-discretionary bit 1",
                        "  Byte 3 b1||Issuer-discretionary bit 4",
                        "  Byte 4 b8-b5||Number of Issuer Script Commands Containing Secure "
                        "Messaging Processed on Last Transaction: 0",
                        "Counter Bytes|0000000000000000|",
                        "Length Indicator|0F|15 bytes",
                        "Issuer Discretionary Data|010200000000000000000000000000|",
                    }));
    // Layout: every other CVR bit, AES, and the RFU byte 5.
    const std::string zeros8 = "0000000000000000";
    const std::string zeros15 = "000000000000000000000000000000";
    const Lines other = Decoded(
        "9F1020"
        "0FA60147CF4F1F01" +
        zeros8 + "0F" + zeros15);
    EXPECT_EQ(other[3], "  Byte 1 b4-b1||Cryptogram Version: AES");
    const Lines expected = {
        "  Byte 1 b8-b7||Application Cryptogram Type Returned in Second GENERATE AC: TC",
        "  Byte 1 b6-b5||Application Cryptogram Type Returned in First GENERATE AC: AAC",
        "  Byte 1 b3||Offline DDA Performed",
        "  Byte 1 b2||Issuer Authentication Not Performed",
        "  Byte 1 b1||Issuer Authentication Failed",
        "  Byte 2 b8-b5||Low Order Nibble of PIN Try Counter: 12",
        "  Byte 2 b4||Offline PIN Verification Performed",
        "  Byte 2 b3||Offline PIN Verification Performed and PIN Not Successfully Verified",
        "  Byte 2 b2||PIN Try Limit Exceeded",
        "  Byte 2 b1||Last Online Transaction Not Completed",
        "  Byte 3 b7||Upper Offline Transaction Count Limit Exceeded",
        "  Byte 3 b4||Issuer-discretionary bit 1",
        "  Byte 3 b3||Issuer-discretionary bit 2",
        "  Byte 3 b2||Issuer-discretionary bit 3",
        "  Byte 3 b1||Issuer-discretionary bit 4",
        "  Byte 4 b8-b5||Number of Issuer Script Commands Containing Secure Messaging Processed "
        "on Last Transaction: 1",
        "  Byte 4 b4||Issuer Script Processing Failed on Last Transaction",
        "  Byte 4 b3||Offline Data Authentication Failed on Previous Transaction",
        "  Byte 4 b2||Go Online on Next Transaction Was Set",
        "  Byte 4 b1||Unable to go Online",
        "  Byte 5 b1||RFU",
    };
    EXPECT_EQ(Lines(other.begin() + 6, other.begin() + 6 + static_cast<long>(expected.size())),
              expected);
    const std::string formatB = "0FB5" + ccd.substr(4);
    // Other layouts: a Visa-style IAD (openemv test data), a CCD value one byte short, an RFU
    // format code.
    ExpectRows({
        {"Visa-style IAD from the tests of an open-source Java Card EMV applet",
         "9F100706011203A61000",
         {"Layout not recognised|06011203A61000|7 bytes"}},
        {"layout: one byte short",
         "9F101F" + ccd.substr(0, 62),
         {"Layout not recognised|" + ccd.substr(0, 62) + "|31 bytes"}},
        {"layout: format code B",
         "9F1020" + formatB,
         {"Layout not recognised|" + formatB + "|32 bytes"}},
    });
}

TEST(ValueDecoders, CodeTables) {
    ExpectRows({
        {"EMV 4.3 Book 1, Table 48: confirmation, priority 1",
         "870181",
         {"Byte 1 b8||Selection: Application cannot be selected without confirmation of cardholder",
          "Byte 1 b4-b1||Priority: 1 (1 is the highest)"}},
        {"layout: no priority, an RFU bit",
         "870140",
         {"Byte 1 b8||Selection: Application may be selected without confirmation of cardholder",
          "Byte 1 b7||RFU", "Byte 1 b4-b1||Priority: No priority assigned"}},
        {"openemv/emv-utils tests/emv_dol_test.c source data (9C 09)",
         "9C0109",
         {"Transaction Type|09|Purchase with cashback"}},
        {"ISO 8583:1987 processing code 00", "9C0100", {"Transaction Type|00|Goods and services"}},
        {"ISO 8583:1987 processing code 31", "9C0131", {"Transaction Type|31|Balance inquiry"}},
        {"ISO 8583:1987 processing code 40",
         "9C0140",
         {"Transaction Type|40|Cardholder accounts transfer"}},
        {"layout: a code not in the table",
         "9C0142",
         {"Transaction Type|42|Not in the ISO 8583:1987 processing codes known here"}},
        {"layout: not decimal", "9C010A", {"Invalid|0A|Invalid: not a two-digit code"}},
        {"EMV 4.3 Book 4, Table 24",
         "9F350122",
         {"Terminal Type|22|Merchant, attended, offline with online capability"}},
        {"EMV 4.3 Book 4, Table 24 (ATM)",
         "9F350114",
         {"Terminal Type|14|Financial institution, unattended, online only"}},
        {"EMV 4.3 Book 4, Table 24 (cardholder)",
         "9F350136",
         {"Terminal Type|36|Cardholder, unattended, offline only"}},
        {"layout: cardholder-controlled attended is not defined",
         "9F350131",
         {"Terminal Type|31|Not a terminal type of EMV 4.3 Book 4"}},
        {"ISO 8583:1987 POS entry mode", "9F390105", {"POS Entry Mode|05|Integrated circuit card"}},
        {"EMV contactless kernels: EMV mode",
         "9F390107",
         {"POS Entry Mode|07|Contactless, chip data (EMV mode)"}},
        {"EMV contactless kernels: magnetic stripe mode",
         "9F390191",
         {"POS Entry Mode|91|Contactless, magnetic stripe data"}},
        {"payment networks: fallback",
         "9F390180",
         {"POS Entry Mode|80|Magnetic stripe, fallback from the chip"}},
        {"layout: a mode no network uses here",
         "9F390106",
         {"POS Entry Mode|06|Not in the ISO 8583:1987 entry modes known here"}},
        {"EMV 4.3 Book 3, Annex G", "5F570130", {"Account Type|30|Credit"}},
        {"layout: RFU account type", "5F570140", {"Account Type|40|RFU"}},
        {"GlobalPayments .NET SDK NTS test data (9F08 0153)",
         "9F08020153",
         {"Version|0153|339, assigned by the payment system"}},
        {"layout: terminal version",
         "9F0902008C",
         {"Version|008C|140, assigned by the payment system"}},
    });
}

TEST(ValueDecoders, TextsWithEscapes) {
    ExpectRows({
        {"layout: Application Label of Visa cards", "500456495341", {"Text||VISA"}},
        {"layout: a control byte in a label",
         "5003410142",
         {"Text||A\\x01B", "Invalid|01|Invalid: byte 2 (01) is not alphanumeric special (ans)"}},
        {"terminal escape sequence from issue reports",
         "9F120D41421B5D303B70776E65640741",
         {"Text||AB\\x1B]0;pwned\\x07A",
          "Invalid|1B|Invalid: byte 3 (1B) is not alphanumeric special (ans)"}},
        {"layout: Latin-1 letter in the Application Preferred Name",
         "9F12034142E9",
         {"Text||AB\\xE9"}},
        {"layout: a backslash is escaped too", "5F2003415C42", {"Text||A\\x5CB"}},
        {"EMV 4.3 Book 3: Authorisation Response Code 'Y1'", "8A025931", {"Text||Y1"}},
        {"layout: a space is not alphanumeric (an)",
         "8A022030",
         {"Text|| 0", "Invalid|20|Invalid: byte 1 (20) is not alphanumeric (an)"}},
        {"layout: Latin-1 outside the Application Preferred Name",
         "5003E94142",
         {"Text||\\xE9AB", "Invalid|E9|Invalid: byte 1 (E9) is not alphanumeric special (ans)"}},
    });
}

TEST(ValueDecoders, ExistingDecodersKeepTheirTexts) {
    // The Issuer Action Codes keep their texts; the TVR uses the EMV wording.
    EXPECT_EQ(Decoded("9F0D05C600000000"),
              Lines({"Byte 1 b8||Offline data authentication was not performed",
                     "Byte 1 b7||Offline static data authenticatin failed",
                     "Byte 1 b3||Combined DDA/AC Generation failed", "Byte 1 b2||RFU"}));
    EXPECT_EQ(Decoded("9505DE40000040"),
              Lines({"Byte 1 b8||Offline data authentication was not performed",
                     "Byte 1 b7||SDA failed", "Byte 1 b5||Card appears on terminal exception file",
                     "Byte 1 b4||DDA failed", "Byte 1 b3||CDA failed", "Byte 1 b2||SDA selected",
                     "Byte 2 b7||Expired application", "Byte 5 b7||Issuer authentication failed"}));
    EXPECT_EQ(Decoded("95050000400000"), Lines({"Byte 3 b7||Unrecognised CVM"}));
}

}  // namespace
