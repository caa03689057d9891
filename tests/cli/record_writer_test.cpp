#include "cli/record_writer.h"

#include <gtest/gtest.h>

namespace {

// Items with nested objects, arrays and strings holding escaped line breaks and bytes outside
// ASCII: what an indented item may hold.
std::vector<Json> SampleItems(size_t count) {
    std::vector<Json> items;
    for (size_t i = 0; i < count; ++i) {
        Json item(Json::value_t::object);
        item["tag"] = "5A";
        item["value"] = JsonText("line\nbreak \xE9" + std::to_string(i));
        item["warnings"] = Json::array();
        Json child(Json::value_t::object);
        child["children"] = Json::array({Json(1), Json("two")});
        item["children"] = Json::array({child});
        items.push_back(item);
    }
    return items;
}

// Written item by item, a record's array reads exactly as the whole array written at once.
TEST(RecordWriter, ItemByItemWritesWhatTheWholeValueWrites) {
    for (size_t count = 0; count <= 3; ++count) {
        const std::vector<Json> items = SampleItems(count);
        Json whole(Json::value_t::array);
        for (const Json& item : items) {
            whole.push_back(item);
        }
        for (const uint64_t line : {0u, 7u}) {
            std::string out;
            RecordWriter writer(&out, line);
            writer.BeginList();
            for (const Json& item : items) {
                EXPECT_TRUE(writer.WriteListItem(item));
            }
            writer.Finish();
            std::string expected;
            if (line == 0) {
                AppendJson(whole, true, &expected);
            } else {
                Json object(Json::value_t::object);
                object["line"] = line;
                object["roots"] = whole;
                AppendJson(object, false, &expected);
            }
            EXPECT_EQ(out, expected + "\n") << count << " items, line " << line;
        }
    }
}

TEST(RecordWriter, OneValueAndTextRows) {
    const Json value = SampleItems(1).front();
    std::string indented;
    RecordWriter(&indented, 0).WriteValue(value);
    std::string expected;
    AppendJson(value, true, &expected);
    EXPECT_EQ(indented, expected);

    std::string line = "before\n";
    RecordWriter writer(&line, 12);
    writer.WriteValue(value);
    writer.Finish();
    std::string compact;
    AppendJson(value, false, &compact);
    EXPECT_EQ(line, "before\n{\"line\":12,\"root\":" + compact + "}\n");

    std::string text;
    RecordWriter rows(&text, 0);
    *rows.text() += "row\n";
    EXPECT_TRUE(rows.TextWritten());
    rows.Finish();
    EXPECT_EQ(text, "row\n");
}

}  // namespace
