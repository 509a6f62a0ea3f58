#include "toolkit/text.h"

#include <gtest/gtest.h>

#include <climits>

namespace vl {
namespace {

TEST(Text, NarrowLiteralsAreCompiledAsGbk) {
  // The opacity text's prefix, byte for byte.
  const std::string prefix = "透明度:  ";
  EXPECT_EQ(prefix, std::string("\xCD\xB8\xC3\xF7\xB6\xC8\x3A\x20\x20"));
  EXPECT_EQ(std::string("关闭"), std::string("\xB9\xD8\xB1\xD5"));
}

TEST(Text, IntToTextMatchesPercentD) {
  const struct {
    std::int32_t value;
    const char* text;
  } cases[] = {{0, "0"}, {1, "1"}, {60, "60"}, {255, "255"}, {-7, "-7"}, {1000000, "1000000"},
               {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const auto& c : cases) EXPECT_EQ(IntToText(c.value), c.text) << c.value;
}

TEST(Text, JoinTextsConcatenatesUpToEachTerminator) {
  EXPECT_EQ(JoinTexts({"透明度:  ", "60"}), "透明度:  60");
  EXPECT_EQ(JoinTexts({"a", nullptr, "b"}), "ab");
  EXPECT_EQ(JoinTexts(std::initializer_list<const char*>{}), "");
  const std::string embedded("ab\0cd", 5);
  EXPECT_EQ(JoinTexts({embedded, std::string("e")}), "abe");
  EXPECT_EQ(JoinTexts({"x", ""}).size(), 1u);
}

}  // namespace
}  // namespace vl
