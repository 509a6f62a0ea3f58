// Window properties and MoveWindowTo, driven in-process and checked through the real API.
#include <gtest/gtest.h>

#include <string>

#include "support/processes.h"
#include "support/windows.h"
#include "toolkit/test_units.h"

namespace vt {
namespace {

using WindowOps = UnitsTest;

bool HasMove(HWND h) { return ::GetMenuState(::GetSystemMenu(h, FALSE), SC_MOVE, MF_BYCOMMAND) != UINT(-1); }

// The hidden owner every window without a taskbar button is given.
void ExpectHiddenToolOwner(HWND h) {
  HWND owner = ::GetWindow(h, GW_OWNER);
  ASSERT_TRUE(owner) << "no owner";
  EXPECT_FALSE(::IsWindowVisible(owner));
  EXPECT_TRUE(ExStyle(owner) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(WindowRect(owner).right - WindowRect(owner).left, 0);
  wchar_t title[16] = L"x";
  ::GetWindowTextW(owner, title, 16);
  EXPECT_STREQ(title, L"");
}

TEST_F(WindowOps, CreationPlacesSizesAndOwnsTheWindow) {
  const int W = ScreenWidth(), H = ScreenHeight();
  struct Case {
    const char* what;
    int placement, width, height;
    bool onTop, inTaskbar;
    int x, y;  // expected top-left corner
  } cases[] = {
      {"centred", 1, 300, 200, true, false, (W - 300) / 2, (H - 200) / 2},
      {"centred, odd size", 1, 301, 203, false, false, (W - 301) / 2, (H - 203) / 2},
      // Larger than the screen: half the excess off each edge, rounded toward zero.
      {"centred, larger than the screen", 1, W + 301, H + 300, true, false, -150, -150},
      {"at its left and top", 0, 250, 150, false, true, 40, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_slots[0].def.placement = c.placement;
    g_slots[0].def.width = c.width;
    g_slots[0].def.height = c.height;
    g_slots[0].def.alwaysOnTop = c.onTop;
    g_slots[0].def.showInTaskbar = c.inTaskbar;
    ASSERT_TRUE(vl::LoadWindow(A, false));
    HWND h = Hwnd(A);
    ASSERT_TRUE(::IsWindow(h));
    const RECT rc = WindowRect(h);
    EXPECT_EQ(rc.left, c.x);
    EXPECT_EQ(rc.top, c.y);
    EXPECT_EQ(rc.right - rc.left, c.width);
    EXPECT_EQ(rc.bottom - rc.top, c.height);
    EXPECT_TRUE(::IsWindowVisible(h));
    EXPECT_EQ(IsTopMost(h), c.onTop);
    EXPECT_FALSE(Style(h) & (WS_POPUP | WS_CHILD));
    EXPECT_FALSE(ExStyle(h) & WS_EX_APPWINDOW);
    if (c.inTaskbar)
      EXPECT_FALSE(::GetWindow(h, GW_OWNER));
    else
      ExpectHiddenToolOwner(h);
    vl::DestroyWindow(A);
    ASSERT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
  }
}

TEST_F(WindowOps, CreationMinimisedOrMaximised) {
  const struct {
    int placement;
    bool iconic, zoomed;
  } cases[] = {{2, true, false}, {3, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.placement);
    g_slots[0].def.placement = c.placement;
    ASSERT_TRUE(vl::LoadWindow(A, false));
    HWND h = Hwnd(A);
    EXPECT_EQ(::IsIconic(h) != FALSE, c.iconic);
    EXPECT_EQ(::IsZoomed(h) != FALSE, c.zoomed);
    EXPECT_TRUE(A.GetVisible());
    vl::DestroyWindow(A);
    ASSERT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
  }
}

TEST_F(WindowOps, ShowInTaskbarWrittenToALoadedWindowChangesNothing) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  HWND owner = ::GetWindow(h, GW_OWNER);
  const LONG ex = ExStyle(h);
  A.SetShowInTaskbar(true);
  RunLoop(50);
  EXPECT_EQ(::GetWindow(h, GW_OWNER), owner);
  EXPECT_EQ(ExStyle(h), ex);
  EXPECT_EQ(Hwnd(A), h);
}

TEST_F(WindowOps, ControlButtonsSetTheCaptionBits) {
  const struct Case {
    const char* what;
    const char* title;
    bool defined, written;
    LONG caption;  // the WS_CAPTION part expected after the write
    bool sysMenu;
  } cases[] = {
      {"titled, buttons off", "测试", true, false, WS_CAPTION, false},
      {"untitled, buttons off", "", true, false, WS_DLGFRAME, false},
      {"untitled, buttons on", "", false, true, WS_CAPTION, true},
      {"titled, buttons on", "测试", false, true, WS_CAPTION, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g_slots[0].def.title = c.title;
    g_slots[0].def.controlButtons = c.defined;
    ASSERT_TRUE(vl::LoadWindow(A, false));
    HWND h = Hwnd(A);
    const RECT before = WindowRect(h);
    A.SetControlButtons(c.written);
    const LONG style = Style(h);
    EXPECT_EQ(style & WS_CAPTION, c.caption);
    EXPECT_EQ((style & WS_SYSMENU) != 0, c.sysMenu);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    // The frame was recomputed: the client area starts right below the (new) title bar.
    POINT origin{0, 0};
    ::ClientToScreen(h, &origin);
    const int titleBar = origin.y - WindowRect(h).top - ::GetSystemMetrics(SM_CYDLGFRAME);
    if (c.caption == WS_CAPTION)
      EXPECT_GE(titleBar, ::GetSystemMetrics(SM_CYCAPTION) - 1);
    else
      EXPECT_LT(titleBar, ::GetSystemMetrics(SM_CYCAPTION) - 1);
    const RECT after = WindowRect(h);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    vl::DestroyWindow(A);
    ASSERT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
  }
}

TEST_F(WindowOps, ControlButtonsMatchingTheStyleMakesNoNativeCall) {
  for (bool buttons : {true, false}) {
    SCOPED_TRACE(buttons);
    g_slots[0].def.controlButtons = buttons;
    ASSERT_TRUE(vl::LoadWindow(A, false));
    HWND h = Hwnd(A);
    const LONG style = Style(h);
    {
      MessageCounter calls(h, {WM_STYLECHANGING, WM_WINDOWPOSCHANGING, WM_NCCALCSIZE});
      A.SetControlButtons(buttons);
      EXPECT_EQ(calls.count(), 0);
      // The counter does see a write that changes the bits.
      A.SetControlButtons(!buttons);
      EXPECT_GT(calls.count(), 0);
    }
    EXPECT_NE(Style(h), style);
    vl::DestroyWindow(A);
    ASSERT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
  }
}

TEST_F(WindowOps, PlacementOnAHiddenWindowIsOnlyStored) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  vl::MoveWindowTo(A, 10, 20, -1, -1);
  A.SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(h));
  for (int placement : {1, 3, 2, 0}) {
    A.SetPlacement(placement);
    EXPECT_FALSE(::IsWindowVisible(h));
    EXPECT_FALSE(::IsIconic(h));
    EXPECT_FALSE(::IsZoomed(h));
    EXPECT_EQ(WindowRect(h).left, 10);
  }
  A.SetPlacement(1);
  A.SetVisible(true);
  RunLoop(30);
  EXPECT_TRUE(::IsWindowVisible(h));
  const RECT rc = WindowRect(h);
  EXPECT_EQ(rc.left, 10);
  EXPECT_EQ(rc.top, 20);
  EXPECT_EQ(rc.right - rc.left, 300);
}

TEST_F(WindowOps, PlacementOnAVisibleWindow) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  const int W = ScreenWidth(), H = ScreenHeight();
  // One window taken through a sequence of writes; values outside 0..3 go to the nearer end.
  const struct Step {
    int placement;
    bool iconic, zoomed;
    bool centred;
  } steps[] = {
      {2, true, false, false},  {1, false, false, true}, {3, false, true, false},
      {-5, false, false, false}, {9, false, true, false}, {0, false, false, false},
      {7, false, true, false},  {1, false, false, true}, {-1, false, false, false},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.placement);
    vl::MoveWindowTo(A, 5, 7, -1, -1);
    A.SetPlacement(s.placement);
    RunLoop(20);
    EXPECT_EQ(::IsIconic(h) != FALSE, s.iconic);
    EXPECT_EQ(::IsZoomed(h) != FALSE, s.zoomed);
    EXPECT_TRUE(A.GetVisible());
    if (s.centred) {
      const RECT rc = WindowRect(h);
      EXPECT_EQ(rc.left, (W - 300) / 2);
      EXPECT_EQ(rc.top, (H - 200) / 2);
      EXPECT_EQ(rc.right - rc.left, 300);
    }
  }
}

TEST_F(WindowOps, CentringAWindowLargerThanTheScreen) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  const int W = ScreenWidth(), H = ScreenHeight();
  vl::MoveWindowTo(A, 0, 0, W + 300, H + 300);
  A.SetPlacement(1);
  const RECT rc = WindowRect(h);
  EXPECT_EQ(rc.left, -150);
  EXPECT_EQ(rc.top, -150);
  EXPECT_EQ(rc.right - rc.left, W + 300);
  EXPECT_EQ(rc.bottom - rc.top, H + 300);
}

TEST_F(WindowOps, CentringAWindowAlreadyCentredMovesNothing) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  MessageCounter calls(h, {WM_WINDOWPOSCHANGING});
  A.SetPlacement(1);
  EXPECT_EQ(calls.count(), 0);
}

TEST_F(WindowOps, VisibleWritesAndReads) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  HWND button = ButtonOf(A);
  ASSERT_TRUE(button);
  A.SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(h));
  EXPECT_FALSE(A.GetVisible());
  EXPECT_FALSE(A[kButton].GetVisible());  // a control of a hidden window reads false
  A.SetVisible(true);
  EXPECT_TRUE(::IsWindowVisible(h));
  EXPECT_TRUE(A.GetVisible());
  EXPECT_TRUE(A[kButton].GetVisible());
  A[kButton].SetVisible(false);
  EXPECT_FALSE(::IsWindowVisible(button));
  EXPECT_FALSE(A[kButton].GetVisible());
  A[kButton].SetVisible(true);
  EXPECT_TRUE(::IsWindowVisible(button));
  // A minimised window reads visible.
  A.SetPlacement(2);
  ASSERT_TRUE(::IsIconic(h));
  EXPECT_TRUE(A.GetVisible());
}

TEST_F(WindowOps, MovableEditsTheSystemMenu) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  EXPECT_TRUE(HasMove(h));
  A.SetMovable(false);
  EXPECT_FALSE(HasMove(h));
  A.SetMovable(true);
  EXPECT_TRUE(HasMove(h));
  A.SetMovable(false);
  EXPECT_FALSE(HasMove(h));

  // Defined not movable: the Move command is gone from creation on.
  g_slots[1].def.movable = false;
  ASSERT_TRUE(vl::LoadWindow(B, false));
  EXPECT_FALSE(HasMove(Hwnd(B)));
  B.SetMovable(true);
  EXPECT_TRUE(HasMove(Hwnd(B)));
}

bool Above(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(upper, GW_HWNDNEXT); w; w = ::GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

TEST_F(WindowOps, AlwaysOnTopFalseKeepsTheOtherTopMostWindowsOnTop) {
  // A and B top-most without taskbar buttons; C top-most with one, so it is not put back on top.
  g_slots[0].def.alwaysOnTop = true;
  g_slots[1].def.alwaysOnTop = true;
  g_slots[2].def.alwaysOnTop = true;
  g_slots[2].def.showInTaskbar = true;
  ASSERT_TRUE(vl::LoadWindow(A, false));
  ASSERT_TRUE(vl::LoadWindow(B, false));
  ASSERT_TRUE(vl::LoadWindow(C, false));
  HWND a = Hwnd(A), b = Hwnd(B), c = Hwnd(C);
  for (HWND h : {a, b, c}) EXPECT_TRUE(IsTopMost(h));
  ASSERT_TRUE(Above(c, b)) << "the last window loaded is not on top";

  // An ordinary window at the top of the normal band, as a real desktop has one, so Wine lets an
  // owned window leave the top-most band.
  HWND plain = ::CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
  ASSERT_TRUE(plain);
  ::SetWindowPos(plain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  A.SetAlwaysOnTop(false);
  RunLoop(30);
  EXPECT_FALSE(IsTopMost(a));
  EXPECT_TRUE(IsTopMost(b));
  EXPECT_TRUE(IsTopMost(c));
  EXPECT_TRUE(Above(b, c)) << "B was not set top-most again";

  A.SetAlwaysOnTop(true);
  EXPECT_TRUE(IsTopMost(a));
  EXPECT_TRUE(Above(a, b));
  ::DestroyWindow(plain);
}

TEST_F(WindowOps, MoveWindowTo) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  const int W = ScreenWidth(), H = ScreenHeight();
  const struct Case {
    const char* what;
    int left, top, width, height;   // the call
    RECT expected;                  // left, top, right, bottom afterwards
  } cases[] = {
      {"move, size kept", 12, 34, -1, -1, {12, 34, 312, 234}},
      {"width only", 12, 34, 350, -1, {12, 34, 362, 234}},
      {"height only", 12, 34, -1, 260, {12, 34, 362, 294}},
      {"all four", 20, 25, 300, 200, {20, 25, 320, 225}},
      {"negative position", -40, -30, -1, -1, {-40, -30, 260, 170}},
      {"larger than the screen", -10, -20, W + 200, H + 150, {-10, -20, W + 190, H + 130}},
      {"back", 20, 25, 300, 200, {20, 25, 320, 225}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    vl::MoveWindowTo(A, c.left, c.top, c.width, c.height);
    const RECT rc = WindowRect(h);
    EXPECT_EQ(rc.left, c.expected.left);
    EXPECT_EQ(rc.top, c.expected.top);
    EXPECT_EQ(rc.right, c.expected.right);
    EXPECT_EQ(rc.bottom, c.expected.bottom);
  }
  // The current rectangle again, given in full or with -1: no native call at all.
  MessageCounter calls(h, {WM_WINDOWPOSCHANGING});
  vl::MoveWindowTo(A, 20, 25, 300, 200);
  vl::MoveWindowTo(A, 20, 25, -1, -1);
  vl::MoveWindowTo(A, 20, 25, 300, -1);
  EXPECT_EQ(calls.count(), 0);
  vl::MoveWindowTo(A, 21, 25, -1, -1);
  EXPECT_EQ(calls.count(), 1);
}

TEST_F(WindowOps, GetScreenSize) {
  EXPECT_EQ(vl::GetScreenWidth(), ::GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(vl::GetScreenHeight(), ::GetSystemMetrics(SM_CYSCREEN));
}

// Every property, command and control of a unit that is not loaded (never, or no longer), and
// control names a loaded window does not have: nothing happens, reads give empty values.
void AddressEverything(vl::WindowUnit& u, const char* control) {
  u.SetVisible(true);
  u.SetBackColor(0x00112233);
  u.SetControlButtons(false);
  u.SetPlacement(3);
  u.SetMovable(false);
  u.SetShowInTaskbar(true);
  u.SetAlwaysOnTop(true);
  u.SetAlwaysOnTop(false);
  vl::MoveWindowTo(u, 1, 2, 3, 4);
  static const unsigned char notAnIcon[] = {0, 0, 1, 0};
  vl::SetTrayIcon(u, vl::Bytes{notAnIcon, sizeof notAnIcon}, "tip");
  const vl::ControlRef ref = u[control];
  ref.SetVisible(true);
  ref.SetCaption("x");
  ref.SetPicture(vl::Bytes{notAnIcon, sizeof notAnIcon});
  ref.SetPosition(5);
  ref.SetColor(0x00FF00FF);
  EXPECT_FALSE(ref.GetVisible());
  EXPECT_EQ(ref.GetCaption(), "");
  EXPECT_EQ(ref.GetPosition(), 0);
  EXPECT_EQ(ref.GetColor(), 0u);
  EXPECT_EQ(ref.Handle(), 0);
}

TEST_F(WindowOps, AddressingWhatIsNotThereDoesNothing) {
  const auto ours = [] { return WindowsOf(::GetCurrentProcessId()).size(); };
  const std::size_t before = ours();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round == 0 ? "never loaded" : "loaded and destroyed");
    ASSERT_FALSE(A.IsLoaded());
    AddressEverything(A, kButton);
    EXPECT_FALSE(A.GetVisible());
    EXPECT_EQ(vl::GetWindowHandle(A), 0);
    vl::DestroyWindow(A);
    RunLoop(20);
    EXPECT_FALSE(A.IsLoaded());
    EXPECT_EQ(ours(), before) << "a window appeared";
    if (round == 0) {
      ASSERT_TRUE(vl::LoadWindow(A, false));
      vl::DestroyWindow(A);
      ASSERT_TRUE(RunUntil([] { return !A.IsLoaded(); }));
    }
  }

  // Unknown control names on a loaded window.
  ASSERT_TRUE(vl::LoadWindow(A, false));
  HWND h = Hwnd(A);
  const RECT rc = WindowRect(h);
  const std::wstring caption = TextOf(ButtonOf(A));
  for (const char* name : {"没有", "", "按钮1"}) {
    SCOPED_TRACE(name);
    const vl::ControlRef ref = A[name];
    ref.SetVisible(false);
    ref.SetCaption("x");
    ref.SetPosition(5);
    ref.SetColor(0x00FF00FF);
    EXPECT_FALSE(ref.GetVisible());
    EXPECT_EQ(ref.GetCaption(), "");
    EXPECT_EQ(ref.Handle(), 0);
  }
  EXPECT_TRUE(::IsWindowVisible(ButtonOf(A)));
  EXPECT_EQ(TextOf(ButtonOf(A)), caption);
  EXPECT_EQ(WindowRect(h).left, rc.left);
}

}  // namespace
}  // namespace vt
