// Cardholder Verification Method List (8E) and CVM Results (9F34).
#include <stdio.h>

#include "panels/value_decoders.h"

namespace {

// CVM Codes, byte 1 b6-b1 of a CV Rule: EMV 4.3 Book 3, Annex C3, Table 39, with the biometric
// methods 06 to 0F of EMV 4.4 Book 3, Annex C3, Table 43.
const CodeText kCvmCodes[] = {
    {0x00, 0x00, "Fail CVM processing"},
    {0x01, 0x01, "Plaintext PIN verification performed by ICC"},
    {0x02, 0x02, "Enciphered PIN verified online"},
    {0x03, 0x03, "Plaintext PIN verification performed by ICC and signature (paper)"},
    {0x04, 0x04, "Enciphered PIN verification performed by ICC"},
    {0x05, 0x05, "Enciphered PIN verification performed by ICC and signature (paper)"},
    {0x06, 0x06, "Facial biometric verified offline (by ICC)"},
    {0x07, 0x07, "Facial biometric verified online"},
    {0x08, 0x08, "Finger biometric verified offline (by ICC)"},
    {0x09, 0x09, "Finger biometric verified online"},
    {0x0A, 0x0A, "Palm biometric verified offline (by ICC)"},
    {0x0B, 0x0B, "Palm biometric verified online"},
    {0x0C, 0x0C, "Iris biometric verified offline (by ICC)"},
    {0x0D, 0x0D, "Iris biometric verified online"},
    {0x0E, 0x0E, "Voice biometric verified offline (by ICC)"},
    {0x0F, 0x0F, "Voice biometric verified online"},
    {0x10, 0x1D, "RFU"},
    {0x1E, 0x1E, "Signature (paper)"},
    {0x1F, 0x1F, "No CVM required"},
    {0x20, 0x2F, "Reserved for use by the individual payment systems"},
    {0x30, 0x3E, "Reserved for use by the issuer"},
    {0x3F, 0x3F, "This value is not available for use"},
};
const CodeTable kCvmCodeTable = {kCvmCodes, sizeof kCvmCodes / sizeof kCvmCodes[0], "RFU"};

// CVM Condition Codes, byte 2 of a CV Rule: EMV 4.3 Book 3, Annex C3, Table 40.
const CodeText kConditionCodes[] = {
    {0x00, 0x00, "Always"},
    {0x01, 0x01, "If unattended cash"},
    {0x02, 0x02, "If not unattended cash and not manual cash and not purchase with cashback"},
    {0x03, 0x03, "If terminal supports the CVM"},
    {0x04, 0x04, "If manual cash"},
    {0x05, 0x05, "If purchase with cashback"},
    {0x06, 0x06, "If transaction is in the application currency and is under X value"},
    {0x07, 0x07, "If transaction is in the application currency and is over X value"},
    {0x08, 0x08, "If transaction is in the application currency and is under Y value"},
    {0x09, 0x09, "If transaction is in the application currency and is over Y value"},
    {0x0A, 0x7F, "RFU"},
    {0x80, 0xFF, "Reserved for use by individual payment systems"},
};
const CodeTable kConditionTable = {kConditionCodes,
                                   sizeof kConditionCodes / sizeof kConditionCodes[0], "RFU"};

// CVM Result, byte 3 of the CVM Results: EMV 4.3 Book 4, Annex A4.
const CodeText kResultCodes[] = {
    {0x00, 0x00, "Unknown"},
    {0x01, 0x01, "Failed"},
    {0x02, 0x02, "Successful"},
};
const CodeTable kResultTable = {kResultCodes, sizeof kResultCodes / sizeof kResultCodes[0], "RFU"};

// The CVM Results' code when no CVM was performed: EMV 4.3 Book 4, Annex A4.
const int kNoCvmPerformed = 0x3F;

std::string ByteText(uint8_t byte) {
    return HexText(&byte, 1);
}

void AddCvmCodeRows(uint8_t code, bool performed, std::vector<AnalysisRow>* rows) {
    const int method = code & 0x3F;
    if (performed && method == kNoCvmPerformed) {
        rows->push_back(
            DecodedRow("CVM Code", ByteText(static_cast<uint8_t>(method)), "No CVM performed"));
    } else {
        rows->push_back(DecodedRow("CVM Code", ByteText(static_cast<uint8_t>(method)),
                                   LookUpCode(kCvmCodeTable, method)));
        rows->push_back(DecodedRow(
            "Byte 1 b7", "",
            (code & 0x40) != 0 ? "Apply succeeding CV Rule if this CVM is unsuccessful"
                               : "Fail cardholder verification if this CVM is unsuccessful"));
    }
    if ((code & 0x80) != 0) {
        rows->push_back(DecodedRow("Byte 1 b8", "", "RFU"));
    }
}

uint32_t Binary32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) << 24 | static_cast<uint32_t>(bytes[1]) << 16 |
           static_cast<uint32_t>(bytes[2]) << 8 | bytes[3];
}

}  // namespace

// Amount X, Amount Y and two-byte CV Rules: EMV 4.3 Book 3, section 10.5 and Annex C3.
void DecodeCvmList(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    if (in.length < 8) {
        rows->push_back(
            InvalidRow(HexText(in.value, in.length), "Amount X and Amount Y need 8 bytes"));
        return;
    }
    rows->push_back(DecodedRow("Amount X", HexText(in.value, 4),
                               ApplicationCurrencyAmount(in, Binary32(in.value))));
    rows->push_back(DecodedRow("Amount Y", HexText(in.value + 4, 4),
                               ApplicationCurrencyAmount(in, Binary32(in.value + 4))));
    const int ruleCount = (in.length - 8) / 2;
    for (int k = 0; k < ruleCount; ++k) {
        const uint8_t* rule = in.value + 8 + 2 * k;
        char contents[32];
        snprintf(contents, sizeof contents, "CV Rule %d", k + 1);
        AnalysisRow row = DecodedRow(contents, HexText(rule, 2), "");
        AddCvmCodeRows(rule[0], false, &row.children);
        row.children.push_back(DecodedRow("CVM Condition Code", ByteText(rule[1]),
                                          LookUpCode(kConditionTable, rule[1])));
        rows->push_back(row);
    }
    if ((in.length - 8) % 2 != 0) {
        rows->push_back(
            InvalidRow(HexText(in.value + in.length - 1, 1), "odd number of CV Rule bytes"));
    }
}

// CVM Performed, CVM Condition and CVM Result: EMV 4.3 Book 4, Annex A4.
void DecodeCvmResults(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    AddCvmCodeRows(in.value[0], true, rows);
    rows->push_back(DecodedRow("CVM Condition Code", ByteText(in.value[1]),
                               LookUpCode(kConditionTable, in.value[1])));
    rows->push_back(
        DecodedRow("CVM Result", ByteText(in.value[2]), LookUpCode(kResultTable, in.value[2])));
}
