#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dictionary/dictionary.h"

namespace {

std::string TagOf(const DataElementDef* entry) {
    return std::string(reinterpret_cast<const char*>(entry->tag), entry->tagLength);
}

TEST(DictionaryTable, InvariantsHoldForEveryEntry) {
    std::set<std::string> tags;
    int withoutTag = 0;
    for (int i = 0; i < DICT_ENTRY_COUNT; ++i) {
        const DataElementDef* entry = DictGetEntry(i);
        ASSERT_NE(entry, nullptr) << i;
        EXPECT_EQ(entry->lengthCount, 2) << i;
        EXPECT_LE(entry->templateCount, 3) << i;
        for (int t = entry->templateCount; t < 3; ++t) {
            EXPECT_EQ(entry->templates[t].tag[0], 0) << i;
            EXPECT_EQ(entry->templates[t].tag[1], 0) << i;
            EXPECT_EQ(entry->templates[t].tagLength, 0) << i;
        }
        for (int l = entry->lengthCount; l < 5; ++l) {
            EXPECT_EQ(entry->lengths[l], 0) << i;
        }
        if ((entry->format & FORMAT_RULE_MASK) == FORMAT_RULE_FIXED) {
            EXPECT_EQ(entry->lengths[0], entry->lengths[1]) << i;
        }
        EXPECT_EQ(entry->format & ~0xFFu, 0u) << i;
        if (entry->tagLength == 0) {
            ++withoutTag;
        } else {
            EXPECT_TRUE(tags.insert(TagOf(entry)).second) << "duplicate tag at " << i;
        }
        const std::string description = DictGetDescription(i);
        EXPECT_EQ(description.empty(), i == 0) << i;
        EXPECT_LE(description.size(), 380u) << i;
        EXPECT_EQ(description.find_first_of("\r\n"), std::string::npos) << i;
    }
    EXPECT_EQ(withoutTag, 22);
    EXPECT_EQ(DictGetEntry(DICT_ENTRY_COUNT), nullptr);
    EXPECT_EQ(DictGetEntry(-1), nullptr);
}

struct RowExpectation {
    int index;
    const char* name;
    uint32_t format;
    uint8_t source;
    const char* tag;
    uint16_t lengths[2];
    const char* templates;
};

TEST(DictionaryTable, SampleRowsAreTranscribedExactly) {
    const RowExpectation rows[] = {
        {0, "NULL DE", 0x00, 0, "", {0, 0}, ""},
        {15, "Application File Locator(AFL)", 0x4A, SOURCE_ICC, "\x94", {0, 252}, "\x77\x80"},
        {29, "Appilcation Usage Control(AUC)", 0x10, SOURCE_ICC, "\x9F\x07", {2, 2}, "\x70\x77"},
        {33, "Authorisation Response Code(ARC)", 0x18, 5, "\x8A", {2, 2}, ""},
        {35, "Bank Identifier Code(BIC)", 0x4C, SOURCE_ICC, "\x5F\x54", {8, 11}, "\xBF\x0C\x73"},
        {58,
         "File Control Information(FCI) Issuer Discretionary Data",
         0x4A,
         SOURCE_ICC,
         "\xBF\x0C",
         {0, 222},
         "\xA5"},
        {83, "Issuer Script Command", 0x12, SOURCE_ISSUER, "\x86", {0, 261}, "\x71\x72"},
        {110,
         "Static Data Authentication Tag List",
         0x02,
         SOURCE_ICC,
         "\x9F\x4A",
         {0, 255},
         "\x70\x77"},
        {112, "Terminal Action Code - Default", 0x10, SOURCE_TERMINAL, "", {5, 5}, ""},
        {141,
         "Upper Consecutive Offline Limit(UCOL)",
         0x10,
         SOURCE_ICC,
         "\x9F\x23",
         {1, 1},
         "\x70\x77"},
    };
    for (const RowExpectation& row : rows) {
        const DataElementDef* entry = DictGetEntry(row.index);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->name, row.name);
        EXPECT_EQ(entry->format, row.format) << row.index;
        EXPECT_EQ(entry->source, row.source) << row.index;
        EXPECT_EQ(TagOf(entry), row.tag) << row.index;
        EXPECT_EQ(entry->lengths[0], row.lengths[0]) << row.index;
        EXPECT_EQ(entry->lengths[1], row.lengths[1]) << row.index;
        std::string templates;
        for (int t = 0; t < entry->templateCount; ++t) {
            templates.append(reinterpret_cast<const char*>(entry->templates[t].tag),
                             entry->templates[t].tagLength);
        }
        EXPECT_EQ(templates, row.templates) << row.index;
    }
}

TEST(DictionaryTable, FixedDescriptionsAreVerbatim) {
    EXPECT_STREQ(DictGetDescription(0), "");
    EXPECT_STREQ(DictGetDescription(1), "Indicates the type of account selected on the terminal");
    EXPECT_STREQ(DictGetDescription(18),
                 "Indicates the capabilities of the card to support specific functions in the "
                 "application");
    EXPECT_STREQ(DictGetDescription(21), "Valid cardholder account number");
    EXPECT_STREQ(DictGetDescription(83), "Contains a command for transmission to the ICC");
    EXPECT_STREQ(DictGetDescription(121),
                 "Status of the different functions as seen from the terminal");
    EXPECT_STREQ(DictGetDescription(142), "");
    EXPECT_STREQ(DictGetDescription(-1), "");
}

TEST(DictionaryTexts, FormatAndSourceNames) {
    struct {
        uint32_t format;
        const char* longName;
        const char* shortName;
    } formats[] = {
        {0x08, "Numeric", "n"},
        {0x10, "Binary", "b"},
        {0x1A, "AlphaNumeric", "an"},
        {0x23, "CompressedNumeric", "cn"},
        {0x2B, "AlphaNumericString", "ans"},
        {0x30, "Alphabetic", "a"},
        {0x4C, "Various", "var."},
        {0x02, "", "-"},
        {0x40, "", "-"},
    };
    for (const auto& f : formats) {
        EXPECT_STREQ(DictFormatLongName(f.format), f.longName);
        EXPECT_STREQ(DictFormatShortName(f.format), f.shortName);
    }
    EXPECT_STREQ(DictSourceText(1), "Terminal");
    EXPECT_STREQ(DictSourceText(2), "ICC");
    EXPECT_STREQ(DictSourceText(4), "Issuer");
    EXPECT_STREQ(DictSourceText(5), "Issuer/Terminal");
    EXPECT_STREQ(DictSourceText(0), "");
    EXPECT_STREQ(DictSourceText(3), "");
}

}  // namespace
