#include "core/files/Fields.h"

#include <gtest/gtest.h>

#include <vector>

namespace tabulyst {
namespace {

std::vector<std::string> split(std::string_view line, std::string_view delimiter) {
    std::vector<std::string_view> views;
    splitFields(line, delimiter, views);
    for (auto v : views) {  // every field lies inside the line
        EXPECT_GE(v.data(), line.data());
        EXPECT_LE(v.data() + v.size(), line.data() + line.size());
    }
    return {views.begin(), views.end()};
}

using Fields = std::vector<std::string>;

TEST(SplitFields, SingleCharacterDelimiter) {
    EXPECT_EQ(split("a;b", ";"), (Fields{"a", "b"}));
    EXPECT_EQ(split("a;;b", ";"), (Fields{"a", "", "b"}));
    EXPECT_EQ(split("a;b;", ";"), (Fields{"a", "b", ""}));
    EXPECT_EQ(split(";", ";"), (Fields{"", ""}));
    EXPECT_EQ(split("", ";"), (Fields{""}));
    EXPECT_EQ(split("a,\"b;c\"", ";"), (Fields{"a,\"b", "c\""}));  // no quoting
    EXPECT_EQ(split(std::string_view("a\0b", 3), std::string_view("\0", 1)), (Fields{"a", "b"}));
}

TEST(SplitFields, MultiCharacterDelimiterIsMatchedWhole) {
    EXPECT_EQ(split("aXYbXYc", "XY"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(split("aXbYc", "XY"), (Fields{"aXbYc"}));
    EXPECT_EQ(split("a;;;b", ";;"), (Fields{"a", ";b"}));
    // A delimiter that only begins at the end of the line does not split it.
    EXPECT_EQ(split("a;", ";;"), (Fields{"a;"}));
    EXPECT_EQ(split("aX", "XX"), (Fields{"aX"}));
}

TEST(SplitFields, EmptyDelimiter) {
    EXPECT_EQ(split("a;b", ""), (Fields{"a;b"}));
    EXPECT_EQ(split("", ""), Fields{});
}

TEST(SplitFields, ReusesTheVector) {
    std::vector<std::string_view> out{"stale", "stale"};
    splitFields("x", ";", out);
    EXPECT_EQ(out.size(), 1u);
}

TEST(JoinFields, JoinsAndRoundTrips) {
    std::vector<std::string_view> fields{"a", "", "b"};
    EXPECT_EQ(joinFields(fields, ";"), "a;;b");
    EXPECT_EQ(joinFields({}, ";"), "");
    EXPECT_EQ(joinFields(fields, ""), "ab");
    for (std::string_view line : {"a;", "x;;;y;", ";;", "abc", ""}) {
        for (std::string_view d : {";", ";;", "XY"}) {
            std::vector<std::string_view> parts;
            splitFields(line, d, parts);
            EXPECT_EQ(joinFields(parts, d), line) << line << " at " << d;
        }
    }
}

}  // namespace
}  // namespace tabulyst
