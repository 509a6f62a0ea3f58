// The switch turns the setup window into the full-screen, click-through mask.
#include <gtest/gtest.h>

#include "program/running_program.h"

namespace vt {
namespace {

using namespace setup_ids;

void ExpectMask(HWND mask, BYTE alpha, LONG exBefore) {
  const RECT rc = WindowRect(mask);
  EXPECT_EQ(rc.left, -10);
  EXPECT_EQ(rc.top, -10);
  EXPECT_EQ(rc.right - rc.left, ScreenWidth() + 300);
  EXPECT_EQ(rc.bottom - rc.top, ScreenHeight() + 300);
  const LONG ex = ExStyle(mask);
  EXPECT_EQ(ex & 0xC3520, 0xC3520) << std::hex << ex;
  EXPECT_EQ(ex & exBefore, exBefore) << "every earlier extended-style bit stays";
  EXPECT_TRUE(IsTopMost(mask));
  const Layered l = LayeredOf(mask);
  EXPECT_TRUE(l.ok);
  EXPECT_EQ(l.alpha, alpha);
  EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));
  EXPECT_TRUE(::IsWindowVisible(mask));
  EXPECT_FALSE(::GetParent(mask) && (Style(mask) & WS_CHILD)) << "the mask stays top-level";
  const LONG style = Style(mask);
  EXPECT_FALSE(style & WS_SYSMENU) << "no title-bar buttons";
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION) << "the title bar stays with its text";
  for (HWND c : Children(mask)) EXPECT_FALSE(::IsWindowVisible(c)) << ::GetDlgCtrlID(c);
  HMENU menu = ::GetSystemMenu(mask, FALSE);
  if (menu) {
    EXPECT_EQ(::GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1)) << "cannot be moved";
  }
}

TEST(Mask, SwitchTurnsTheSetupWindowIntoTheMask) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND setup = p.setup();
  const LONG exBefore = ExStyle(setup);
  HWND panel = p.ApplyMask();
  ASSERT_TRUE(panel) << "no mask panel appeared";
  ASSERT_TRUE(::IsWindow(setup)) << "the mask is the setup window itself";
  ExpectMask(setup, 60, exBefore);

  // Clicks and the mouse pass through to what lies beneath: the panel, seen through the mask.
  const RECT pr = WindowRect(panel);
  const POINT inPanel{(pr.left + pr.right) / 2, pr.top + 60};
  HWND hit = ::WindowFromPoint(inPanel);
  EXPECT_NE(hit, setup);
  EXPECT_EQ(::GetAncestor(hit, GA_ROOT), panel);
  // A point outside the panel reaches the desktop, never the mask.
  EXPECT_NE(::WindowFromPoint(POINT{2, ScreenHeight() - 3}), setup);
}

TEST(Mask, AlphaFollowsTheSliderMovedBlindlyByKeyboard) {
  RunningProgram p;
  ASSERT_TRUE(p);
  ::SetForegroundWindow(p.setup());
  Pump(200);
  HWND slider = ::GetDlgItem(p.setup(), k滑块条1);
  const DWORD thread = ::GetWindowThreadProcessId(p.setup(), nullptr);
  for (int i = 0; i < 6; ++i) {
    GUITHREADINFO gti{sizeof gti};
    ::GetGUIThreadInfo(thread, &gti);
    if (gti.hwndFocus == slider) break;
    PressKey(VK_TAB);
  }
  PressKey(VK_RIGHT);  // 60 -> 62
  PressKey(VK_NEXT);   // 62 -> 67
  EXPECT_EQ(p.Text(p.setup(), k透明标签1), L"透明度:  67");
  p.ApplyMask();
  EXPECT_EQ(LayeredOf(p.setup()).alpha, 67);
}

TEST(Mask, OpacityTextFollowsTheSlider) {
  RunningProgram p;
  ASSERT_TRUE(p);
  EXPECT_EQ(p.Text(p.setup(), k透明标签1), L"透明度:  60");
  HWND slider = ::GetDlgItem(p.setup(), k滑块条1);
  const struct {
    WPARAM key;
    const wchar_t* text;
  } steps[] = {{VK_END, L"透明度:  255"}, {VK_HOME, L"透明度:  1"}};
  for (const auto& s : steps) {
    ::PostMessageW(slider, WM_KEYDOWN, s.key, 0);
    ::PostMessageW(slider, WM_KEYUP, s.key, 0);
    Pump(200);
    EXPECT_EQ(p.Text(p.setup(), k透明标签1), s.text);
  }
}

TEST(Mask, HiddenMaskComesBackCentredAtMinus150) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND setup = p.setup();
  // Send the setup window to the tray and back, so it holds an icon through the conversion.
  p.Click(::GetDlgItem(setup, k按钮2));
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(setup); }));
  EXPECT_TRUE(p.HasTrayIcon(setup));
  p.Tray(setup, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(setup) != FALSE; }));
  p.ApplyMask();

  p.Tray(setup, WM_LBUTTONUP);  // hides the mask
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(setup); }));
  p.Tray(setup, WM_LBUTTONUP);  // shows it again, centred
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(setup) != FALSE; }));
  const RECT rc = WindowRect(setup);
  EXPECT_EQ(rc.left, -150);
  EXPECT_EQ(rc.top, -150);
  EXPECT_EQ(LayeredOf(setup).alpha, 60);
}

}  // namespace
}  // namespace vt
