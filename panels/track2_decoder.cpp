// Track 2 Equivalent Data (57), Track 2 Discretionary Data (9F20) and Service Code (5F30).
#include <stdio.h>

#include "panels/value_decoders.h"

namespace {

// Service code digits: ISO/IEC 7813, section 10.5 (positions 1 to 3).
const CodeText kInterchange[] = {
    {1, 1, "International interchange OK"},
    {2, 2, "International interchange, use IC (chip) where feasible"},
    {5, 5, "National interchange only except under bilateral agreement"},
    {6, 6,
     "National interchange only except under bilateral agreement, use IC (chip) where "
     "feasible"},
    {7, 7, "No interchange except under bilateral agreement (closed loop)"},
    {9, 9, "Test"},
};
const CodeText kAuthorisation[] = {
    {0, 0, "Normal"},
    {2, 2, "Contact issuer via online means"},
    {4, 4, "Contact issuer via online means except under bilateral agreement"},
};
const CodeText kServices[] = {
    {0, 0, "No restrictions, PIN required"},
    {1, 1, "No restrictions"},
    {2, 2, "Goods and services only (no cash)"},
    {3, 3, "ATM only, PIN required"},
    {4, 4, "Cash only"},
    {5, 5, "Goods and services only (no cash), PIN required"},
    {6, 6, "No restrictions, use PIN where feasible"},
    {7, 7, "Goods and services only (no cash), use PIN where feasible"},
};

struct ServiceCodeDigit {
    const char* name;
    CodeTable meanings;
};

const ServiceCodeDigit kServiceCodeDigits[3] = {
    {"Interchange and technology",
     {kInterchange, sizeof kInterchange / sizeof kInterchange[0], "RFU"}},
    {"Authorization processing",
     {kAuthorisation, sizeof kAuthorisation / sizeof kAuthorisation[0], "RFU"}},
    {"Range of services and PIN requirements",
     {kServices, sizeof kServices / sizeof kServices[0], "RFU"}},
};

// One row per digit of a three-digit service code.
void AddServiceCodeRows(const std::string& code, std::vector<AnalysisRow>* rows) {
    for (int i = 0; i < 3; ++i) {
        char contents[16];
        snprintf(contents, sizeof contents, "Digit %d", i + 1);
        rows->push_back(DecodedRow(contents, code.substr(static_cast<size_t>(i), 1),
                                   std::string(kServiceCodeDigits[i].name) + ": " +
                                       LookUpCode(kServiceCodeDigits[i].meanings, code[i] - '0')));
    }
}

// Digits, then at most a one-digit F filler that completes the last byte.
void AddDiscretionaryRows(const std::string& digits, bool filler, std::vector<AnalysisRow>* rows) {
    if (!digits.empty()) {
        rows->push_back(DecodedRow(
            "Discretionary Data", digits,
            std::to_string(digits.size()) + (digits.size() == 1 ? " digit" : " digits")));
    }
    if (filler) {
        rows->push_back(DecodedRow("Filler", "F", "Pads the data to whole bytes"));
    }
}

}  // namespace

// Track 2 Equivalent Data: PAN, separator D, expiry date YYMM, service code, discretionary data
// and an F filler; EMV 4.3 Book 3, Annex A, with ISO/IEC 7813 for the track 2 layout.
void DecodeTrack2(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    std::string nibbles = HexText(in.value, in.length);
    // The PAN's digits are shown from here, masked where they are to be.
    const std::string shown = ShownHexText(in);
    const bool filler = !nibbles.empty() && nibbles.back() == 'F';
    if (filler) {
        nibbles.pop_back();
    }
    const size_t separator = nibbles.find('D');
    if (separator == std::string::npos) {
        rows->push_back(InvalidRow(shown.substr(0, nibbles.size()), "no field separator D"));
        return;
    }
    const std::string pan = nibbles.substr(0, separator);
    const std::string shownPan = shown.substr(0, separator);
    if (pan.empty() || pan.size() > 19 || !AllDecimal(pan)) {
        rows->push_back(InvalidRow(shownPan, "the PAN is not 1 to 19 decimal digits"));
        return;
    }
    rows->push_back(
        DecodedRow("Primary Account Number", shownPan, std::to_string(pan.size()) + " digits"));
    rows->push_back(DecodedRow("Field Separator", "D", ""));
    const std::string rest = nibbles.substr(separator + 1);
    const std::string expiry = rest.substr(0, 4);
    if (expiry.size() < 4 || !AllDecimal(expiry)) {
        rows->push_back(InvalidRow(expiry, "no decimal expiration date YYMM"));
        return;
    }
    const int yy = (expiry[0] - '0') * 10 + (expiry[1] - '0');
    const int month = (expiry[2] - '0') * 10 + (expiry[3] - '0');
    if (month < 1 || month > 12) {
        rows->push_back(InvalidRow(expiry, "month out of range"));
        return;
    }
    char date[16];
    snprintf(date, sizeof date, "%04d-%02d", yy < 50 ? 2000 + yy : 1900 + yy, month);
    rows->push_back(DecodedRow("Expiration Date", expiry, date));
    const std::string serviceCode = rest.substr(4, 3);
    if (serviceCode.size() < 3 || !AllDecimal(serviceCode)) {
        rows->push_back(InvalidRow(serviceCode, "no decimal service code"));
        return;
    }
    AnalysisRow service = DecodedRow("Service Code", serviceCode, "");
    AddServiceCodeRows(serviceCode, &service.children);
    rows->push_back(service);
    const std::string discretionary = rest.substr(7);
    if (!AllDecimal(discretionary)) {
        rows->push_back(InvalidRow(discretionary, "the discretionary data is not decimal"));
        return;
    }
    AddDiscretionaryRows(discretionary, filler, rows);
}

// Track 2 Discretionary Data: compressed numeric, padded with F.
void DecodeTrack2Discretionary(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const std::string nibbles = HexText(in.value, in.length);
    const std::string shown = ShownHexText(in);
    const size_t padding = nibbles.find_last_not_of('F');
    const size_t digits = padding == std::string::npos ? 0 : padding + 1;
    if (!AllDecimal(nibbles.substr(0, digits))) {
        rows->push_back(InvalidRow(shown, "not compressed numeric digits"));
        return;
    }
    AddDiscretionaryRows(shown.substr(0, digits), false, rows);
}

// Service Code: n 3 in two bytes, a leading zero digit.
void DecodeServiceCode(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const std::string digits = HexText(in.value, in.length);
    if (digits.size() != 4 || digits[0] != '0' || !AllDecimal(digits)) {
        rows->push_back(InvalidRow(digits, "not a three-digit service code"));
        return;
    }
    AddServiceCodeRows(digits.substr(1), rows);
}
