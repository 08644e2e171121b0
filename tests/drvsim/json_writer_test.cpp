#include "tests/drvsim/json_check.h"
#include "tools/drvsim/json_writer.h"

#include <gtest/gtest.h>

TEST(JsonWriter, EscapesWhatJsonForbidsAndKeepsTheBytes) {
    drvsim::JsonWriter j;
    const std::string text = std::string("\"C:\\x\"\r\n\t\x01") + "\xB4\xF2 end";
    j.beginObject().member("text", text).key("list").beginArray().value(std::uint64_t{4294967295u});
    j.boolean(false)
        .null()
        .beginObject()
        .endObject()
        .endArray()
        .key("empty")
        .beginArray()
        .endArray();
    j.endObject();
    EXPECT_NE(std::string::npos, j.text().find(R"("\"C:\\x\"\r\n\t\u0001\u00b4\u00f2 end")"))
        << j.text();
    drvsimtest::Json json;
    ASSERT_TRUE(drvsimtest::JsonReader(j.text()).read(json)) << j.text();
    EXPECT_EQ(text, json["text"].text);
    ASSERT_EQ(4u, json["list"].items.size());
    EXPECT_EQ("4294967295", json["list"].items[0].text);
    EXPECT_TRUE(json["empty"].items.empty());
}
