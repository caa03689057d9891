#include <gtest/gtest.h>

#include "dictionary/dictionary.h"

namespace {

TEST(DictionaryLookup, NamesByIndex) {
    EXPECT_STREQ(DictGetName(-1), "Not Defined");
    EXPECT_STREQ(DictGetName(142), "Not Defined");
    EXPECT_STREQ(DictGetName(0), "NULL DE");
    EXPECT_STREQ(DictGetName(141), "Upper Consecutive Offline Limit(UCOL)");
}

TEST(DictionaryLookup, NamesByTag) {
    struct {
        uint8_t tag[2];
        uint8_t tagLength;
        const char* name;
    } cases[] = {
        {{0x9F, 0x26}, 2, "Application Cryptogram(AC)"},
        {{0x70, 0x00}, 1, "Application Elementary File (AEF) Data Template"},
        {{0x9F, 0x7F}, 2, "Not Defined"},
        {{0x9F, 0x26}, 1, "Not Defined"},
        {{0x70, 0x00}, 2, "Not Defined"},
        {{0x00, 0x00}, 0, "NULL DE"},
        {{0x5A, 0x00}, 1, "Application Primary Account Number(PAN)"},
        {{0xBF, 0x0C}, 2, "File Control Information(FCI) Issuer Discretionary Data"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(DictGetNameByTag(c.tag, c.tagLength), c.name);
    }
    EXPECT_STREQ(DictGetNameByTag(nullptr, 1), "Not Defined");
}

TEST(DictionaryLookup, FindIndexAndEntry) {
    const uint8_t aef[] = {0x70};
    const uint8_t shortNine[] = {0x9F};
    const uint8_t cid[] = {0x9F, 0x27};
    uint8_t index = 77;
    EXPECT_EQ(DictFindIndex(aef, 1, &index), DE_ERR_NOT_DEFINED);
    EXPECT_EQ(DictFindIndex(shortNine, 1, &index), DE_ERR_NOT_DEFINED);
    EXPECT_EQ(DictFindIndex(cid, 2, &index), TLV_OK);
    EXPECT_EQ(index, 49);
    EXPECT_EQ(DictFindIndex(nullptr, 2, &index), TLV_ERR_PARAM);
    EXPECT_EQ(DictFindIndex(cid, 2, nullptr), TLV_ERR_PARAM);

    index = 77;
    EXPECT_EQ(DictFindEntry(aef, 1, &index), nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(DictFindEntry(cid, 2, &index), DictGetEntry(49));
    EXPECT_EQ(DictFindEntry(cid, 2, nullptr), DictGetEntry(49));
    EXPECT_EQ(DictFindEntry(nullptr, 2, &index), nullptr);
}

}  // namespace
