#include "toolkit/font_bytes.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

LogFontFields Song12() {
  LogFontFields f;
  f.faceName = "宋体";
  f.height = -12;
  f.weight = 400;
  f.charSet = 134;
  f.outPrecision = 3;
  f.clipPrecision = 2;
  f.quality = 1;
  f.pitchAndFamily = 2;
  return f;
}

TEST(FontBytes, LayoutIsLogFontA) {
  const auto b = LogFontBytes(Song12());
  ASSERT_EQ(b.size(), 60u);
  EXPECT_EQ(b[0], 0xF4);  // -12 little-endian
  EXPECT_EQ(b[3], 0xFF);
  EXPECT_EQ(b[16], 0x90);  // 400
  EXPECT_EQ(b[17], 0x01);
  EXPECT_EQ(b[23], 134);
  EXPECT_EQ(b[27], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[28])), "\xCB\xCE\xCC\xE5");  // 宋体 in GBK
}

TEST(FontBytes, MadeFontReplacesCharsetPrecisionQualityAndPitch) {
  const auto f = FontToMake(LogFontBytes(Song12()));
  ASSERT_TRUE(f);
  EXPECT_EQ(f->height, -12);
  EXPECT_EQ(f->weight, 400);
  EXPECT_EQ(f->faceName, "宋体");
  EXPECT_EQ(f->charSet, 1);
  EXPECT_EQ(f->outPrecision, 0);
  EXPECT_EQ(f->clipPrecision, 0);
  EXPECT_EQ(f->quality, 2);
  EXPECT_EQ(f->pitchAndFamily, 0);
}

TEST(FontBytes, AnythingButSixtyBytesMeansDefaultFont) {
  for (std::size_t n : {0u, 1u, 59u, 61u, 92u})
    EXPECT_FALSE(FontToMake(std::vector<std::uint8_t>(n, 0x41))) << n;
  // A face name filling the whole field without terminator is cut, not over-read.
  std::vector<std::uint8_t> full(60, 'A');
  ASSERT_TRUE(FontToMake(full));
  EXPECT_EQ(FontToMake(full)->faceName.size(), 31u);
}

}  // namespace
}  // namespace vl
