#include "panels/analysis_decoders.h"

#include <stdio.h>

#include "dictionary/dictionary.h"
#include "panels/value_decoders.h"

const uint8_t BitMasks[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};

const char* const AipBitTexts[2][8] = {
    {"RFU", "Offline static data authentication is supported",
     "Offline dynamic data authentication is supported", "Cardholder verification is supported",
     "Terminal risk management is to be performed", "Issuer authentication is supported", "RFU",
     "Combined DDA/AC Generation is supported"},
    {"RFU", "RFU", "RFU", "RFU", "RFU", "RFU", "RFU", "RFU"},
};

const char* const AucBitTexts[2][8] = {
    {"Valid for domestic cash transactions", "Valid for international cash transactions",
     "Valid for domestic goods", "Valid for international goods", "Valid for domestic services",
     "Valid for international services", "Valid at ATMs", "Valid at terminals other than ATMs"},
    {"Domestic cashback allowed", "International cashback allowed", "RFU", "RFU", "RFU", "RFU",
     "RFU", "RFU"},
};

const char* const TvrBitTexts[5][8] = {
    {"Offline data authentication was not performed", "Offline static data authenticatin failed",
     "ICC data missing", "Cards appears on terminal exception file",
     "Offline dynamic data authentication failed", "Combined DDA/AC Generation failed", "RFU",
     "RFU"},
    {"ICC and terminal have different application versions", "Expired application",
     "Application not yet effective", "Requested service not allowed for card product", "New card",
     "RFU", "RFU", "RFU"},
    {"Cardholder verification was not successful", "Unrecognized CVM", "PIN Try Limit exceeded",
     "PIN entry required and PIN pad not present or not working",
     "PIN entry required, PIN pad present, but PIN was not entered", "Online PIN entered", "RFU",
     "RFU"},
    {"Transaction exceeds floor limit", "Lower consecutive offline limit exceeded",
     "Upper consecutive offline limit exceeded",
     "Transaction selected randomly for online processing", "Merchant forced transaction online",
     "RFU", "RFU", "RFU"},
    {"Default TDOL used", "Issuer authentication was unsuccessful",
     "Script processing failed before final GENERATE AC",
     "Script processing failed after final GENERATE AC", "RFU", "RFU", "RFU", "RFU"},
};

namespace {

const char* const TsiBitTexts[2][8] = {
    {"Offline data authentication was performed", "Cardholder verification was performed",
     "Card risk management was performed", "Issuer authentication was performed",
     "Terminal risk management was performed", "Script processing was performed", "RFU", "RFU"},
    {"RFU", "RFU", "RFU", "RFU", "RFU", "RFU", "RFU", "RFU"},
};

const char* const TerminalCapabilityBitTexts[3][8] = {
    {"Manual key entry", "Magnetic stripe", "IC with contacts", "RFU", "RFU", "RFU", "RFU", "RFU"},
    {"Plaintext PIN for ICC verification", "Enciphered PIN for online verification",
     "Signature (paper)", "Enciphered PIN for offline verification", "No CVM Required", "RFU",
     "RFU", "RFU"},
    {"Static data authentication", "Dynamic data authentication", "Card capture", "RFU",
     "Combined DDA/AC Generation", "RFU", "RFU", "RFU"},
};

const char* const AdditionalCapabilityBitTexts[5][8] = {
    {"Cash", "Goods", "Services", "Cashback", "Inquiry", "Transfer", "Payment", "Administrative"},
    {"Cash Deposit", "RFU", "RFU", "RFU", "RFU", "RFU", "RFU", "RFU"},
    {"Numeric keys", "Alphabetic and special characters keys", "Command keys", "Function keys",
     "RFU", "RFU", "RFU", "RFU"},
    {"Print, attendant", "Print, cardholder", "Display, attendant", "Display, cardholder", "RFU",
     "RFU", "Code table 10", "Code table 9"},
    {"Code table 8", "Code table 7", "Code table 6", "Code table 5", "Code table 4", "Code table 3",
     "Code table 2", "Code table 1"},
};

const char* const AipHeadings[2] = {"AIP Byte 1 - (Leftmost)", "AIP Byte 2 - (Rightmost)"};
const char* const AucHeadings[2] = {"Application Usage Control Byte 1 - (Leftmost)",
                                    "Application Usage Control Byte 2 - (Rightmost)"};
const char* const TvrHeadings[5] = {"TVR Byte 1 - (Leftmost)", "TVR Byte 2", "TVR Byte 3",
                                    "TVR Byte 4", "TVR Byte 5 - (Rightmost)"};
const char* const TsiHeadings[2] = {"TSI Byte 1 - (Leftmost)", "TSI Byte 2 - (Rightmost)"};
const char* const TerminalCapabilityHeadings[3] = {
    "Terminal Capabilities Byte 1 - Card Data Input Capability",
    "Terminal Capabilities Byte 2 - CVM Capability",
    "Terminal Capabilities Byte 3 - Security Capability"};
const char* const AdditionalCapabilityHeadings[5] = {
    "Add'l Term. Capabilities Byte 1 - Transaction Type Capability",
    "Add'l Term. Capabilities Byte 2 - Transaction Type Capability",
    "Add'l Term. Capabilities Byte 3 - Terminal Data Input Capability",
    "Add'l Term. Capabilities Byte 4 - Term. Data Output Capability",
    "Add'l Term. Capabilities Byte 5 - Term. Data Output Capability"};

// The Terminal Verification Results in the wording of EMV 4.3 Book 3, Annex C5, Table 44. The
// Issuer Action Codes keep their own texts (TvrBitTexts).
const char* const TvrEmvBitTexts[5][8] = {
    {"Offline data authentication was not performed", "SDA failed", "ICC data missing",
     "Card appears on terminal exception file", "DDA failed", "CDA failed", "SDA selected", "RFU"},
    {"ICC and terminal have different application versions", "Expired application",
     "Application not yet effective", "Requested service not allowed for card product", "New card",
     "RFU", "RFU", "RFU"},
    {"Cardholder verification was not successful", "Unrecognised CVM", "PIN Try Limit exceeded",
     "PIN entry required and PIN pad not present or not working",
     "PIN entry required, PIN pad present, but PIN was not entered", "Online PIN entered", "RFU",
     "RFU"},
    {"Transaction exceeds floor limit", "Lower consecutive offline limit exceeded",
     "Upper consecutive offline limit exceeded",
     "Transaction selected randomly for online processing", "Merchant forced transaction online",
     "RFU", "RFU", "RFU"},
    {"Default TDOL used", "Issuer authentication failed",
     "Script processing failed before final GENERATE AC",
     "Script processing failed after final GENERATE AC", "RFU", "RFU", "RFU", "RFU"},
};

struct BitTable {
    const char* const (*texts)[8];
    const char* const* headings;
    int byteCount;
};

const BitTable kAipBits = {AipBitTexts, AipHeadings, 2};
const BitTable kAucBits = {AucBitTexts, AucHeadings, 2};
const BitTable kIacBits = {TvrBitTexts, TvrHeadings, 5};
const BitTable kTvrBits = {TvrEmvBitTexts, TvrHeadings, 5};
const BitTable kTsiBits = {TsiBitTexts, TsiHeadings, 2};
const BitTable kTerminalCapabilityBits = {TerminalCapabilityBitTexts, TerminalCapabilityHeadings,
                                          3};
const BitTable kAdditionalCapabilityBits = {AdditionalCapabilityBitTexts,
                                            AdditionalCapabilityHeadings, 5};

// One row per set bit, bytes in order and bits from b8 to b1.
void AddBitRows(const BitTable& table, const uint8_t* value, std::vector<AnalysisRow>* rows) {
    for (int byte = 0; byte < table.byteCount; ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            if ((value[byte] & BitMasks[bit]) == 0) {
                continue;
            }
            char contents[32];
            snprintf(contents, sizeof contents, "Byte %d b%d", byte + 1, 8 - bit);
            AnalysisRow row = DecodedRow(contents, "", table.texts[byte][bit]);
            row.tooltip = table.headings[byte];
            rows->push_back(row);
        }
    }
}

// What makes an AFL entry one a terminal cannot read (EMV 4.3 Book 3, section 10.2): the SFI
// in the five high bits, 1 to 30, and the three low bits zero; a first record from 1 and a last
// record not before it; no more records for offline data authentication than the range holds.
void AddAflEntryProblems(const uint8_t* group, std::vector<AnalysisRow>* rows) {
    const int sfi = group[0] >> 3;
    if ((group[0] & 0x07) != 0) {
        rows->push_back(
            InvalidRow(HexText(group, 1), "the three low bits of the SFI byte are not zero"));
    }
    if (sfi == 0 || sfi == 31) {
        rows->push_back(InvalidRow(HexText(group, 1), "SFI out of the range 1 to 30"));
    }
    if (group[1] == 0) {
        rows->push_back(InvalidRow(HexText(group + 1, 1), "no record 0"));
    } else if (group[2] < group[1]) {
        rows->push_back(
            InvalidRow(HexText(group + 1, 2), "the last record comes before the first"));
    } else if (group[3] > group[2] - group[1] + 1) {
        rows->push_back(
            InvalidRow(HexText(group + 3, 1),
                       "more records for offline data authentication than in the range"));
    }
}

void DecodeAfl(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const int count = in.length / 4;
    for (int k = 0; k < count; ++k) {
        const uint8_t* group = in.value + 4 * k;
        char contents[32];
        char data[16];
        char description[96];
        snprintf(contents, sizeof contents, "%d/%d Record Info", k + 1, count);
        snprintf(data, sizeof data, "%02X%02X%02X%02X", group[0], group[1], group[2], group[3]);
        snprintf(description, sizeof description, "SFI %d, Record No. %d ~ %d, No. for ODA %d",
                 group[0] >> 3, group[1], group[2], group[3]);
        rows->push_back(DecodedRow(contents, data, description));
        AddAflEntryProblems(group, &rows->back().children);
    }
}

void DecodeCid(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    static const char* const kTypes[4] = {"AAC", "TC", "ARQC", "AAR"};
    static const char* const kReasons[4] = {"No information given", "Service not allowed",
                                            "PIN Try Limit exceeded",
                                            "Issuer authentication failed"};
    const uint8_t value = in.value[0];
    rows->push_back(DecodedRow("AC Type", "", kTypes[value >> 6]));
    rows->push_back(
        DecodedRow("Advice", "", (value & 0x08) != 0 ? "Advice Required" : "No advice Required"));
    const int reason = value & 0x07;
    rows->push_back(
        DecodedRow("Reason/advice/referral code", "", reason < 4 ? kReasons[reason] : ""));
}

using Decoder = void (*)(const DecoderInput& in, std::vector<AnalysisRow>* rows);

// The decoder of each decoded dictionary entry, by its index in the dictionary: either a bit
// table or a decoder function.
struct DecoderEntry {
    int index;
    const BitTable* bits;
    Decoder decode;
};

const DecoderEntry kDecoders[] = {
    {1, nullptr, DecodeAccountType},             // 5F57 Account Type
    {3, &kAdditionalCapabilityBits, nullptr},    // 9F40 Additional Terminal Capabilities
    {4, nullptr, DecodeBinaryAmount},            // 81 Amount, Authorised (Binary)
    {5, nullptr, DecodeNumericAmount},           // 9F02 Amount, Authorised (Numeric)
    {6, nullptr, DecodeBinaryAmount},            // 9F04 Amount, Other (Binary)
    {7, nullptr, DecodeNumericAmount},           // 9F03 Amount, Other (Numeric)
    {8, nullptr, DecodeReferenceAmount},         // 9F3A Amount, Reference Currency
    {10, nullptr, DecodeCurrency},               // 9F42 Application Currency Code
    {11, nullptr, DecodeCurrencyExponent},       // 9F44 Application Currency Exponent
    {13, nullptr, DecodeDate},                   // 5F25 Application Effective Date
    {14, nullptr, DecodeDate},                   // 5F24 Application Expiration Date
    {15, nullptr, DecodeAfl},                    // 94 Application File Locator
    {18, &kAipBits, nullptr},                    // 82 Application Interchange Profile
    {23, nullptr, DecodeApplicationPriority},    // 87 Application Priority Indicator
    {24, nullptr, DecodeCurrency},               // 9F3B Application Reference Currency
    {25, nullptr, DecodeCurrencyExponent},       // 9F43 Application Reference Currency Exponent
    {29, &kAucBits, nullptr},                    // 9F07 Application Usage Control
    {30, nullptr, DecodeVersionNumber},          // 9F08 Application Version Number (card)
    {31, nullptr, DecodeVersionNumber},          // 9F09 Application Version Number (terminal)
    {36, nullptr, DecodeDol},                    // 8C CDOL1
    {37, nullptr, DecodeDol},                    // 8D CDOL2
    {41, nullptr, DecodeCvmList},                // 8E CVM List
    {42, nullptr, DecodeCvmResults},             // 9F34 CVM Results
    {49, nullptr, DecodeCid},                    // 9F27 Cryptogram Information Data
    {56, nullptr, DecodeDol},                    // 9F49 DDOL
    {70, &kIacBits, nullptr},                    // 9F0D Issuer Action Code - Default
    {71, &kIacBits, nullptr},                    // 9F0E Issuer Action Code - Denial
    {72, &kIacBits, nullptr},                    // 9F0F Issuer Action Code - Online
    {73, nullptr, DecodeIssuerApplicationData},  // 9F10 Issuer Application Data
    {76, nullptr, DecodeNumericCountry},         // 5F28 Issuer Country Code
    {77, nullptr, DecodeAlphaCountry},           // 5F55 Issuer Country Code (alpha2)
    {78, nullptr, DecodeAlphaCountry},           // 5F56 Issuer Country Code (alpha3)
    {89, nullptr, DecodeLanguages},              // 5F2D Language Preference
    {101, nullptr, DecodePosEntryMode},          // 9F39 POS Entry Mode
    {102, nullptr, DecodeDol},                   // 9F38 PDOL
    {106, nullptr, DecodeServiceCode},           // 5F30 Service Code
    {115, &kTerminalCapabilityBits, nullptr},    // 9F33 Terminal Capabilities
    {116, nullptr, DecodeNumericCountry},        // 9F1A Terminal Country Code
    {120, nullptr, DecodeTerminalType},          // 9F35 Terminal Type
    {121, &kTvrBits, nullptr},                   // 95 Terminal Verification Results
    {124, nullptr, DecodeTrack2Discretionary},   // 9F20 Track 2 Discretionary Data
    {125, nullptr, DecodeTrack2},                // 57 Track 2 Equivalent Data
    {127, nullptr, DecodeDol},                   // 97 TDOL
    {129, nullptr, DecodeCurrency},              // 5F2A Transaction Currency Code
    {130, nullptr, DecodeCurrencyExponent},      // 5F36 Transaction Currency Exponent
    {131, nullptr, DecodeDate},                  // 9A Transaction Date
    {133, nullptr, DecodeCurrency},              // 9F3C Transaction Reference Currency Code
    {135, nullptr, DecodeCurrencyExponent},      // 9F3D Transaction Reference Currency Exponent
    {137, &kTsiBits, nullptr},                   // 9B Transaction Status Information
    {138, nullptr, DecodeTime},                  // 9F21 Transaction Time
    {139, nullptr, DecodeTransactionType},       // 9C Transaction Type
};

// Texts in the issuer's code table may use ISO/IEC 8859 characters beyond ASCII.
const int kApplicationPreferredName = 20;

}  // namespace

bool CheckLengthRule(const DataElementDef* entry, uint16_t length) {
    switch (entry->format & FORMAT_RULE_MASK) {
        case FORMAT_RULE_FIXED:
            return length == entry->lengths[0];
        case FORMAT_RULE_RANGE:
            return length >= entry->lengths[0] && length <= entry->lengths[1];
        case FORMAT_RULE_LIST:
            for (int i = 0; i < entry->lengthCount && i < 5; ++i) {
                if (length == entry->lengths[i]) {
                    return true;
                }
            }
            return false;
        default:
            return false;
    }
}

void AddDecodedRows(int index, const uint8_t* value, uint16_t length, const ElementRecord& record,
                    const DigitMask* mask, std::vector<AnalysisRow>* rows) {
    const DataElementDef* entry = DictGetEntry(index);
    if (index == 0 || length == 0 || value == nullptr || entry == nullptr ||
        (entry->tagLength != 0 && (entry->tag[0] & 0x20) != 0) || !CheckLengthRule(entry, length)) {
        return;
    }
    const DecoderInput in = {value, length, record, mask};
    for (const DecoderEntry& decoder : kDecoders) {
        if (decoder.index != index) {
            continue;
        }
        if (decoder.bits != nullptr) {
            AddBitRows(*decoder.bits, value, rows);
        } else {
            decoder.decode(in, rows);
        }
        return;
    }
    const uint32_t kind = entry->format & FORMAT_KIND_MASK;
    if (kind == FORMAT_A || kind == FORMAT_AN || kind == FORMAT_ANS) {
        DecodeText(in, kind, index == kApplicationPreferredName, rows);
    }
}
