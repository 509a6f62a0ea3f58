#include "toolkit/geometry.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(Geometry, CentreOnTruncatesTowardZero) {
  const struct {
    int W, H, w, h;
    Point expected;
  } cases[] = {
      {1024, 768, 364, 483, {330, 142}},   // the main windows
      {800, 600, 364, 483, {218, 58}},
      {1024, 768, 323, 304, {350, 232}},   // the about box
      {1920, 1080, 2220, 1380, {-150, -150}},  // the mask, 300 larger each way
      {1024, 768, 1324, 1068, {-150, -150}},
      {100, 100, 103, 103, {-1, -1}},      // -3/2 truncates to -1, not -2
      {101, 101, 100, 100, {0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(CentreOn(c.W, c.H, c.w, c.h), c.expected) << c.W << "x" << c.H;
}

TEST(Geometry, MoveTargetKeepsSizeUnlessGivenAndSkipsNoChange) {
  const Rect current{330, 142, 694, 625};
  EXPECT_EQ(MoveTarget(current, 330, 142, 364, 483), std::nullopt);
  EXPECT_EQ(MoveTarget(current, 330, 142, -1, -1), std::nullopt);
  EXPECT_EQ(MoveTarget(current, -10, -10, -1, -1), (Rect{-10, -10, 354, 473}));
  EXPECT_EQ(MoveTarget(current, -10, -10, 1324, 1068), (Rect{-10, -10, 1314, 1058}));
  EXPECT_EQ(MoveTarget(current, 330, 142, 100, -1), (Rect{330, 142, 430, 625}));
}

TEST(Geometry, CaptionStyleFollowsTitleAndControlButtons) {
  using namespace style;
  const struct {
    CaptionInputs in;
    std::uint32_t expected;
  } cases[] = {
      {{2, true, true, false, false}, kCaption | kSysMenu | kDlgFrame},
      {{2, true, false, false, false}, kCaption | kDlgFrame},  // title bar stays, no buttons
      {{2, false, false, false, false}, kDlgFrame},             // no title: no title bar
      {{2, false, true, false, false}, kCaption | kSysMenu | kDlgFrame},
      {{2, true, true, true, true}, kCaption | kSysMenu | kDlgFrame | kMinimizeBox | kMaximizeBox},
      {{0, true, true, true, true}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CaptionStyle(c.in), c.expected);
}

TEST(Geometry, ClampPick) {
  EXPECT_EQ(ClampPick(-5, 0, 3), 0);
  EXPECT_EQ(ClampPick(7, 0, 3), 3);
  EXPECT_EQ(ClampPick(2, 0, 3), 2);
}

}  // namespace
}  // namespace vl
