#include "panels/analysis_decoders.h"

#include <stdio.h>

#include "dictionary/dictionary.h"

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

// Dictionary indices of the decoded elements.
enum {
    kAdditionalTerminalCapabilities = 3,
    kApplicationFileLocator = 15,
    kApplicationInterchangeProfile = 18,
    kApplicationUsageControl = 29,
    kCryptogramInformationData = 49,
    kIssuerActionCodeDefault = 70,
    kIssuerActionCodeDenial = 71,
    kIssuerActionCodeOnline = 72,
    kTerminalCapabilities = 115,
    kTerminalVerificationResults = 121,
    kTransactionStatusInformation = 137,
};

AnalysisRow DecodedRow(const std::string& contents, const std::string& data,
                       const std::string& description) {
    return AnalysisRow{contents, data, description, ANALYSIS_IMAGE_DECODED, 0, {}, {}};
}

// One row per set bit, bytes in order and bits from b8 to b1.
void AddBitRows(const char* const (*texts)[8], const char* const* headings, int byteCount,
                const uint8_t* value, std::vector<AnalysisRow>* rows) {
    for (int byte = 0; byte < byteCount; ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            if ((value[byte] & BitMasks[bit]) == 0) {
                continue;
            }
            char contents[32];
            snprintf(contents, sizeof contents, "Byte %d b%d", byte + 1, 8 - bit);
            AnalysisRow row = DecodedRow(contents, "", texts[byte][bit]);
            row.tooltip = headings[byte];
            rows->push_back(row);
        }
    }
}

void AddAflRows(const uint8_t* value, uint16_t length, std::vector<AnalysisRow>* rows) {
    const int count = length / 4;
    for (int k = 0; k < count; ++k) {
        const uint8_t* group = value + 4 * k;
        char contents[32];
        char data[16];
        char description[96];
        snprintf(contents, sizeof contents, "%d/%d Record Info", k + 1, count);
        snprintf(data, sizeof data, "%02X%02X%02X%02X", group[0], group[1], group[2], group[3]);
        snprintf(description, sizeof description, "SFI %d, Record No. %d ~ %d, No. for ODA %d",
                 group[0] >> 3, group[1], group[2], group[3]);
        rows->push_back(DecodedRow(contents, data, description));
    }
}

void AddCidRows(uint8_t value, std::vector<AnalysisRow>* rows) {
    static const char* const kTypes[4] = {"AAC", "TC", "ARQC", "AAR"};
    static const char* const kReasons[4] = {"No information given", "Service not allowed",
                                            "PIN Try Limit exceeded",
                                            "Issuer authentication failed"};
    rows->push_back(DecodedRow("AC Type", "", kTypes[value >> 6]));
    rows->push_back(
        DecodedRow("Advice", "", (value & 0x08) != 0 ? "Advice Required" : "No advice Required"));
    const int reason = value & 0x07;
    rows->push_back(
        DecodedRow("Reason/advice/referral code", "", reason < 4 ? kReasons[reason] : ""));
}

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

void AddDecodedRows(int index, const uint8_t* value, uint16_t length,
                    std::vector<AnalysisRow>* rows) {
    const DataElementDef* entry = DictGetEntry(index);
    if (index == 0 || length == 0 || value == nullptr || entry == nullptr ||
        (entry->tagLength != 0 && (entry->tag[0] & 0x20) != 0) || !CheckLengthRule(entry, length)) {
        return;
    }
    switch (index) {
        case kApplicationFileLocator:
            AddAflRows(value, length, rows);
            break;
        case kApplicationInterchangeProfile:
            AddBitRows(AipBitTexts, AipHeadings, 2, value, rows);
            break;
        case kApplicationUsageControl:
            AddBitRows(AucBitTexts, AucHeadings, 2, value, rows);
            break;
        case kCryptogramInformationData:
            AddCidRows(value[0], rows);
            break;
        case kIssuerActionCodeDefault:
        case kIssuerActionCodeDenial:
        case kIssuerActionCodeOnline:
        case kTerminalVerificationResults:
            AddBitRows(TvrBitTexts, TvrHeadings, 5, value, rows);
            break;
        case kTransactionStatusInformation:
            AddBitRows(TsiBitTexts, TsiHeadings, 2, value, rows);
            break;
        case kTerminalCapabilities:
            AddBitRows(TerminalCapabilityBitTexts, TerminalCapabilityHeadings, 3, value, rows);
            break;
        case kAdditionalTerminalCapabilities:
            AddBitRows(AdditionalCapabilityBitTexts, AdditionalCapabilityHeadings, 5, value, rows);
            break;
        default:
            break;
    }
}
