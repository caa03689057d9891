#include "panels/iso_tables.h"

#include <ctype.h>

namespace {

// Whether the first `length` characters of `code` spell `table` (a full table code).
bool SameCode(const char* code, int length, const char* table) {
    int i = 0;
    for (; i < length; ++i) {
        if (table[i] == '\0' || tolower(static_cast<unsigned char>(code[i])) !=
                                    tolower(static_cast<unsigned char>(table[i]))) {
            return false;
        }
    }
    return table[i] == '\0';
}

}  // namespace

const IsoCountry* IsoCountryByNumeric(int numeric) {
    for (int i = 0; i < kIsoCountryCount; ++i) {
        if (kIsoCountries[i].numeric == numeric) {
            return &kIsoCountries[i];
        }
    }
    return nullptr;
}

const IsoCountry* IsoCountryByAlpha(const char* code, int length) {
    for (int i = 0; i < kIsoCountryCount; ++i) {
        const char* table = length == 2 ? kIsoCountries[i].alpha2 : kIsoCountries[i].alpha3;
        if (SameCode(code, length, table)) {
            return &kIsoCountries[i];
        }
    }
    return nullptr;
}

const IsoCurrency* IsoCurrencyByNumeric(int numeric) {
    for (int i = 0; i < kIsoCurrencyCount; ++i) {
        if (kIsoCurrencies[i].numeric == numeric) {
            return &kIsoCurrencies[i];
        }
    }
    return nullptr;
}

int IsoCurrencyMinorUnit(int numeric) {
    // The iso-codes data holds no minor units: the codes whose unit is not 2 places, as ISO
    // 4217's list gives them; -1 for bond units, precious metals, SDR, XSU, XTS, XUA and XXX.
    static const struct {
        uint16_t numeric;
        int8_t places;
    } kUnits[] = {
        {48, 3},   {108, 0},  {152, 0},  {174, 0},  {262, 0},  {324, 0},  {352, 0},  {368, 3},
        {392, 0},  {400, 3},  {410, 0},  {414, 3},  {434, 3},  {512, 3},  {548, 0},  {600, 0},
        {646, 0},  {704, 0},  {788, 3},  {800, 0},  {927, 4},  {940, 0},  {950, 0},  {952, 0},
        {953, 0},  {955, -1}, {956, -1}, {957, -1}, {958, -1}, {959, -1}, {960, -1}, {961, -1},
        {962, -1}, {963, -1}, {964, -1}, {965, -1}, {990, 4},  {994, -1}, {999, -1},
    };
    if (IsoCurrencyByNumeric(numeric) == nullptr) {
        return -1;
    }
    for (const auto& unit : kUnits) {
        if (unit.numeric == numeric) {
            return unit.places;
        }
    }
    return 2;
}

const IsoLanguage* IsoLanguageByAlpha2(const char* code) {
    for (int i = 0; i < kIsoLanguageCount; ++i) {
        if (SameCode(code, 2, kIsoLanguages[i].alpha2)) {
            return &kIsoLanguages[i];
        }
    }
    return nullptr;
}
