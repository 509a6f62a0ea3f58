// Which image of the application icon the toolkit's icon rule takes.
#include <gtest/gtest.h>

#include "assets/images.h"
#include "toolkit/picture.h"

namespace vl {
namespace {

TEST(AppIcon, RuleTakesTheLastEntryForEveryWidth) {
  const auto dir = ParseIcoDirectory(trayIconImage);
  ASSERT_TRUE(dir);
  ASSERT_EQ(dir->entries.size(), 9u);
  // No entry has a colour count of 16 or more, so neither 16 nor 32 finds a match.
  for (int width : {16, 32, 48}) {
    SCOPED_TRACE(width);
    const std::size_t pick = PickIconEntry(*dir, width);
    EXPECT_EQ(pick, 8u);
    const auto image = IconImageBytes(trayIconImage, dir->entries[pick]);
    ASSERT_TRUE(image);
    const auto info = ReadIconImageInfo(*image);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width, 16);
    EXPECT_EQ(info->height, 16);
    EXPECT_EQ(info->bitCount, 32);
    EXPECT_FALSE(DecodeIconImage(*image).empty());
  }
}

}  // namespace
}  // namespace vl
