// The notification-area icons of the main windows and the tray rule.
#include <gtest/gtest.h>

#include "program/running_program.h"

#include <shellapi.h>

namespace vt {
namespace {

using namespace setup_ids;

TEST(Tray, MinimiseShowsOneIconAndHides) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND setup = p.setup();
  EXPECT_FALSE(p.HasTrayIcon(setup));
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    p.Click(::GetDlgItem(setup, k按钮2));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(setup); }));
    EXPECT_TRUE(p.HasTrayIcon(setup));
    p.Tray(setup, WM_LBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(setup) != FALSE; }));
  }
  // Still one icon: removing it once leaves none.
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
  nid.hWnd = setup;
  nid.uID = kTrayIconId;
  EXPECT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &nid));
  EXPECT_FALSE(p.HasTrayIcon(setup));
}

TEST(Tray, RuleForEveryNotification) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND setup = p.setup();
  p.Click(::GetDlgItem(setup, k按钮2));  // the icon, and the window hidden
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(setup); }));
  const struct {
    const char* what;
    bool shownBefore;
    UINT message;
    bool shownAfter;
  } cases[] = {
      {"left click shows", false, WM_LBUTTONUP, true},
      {"left click hides", true, WM_LBUTTONUP, false},
      {"right click keeps hidden", false, WM_RBUTTONUP, false},
      {"right click hides", true, WM_RBUTTONUP, false},
      {"context menu hides", true, WM_CONTEXTMENU, false},
      {"double click alone does nothing", true, WM_LBUTTONDBLCLK, true},
      {"double click alone does nothing (hidden)", false, WM_LBUTTONDBLCLK, false},
      {"press does nothing", true, WM_LBUTTONDOWN, true},
      {"mouse move does nothing", false, WM_MOUSEMOVE, false},
      {"middle button does nothing", true, WM_MBUTTONUP, true},
      {"right double click does nothing", true, WM_RBUTTONDBLCLK, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if ((::IsWindowVisible(setup) != FALSE) != c.shownBefore) p.Tray(setup, WM_LBUTTONUP);
    ASSERT_TRUE(WaitFor([&] { return (::IsWindowVisible(setup) != FALSE) == c.shownBefore; }));
    p.Tray(setup, c.message);
    Pump(100);
    EXPECT_EQ(::IsWindowVisible(setup) != FALSE, c.shownAfter);
    EXPECT_TRUE(p.HasTrayIcon(setup)) << "the icon stays";
  }
}

TEST(Tray, LeftClickBringsTheWindowBackCentred) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND setup = p.setup();
  ::SetWindowPos(setup, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  p.Click(::GetDlgItem(setup, k按钮2));
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(setup); }));
  p.Tray(setup, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(setup) != FALSE; }));
  const RECT rc = WindowRect(setup);
  EXPECT_EQ(rc.left, (ScreenWidth() - 364) / 2);
  EXPECT_EQ(rc.top, (ScreenHeight() - 483) / 2);
}

TEST(Tray, IconComesBackWhenTheShellRestarts) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND setup = p.setup();
  p.Click(::GetDlgItem(setup, k按钮2));
  ASSERT_TRUE(WaitFor([&] { return p.HasTrayIcon(setup); }));
  // The shell loses its icons (as when Explorer restarts) and announces a new taskbar.
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
  nid.hWnd = setup;
  nid.uID = kTrayIconId;
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &nid));
  ASSERT_FALSE(p.HasTrayIcon(setup));
  ::PostMessageW(setup, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitFor([&] { return p.HasTrayIcon(setup); }, 5000));
  p.Tray(setup, WM_LBUTTONUP);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(setup) != FALSE; }));
}

}  // namespace
}  // namespace vt
