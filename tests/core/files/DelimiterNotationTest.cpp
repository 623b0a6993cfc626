#include "core/files/DelimiterNotation.h"

#include <gtest/gtest.h>

namespace tabulyst {
namespace {

TEST(DecodeDelimiter, PlainTextAndCodes) {
    EXPECT_EQ(DecodeDelimiter(""), "");
    EXPECT_EQ(DecodeDelimiter(";"), ";");
    EXPECT_EQ(DecodeDelimiter("#59"), ";");
    EXPECT_EQ(DecodeDelimiter("a#9b"), "a\tb");
    EXPECT_EQ(DecodeDelimiter("#9#9"), "\t\t");
    EXPECT_EQ(DecodeDelimiter("#72#101#108#108#111"), "Hello");
    EXPECT_EQ(DecodeDelimiter("#0"), std::string(1, '\0'));
    EXPECT_EQ(DecodeDelimiter("#255"), "\xFF");
}

TEST(DecodeDelimiter, TakesTheLongestDigitRun) {
    EXPECT_EQ(DecodeDelimiter("#00065"), "A");
    EXPECT_EQ(DecodeDelimiter("#0091"), "[");
    EXPECT_EQ(DecodeDelimiter("#91"), "[");  // never tab followed by "1"
    EXPECT_EQ(DecodeDelimiter("#9#49"), "\t1");
    EXPECT_EQ(DecodeDelimiter("#00000000000000000065"), "A");  // long but small
}

TEST(DecodeDelimiter, DecodedHashIsReadAgain) {
    EXPECT_EQ(DecodeDelimiter("#35"), "ERROR - # without number found!");
    EXPECT_EQ(DecodeDelimiter("a#35;"), "ERROR - # without number found!");
    EXPECT_EQ(DecodeDelimiter("#35#59"), "ERROR - # without number found!");
    EXPECT_EQ(DecodeDelimiter("#3549"), "ERROR - number must be a byte!");  // one run of digits
}

TEST(DecodeDelimiter, ErrorTexts) {
    EXPECT_EQ(DecodeDelimiter("x#"), "ERROR - # without number found!");
    EXPECT_EQ(DecodeDelimiter("#9#"), "ERROR - # without number found!");
    EXPECT_EQ(DecodeDelimiter("#a"), "ERROR - # without number found!");
    EXPECT_EQ(DecodeDelimiter("#256"), "ERROR - number must be a byte!");
    EXPECT_EQ(DecodeDelimiter("#2147483647"), "ERROR - number must be a byte!");
    EXPECT_EQ(DecodeDelimiter("#2147483648"), "ERROR - can not convert!");
    EXPECT_EQ(DecodeDelimiter("#99999999999"), "ERROR - can not convert!");
    // The first "#" decides, even when a later one would fail differently.
    EXPECT_EQ(DecodeDelimiter("#300#"), "ERROR - number must be a byte!");
    EXPECT_TRUE(IsDecodeError(DecodeDelimiter("#")));
    EXPECT_FALSE(IsDecodeError(DecodeDelimiter("#59")));
    EXPECT_FALSE(IsDecodeError("ERROR"));
}

}  // namespace
}  // namespace tabulyst
