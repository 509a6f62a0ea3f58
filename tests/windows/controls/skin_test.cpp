// The skin on push buttons of a window of the tests' own: pixels read back from the screen,
// clicks by real input, and the toolkit's own counts of dressed windows and live handles.
#include <windows.h>

#include <gtest/gtest.h>

#include "controls/one_window.h"
#include "support/windows.h"
#include "toolkit/skin_look.h"

namespace vt {
namespace {

using vl::ControlDef;
using vl::ControlKind;

constexpr COLORREF kBorder = RGB(0, 60, 116);  // style 3's one-pixel border
constexpr COLORREF kRingNormalTop = RGB(255, 255, 255);
constexpr COLORREF kRingFocusedTop = RGB(206, 231, 255);
constexpr COLORREF kRingHoverTop = RGB(255, 240, 207);
constexpr COLORREF kRingPressed = RGB(239, 227, 206);

ControlDef PushButton() {
  ControlDef b = Defined(ControlKind::Button, kButton, 20, 20, 120, 34);
  b.caption = "确定";
  return b;
}

// A control of each kind the skin must leave alone.
std::vector<ControlDef> OwnKinds() {
  ControlDef slider = Defined(ControlKind::SliderBar, kSlider, 20, 80, 200, 32);
  slider.maximum = 100;
  slider.position = 40;
  ControlDef picker = Defined(ControlKind::ColorPicker, kPicker, 240, 80, 40, 32);
  picker.colour = RGB(198, 255, 198);
  ControlDef link = Defined(ControlKind::HyperLinker, kLink, 20, 130, 200, 24);
  link.webAddress = "http://example.com";
  ControlDef label = Defined(ControlKind::Label, "标签1", 20, 170, 200, 24);
  label.caption = "标签";
  return {slider, picker, link, label};
}

COLORREF TopMiddle(HWND button) {
  const Shot s = Capture(button);
  return s.at(s.width / 2, 0);
}

class Skin : public OneWindowTest {
 protected:
  void TearDown() override {
    vl::ApplySkin(0);
    OneWindowTest::TearDown();
  }
};

TEST_F(Skin, DressesAPushButtonThatExists) {
  ASSERT_TRUE(Load({PushButton()}));
  HWND button = HandleOf(kButton);
  const Shot plain = Capture(button);
  ASSERT_NE(plain.at(plain.width / 2, 0), kBorder);
  vl::ApplySkin(3);
  RunLoop(30);
  const Shot skinned = Capture(button);
  EXPECT_EQ(skinned.at(skinned.width / 2, 0), kBorder);
  EXPECT_EQ(skinned.at(0, skinned.height / 2), kBorder);
  EXPECT_EQ(skinned.at(skinned.width / 2, skinned.height - 1), kBorder);
  EXPECT_NE(skinned.at(0, 0), kBorder) << "corners are softened";
}

TEST_F(Skin, DressesAPushButtonCreatedAfterwards) {
  vl::ApplySkin(3);
  ASSERT_TRUE(Load({PushButton()}));
  EXPECT_EQ(TopMiddle(HandleOf(kButton)), kBorder);
}

TEST_F(Skin, AppliedTwiceLooksAsOnceAndDressesNothingTwice) {
  ASSERT_TRUE(Load({PushButton()}));
  HWND button = HandleOf(kButton);
  vl::ApplySkin(3);
  RunLoop(30);
  const Shot once = Capture(button);
  const int dressed = vl::SkinnedWindowCount();
  vl::ApplySkin(3);
  RunLoop(30);
  EXPECT_EQ(vl::SkinnedWindowCount(), dressed);
  EXPECT_TRUE(Capture(button) == once) << "the second application changed the look";
  EXPECT_EQ(TopMiddle(button), kBorder);
}

TEST_F(Skin, RemovingGivesThePlainLookBack) {
  ASSERT_TRUE(Load({PushButton()}));
  HWND button = HandleOf(kButton);
  const Shot plain = Capture(button);
  for (int style : {3, 1, 2}) {
    vl::ApplySkin(style);
    RunLoop(30);
    EXPECT_FALSE(Capture(button) == plain) << "style " << style << " changed nothing";
    vl::ApplySkin(0);
    RunLoop(30);
    EXPECT_TRUE(Capture(button) == plain) << "style " << style << " left traces";
    EXPECT_EQ(vl::SkinnedWindowCount(), 0);
  }
}

TEST_F(Skin, SkinnedButtonRaisesClickedOncePerClickAndSpace) {
  for (int style : {0, 3}) {
    vl::ApplySkin(style);
    ASSERT_TRUE(Load({PushButton()}));
    HWND button = HandleOf(kButton);
    ClickCentre(button);
    RunLoop(30);
    EXPECT_EQ(g_seen.clicked, 1) << "mouse, style " << style;
    ::SetFocus(button);
    ASSERT_EQ(::GetFocus(), button);
    Key(VK_SPACE);
    EXPECT_EQ(g_seen.clicked, 2) << "space bar, style " << style;
    MouseAway();
    Unload();
  }
}

// The end of a hover on a plain leave comes with WM_MOUSELEAVE, which Wine here never sends (a
// spy on the button saw none), so only the states a pressed button's own mouse messages decide
// are checked.
TEST_F(Skin, StateRingFollowsTheMouse) {
  vl::ApplySkin(3);
  ASSERT_TRUE(Load({PushButton()}));
  HWND button = HandleOf(kButton);
  auto ringTop = [button] {
    const Shot s = Capture(button);
    return s.at(s.width / 2, 1);
  };
  ASSERT_EQ(ringTop(), kRingNormalTop);
  const POINT c = ScreenCentre(button);
  MouseMoveTo(c.x, c.y);
  EXPECT_EQ(ringTop(), kRingHoverTop);
  MouseDown(c.x, c.y);
  EXPECT_EQ(ringTop(), kRingPressed);
  // Dragged out while pressed: the button keeps the mouse and sees it go.
  const RECT rc = WindowRect(button);
  MouseMoveTo(c.x, rc.bottom + 30);
  MouseUp(c.x, rc.bottom + 30);
  EXPECT_EQ(ringTop(), kRingFocusedTop) << std::hex << ringTop();
  EXPECT_EQ(g_seen.clicked, 0) << "released outside, yet clicked";
}

TEST_F(Skin, LeavesTrackbarsAndTheToolkitsOwnKindsAlone) {
  vl::ApplySkin(3);
  const int withoutWindow = vl::SkinnedWindowCount();
  vl::ApplySkin(0);

  std::vector<ControlDef> controls = OwnKinds();
  controls.push_back(PushButton());
  ASSERT_TRUE(Load(controls));
  std::vector<Shot> plain;
  for (const ControlDef& c : OwnKinds()) plain.push_back(Capture(HandleOf(c.name.c_str())));

  vl::ApplySkin(3);
  RunLoop(30);
  EXPECT_EQ(vl::SkinnedWindowCount(), withoutWindow + 1) << "only the push button is dressed";
  EXPECT_EQ(TopMiddle(HandleOf(kButton)), kBorder);
  const std::vector<ControlDef> own = OwnKinds();
  for (std::size_t i = 0; i < own.size(); ++i)
    EXPECT_TRUE(Capture(HandleOf(own[i].name.c_str())) == plain[i]) << own[i].name << " changed its look";

  // The same holds for windows created while the skin is on.
  Unload();
  ASSERT_TRUE(Load(controls));
  EXPECT_EQ(vl::SkinnedWindowCount(), withoutWindow + 1);
}

TEST_F(Skin, NoHandleOutlivesApplyAndRemove) {
  const long before = vl::LiveHandles();
  const int dressedBefore = vl::SkinnedWindowCount();
  for (int round = 0; round < 3; ++round) {
    vl::ApplySkin(3);
    ASSERT_TRUE(Load({PushButton()}));
    HWND button = HandleOf(kButton);
    ClickCentre(button);  // paints in every state
    MouseAway();
    vl::ApplySkin(3);
    RunLoop(20);
    Unload();
    EXPECT_EQ(vl::SkinnedWindowCount(), dressedBefore) << "a destroyed button stayed dressed";
    vl::ApplySkin(0);
    EXPECT_EQ(vl::LiveHandles(), before) << "round " << round;
  }
}

}  // namespace
}  // namespace vt
