// The compiled ISO tables hold what the installed iso-codes files hold.
#include "panels/iso_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

namespace {

nlohmann::json ReadIsoFile(const std::string& name, const std::string& member) {
    std::ifstream file(std::string(ISO_CODES_JSON_DIR) + "/" + name);
    EXPECT_TRUE(file.good()) << name;
    return nlohmann::json::parse(file)[member];
}

TEST(IsoTables, CountsMatchTheInstalledFiles) {
    const nlohmann::json countries = ReadIsoFile("iso_3166-1.json", "3166-1");
    const nlohmann::json currencies = ReadIsoFile("iso_4217.json", "4217");
    int languages = 0;
    for (const nlohmann::json& language : ReadIsoFile("iso_639-2.json", "639-2")) {
        languages += language.contains("alpha_2") ? 1 : 0;
    }
    EXPECT_EQ(kIsoCountryCount, static_cast<int>(countries.size()));
    EXPECT_EQ(kIsoCurrencyCount, static_cast<int>(currencies.size()));
    EXPECT_EQ(kIsoLanguageCount, languages);
    EXPECT_GT(kIsoCountryCount, 240);
    EXPECT_GT(kIsoCurrencyCount, 150);
    EXPECT_GT(kIsoLanguageCount, 180);
}

TEST(IsoTables, EveryEntryOfTheFilesIsFound) {
    for (const nlohmann::json& country : ReadIsoFile("iso_3166-1.json", "3166-1")) {
        const IsoCountry* found =
            IsoCountryByNumeric(std::stoi(country["numeric"].get<std::string>()));
        ASSERT_NE(found, nullptr) << country;
        EXPECT_EQ(found->alpha2, country["alpha_2"].get<std::string>());
        EXPECT_EQ(found->alpha3, country["alpha_3"].get<std::string>());
    }
    for (const nlohmann::json& currency : ReadIsoFile("iso_4217.json", "4217")) {
        const IsoCurrency* found =
            IsoCurrencyByNumeric(std::stoi(currency["numeric"].get<std::string>()));
        ASSERT_NE(found, nullptr) << currency;
        EXPECT_EQ(found->alpha3, currency["alpha_3"].get<std::string>());
    }
}

TEST(IsoTables, KnownCodes) {
    ASSERT_NE(IsoCountryByNumeric(840), nullptr);
    EXPECT_STREQ(IsoCountryByNumeric(840)->alpha2, "US");
    EXPECT_STREQ(IsoCountryByNumeric(840)->name, "United States");
    EXPECT_STREQ(IsoCountryByNumeric(826)->alpha3, "GBR");
    EXPECT_EQ(IsoCountryByAlpha("gb", 2), IsoCountryByNumeric(826));
    EXPECT_EQ(IsoCountryByAlpha("FRA", 3), IsoCountryByNumeric(250));
    EXPECT_EQ(IsoCountryByNumeric(999), nullptr);
    EXPECT_EQ(IsoCountryByAlpha("U", 1), nullptr);
    ASSERT_NE(IsoCurrencyByNumeric(978), nullptr);
    EXPECT_STREQ(IsoCurrencyByNumeric(978)->alpha3, "EUR");
    EXPECT_STREQ(IsoCurrencyByNumeric(978)->name, "Euro");
    EXPECT_STREQ(IsoCurrencyByNumeric(840)->alpha3, "USD");
    EXPECT_STREQ(IsoCurrencyByNumeric(826)->alpha3, "GBP");
    EXPECT_EQ(IsoCurrencyByNumeric(1), nullptr);
    ASSERT_NE(IsoLanguageByAlpha2("en"), nullptr);
    EXPECT_STREQ(IsoLanguageByAlpha2("en")->name, "English");
    EXPECT_STREQ(IsoLanguageByAlpha2("fr")->name, "French");
    EXPECT_STREQ(IsoLanguageByAlpha2("FR")->alpha3, "fra");
    EXPECT_EQ(IsoLanguageByAlpha2("qz"), nullptr);
}

TEST(IsoTables, NamesAreLatin1Text) {
    // "Côte d'Ivoire" and "Curaçao" arrive in UTF-8 and are compiled as Latin-1.
    EXPECT_STREQ(IsoCountryByNumeric(384)->name, "C\xF4te d'Ivoire");
    EXPECT_STREQ(IsoCountryByNumeric(531)->name,
                 "Cura\xE7"
                 "ao");
    // A typographic apostrophe outside Latin-1 becomes a plain one.
    EXPECT_STREQ(IsoCurrencyByNumeric(776)->name, "Pa'anga");
}

}  // namespace
