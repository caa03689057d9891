// Country, currency and language codes with their English names, compiled in from Debian's
// iso-codes data at build time (ISO 3166-1, ISO 4217, ISO 639-2 with ISO 639-1 codes). Names are
// Latin-1 text.
#ifndef QUORVEL_PANELS_ISO_TABLES_H
#define QUORVEL_PANELS_ISO_TABLES_H

#include <stdint.h>

struct IsoCountry {
    uint16_t numeric;
    char alpha2[3];
    char alpha3[4];
    const char* name;
};

struct IsoCurrency {
    uint16_t numeric;
    char alpha3[4];
    const char* name;
};

struct IsoLanguage {
    char alpha2[3];
    char alpha3[4];
    const char* name;
};

extern const IsoCountry kIsoCountries[];
extern const int kIsoCountryCount;
extern const IsoCurrency kIsoCurrencies[];
extern const int kIsoCurrencyCount;
extern const IsoLanguage kIsoLanguages[];
extern const int kIsoLanguageCount;

// Null when the code is not in the table. Alphabetic codes match without regard to case.
const IsoCountry* IsoCountryByNumeric(int numeric);
const IsoCountry* IsoCountryByAlpha(const char* code, int length);
const IsoCurrency* IsoCurrencyByNumeric(int numeric);
// Decimal places of the currency's minor unit (ISO 4217), -1 for a code not in the table and for
// funds, precious metals and the like, which have none.
int IsoCurrencyMinorUnit(int numeric);
const IsoLanguage* IsoLanguageByAlpha2(const char* code);

#endif
