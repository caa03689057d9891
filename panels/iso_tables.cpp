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

const IsoLanguage* IsoLanguageByAlpha2(const char* code) {
    for (int i = 0; i < kIsoLanguageCount; ++i) {
        if (SameCode(code, 2, kIsoLanguages[i].alpha2)) {
            return &kIsoLanguages[i];
        }
    }
    return nullptr;
}
