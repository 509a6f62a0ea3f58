// The program's own window units loaded in-process, where the shared value and the toolkit's
// properties can be read alongside what Windows reports.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "panel/panel_window.h"
#include "setup/setup_window.h"
#include "support/processes.h"
#include "support/windows.h"
#include "toolkit/toolkit.h"

#include <commctrl.h>

namespace vl {
namespace {

HWND Hwnd(WindowUnit& u) { return reinterpret_cast<HWND>(GetWindowHandle(u)); }

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return {0, 0};
  BITMAP bm{};
  ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
  const SIZE s{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return s;
}

class Units : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitToolkit(); }
  void SetUp() override { ASSERT_TRUE(LoadWindow(SetupWindow, false)); }
  void TearDown() override {
    for (WindowUnit* u : {&MaskPanelWindow, &SetupWindow}) DestroyWindow(*u);
    vt::WaitFor([] { return !SetupWindow.IsLoaded() && !MaskPanelWindow.IsLoaded(); }, 5000);
  }
};

TEST_F(Units, SetupStartsAtOpacitySixty) {
  EXPECT_EQ(maskOpacity, 60);
  EXPECT_EQ(SetupWindow["滑块条1"].GetPosition(), 60);
  HWND slider = reinterpret_cast<HWND>(SetupWindow["滑块条1"].Handle());
  ASSERT_TRUE(slider);
  EXPECT_EQ(::SendMessageW(slider, TBM_GETPOS, 0, 0), 60);
  EXPECT_EQ(SetupWindow["透明标签1"].GetCaption(), "透明度:  60");
  EXPECT_EQ(vt::TextOf(reinterpret_cast<HWND>(SetupWindow["透明标签1"].Handle())), L"透明度:  60");
}

TEST_F(Units, SliderMovesChangeTheTextButNotTheOpacity) {
  HWND slider = reinterpret_cast<HWND>(SetupWindow["滑块条1"].Handle());
  ASSERT_TRUE(slider);
  const struct {
    WPARAM key;
    const char* text;
  } steps[] = {{VK_END, "透明度:  255"}, {VK_HOME, "透明度:  1"}, {VK_RIGHT, "透明度:  3"}, {VK_NEXT, "透明度:  8"}};
  for (const auto& s : steps) {
    ::SendMessageW(slider, WM_KEYDOWN, s.key, 0);
    ::SendMessageW(slider, WM_KEYUP, s.key, 0);
    vt::Pump(20);
    EXPECT_EQ(SetupWindow["透明标签1"].GetCaption(), s.text);
    EXPECT_EQ(maskOpacity, 60) << "the opacity moves only when the mask is applied";
  }
}

TEST_F(Units, IconsFollowTheIconRule) {
  // No entry of the icon file has a colour count of 16 or more: both icons are the last entry,
  // 16 x 16, made at that size.
  HWND h = Hwnd(SetupWindow);
  const SIZE big = IconSize(reinterpret_cast<HICON>(::SendMessageW(h, WM_GETICON, ICON_BIG, 0)));
  const SIZE small = IconSize(reinterpret_cast<HICON>(::SendMessageW(h, WM_GETICON, ICON_SMALL, 0)));
  EXPECT_EQ(big.cx, 16);
  EXPECT_EQ(big.cy, 16);
  EXPECT_EQ(small.cx, 16);
  EXPECT_EQ(small.cy, 16);
}

TEST_F(Units, ReloadStartsFromTheDefinitionAgain) {
  HWND first = Hwnd(SetupWindow);
  SetupWindow.SetBackColor(0x00123456);
  SetupWindow["按钮1"].SetVisible(false);
  maskOpacity = 7;
  DestroyWindow(SetupWindow);
  ASSERT_TRUE(LoadWindow(SetupWindow, false));
  HWND second = Hwnd(SetupWindow);
  EXPECT_FALSE(::IsWindow(first));
  EXPECT_NE(first, second);
  EXPECT_TRUE(SetupWindow["按钮1"].GetVisible());
  EXPECT_EQ(maskOpacity, 60);
  vt::Pump(100);
  EXPECT_TRUE(::IsWindow(second)) << "the earlier destroy request must not reach the fresh window";
}

}  // namespace
}  // namespace vl
