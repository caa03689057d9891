// Values that are one code: ISO country, currency and language codes (names from iso-codes)
// and the code tables of the EMV books.
#include <ctype.h>
#include <stdio.h>

#include "panels/iso_tables.h"
#include "panels/value_decoders.h"

namespace {

// Transaction Type (9C): the first two digits of the ISO 8583:1987 Processing Code, as EMV 4.3
// Book 3, Annex A refers to it.
const CodeText kTransactionTypes[] = {
    {0x00, 0x00, "Goods and services"},
    {0x01, 0x01, "Cash"},
    {0x02, 0x02, "Debit adjustment"},
    {0x03, 0x03, "Cheque guarantee (funds guaranteed)"},
    {0x04, 0x04, "Cheque verification (funds available)"},
    {0x09, 0x09, "Purchase with cashback"},
    {0x11, 0x11, "Quasi-cash and scrip"},
    {0x20, 0x20, "Refund"},
    {0x21, 0x21, "Deposit"},
    {0x22, 0x22, "Credit adjustment"},
    {0x30, 0x30, "Inquiry"},
    {0x31, 0x31, "Balance inquiry"},
    {0x40, 0x40, "Cardholder accounts transfer"},
};
const CodeTable kTransactionTypeTable = {kTransactionTypes,
                                         sizeof kTransactionTypes / sizeof kTransactionTypes[0],
                                         "Not in the ISO 8583:1987 processing codes known here"};

// Terminal Type (9F35): EMV 4.3 Book 4, Annex A1, Table 24.
const CodeText kTerminalTypes[] = {
    {0x11, 0x11, "Financial institution, attended, online only"},
    {0x12, 0x12, "Financial institution, attended, offline with online capability"},
    {0x13, 0x13, "Financial institution, attended, offline only"},
    {0x14, 0x14, "Financial institution, unattended, online only"},
    {0x15, 0x15, "Financial institution, unattended, offline with online capability"},
    {0x16, 0x16, "Financial institution, unattended, offline only"},
    {0x21, 0x21, "Merchant, attended, online only"},
    {0x22, 0x22, "Merchant, attended, offline with online capability"},
    {0x23, 0x23, "Merchant, attended, offline only"},
    {0x24, 0x24, "Merchant, unattended, online only"},
    {0x25, 0x25, "Merchant, unattended, offline with online capability"},
    {0x26, 0x26, "Merchant, unattended, offline only"},
    {0x34, 0x34, "Cardholder, unattended, online only"},
    {0x35, 0x35, "Cardholder, unattended, offline with online capability"},
    {0x36, 0x36, "Cardholder, unattended, offline only"},
};
const CodeTable kTerminalTypeTable = {kTerminalTypes,
                                      sizeof kTerminalTypes / sizeof kTerminalTypes[0],
                                      "Not a terminal type of EMV 4.3 Book 4"};

// POS Entry Mode (9F39): the first two digits of the ISO 8583:1987 POS Entry Mode Code, and the
// values the payment networks added to it that terminals put in 9F39 (07 and 91 are those of
// the EMV contactless kernels).
const CodeText kPosEntryModes[] = {
    {0x00, 0x00, "Unknown"},
    {0x01, 0x01, "Manual"},
    {0x02, 0x02, "Magnetic stripe"},
    {0x03, 0x03, "Bar code"},
    {0x04, 0x04, "OCR"},
    {0x05, 0x05, "Integrated circuit card"},
    {0x07, 0x07, "Contactless, chip data (EMV mode)"},
    {0x80, 0x80, "Magnetic stripe, fallback from the chip"},
    {0x90, 0x90, "Magnetic stripe, full track read"},
    {0x91, 0x91, "Contactless, magnetic stripe data"},
    {0x95, 0x95, "Integrated circuit card, card verification value may be unreliable"},
};
const CodeTable kPosEntryModeTable = {kPosEntryModes,
                                      sizeof kPosEntryModes / sizeof kPosEntryModes[0],
                                      "Not in the ISO 8583:1987 entry modes known here"};

// Account Type (5F57): EMV 4.3 Book 3, Annex G, Table 56.
const CodeText kAccountTypes[] = {
    {0x00, 0x00, "Default - unspecified"},
    {0x10, 0x10, "Savings"},
    {0x20, 0x20, "Cheque/debit"},
    {0x30, 0x30, "Credit"},
};
const CodeTable kAccountTypeTable = {kAccountTypes, sizeof kAccountTypes / sizeof kAccountTypes[0],
                                     "RFU"};

// Application Priority Indicator (87): EMV 4.3 Book 1, section 12.2.3, Table 48.
const CodeText kConfirmation[] = {
    {0, 0, "Application may be selected without confirmation of cardholder"},
    {1, 1, "Application cannot be selected without confirmation of cardholder"},
};
const CodeText kPriority[] = {
    {0, 0, "No priority assigned"},
    {1, 15, "%d (1 is the highest)"},
};
const CodeTable kConfirmationTable = {kConfirmation, 2, "RFU"};
const CodeTable kPriorityTable = {kPriority, 2, "RFU"};
const BitField kPriorityFields[] = {
    {1, 0x80, "Selection", &kConfirmationTable},
    {1, 0x0F, "Priority", &kPriorityTable},
};
const BitLayout kPriorityLayout = {kPriorityFields, 2, 1};

// A two-digit code (n 2 in one byte) looked up in `table`.
void AddTwoDigitCode(const DecoderInput& in, const char* caption, const CodeTable& table,
                     std::vector<AnalysisRow>* rows) {
    const std::string data = HexText(in.value, 1);
    if (!AllDecimal(data)) {
        rows->push_back(InvalidRow(data, "not a two-digit code"));
        return;
    }
    rows->push_back(DecodedRow(caption, data, LookUpCode(table, in.value[0])));
}

// A three-digit code (n 3 in two bytes, a leading zero digit); -1 when the value is not one.
int ThreeDigitCode(const DecoderInput& in) {
    long long code = 0;
    if (!BcdValue(in.value, 2, &code) || code > 999) {
        return -1;
    }
    return static_cast<int>(code);
}

bool AllLetters(const uint8_t* bytes, int count) {
    for (int i = 0; i < count; ++i) {
        if (bytes[i] > 0x7F || !isalpha(bytes[i])) {
            return false;
        }
    }
    return true;
}

std::string CountryText(const IsoCountry* country, bool alpha3) {
    char text[16];
    snprintf(text, sizeof text, "%03d %s ", country->numeric,
             alpha3 ? country->alpha3 : country->alpha2);
    return text + std::string(country->name);
}

}  // namespace

void DecodeNumericCountry(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const std::string data = HexText(in.value, in.length);
    const int code = ThreeDigitCode(in);
    if (code < 0) {
        rows->push_back(InvalidRow(data, "not a three-digit numeric code"));
        return;
    }
    const IsoCountry* country = IsoCountryByNumeric(code);
    char unknown[48];
    snprintf(unknown, sizeof unknown, "%03d Unknown country code", code);
    rows->push_back(
        DecodedRow("Country", data, country != nullptr ? CountryText(country, false) : unknown));
}

void DecodeAlphaCountry(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const std::string data = HexText(in.value, in.length);
    if (!AllLetters(in.value, in.length)) {
        rows->push_back(InvalidRow(data, "not an alphabetic code"));
        return;
    }
    const std::string code(reinterpret_cast<const char*>(in.value), in.length);
    const IsoCountry* country = IsoCountryByAlpha(code.c_str(), in.length);
    rows->push_back(DecodedRow("Country", data,
                               country != nullptr ? CountryText(country, in.length == 3)
                                                  : code + " Unknown country code"));
}

void DecodeCurrency(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    for (int at = 0; at < in.length; at += 2) {
        const std::string data = HexText(in.value + at, in.length - at);
        long long code = 0;
        if (at + 2 > in.length || !BcdValue(in.value + at, 2, &code) || code > 999) {
            rows->push_back(InvalidRow(data, "not a three-digit numeric code"));
            return;
        }
        const IsoCurrency* currency = IsoCurrencyByNumeric(static_cast<int>(code));
        char text[128];
        if (currency != nullptr) {
            snprintf(text, sizeof text, "%03d %s %s", static_cast<int>(code), currency->alpha3,
                     currency->name);
        } else {
            snprintf(text, sizeof text, "%03d Unknown currency code", static_cast<int>(code));
        }
        rows->push_back(DecodedRow("Currency", HexText(in.value + at, 2), text));
    }
}

// Language Preference (5F2D): up to four two-letter ISO 639-1 codes in order of preference.
void DecodeLanguages(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    for (int at = 0; at + 2 <= in.length; at += 2) {
        const uint8_t* pair = in.value + at;
        if (!AllLetters(pair, 2)) {
            rows->push_back(
                InvalidRow(HexText(pair, in.length - at), "not a two-letter language code"));
            return;
        }
        const std::string code(reinterpret_cast<const char*>(pair), 2);
        const IsoLanguage* language = IsoLanguageByAlpha2(code.c_str());
        char contents[24];
        snprintf(contents, sizeof contents, "Language %d", at / 2 + 1);
        rows->push_back(DecodedRow(
            contents, HexText(pair, 2),
            code + " " + (language != nullptr ? language->name : "Unknown language code")));
    }
    if (in.length % 2 != 0) {
        rows->push_back(InvalidRow(HexText(in.value + in.length - 1, 1), "odd number of bytes"));
    }
}

void DecodeTransactionType(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    AddTwoDigitCode(in, "Transaction Type", kTransactionTypeTable, rows);
}

void DecodeTerminalType(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    AddTwoDigitCode(in, "Terminal Type", kTerminalTypeTable, rows);
}

void DecodePosEntryMode(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    AddTwoDigitCode(in, "POS Entry Mode", kPosEntryModeTable, rows);
}

void DecodeAccountType(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    AddTwoDigitCode(in, "Account Type", kAccountTypeTable, rows);
}

void DecodeApplicationPriority(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    AddBitFieldRows(kPriorityLayout, in.value, rows);
}

// Application Version Numbers (9F08, 9F09) are assigned by the payment system; the books give
// them no further meaning.
void DecodeVersionNumber(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    rows->push_back(DecodedRow(
        "Version", HexText(in.value, in.length),
        std::to_string(in.value[0] << 8 | in.value[1]) + ", assigned by the payment system"));
}
