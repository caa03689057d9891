// Issuer Application Data (9F10) in the Common Core Definitions layout: EMV 4.3 Book 3,
// Annex C7 (C7.1 Common Core Identifier, C7.2 layout of Format Code A, C7.3 Card Verification
// Results). Any other layout is shown as bytes only: its meaning belongs to a payment system.
#include "panels/value_decoders.h"

namespace {

enum {
    kCcdLength = 32,
    kCcdLengthIndicator = 0x0F,
    kFormatCodeA = 0x0A,
};

const CodeText kFormatCodes[] = {{kFormatCodeA, kFormatCodeA, "A"}};
const CodeTable kFormatCodeTable = {kFormatCodes, 1, "RFU"};
const CodeText kCryptogramVersions[] = {
    {0x5, 0x5, "Triple DES"},
    {0x6, 0x6, "AES"},
};
const CodeTable kCryptogramVersionTable = {kCryptogramVersions, 2, "RFU"};

const BitField kCciFields[] = {
    {1, 0xF0, "Format Code", &kFormatCodeTable},
    {1, 0x0F, "Cryptogram Version", &kCryptogramVersionTable},
};
const BitLayout kCciLayout = {kCciFields, 2, 1};

const CodeText kSecondAcTypes[] = {
    {0, 0, "AAC"},
    {1, 1, "TC"},
    {2, 2, "Second GENERATE AC Not Requested"},
};
const CodeTable kSecondAcTypeTable = {kSecondAcTypes, 3, "RFU"};
const CodeText kFirstAcTypes[] = {
    {0, 0, "AAC"},
    {1, 1, "TC"},
    {2, 2, "ARQC"},
};
const CodeTable kFirstAcTypeTable = {kFirstAcTypes, 3, "RFU"};

// Card Verification Results: EMV 4.3 Book 3, Annex C7.3; byte 5 is RFU.
const BitField kCvrFields[] = {
    {1, 0xC0, "Application Cryptogram Type Returned in Second GENERATE AC", &kSecondAcTypeTable},
    {1, 0x30, "Application Cryptogram Type Returned in First GENERATE AC", &kFirstAcTypeTable},
    {1, 0x08, "CDA Performed", nullptr},
    {1, 0x04, "Offline DDA Performed", nullptr},
    {1, 0x02, "Issuer Authentication Not Performed", nullptr},
    {1, 0x01, "Issuer Authentication Failed", nullptr},
    {2, 0xF0, "Low Order Nibble of PIN Try Counter", nullptr},
    {2, 0x08, "Offline PIN Verification Performed", nullptr},
    {2, 0x04, "Offline PIN Verification Performed and PIN Not Successfully Verified", nullptr},
    {2, 0x02, "PIN Try Limit Exceeded", nullptr},
    {2, 0x01, "Last Online Transaction Not Completed", nullptr},
    {3, 0x80, "Lower Offline Transaction Count Limit Exceeded", nullptr},
    {3, 0x40, "Upper Offline Transaction Count Limit Exceeded", nullptr},
    {3, 0x20, "Lower Cumulative Offline Amount Limit Exceeded", nullptr},
    {3, 0x10, "Upper Cumulative Offline Amount Limit Exceeded", nullptr},
    {3, 0x08, "Issuer-discretionary bit 1", nullptr},
    {3, 0x04, "Issuer-discretionary bit 2", nullptr},
    {3, 0x02, "Issuer-discretionary bit 3", nullptr},
    {3, 0x01, "Issuer-discretionary bit 4", nullptr},
    {4, 0xF0,
     "Number of Issuer Script Commands Containing Secure Messaging Processed on Last Transaction",
     nullptr},
    {4, 0x08, "Issuer Script Processing Failed on Last Transaction", nullptr},
    {4, 0x04, "Offline Data Authentication Failed on Previous Transaction", nullptr},
    {4, 0x02, "Go Online on Next Transaction Was Set", nullptr},
    {4, 0x01, "Unable to go Online", nullptr},
};
const BitLayout kCvrLayout = {kCvrFields, sizeof kCvrFields / sizeof kCvrFields[0], 5};

bool IsCommonCoreLayout(const DecoderInput& in) {
    return in.length == kCcdLength && in.value[0] == kCcdLengthIndicator &&
           in.value[1] >> 4 == kFormatCodeA && in.value[16] == kCcdLengthIndicator;
}

}  // namespace

void DecodeIssuerApplicationData(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    if (!IsCommonCoreLayout(in)) {
        rows->push_back(DecodedRow("Layout not recognised", HexText(in.value, in.length),
                                   ByteCountText(in.length)));
        return;
    }
    const uint8_t* v = in.value;
    rows->push_back(DecodedRow("Length Indicator", HexText(v, 1), ByteCountText(v[0])));
    AnalysisRow cci = DecodedRow("Common Core Identifier", HexText(v + 1, 1), "");
    AddBitFieldRows(kCciLayout, v + 1, &cci.children);
    rows->push_back(cci);
    rows->push_back(DecodedRow("Derivation Key Index", HexText(v + 2, 1), ""));
    AnalysisRow cvr = DecodedRow("Card Verification Results", HexText(v + 3, 5), "");
    AddBitFieldRows(kCvrLayout, v + 3, &cvr.children);
    rows->push_back(cvr);
    rows->push_back(DecodedRow("Counter Bytes", HexText(v + 8, 8), ""));
    rows->push_back(DecodedRow("Length Indicator", HexText(v + 16, 1), ByteCountText(v[16])));
    rows->push_back(DecodedRow("Issuer Discretionary Data", HexText(v + 17, 15), ""));
}
