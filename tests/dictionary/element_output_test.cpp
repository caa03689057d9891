#include "dictionary/element_output.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/tlv_test_util.h"
#include "support/tlv_samples.h"

namespace {

std::string JsonText(const Json& value) {
    std::string out;
    AppendJson(value, true, &out);
    return out;
}

// The JSON of every top-level element of `record`, indented as values `level` levels deep, or
// compact for a negative level.
std::string StreamedJson(ElementOutput* output, const std::vector<uint8_t>& record, int level) {
    std::string text;
    BerCursor top;
    output->StartRecord(record.data(), static_cast<uint32_t>(record.size()), &top);
    while (output->AppendNextJsonText(&top, level >= 0, level, &text)) {
    }
    return text;
}

// A JSON row and its children as text rows.
void AppendTextRows(const Json& row, int depth, std::string* text) {
    text->append(2 * static_cast<size_t>(depth), ' ');
    const char* const keys[] = {"dataElement", "tag",         "lengthIn", "length",
                                "value",       "valueLength", "tlv"};
    for (const char* key : keys) {
        *text += row[key].get<std::string>() + (key[0] == 't' && key[1] == 'l' ? "" : "\t");
    }
    const char* separator = "\twarning: ";
    for (const Json& warning : row["warnings"]) {
        *text += separator + warning.get<std::string>();
        separator = ", ";
    }
    *text += '\n';
    if (row.contains("children")) {
        for (const Json& child : row["children"]) {
            AppendTextRows(child, depth + 1, text);
        }
    }
}

// A tree of nodes gives the rows its encoding gives, masked or not: the editor copies what
// `bertlv parse` writes.
TEST(ElementOutput, TreesWriteWhatTheirEncodingsWrite) {
    for (const bool mask : {false, true}) {
        for (const TlvSample& sample : ValidSamples()) {
            TlvTree tree;
            ASSERT_EQ(ParseExact(sample.bytes, &tree, 0), TLV_OK) << sample.name;
            ElementOutput output(BER_RULES_STRICT, 0, mask);
            std::string fromBytes;
            output.AppendText(sample.bytes.data(), static_cast<uint32_t>(sample.bytes.size()),
                              &fromBytes);
            std::string fromTree;
            output.AppendText(tree.get(), &fromTree);
            EXPECT_EQ(fromTree, fromBytes) << sample.name;
            EXPECT_FALSE(fromTree.empty()) << sample.name;
            EXPECT_EQ(StreamedJson(&output, sample.bytes, 0), JsonText(output.ToJson(tree.get())))
                << sample.name;
        }
    }
}

TEST(ElementOutput, MaskedRowsHideCardNumbersInValueAndTlvCellsOnly) {
    const std::vector<uint8_t> record = HexBytes(
        "701F5A0847617390010100105713"
        "4761739001010010D22122011143804400000F");
    TlvTree tree;
    ASSERT_EQ(ParseExact(record, &tree, 1), TLV_OK);
    std::string text;
    ElementOutput(BER_RULES_STRICT, 0, true).AppendText(tree.get(), &text);
    EXPECT_EQ(text,
              "Application Elementary File (AEF) Data Template\t70\t1 byte\t1F\t"
              "5A08476173******00105713476173******0010D22122011143804400000F\t31 bytes\t"
              "701F5A08476173******00105713476173******0010D22122011143804400000F\n"
              "  Application Primary Account Number(PAN)\t5A\t1 byte\t08\t476173******0010\t"
              "8 bytes\t5A08476173******0010\n"
              "  Track 2 Equivalent Data\t57\t1 byte\t13\t476173******0010D22122011143804400000F\t"
              "19 bytes\t5713476173******0010D22122011143804400000F\n");
    ElementOutput general(BER_RULES_GENERAL, 0, true);
    const Json root = Json::parse(StreamedJson(&general, record, 0));
    EXPECT_EQ(root["children"][0]["value"], "476173******0010");
    EXPECT_EQ(root["children"][1]["tlv"], "5713476173******0010D22122011143804400000F");
    EXPECT_EQ(root["tag"], "70");
    // Unmasked, the same output shows every digit.
    std::string plain;
    ElementOutput(BER_RULES_STRICT, 0).AppendText(tree.get(), &plain);
    EXPECT_NE(plain.find("\t4761739001010010\t"), std::string::npos);
    EXPECT_EQ(plain.find('*'), std::string::npos);
}

TEST(ElementOutput, NoTreeWritesNothing) {
    ElementOutput output(BER_RULES_STRICT, 0);
    std::string text = "before";
    output.AppendText(static_cast<const TlvNode*>(nullptr), &text);
    EXPECT_EQ(text, "before");
    EXPECT_TRUE(output.ToJson(static_cast<const TlvNode*>(nullptr)).is_null());
}

// A sequence is written one top-level element at a time.
TEST(ElementOutput, SequenceElementsOneAtATime) {
    const std::vector<uint8_t> record = HexBytes(
        "5A0112"
        "9F270180"
        "5A0134");
    ElementOutput output(BER_RULES_GENERAL, 0);
    BerCursor top;
    std::string text;
    output.StartRecord(record.data(), static_cast<uint32_t>(record.size()), &top);
    ASSERT_TRUE(output.AppendNextText(&top, &text));
    EXPECT_EQ(text,
              "Application Primary Account Number(PAN)\t5A\t1 byte\t01\t12\t1 bytes\t"
              "5A0112\n");
    EXPECT_TRUE(output.HasNext(top));
    ASSERT_TRUE(output.AppendNextText(&top, &text));
    ASSERT_TRUE(output.AppendNextText(&top, &text));
    EXPECT_FALSE(output.HasNext(top));
    EXPECT_FALSE(output.AppendNextText(&top, &text));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

// Rows are handed on one by one; once handing them on fails, no further rows are made.
TEST(ElementOutput, RowsStopOnceTheirOutputFails) {
    const std::vector<uint8_t> record = HexBytes("700F5A01125A01345A01565A01785A019A");
    for (const bool json : {false, true}) {
        ElementOutput output(BER_RULES_GENERAL, 0);
        std::string text;
        int handed = 0;
        output.SetRowWritten([&handed] { return ++handed < 3; });
        BerCursor top;
        output.StartRecord(record.data(), static_cast<uint32_t>(record.size()), &top);
        if (json) {
            output.AppendNextJsonText(&top, false, 0, &text);
        } else {
            output.AppendNextText(&top, &text);
        }
        EXPECT_EQ(handed, 3) << json;
        // The template and two of its five elements.
        if (json) {
            EXPECT_EQ(Json::parse(text)["children"].size(), 2u) << text;
        } else {
            EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << text;
        }
    }
}

// JSON written row by row is JSON as the library writes it, indented at any depth or compact,
// and holds the rows the text output shows, on valid records and on every mutation of them the
// general reader accepts as a sequence.
TEST(ElementOutput, JsonWrittenRowByRowHoldsTheTextRows) {
    std::vector<std::vector<uint8_t>> records;
    for (const TlvSample& sample : ValidSamples()) {
        records.push_back(sample.bytes);
        for (size_t at = 0; at < sample.bytes.size() && at < 64; ++at) {
            for (const uint8_t flip : {0x01, 0x20, 0x80}) {
                std::vector<uint8_t> mutated = sample.bytes;
                mutated[at] ^= flip;
                records.push_back(mutated);
            }
        }
    }
    records.push_back(
        HexBytes("DF810182000512345678FF"
                 "0000"
                 "E000"
                 "70007000"));
    size_t compared = 0;
    for (const std::vector<uint8_t>& record : records) {
        const uint32_t size = static_cast<uint32_t>(record.size());
        if (BerCheck(record.data(), size, BER_RULES_GENERAL, BER_CHECK_SEQUENCE, nullptr,
                     nullptr) != TLV_OK) {
            continue;
        }
        for (const bool mask : {false, true}) {
            ElementOutput output(BER_RULES_GENERAL,
                                 BER_WARNING_NON_MINIMAL_LENGTH | BER_WARNING_MISPLACED_PADDING,
                                 mask);
            std::string rows;
            output.AppendText(record.data(), size, &rows);
            for (const int level : {-1, 0, 1, 3}) {
                const std::string streamed = StreamedJson(&output, record, level);
                // Top-level elements follow one another: as an array's items they read whole.
                std::string items;
                for (size_t at = 0; at < streamed.size(); ++at) {
                    if (at > 0 && streamed[at] == '{' && streamed[at - 1] == '}') {
                        items += ',';
                    }
                    items += streamed[at];
                }
                const Json roots = Json::parse("[" + items + "]");
                std::string again;
                for (const Json& root : roots) {
                    AppendJson(root, level >= 0, level, &again);
                }
                ASSERT_EQ(streamed, again) << BytesHex(record) << " level " << level;
                std::string fromJson;
                for (const Json& root : roots) {
                    AppendTextRows(root, 0, &fromJson);
                }
                ASSERT_EQ(fromJson, rows) << BytesHex(record) << " level " << level;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 1000u);
}

}  // namespace
