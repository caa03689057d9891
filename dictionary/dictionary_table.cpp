// The dictionary table and the description texts, in index order: the index of an entry is its
// identity everywhere in the program.
#include "dictionary/dictionary_table.h"

namespace {

const uint8_t kTerminal = SOURCE_TERMINAL;
const uint8_t kIcc = SOURCE_ICC;
const uint8_t kIssuer = SOURCE_ISSUER;

}  // namespace

// Fields: format, source, templateCount, templates, tag, tagLength, lengthCount, lengths,
// valueLength, value, name.
// clang-format off
DataElementDef g_dictionaryTable[DICT_ENTRY_COUNT] = {
    {0x00, 0, 0, {}, {}, 0, 2, {0, 0}, 0, nullptr,
        "NULL DE"},  // 0
    {0x08, kTerminal, 0, {}, {0x5F, 0x57}, 2, 2, {1, 1}, 0, nullptr,
        "Account Type"},  // 1
    {0x08, kTerminal, 0, {}, {0x9F, 0x01}, 2, 2, {6, 6}, 0, nullptr,
        "Acquirer Identifier"},  // 2
    {0x10, kTerminal, 0, {}, {0x9F, 0x40}, 2, 2, {5, 5}, 0, nullptr,
        "Additional Terminal Capabilities"},  // 3
    {0x10, kTerminal, 0, {}, {0x81}, 1, 2, {4, 4}, 0, nullptr,
        "Amount, Authorised(Binary)"},  // 4
    {0x08, kTerminal, 0, {}, {0x9F, 0x02}, 2, 2, {6, 6}, 0, nullptr,
        "Amount, Authorised(Numeric)"},  // 5
    {0x10, kTerminal, 0, {}, {0x9F, 0x04}, 2, 2, {4, 4}, 0, nullptr,
        "Amount, Other(Binary)"},  // 6
    {0x08, kTerminal, 0, {}, {0x9F, 0x03}, 2, 2, {6, 6}, 0, nullptr,
        "Amount, Other(Numeric)"},  // 7
    {0x10, kTerminal, 0, {}, {0x9F, 0x3A}, 2, 2, {4, 4}, 0, nullptr,
        "Amount, Reference Currency"},  // 8
    {0x10, kIcc, 2, {{{0x77}, 1}, {{0x80}, 1}}, {0x9F, 0x26}, 2, 2, {8, 8}, 0, nullptr,
        "Application Cryptogram(AC)"},  // 9
    {0x08, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x42}, 2, 2, {2, 2}, 0, nullptr,
        "Application Currency Code"},  // 10
    {0x08, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x44}, 2, 2, {1, 1}, 0, nullptr,
        "Application Currency Exponent"},  // 11
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x05}, 2, 2, {1, 32}, 0, nullptr,
        "Application Discretionary Data"},  // 12
    {0x08, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x5F, 0x25}, 2, 2, {3, 3}, 0, nullptr,
        "Application Effective Date"},  // 13
    {0x09, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x5F, 0x24}, 2, 2, {3, 3}, 0, nullptr,
        "Application Expiration Date"},  // 14
    {0x4A, kIcc, 2, {{{0x77}, 1}, {{0x80}, 1}}, {0x94}, 1, 2, {0, 252}, 0, nullptr,
        "Application File Locator(AFL)"},  // 15
    {0x12, kIcc, 1, {{{0x61}, 1}}, {0x4F}, 1, 2, {5, 16}, 0, nullptr,
        "Application Identifier(AID)-card"},  // 16
    {0x12, kTerminal, 0, {}, {0x9F, 0x06}, 2, 2, {5, 16}, 0, nullptr,
        "Application Identifier(AID)-terminal"},  // 17
    {0x10, kIcc, 2, {{{0x77}, 1}, {{0x80}, 1}}, {0x82}, 1, 2, {2, 2}, 0, nullptr,
        "Application Interchange Profile(AIP)"},  // 18
    {0x2B, kIcc, 2, {{{0x61}, 1}, {{0xA5}, 1}}, {0x50}, 1, 2, {1, 16}, 0, nullptr,
        "Application Label"},  // 19
    {0x2A, kIcc, 2, {{{0x61}, 1}, {{0xA5}, 1}}, {0x9F, 0x12}, 2, 2, {1, 16}, 0, nullptr,
        "Application Preferred Name"},  // 20
    {0x23, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x5A}, 1, 2, {0, 10}, 0, nullptr,
        "Application Primary Account Number(PAN)"},  // 21
    {0x08, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x5F, 0x34}, 2, 2, {1, 1}, 0, nullptr,
        "Application Primary Account Number(PAN) Sequence Number"},  // 22
    {0x10, kIcc, 2, {{{0x61}, 1}, {{0xA5}, 1}}, {0x87}, 1, 2, {1, 1}, 0, nullptr,
        "Application Priority Indicator(API)"},  // 23
    {0x0A, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x3B}, 2, 2, {2, 8}, 0, nullptr,
        "Application Reference Currency"},  // 24
    {0x0A, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x43}, 2, 2, {1, 4}, 0, nullptr,
        "Application Reference Currency Exponent"},  // 25
    {0x10, kTerminal, 0, {}, {}, 0, 2, {1, 1}, 0, nullptr,
        "Application Selection Indicator(ASI)"},  // 26
    {0x12, kIcc, 1, {{{0x70}, 1}}, {0x61}, 1, 2, {0, 252}, 0, nullptr,
        "Application Template"},  // 27
    {0x10, kIcc, 2, {{{0x77}, 1}, {{0x80}, 1}}, {0x9F, 0x36}, 2, 2, {2, 2}, 0, nullptr,
        "Application Transaction Counter(ATC)"},  // 28
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x07}, 2, 2, {2, 2}, 0, nullptr,
        "Appilcation Usage Control(AUC)"},  // 29
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x08}, 2, 2, {2, 2}, 0, nullptr,
        "Application Version Number-card"},  // 30
    {0x10, kTerminal, 0, {}, {0x9F, 0x09}, 2, 2, {2, 2}, 0, nullptr,
        "Application Version Number-terminal"},  // 31
    {0x00, kIssuer, 0, {}, {0x89}, 1, 2, {6, 6}, 0, nullptr,
        "Authorisation Code"},  // 32
    {0x18, kIssuer | kTerminal, 0, {}, {0x8A}, 1, 2, {2, 2}, 0, nullptr,
        "Authorisation Response Code(ARC)"},  // 33
    {0x14, kIssuer, 0, {}, {}, 0, 2, {4, 8}, 0, nullptr,
        "Authorisation Response Cryptogram(ARPC)"},  // 34
    {0x4C, kIcc, 2, {{{0xBF, 0x0C}, 2}, {{0x73}, 1}}, {0x5F, 0x54}, 2, 2, {8, 11}, 0, nullptr,
        "Bank Identifier Code(BIC)"},  // 35
    {0x13, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x8C}, 1, 2, {0, 252}, 0, nullptr,
        "Card Risk Management Data Object List 1(CDOL1)"},  // 36
    {0x13, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x8D}, 1, 2, {0, 252}, 0, nullptr,
        "Card Risk Management Data Object List 2(CDOL2)"},  // 37
    {0x10, kIssuer, 0, {}, {}, 0, 2, {4, 4}, 0, nullptr,
        "Card Status Update(CSU)"},  // 38
    {0x2A, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x5F, 0x20}, 2, 2, {2, 26}, 0, nullptr,
        "Cardholder Name"},  // 39
    {0x2A, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x0B}, 2, 2, {27, 45}, 0, nullptr,
        "Cardholder Name Extended"},  // 40
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x8E}, 1, 2, {0, 252}, 0, nullptr,
        "Cardholder Verification Method(CVM) List"},  // 41
    {0x10, kTerminal, 0, {}, {0x9F, 0x34}, 2, 2, {3, 3}, 0, nullptr,
        "Cardholder Verification Method(CVM) Results"},  // 42
    {0x10, kTerminal, 0, {}, {}, 0, 2, {20, 20}, 0, nullptr,
        "Certification Authority Public Key Check Sum"},  // 43
    {0x14, kTerminal, 0, {}, {}, 0, 2, {1, 3}, 0, nullptr,
        "Certification Authority Public Key Exponent"},  // 44
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x8F}, 1, 2, {1, 1}, 0, nullptr,
        "Certification Authority Public Key Index-card"},  // 45
    {0x10, kTerminal, 0, {}, {0x9F, 0x22}, 2, 2, {1, 1}, 0, nullptr,
        "Certification Authority Public Key Index-terminal"},  // 46
    {0x12, kTerminal, 0, {}, {}, 0, 2, {0, 248}, 0, nullptr,
        "Certification Authority Public Key Modulus"},  // 47
    {0x12, kTerminal, 0, {}, {0x83}, 1, 2, {0, 255}, 0, nullptr,
        "Command Template"},  // 48
    {0x10, kIcc, 2, {{{0x77}, 1}, {{0x80}, 1}}, {0x9F, 0x27}, 2, 2, {1, 1}, 0, nullptr,
        "Cryptogram Information Data(CID)"},  // 49
    {0x10, kIcc, 0, {}, {0x9F, 0x45}, 2, 2, {2, 2}, 0, nullptr,
        "Data Authentication Code"},  // 50
    {0x13, kIcc, 1, {{{0x6F}, 1}}, {0x84}, 1, 2, {5, 16}, 0, nullptr,
        "Dedicated File(DF) Name"},  // 51
    {0x12, kTerminal, 0, {}, {}, 0, 2, {0, 255}, 0, nullptr,
        "Default Dynamic Data Authentication Data Object List(DDOL)"},  // 52
    {0x12, kTerminal, 0, {}, {}, 0, 2, {0, 255}, 0, nullptr,
        "Default Transaction Certificate Data Object List(TDOL)"},  // 53
    {0x12, kIcc, 1, {{{0x61}, 1}}, {0x9D}, 1, 2, {5, 16}, 0, nullptr,
        "Directory Definition File(DDF) Name"},  // 54
    {0x4A, kIcc, 1, {{{0x61}, 1}}, {0x73}, 1, 2, {0, 252}, 0, nullptr,
        "Directory Discretionary Template"},  // 55
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x49}, 2, 2, {0, 252}, 0, nullptr,
        "Dynamic Data Authentication Data Object List(DDOL)"},  // 56
    {0x10, kTerminal, 0, {}, {}, 0, 2, {8, 8}, 0, nullptr,
        "Enciphered Personal Identification Number(PIN) Data"},  // 57
    {0x4A, kIcc, 1, {{{0xA5}, 1}}, {0xBF, 0x0C}, 2, 2, {0, 222}, 0, nullptr,
        "File Control Information(FCI) Issuer Discretionary Data"},  // 58
    {0x4A, kIcc, 1, {{{0x6F}, 1}}, {0xA5}, 1, 2, {0, 255}, 0, nullptr,
        "File Control Information(FCI) Proprietary Template"},  // 59
    {0x4A, kIcc, 0, {}, {0x6F}, 1, 2, {0, 252}, 0, nullptr,
        "File Control Information(FCI) Template"},  // 60
    {0x12, kIcc, 0, {}, {0x9F, 0x4C}, 2, 2, {2, 8}, 0, nullptr,
        "ICC Dynamic Number"},  // 61
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x2D}, 2, 2, {0, 248}, 0, nullptr,
        "Integrated Circuit Card(ICC) PIN Encipherment Public Key Certificate"},  // 62
    {0x14, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x2E}, 2, 2, {1, 3}, 0, nullptr,
        "Integrated Circuit Card(ICC) PIN Encipherment Public Key Exponent"},  // 63
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x2F}, 2, 2, {0, 248}, 0, nullptr,
        "Integrated Circuit Card(ICC) PIN Encipherment Public Key Remainder"},  // 64
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x46}, 2, 2, {0, 248}, 0, nullptr,
        "Integrated Circuit Card(ICC) Public Key Certificate"},  // 65
    {0x14, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x47}, 2, 2, {1, 3}, 0, nullptr,
        "Integrated Circuit Card(ICC) Public Key Exponent"},  // 66
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x48}, 2, 2, {0, 248}, 0, nullptr,
        "Integrated Circuit Card(ICC) Public Key Remainder"},  // 67
    {0x18, kTerminal, 0, {}, {0x9F, 0x1E}, 2, 2, {8, 8}, 0, nullptr,
        "Interface Device(IFD) Serial Number"},  // 68
    {0x4A, kIcc, 2, {{{0xBF, 0x0C}, 2}, {{0x73}, 1}}, {0x5F, 0x53}, 2, 2, {0, 34}, 0, nullptr,
        "International Bank Account Number(IBAN)"},  // 69
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x0D}, 2, 2, {5, 5}, 0, nullptr,
        "Issuer Action Code - Default"},  // 70
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x0E}, 2, 2, {5, 5}, 0, nullptr,
        "Issuer Action Code - Denial"},  // 71
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x0F}, 2, 2, {5, 5}, 0, nullptr,
        "Issuer Action Code - Online"},  // 72
    {0x12, kIcc, 2, {{{0x77}, 1}, {{0x80}, 1}}, {0x9F, 0x10}, 2, 2, {0, 32}, 0, nullptr,
        "Issuer Application Data"},  // 73
    {0x12, kIssuer, 0, {}, {0x91}, 1, 2, {8, 16}, 0, nullptr,
        "Issuer Authentication Data"},  // 74
    {0x08, kIcc, 1, {{{0xA5}, 1}}, {0x9F, 0x11}, 2, 2, {1, 1}, 0, nullptr,
        "Issuer Code Table Index"},  // 75
    {0x08, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x5F, 0x28}, 2, 2, {2, 2}, 0, nullptr,
        "Issuer Country Code"},  // 76
    {0x30, kIcc, 2, {{{0xBF, 0x0C}, 2}, {{0x73}, 1}}, {0x5F, 0x55}, 2, 2, {2, 2}, 0, nullptr,
        "Issuer Country Code (alpha2 format)"},  // 77
    {0x30, kIcc, 2, {{{0xBF, 0x0C}, 2}, {{0x73}, 1}}, {0x5F, 0x56}, 2, 2, {3, 3}, 0, nullptr,
        "Issuer Country Code (alpha3 format)"},  // 78
    {0x08, kIcc, 2, {{{0xBF, 0x0C}, 2}, {{0x73}, 1}}, {0x42}, 1, 2, {3, 3}, 0, nullptr,
        "Issuer Identification Number(IIN)"},  // 79
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x90}, 1, 2, {0, 248}, 0, nullptr,
        "Issuer Public Key Certificate"},  // 80
    {0x14, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x32}, 2, 2, {1, 3}, 0, nullptr,
        "Issuer Public Key Exponent"},  // 81
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x92}, 1, 2, {0, 248}, 0, nullptr,
        "Issuer Public Key Remainder"},  // 82
    {0x12, kIssuer, 2, {{{0x71}, 1}, {{0x72}, 1}}, {0x86}, 1, 2, {0, 261}, 0, nullptr,
        "Issuer Script Command"},  // 83
    {0x10, kIssuer, 2, {{{0x71}, 1}, {{0x72}, 1}}, {0x9F, 0x18}, 2, 2, {4, 4}, 0, nullptr,
        "Issuer Script Identifier"},  // 84
    {0x12, kTerminal, 0, {}, {}, 0, 2, {0, 255}, 0, nullptr,
        "Issuer Script Results"},  // 85
    {0x12, kIssuer, 0, {}, {0x71}, 1, 2, {0, 255}, 0, nullptr,
        "Issuer Script Template 1"},  // 86
    {0x12, kIssuer, 0, {}, {0x72}, 1, 2, {0, 255}, 0, nullptr,
        "Issuer Script Template 2"},  // 87
    {0x2A, kIcc, 2, {{{0xBF, 0x0C}, 2}, {{0x73}, 1}}, {0x5F, 0x50}, 2, 2, {0, 255}, 0, nullptr,
        "Issuer URL"},  // 88
    {0x1A, kIcc, 1, {{{0xA5}, 1}}, {0x5F, 0x2D}, 2, 2, {2, 8}, 0, nullptr,
        "Language Preference"},  // 89
    {0x10, kIcc, 0, {}, {0x9F, 0x13}, 2, 2, {2, 2}, 0, nullptr,
        "Last Online Application Transaction Counter(ATC) Register"},  // 90
    {0x10, kIcc, 2, {{{0xBF, 0x0C}, 2}, {{0x73}, 1}}, {0x9F, 0x4D}, 2, 2, {2, 2}, 0, nullptr,
        "Log Entry"},  // 91
    {0x12, kIcc, 0, {}, {0x9F, 0x4F}, 2, 2, {0, 255}, 0, nullptr,
        "Log Format"},  // 92
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x14}, 2, 2, {1, 1}, 0, nullptr,
        "Lower Consecutive Offline Limit(LCOL)"},  // 93
    {0x00, kTerminal, 0, {}, {}, 0, 2, {1, 1}, 0, nullptr,
        "Maximum Target Percentage to be used for Biased Random Selection"},  // 94
    {0x08, kTerminal, 0, {}, {0x9F, 0x15}, 2, 2, {2, 2}, 0, nullptr,
        "Merchant Category Code"},  // 95
    {0x28, kTerminal, 0, {}, {0x9F, 0x16}, 2, 2, {15, 15}, 0, nullptr,
        "Merchant Identifier"},  // 96
    {0x2A, kTerminal, 0, {}, {0x9F, 0x4E}, 2, 2, {0, 255}, 0, nullptr,
        "Merchant Name and Location"},  // 97
    {0x08, kTerminal, 0, {}, {}, 0, 2, {1, 1}, 0, nullptr,
        "Message Type"},  // 98
    {0x00, kTerminal, 0, {}, {}, 0, 2, {8, 8}, 0, nullptr,
        "Personal Identification Number(PIN) Pad Secret Key"},  // 99
    {0x10, kIcc, 0, {}, {0x9F, 0x17}, 2, 2, {1, 1}, 0, nullptr,
        "Personal Identification Number(PIN) Try Counter"},  // 100
    {0x08, kTerminal, 0, {}, {0x9F, 0x39}, 2, 2, {1, 1}, 0, nullptr,
        "Point-of-Service(POS) Entry Mode"},  // 101
    {0x12, kIcc, 1, {{{0xA5}, 1}}, {0x9F, 0x38}, 2, 2, {0, 255}, 0, nullptr,
        "Processing Options Data Object List(PDOL)"},  // 102
    {0x12, kIssuer, 0, {}, {}, 0, 2, {0, 8}, 0, nullptr,
        "Proprietary Authentication Data"},  // 103
    {0x4A, kIcc, 0, {}, {0x80}, 1, 2, {0, 255}, 0, nullptr,
        "Response Message Template Format 1"},  // 104
    {0x4A, kIcc, 0, {}, {0x77}, 1, 2, {0, 255}, 0, nullptr,
        "Response Message Template Format 2"},  // 105
    {0x08, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x5F, 0x30}, 2, 2, {2, 2}, 0, nullptr,
        "Service Code"},  // 106
    {0x11, kIcc, 1, {{{0xA5}, 1}}, {0x88}, 1, 2, {1, 1}, 0, nullptr,
        "Short File Identifier(SFI)"},  // 107
    {0x12, kIcc, 0, {}, {0x9F, 0x4B}, 2, 2, {0, 248}, 0, nullptr,
        "Signed Dynamic Application Data"},  // 108
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x93}, 1, 2, {0, 248}, 0, nullptr,
        "Signed Static Application Data"},  // 109
    {0x02, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x4A}, 2, 2, {0, 255}, 0, nullptr,
        "Static Data Authentication Tag List"},  // 110
    {0x00, kTerminal, 0, {}, {}, 0, 2, {1, 1}, 0, nullptr,
        "Target Percentage to be Used for Random Selection"},  // 111
    {0x10, kTerminal, 0, {}, {}, 0, 2, {5, 5}, 0, nullptr,
        "Terminal Action Code - Default"},  // 112
    {0x10, kTerminal, 0, {}, {}, 0, 2, {5, 5}, 0, nullptr,
        "Terminal Action Code - Denial"},  // 113
    {0x10, kTerminal, 0, {}, {}, 0, 2, {5, 5}, 0, nullptr,
        "Terminal Action Code - Online"},  // 114
    {0x10, kTerminal, 0, {}, {0x9F, 0x33}, 2, 2, {3, 3}, 0, nullptr,
        "Terminal Capabilities"},  // 115
    {0x08, kTerminal, 0, {}, {0x9F, 0x1A}, 2, 2, {2, 2}, 0, nullptr,
        "Terminal Country Code"},  // 116
    {0x10, kTerminal, 0, {}, {0x9F, 0x1B}, 2, 2, {4, 4}, 0, nullptr,
        "Terminal Floor Limit"},  // 117
    {0x18, kTerminal, 0, {}, {0x9F, 0x1C}, 2, 2, {8, 8}, 0, nullptr,
        "Terminal Identification"},  // 118
    {0x12, kTerminal, 0, {}, {0x9F, 0x1D}, 2, 2, {1, 8}, 0, nullptr,
        "Terminal Risk Management Data"},  // 119
    {0x08, kTerminal, 0, {}, {0x9F, 0x35}, 2, 2, {1, 1}, 0, nullptr,
        "Terminal Type"},  // 120
    {0x10, kTerminal, 0, {}, {0x95}, 1, 2, {5, 5}, 0, nullptr,
        "Terminal Verification Results(TVR)"},  // 121
    {0x00, kTerminal, 0, {}, {}, 0, 2, {4, 4}, 0, nullptr,
        "Threshold Value for Biased Random Selection"},  // 122
    {0x2A, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x1F}, 2, 2, {0, 255}, 0, nullptr,
        "Track 1 Discretionary Data"},  // 123
    {0x22, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x20}, 2, 2, {0, 255}, 0, nullptr,
        "Track 2 Discretionary Data"},  // 124
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x57}, 1, 2, {0, 19}, 0, nullptr,
        "Track 2 Equivalent Data"},  // 125
    {0x08, kTerminal, 0, {}, {}, 0, 2, {6, 6}, 0, nullptr,
        "Transaction Amount"},  // 126
    {0x12, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x97}, 1, 2, {0, 252}, 0, nullptr,
        "Transaction Certificate Data Object List(TDOL)"},  // 127
    {0x10, kTerminal, 0, {}, {0x98}, 1, 2, {20, 20}, 0, nullptr,
        "Transaction Certificate(TC) Hash Value"},  // 128
    {0x08, kTerminal, 0, {}, {0x5F, 0x2A}, 2, 2, {2, 2}, 0, nullptr,
        "Transaction Currency Code"},  // 129
    {0x08, kTerminal, 0, {}, {0x5F, 0x36}, 2, 2, {1, 1}, 0, nullptr,
        "Transaction Currency Exponent"},  // 130
    {0x08, kTerminal, 0, {}, {0x9A}, 1, 2, {3, 3}, 0, nullptr,
        "Transaction Date"},  // 131
    {0x12, kTerminal, 0, {}, {0x99}, 1, 2, {0, 255}, 0, nullptr,
        "Transaction Personal Identification Number(PIN) Data"},  // 132
    {0x08, kTerminal, 0, {}, {0x9F, 0x3C}, 2, 2, {2, 2}, 0, nullptr,
        "Transaction Reference Currency Code"},  // 133
    {0x08, kTerminal, 0, {}, {}, 0, 2, {4, 4}, 0, nullptr,
        "Transaction Reference Currency Conversion"},  // 134
    {0x08, kTerminal, 0, {}, {0x9F, 0x3D}, 2, 2, {1, 1}, 0, nullptr,
        "Transaction Reference Currency Exponent"},  // 135
    {0x0A, kTerminal, 0, {}, {0x9F, 0x41}, 2, 2, {2, 4}, 0, nullptr,
        "Transaction Sequence Counter"},  // 136
    {0x10, kTerminal, 0, {}, {0x9B}, 1, 2, {2, 2}, 0, nullptr,
        "Transaction Status Information(TSI)"},  // 137
    {0x08, kTerminal, 0, {}, {0x9F, 0x21}, 2, 2, {3, 3}, 0, nullptr,
        "Transaction Time"},  // 138
    {0x08, kTerminal, 0, {}, {0x9C}, 1, 2, {1, 1}, 0, nullptr,
        "Transaction Type"},  // 139
    {0x10, kTerminal, 0, {}, {0x9F, 0x37}, 2, 2, {4, 4}, 0, nullptr,
        "Unpredictable Number"},  // 140
    {0x10, kIcc, 2, {{{0x70}, 1}, {{0x77}, 1}}, {0x9F, 0x23}, 2, 2, {1, 1}, 0, nullptr,
        "Upper Consecutive Offline Limit(UCOL)"},  // 141
};
// clang-format on

const char* const g_dictionaryDescriptions[DICT_ENTRY_COUNT] = {
    /*   0 */ "",
    /*   1 */ "Indicates the type of account selected on the terminal",
    /*   2 */
    "Number that identifies the acquiring institution within its payment system; together with the "
    "Merchant Identifier it singles out one merchant.",
    /*   3 */
    "Five bytes describing what the terminal can do beyond its basic capabilities: the transaction "
    "types it may perform (cash, goods, services, cashback and others) and its input and output "
    "devices such as keys, display, printer and code tables.",
    /*   4 */
    "Amount the cardholder authorises for this transaction, before any adjustment, as an unsigned "
    "binary number in the minor unit of the transaction currency.",
    /*   5 */
    "Amount the cardholder authorises for this transaction, before any adjustment, as twelve "
    "decimal digits; the currency exponent tells where the decimal point lies.",
    /*   6 */
    "A second amount belonging to the transaction, typically the cashback part, as an unsigned "
    "binary number in the minor unit of the transaction currency.",
    /*   7 */
    "A second amount belonging to the transaction, typically the cashback part, as twelve decimal "
    "digits.",
    /*   8 */
    "The authorised amount converted into the reference currency, as an unsigned binary number.",
    /*   9 */
    "The cryptogram the card computes over transaction data with its application key and returns "
    "to the GENERATE AC command; it is an AAC, an ARQC or a TC according to the Cryptogram "
    "Information Data.",
    /*  10 */ "The ISO 4217 numeric code of the currency in which the cardholder account is held.",
    /*  11 */
    "Number of digits after the decimal point for amounts in the application currency, following "
    "ISO 4217 (for example 2 for euro cents).",
    /*  12 */ "Free data that the issuer or the payment system attaches to the application.",
    /*  13 */
    "First day on which the application may be used, as year, month and day (YYMMDD) in decimal "
    "digits.",
    /*  14 */
    "Last day on which the application may be used, as year, month and day (YYMMDD) in decimal "
    "digits.",
    /*  15 */
    "Tells the terminal which records to read: a list of four-byte entries, each naming a short "
    "file identifier, the first and last record number, and how many of those records are signed "
    "for offline data authentication.",
    /*  16 */
    "The application identifier held by the card: a registered application provider identifier of "
    "five bytes, optionally followed by a proprietary extension, as defined by ISO/IEC 7816-5.",
    /*  17 */
    "The application identifier as the terminal knows it, used to match the applications the card "
    "offers: the registered provider identifier, optionally with a proprietary extension.",
    /*  18 */
    "Indicates the capabilities of the card to support specific functions in the application",
    /*  19 */
    "Short text naming the application, meant to be shown to the cardholder during application "
    "selection.",
    /*  20 */
    "The issuer's preferred display name of the application, written in the character set named by "
    "the Issuer Code Table Index; the terminal shows it instead of the label when it supports that "
    "code table.",
    /*  21 */ "Valid cardholder account number",
    /*  22 */
    "Distinguishes cards that share the same Primary Account Number, for example a replacement "
    "card or a second card on one account.",
    /*  23 */
    "Ranks the application among the others on the card and says whether the cardholder must "
    "confirm its selection; the low four bits give the priority, 1 being the highest.",
    /*  24 */
    "Up to four ISO 4217 currency codes that may be used as reference currencies when the "
    "transaction currency is not the application currency.",
    /*  25 */
    "The decimal exponents of the reference currencies, in the same order as the Application "
    "Reference Currency.",
    /*  26 */
    "Kept by the terminal for each application it supports: says whether a card application must "
    "match the terminal's AID exactly or only in its leading bytes.",
    /*  27 */
    "Template that groups the data objects of one entry of a payment system directory, such as the "
    "AID, label and priority of an application.",
    /*  28 */
    "Count of the transactions performed with the application, kept by the card and increased by "
    "one for every transaction.",
    /*  29 */
    "Restrictions the issuer places on the application: where it may be used (domestic or "
    "international) and for which services (cash, goods, services, cashback).",
    /*  30 */ "Version of the application as assigned by the payment system, as the card holds it.",
    /*  31 */
    "Version of the application as assigned by the payment system, as the terminal holds it.",
    /*  32 */ "Code returned by the authorisation authority when it approves a transaction.",
    /*  33 */
    "Two characters that give the outcome of the authorisation, either returned by the issuer or "
    "set by the terminal when it decides offline.",
    /*  34 */
    "Cryptogram computed by the issuer over the request cryptogram and the response code, which "
    "lets the card confirm that the answer really comes from its issuer.",
    /*  35 */ "Identifies a bank by its ISO 9362 business identifier code.",
    /*  36 */
    "The list of tags and lengths of the data the terminal must send to the card with the first "
    "GENERATE AC command.",
    /*  37 */
    "The list of tags and lengths of the data the terminal must send to the card with the second "
    "GENERATE AC command.",
    /*  38 */
    "Issuer data sent back to the card that says whether the issuer approved or declined the "
    "transaction and which card updates it asks for.",
    /*  39 */ "Name of the cardholder in the track format of ISO/IEC 7813.",
    /*  40 */
    "The full name of the cardholder where it is longer than the 26 characters the Cardholder Name "
    "allows.",
    /*  41 */
    "The cardholder verification rules of the application: two amounts followed by a list of "
    "methods, each with the condition under which it applies and what to do when it fails.",
    /*  42 */
    "Outcome of the last cardholder verification method tried: the method, its condition and "
    "whether it succeeded.",
    /*  43 */
    "Checksum over the certification authority public key modulus, exponent, index and RID, so "
    "that the terminal can verify the key it stores.",
    /*  44 */
    "Exponent of the certification authority public key held by the terminal, 3 or 2 to the power "
    "16 plus 1.",
    /*  45 */
    "Index that, together with the RID of the application, points the terminal to the "
    "certification authority public key to use for this card.",
    /*  46 */
    "Index of a certification authority public key as the terminal stores it, together with the "
    "RID.",
    /*  47 */ "Modulus of the certification authority public key held by the terminal.",
    /*  48 */
    "Template holding the data field of a command, such as the PDOL data sent with GET PROCESSING "
    "OPTIONS.",
    /*  49 */
    "Tells the terminal which kind of cryptogram the card returned (AAC, TC or ARQC), whether an "
    "advice is needed and why.",
    /*  50 */
    "Issuer value recovered from the Signed Static Application Data during static data "
    "authentication and kept by the terminal for later use.",
    /*  51 */
    "Name of a dedicated file, usually the AID of the application, as defined by ISO/IEC 7816-4.",
    /*  52 */
    "DDOL the terminal uses to build the INTERNAL AUTHENTICATE command when the card does not "
    "supply one.",
    /*  53 */
    "TDOL the terminal uses to compute the TC Hash Value when the card does not supply one.",
    /*  54 */ "Name of the dedicated file that holds a payment system directory.",
    /*  55 */ "Free data of the issuer within a directory entry.",
    /*  56 */
    "The list of tags and lengths of the data the terminal must send to the card with the INTERNAL "
    "AUTHENTICATE command.",
    /*  57 */
    "The PIN as enciphered by the PIN pad, either for online verification by the issuer or for "
    "offline verification when the PIN pad and the card reader are separate devices.",
    /*  58 */
    "Template within the FCI proprietary template that carries issuer-specific data objects such "
    "as the Log Entry.",
    /*  59 */
    "Template within the file control information that carries the data objects defined for "
    "payment applications, such as the label and the PDOL.",
    /*  60 */
    "Template returned when a file or an application is selected, carrying its name and its "
    "proprietary template.",
    /*  61 */
    "Number the card generates anew for each dynamic data authentication, which the terminal "
    "records.",
    /*  62 */ "The card's PIN encipherment public key, certified by the issuer.",
    /*  63 */ "Exponent of the card's PIN encipherment public key, 3 or 2 to the power 16 plus 1.",
    /*  64 */
    "The part of the card's PIN encipherment public key modulus that does not fit in its "
    "certificate.",
    /*  65 */
    "The card's own public key, certified by the issuer, used in dynamic data authentication.",
    /*  66 */ "Exponent of the card's public key, 3 or 2 to the power 16 plus 1.",
    /*  67 */ "The part of the card's public key modulus that does not fit in its certificate.",
    /*  68 */ "Serial number that the manufacturer gives the interface device once and for all.",
    /*  69 */ "Identifies a customer account at a financial institution by its ISO 13616 number.",
    /*  70 */
    "Issuer rules, one bit per TVR condition, under which a transaction that could not be sent "
    "online is declined instead of approved offline.",
    /*  71 */
    "Issuer rules, one bit per TVR condition, under which the transaction is declined offline "
    "without trying to go online.",
    /*  72 */
    "Issuer rules, one bit per TVR condition, under which the transaction is sent online for "
    "authorisation.",
    /*  73 */
    "Proprietary data of the application that the card returns for the issuer, such as cryptogram "
    "version and card verification results.",
    /*  74 */
    "Data the issuer sends to the card for online issuer authentication, usually beginning with "
    "the response cryptogram.",
    /*  75 */
    "Names the ISO/IEC 8859 part whose character set is used for the Application Preferred Name.",
    /*  76 */ "Country of the issuer as an ISO 3166 numeric code.",
    /*  77 */ "Country of the issuer as an ISO 3166 two-letter code.",
    /*  78 */ "Country of the issuer as an ISO 3166 three-letter code.",
    /*  79 */
    "Leading digits of the account number that identify the industry and the issuing institution.",
    /*  80 */ "The issuer's public key, certified by a certification authority.",
    /*  81 */ "Exponent of the issuer's public key, 3 or 2 to the power 16 plus 1.",
    /*  82 */ "The part of the issuer's public key modulus that does not fit in its certificate.",
    /*  83 */ "Contains a command for transmission to the ICC",
    /*  84 */ "Identifies an issuer script so that its processing can be reported.",
    /*  85 */
    "Results of issuer script processing as reported by the terminal, one entry per command.",
    /*  86 */
    "Issuer script carrying commands that the terminal passes to the card before the final "
    "GENERATE AC command.",
    /*  87 */
    "Issuer script carrying commands that the terminal passes to the card after the final GENERATE "
    "AC command.",
    /*  88 */ "Internet address of the issuer's server.",
    /*  89 */
    "Up to four languages in order of preference, each as a two-letter ISO 639 code, used to "
    "choose the language of the terminal's messages.",
    /*  90 */
    "Value of the transaction counter at the last transaction that was authorised online.",
    /*  91 */
    "Where the card keeps its transaction log: the short file identifier and the number of "
    "records.",
    /*  92 */
    "Tags and lengths of the data elements that make up one record of the card's transaction log.",
    /*  93 */
    "Number of consecutive offline transactions the issuer allows before a terminal that can go "
    "online must do so.",
    /*  94 */
    "Upper bound of the percentage used in biased random selection for terminal risk management.",
    /*  95 */ "Kind of business of the merchant, as an ISO 8583 card acceptor business code.",
    /*  96 */ "Identifies the merchant; unique when combined with the Acquirer Identifier.",
    /*  97 */ "Name and location of the merchant.",
    /*  98 */ "Tells whether a batch data capture record is a financial record or an advice.",
    /*  99 */
    "Key shared by the PIN pad and the card reader to protect the PIN between them when the two "
    "are separate devices.",
    /* 100 */ "Number of PIN tries the card still allows.",
    /* 101 */
    "Tells how the account number was entered at the point of service, as the first two digits of "
    "the ISO 8583 POS entry mode.",
    /* 102 */
    "The list of tags and lengths of the terminal data the card needs with the GET PROCESSING "
    "OPTIONS command.",
    /* 103 */
    "Issuer data carried to the card in the Issuer Authentication Data of an online transaction.",
    /* 104 */
    "Response template of format 1: the values of the returned data objects are simply "
    "concatenated, without their tags and lengths.",
    /* 105 */
    "Response template of format 2: the returned data objects keep their tags and lengths.",
    /* 106 */ "Three-digit service code of the track data, as defined in ISO/IEC 7813.",
    /* 107 */
    "Short identifier of an elementary file, used by READ RECORD and other commands; it takes the "
    "low five bits of one byte.",
    /* 108 */
    "Signature the card computes at each transaction over dynamic data, used for dynamic data "
    "authentication.",
    /* 109 */
    "Signature of the issuer over critical card data, used for static data authentication.",
    /* 110 */
    "Tags of the primitive data objects whose values are to be included in the data signed for "
    "static or dynamic data authentication; only the AIP may be listed.",
    /* 111 */ "Percentage used for random selection in terminal risk management.",
    /* 112 */
    "Acquirer rules, one bit per TVR condition, under which a transaction that could not be sent "
    "online is declined.",
    /* 113 */
    "Acquirer rules, one bit per TVR condition, under which the transaction is declined offline.",
    /* 114 */
    "Acquirer rules, one bit per TVR condition, under which the transaction is sent online.",
    /* 115 */
    "Three bytes giving the terminal's card input, cardholder verification and security "
    "capabilities.",
    /* 116 */ "Country of the terminal as an ISO 3166 numeric code.",
    /* 117 */
    "Floor limit of the terminal for the application, as a binary amount: above it the transaction "
    "is sent online.",
    /* 118 */ "Identifies a terminal within the merchant's premises.",
    /* 119 */
    "Data the card may use for its own risk management, supplied by the terminal on request.",
    /* 120 */
    "Says whether the terminal is attended, who operates it and whether it is online only, offline "
    "only or both.",
    /* 121 */ "Status of the different functions as seen from the terminal",
    /* 122 */
    "Amount below which the terminal selects transactions for going online at the target "
    "percentage, and above which the percentage rises.",
    /* 123 */ "Discretionary data of track 1, as defined in ISO/IEC 7813.",
    /* 124 */ "Discretionary data of track 2, as defined in ISO/IEC 7813.",
    /* 125 */
    "The contents of track 2 as defined in ISO/IEC 7813, without sentinels and check character: "
    "account number, separator, expiry date, service code and discretionary data.",
    /* 126 */ "Final amount of the transaction, tips and other adjustments included.",
    /* 127 */
    "The list of tags and lengths of the data the terminal hashes into the TC Hash Value.",
    /* 128 */ "Hash over the data named by the TDOL, which the card may include in its cryptogram.",
    /* 129 */ "Currency of the transaction as an ISO 4217 numeric code.",
    /* 130 */
    "Number of digits after the decimal point for the transaction amount, following ISO 4217.",
    /* 131 */ "Local date of the transaction, as year, month and day (YYMMDD).",
    /* 132 */ "PIN data entered by the cardholder for verification.",
    /* 133 */
    "Currency the terminal uses as a common reference when the transaction currency differs from "
    "the application currency.",
    /* 134 */
    "Factor converting amounts from the transaction currency to the transaction reference "
    "currency.",
    /* 135 */
    "Number of digits after the decimal point for amounts in the transaction reference currency.",
    /* 136 */ "Counter kept by the terminal and increased by one for every transaction.",
    /* 137 */
    "Two bytes in which the terminal records which functions it performed during the transaction.",
    /* 138 */ "Local time of the transaction, as hours, minutes and seconds (HHMMSS).",
    /* 139 */
    "Kind of financial transaction (purchase, cash, refund and so on), as the first two digits of "
    "the ISO 8583 processing code.",
    /* 140 */ "Random number supplied by the terminal so that every cryptogram is different.",
    /* 141 */
    "Number of consecutive offline transactions the issuer allows before a terminal that cannot go "
    "online declines.",
};
