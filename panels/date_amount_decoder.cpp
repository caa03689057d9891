// Dates, times, amounts and currency exponents: EMV 4.3 Book 3, Annex A (formats n 6 YYMMDD,
// n 6 HHMMSS, n 12 and b 4 amounts, n 1 exponents).
#include <stdio.h>

#include "panels/iso_tables.h"
#include "panels/value_decoders.h"

namespace {

// Years below 50 are 20YY, the others 19YY.
int FullYear(int yy) {
    return yy < 50 ? 2000 + yy : 1900 + yy;
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The three two-digit fields of a BCD value; false when a nibble is not a decimal digit.
bool ThreeFields(const uint8_t* value, int fields[3]) {
    for (int i = 0; i < 3; ++i) {
        long long field = 0;
        if (!BcdValue(value + i, 1, &field)) {
            return false;
        }
        fields[i] = static_cast<int>(field);
    }
    return true;
}

// A currency exponent value: n 1, one BCD digit in one byte.
bool ExponentOf(const std::vector<uint8_t>& value, int* exponent) {
    long long digit = 0;
    if (value.size() != 1 || !BcdValue(value.data(), 1, &digit) || digit > 9) {
        return false;
    }
    *exponent = static_cast<int>(digit);
    return true;
}

// `digits` (no leading zeros needed) with a decimal point `exponent` places from the right.
std::string PlaceDecimalPoint(std::string digits, int exponent) {
    const size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? "0" : digits.substr(first);
    if (exponent == 0) {
        return digits;
    }
    if (digits.size() <= static_cast<size_t>(exponent)) {
        digits.insert(0, static_cast<size_t>(exponent) + 1 - digits.size(), '0');
    }
    digits.insert(digits.size() - static_cast<size_t>(exponent), ".");
    return digits;
}

// The numeric code of the currency in the element `tag0 tag1` of the tree, -1 when there is none.
int CurrencyInTree(const ElementRecord& record, uint8_t tag0, uint8_t tag1) {
    std::vector<uint8_t> code;
    long long numeric = 0;
    if (!FindInTree(record, tag0, tag1, &code) || code.size() != 2 ||
        !BcdValue(code.data(), 2, &numeric)) {
        return -1;
    }
    return static_cast<int>(numeric);
}

// The alphabetic code of the currency in the element `tag0 tag1` of the tree, or "".
std::string CurrencyCodeInTree(const ElementRecord& record, uint8_t tag0, uint8_t tag1) {
    const IsoCurrency* currency = IsoCurrencyByNumeric(CurrencyInTree(record, tag0, tag1));
    return currency != nullptr ? currency->alpha3 : std::string();
}

struct Exponent {
    int places;
    std::string source;
};

// Without a usable exponent in the data, the places of the minor unit of the currency in the
// element `tag0 tag1`, else 2; `why` says why the data's exponent does not count.
Exponent FallbackExponent(const ElementRecord& record, uint8_t tag0, uint8_t tag1,
                          const std::string& why) {
    const int numeric = CurrencyInTree(record, tag0, tag1);
    const int places = IsoCurrencyMinorUnit(numeric);
    if (places < 0) {
        return Exponent{2, why + ": 2 assumed"};
    }
    return Exponent{places, why + ": the minor unit of " +
                                std::string(IsoCurrencyByNumeric(numeric)->alpha3) + " (ISO 4217)"};
}

// An amount's own exponent element `tag0 tag1`, else the minor unit of its currency.
Exponent ExponentOrMinorUnit(const ElementRecord& record, uint8_t tag0, uint8_t tag1,
                             const char* name, uint8_t currency0, uint8_t currency1) {
    std::vector<uint8_t> value;
    int places = 0;
    const bool present = FindInTree(record, tag0, tag1, &value);
    if (present && ExponentOf(value, &places)) {
        return Exponent{places, name};
    }
    return FallbackExponent(record, currency0, currency1,
                            present ? std::string(name) + " is not one digit"
                                    : "No " + std::string(name) + " in the data");
}

// Transaction amounts take the Transaction Currency Exponent, else the Application Currency
// Exponent unless the application's currency is another than the transaction's, else the minor
// unit of the transaction's currency, else 2.
Exponent TransactionExponent(const ElementRecord& record) {
    std::vector<uint8_t> value;
    int places = 0;
    const bool hasTransactionExponent = FindInTree(record, 0x5F, 0x36, &value);
    if (hasTransactionExponent && ExponentOf(value, &places)) {
        return Exponent{places, "Transaction Currency Exponent (5F36)"};
    }
    std::vector<uint8_t> transactionCurrency;
    std::vector<uint8_t> applicationCurrency;
    const bool otherCurrency = FindInTree(record, 0x5F, 0x2A, &transactionCurrency) &&
                               FindInTree(record, 0x9F, 0x42, &applicationCurrency) &&
                               transactionCurrency != applicationCurrency;
    const bool hasApplicationExponent = FindInTree(record, 0x9F, 0x44, &value);
    if (!otherCurrency && hasApplicationExponent && ExponentOf(value, &places)) {
        return Exponent{places, "Application Currency Exponent (9F44)"};
    }
    // Say why an exponent in the data does not count.
    const char* why = "No currency exponent in the data";
    if (hasTransactionExponent) {
        why = "Transaction Currency Exponent (5F36) is not one digit";
    } else if (hasApplicationExponent) {
        why = otherCurrency ? "Application Currency Exponent (9F44) is for another currency"
                            : "Application Currency Exponent (9F44) is not one digit";
    }
    return FallbackExponent(record, 0x5F, 0x2A, why);
}

// An amount with the currency in the element `currency0 currency1`.
void AddAmountRows(const DecoderInput& in, const std::string& digits, const Exponent& exponent,
                   uint8_t currency0, uint8_t currency1, std::vector<AnalysisRow>* rows) {
    std::string text = PlaceDecimalPoint(digits, exponent.places);
    const std::string currency = CurrencyCodeInTree(in.record, currency0, currency1);
    if (!currency.empty()) {
        text += " " + currency;
    }
    rows->push_back(DecodedRow("Amount", HexText(in.value, in.length), text));
    rows->push_back(DecodedRow("Exponent", std::to_string(exponent.places), exponent.source));
}

uint32_t BinaryAmount(const DecoderInput& in) {
    uint32_t amount = 0;
    for (int i = 0; i < in.length && i < 4; ++i) {
        amount = amount << 8 | in.value[i];
    }
    return amount;
}

}  // namespace

void DecodeDate(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const std::string data = HexText(in.value, in.length);
    int field[3];
    if (!ThreeFields(in.value, field)) {
        rows->push_back(InvalidRow(data, "not a decimal date"));
        return;
    }
    const int year = FullYear(field[0]);
    if (field[1] < 1 || field[1] > 12) {
        rows->push_back(InvalidRow(data, "month out of range"));
        return;
    }
    if (field[2] < 1 || field[2] > DaysInMonth(year, field[1])) {
        rows->push_back(InvalidRow(data, "day out of range"));
        return;
    }
    // Room for any int, so that optimised builds see no possible truncation.
    char text[48];
    snprintf(text, sizeof text, "%04d-%02d-%02d", year, field[1], field[2]);
    rows->push_back(DecodedRow("Date", data, text));
}

void DecodeTime(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const std::string data = HexText(in.value, in.length);
    int field[3];
    if (!ThreeFields(in.value, field)) {
        rows->push_back(InvalidRow(data, "not a decimal time"));
        return;
    }
    if (field[0] > 23) {
        rows->push_back(InvalidRow(data, "hour out of range"));
        return;
    }
    if (field[1] > 59) {
        rows->push_back(InvalidRow(data, "minute out of range"));
        return;
    }
    if (field[2] > 59) {
        rows->push_back(InvalidRow(data, "second out of range"));
        return;
    }
    char text[48];
    snprintf(text, sizeof text, "%02d:%02d:%02d", field[0], field[1], field[2]);
    rows->push_back(DecodedRow("Time", data, text));
}

void DecodeNumericAmount(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const std::string digits = HexText(in.value, in.length);
    if (!AllDecimal(digits)) {
        rows->push_back(InvalidRow(digits, "not a decimal amount"));
        return;
    }
    AddAmountRows(in, digits, TransactionExponent(in.record), 0x5F, 0x2A, rows);
}

void DecodeBinaryAmount(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    AddAmountRows(in, std::to_string(BinaryAmount(in)), TransactionExponent(in.record), 0x5F, 0x2A,
                  rows);
}

void DecodeReferenceAmount(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    const Exponent exponent = ExponentOrMinorUnit(
        in.record, 0x9F, 0x3D, "Transaction Reference Currency Exponent (9F3D)", 0x9F, 0x3C);
    AddAmountRows(in, std::to_string(BinaryAmount(in)), exponent, 0x9F, 0x3C, rows);
}

std::string ApplicationCurrencyAmount(const DecoderInput& in, uint32_t amount) {
    const Exponent exponent = ExponentOrMinorUnit(
        in.record, 0x9F, 0x44, "Application Currency Exponent (9F44)", 0x9F, 0x42);
    std::string text = PlaceDecimalPoint(std::to_string(amount), exponent.places);
    const std::string currency = CurrencyCodeInTree(in.record, 0x9F, 0x42);
    return currency.empty() ? text : text + " " + currency;
}

// One exponent per byte: the Application Reference Currency Exponent (9F43) gives one for each
// currency of 9F3B, in the same order.
void DecodeCurrencyExponent(const DecoderInput& in, std::vector<AnalysisRow>* rows) {
    for (int i = 0; i < in.length; ++i) {
        const std::string data = HexText(in.value + i, 1);
        int places = 0;
        if (!ExponentOf(std::vector<uint8_t>(in.value + i, in.value + i + 1), &places)) {
            rows->push_back(InvalidRow(data, "not a decimal digit"));
            return;
        }
        rows->push_back(DecodedRow(
            "Exponent", data,
            std::to_string(places) + (places == 1 ? " decimal place" : " decimal places")));
    }
}
