// The mask panel and the about box, driven as a user does.
#include <gtest/gtest.h>

#include "program/running_program.h"

namespace vt {
namespace {

// An ordinary window of the test's own at the top of the normal band, as any desktop has one:
// only then does Wine take a window out of the top-most band when asked to.
struct OrdinaryWindow {
  OrdinaryWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeiloraTestOrdinary";
    ::RegisterClassW(&wc);
    hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"ordinary", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr, wc.hInstance, nullptr);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    Pump(50);
  }
  ~OrdinaryWindow() { ::DestroyWindow(hwnd); }
  // Back to the top of the normal band (beneath the top-most windows).
  void Raise() const {
    ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    Pump(50);
  }
  HWND hwnd;
};

TEST(Panel, OpensCentredBeneathTheMaskAndNotTopMost) {
  RunningProgram p;
  ASSERT_TRUE(p);
  const RECT setupRect = WindowRect(p.setup());
  HWND panel = p.ApplyMask();
  ASSERT_TRUE(panel);
  const RECT rc = WindowRect(panel);
  EXPECT_EQ(rc.left, setupRect.left);
  EXPECT_EQ(rc.top, setupRect.top);
  EXPECT_EQ(rc.right, setupRect.right);
  EXPECT_EQ(rc.bottom, setupRect.bottom);
  EXPECT_FALSE(IsTopMost(panel));
  EXPECT_TRUE(::GetWindow(panel, GW_OWNER)) << "no taskbar button";
  bool maskAbovePanel = false;
  for (HWND h = ::GetWindow(p.setup(), GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h == panel) maskAbovePanel = true;
  EXPECT_TRUE(maskAbovePanel);
  EXPECT_EQ(p.Text(panel, panel_ids::k按钮3), L"关闭");
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(panel, panel_ids::k颜色选择器1)));
}

TEST(Panel, SwitchRemovesTheMaskAndApplyingAgainGivesTheSameMask) {
  RunningProgram p;
  ASSERT_TRUE(p);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    HWND mask = p.setup();
    HWND panel = p.ApplyMask();
    ASSERT_TRUE(panel);
    EXPECT_EQ(LayeredOf(mask).alpha, 60);
    EXPECT_EQ(WindowRect(mask).left, -10);
    // The panel's switch is clicked through the mask, which lets every click pass.
    p.Click(::GetDlgItem(panel, panel_ids::k图形按钮1));
    HWND fresh = p.WaitForFreshSetup(mask);
    ASSERT_TRUE(fresh) << "no fresh setup window";
    EXPECT_NE(fresh, mask);
    EXPECT_FALSE(::IsWindow(mask));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(panel); }));
    EXPECT_TRUE(IsTopMost(fresh));
    EXPECT_FALSE(ExStyle(fresh) & WS_EX_LAYERED);
    EXPECT_TRUE(Style(fresh) & WS_SYSMENU);
    EXPECT_EQ(p.Text(fresh, setup_ids::k透明标签1), L"透明度:  60");
    EXPECT_EQ(WindowRect(fresh).left, (ScreenWidth() - 364) / 2);
  }
  EXPECT_TRUE(p.child().Running());
}

TEST(Panel, IconsOfBothWindowsGoWithTheMask) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND mask = p.setup();
  p.Click(::GetDlgItem(mask, setup_ids::k按钮2));
  ASSERT_TRUE(WaitFor([&] { return p.HasTrayIcon(mask); }));
  p.Tray(mask, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(mask) != FALSE; }));
  HWND panel = p.ApplyMask();
  ASSERT_TRUE(panel);
  p.Click(::GetDlgItem(panel, panel_ids::k按钮2));
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(panel); }));
  EXPECT_TRUE(p.HasTrayIcon(panel));

  p.Tray(panel, WM_RBUTTONUP);  // a right click leaves it hidden
  Pump(100);
  EXPECT_FALSE(::IsWindowVisible(panel));
  p.Tray(panel, WM_LBUTTONUP);
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(panel) != FALSE; }));

  p.Click(::GetDlgItem(panel, panel_ids::k图形按钮1));
  HWND fresh = p.WaitForFreshSetup(mask);
  ASSERT_TRUE(fresh);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(panel); }));
  EXPECT_FALSE(p.HasTrayIcon(mask));
  EXPECT_FALSE(p.HasTrayIcon(panel));
  EXPECT_FALSE(p.HasTrayIcon(fresh));
}

TEST(Panel, CloseBoxEndsTheWholeProgram) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND panel = p.ApplyMask();
  ASSERT_TRUE(panel);
  ::PostMessageW(panel, WM_SYSCOMMAND, SC_CLOSE, 0);
  const auto code = p.child().WaitExit(10000);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0u);
}

TEST(About, ModalCentredAndClosedEveryWay) {
  OrdinaryWindow ordinary;
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND setup = p.setup();
  const struct {
    const char* how;
    void (*close)(HWND about);
  } ways[] = {
      {"its button", [](HWND a) { RunningProgram::Click(::GetDlgItem(a, about_ids::k按钮1)); }},
      {"close box", [](HWND a) { ::PostMessageW(a, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Esc", [](HWND a) {
         ::SetForegroundWindow(a);
         Pump(100);
         PressKey(VK_ESCAPE);
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    ordinary.Raise();
    HWND about = p.ClickForNewWindow(::GetDlgItem(setup, setup_ids::k按钮1));
    ASSERT_TRUE(about);
    const RECT rc = WindowRect(about);
    EXPECT_EQ(rc.left, (ScreenWidth() - 323) / 2);
    EXPECT_EQ(rc.top, (ScreenHeight() - 304) / 2);
    EXPECT_EQ(rc.right - rc.left, 323);
    EXPECT_FALSE(::IsWindowEnabled(setup));
    EXPECT_FALSE(IsTopMost(setup)) << "not top-most while the box is open";
    EXPECT_EQ(p.Text(about, about_ids::k按钮1), L"关闭");
    EXPECT_EQ(p.Text(about, about_ids::k透明标签1), L"关于此软件");
    // The opener's buttons do nothing while the box is open.
    p.Click(::GetDlgItem(setup, setup_ids::k按钮2));
    Pump(200);
    EXPECT_TRUE(::IsWindowVisible(setup));

    way.close(about);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(about); }));
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(setup) != FALSE; }));
    EXPECT_TRUE(IsTopMost(setup));
  }
  EXPECT_TRUE(p.child().Running());
}

TEST(About, OnlyTheCloseButtonIsATabStop) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND about = p.ClickForNewWindow(::GetDlgItem(p.setup(), setup_ids::k按钮1));
  ASSERT_TRUE(about);
  for (HWND c : Children(about))
    EXPECT_EQ((Style(c) & WS_TABSTOP) != 0, ::GetDlgCtrlID(c) == about_ids::k按钮1) << ::GetDlgCtrlID(c);
  const std::wstring address = p.Text(about, about_ids::k超级链接框1);
  EXPECT_EQ(address.find(L"://"), std::wstring::npos);
}

TEST(About, OpenedFromThePanelWhileTheMaskIsOn) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND mask = p.setup();
  HWND panel = p.ApplyMask();
  ASSERT_TRUE(panel);
  HWND about = p.ClickForNewWindow(::GetDlgItem(panel, panel_ids::k按钮1));
  ASSERT_TRUE(about);
  EXPECT_FALSE(::IsWindowEnabled(panel));
  EXPECT_TRUE(IsTopMost(mask));
  // Tray icons still work while the box is open; the panel's buttons do not.
  p.Click(::GetDlgItem(panel, panel_ids::k按钮2));
  Pump(200);
  EXPECT_TRUE(::IsWindowVisible(panel)) << "the panel's buttons do nothing";
  p.Tray(mask, WM_LBUTTONUP);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(mask); }));
  p.Tray(mask, WM_LBUTTONUP);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(mask) != FALSE; }));

  ::PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(about); }));
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(panel) != FALSE; }));
  EXPECT_TRUE(IsTopMost(mask));
  EXPECT_EQ(LayeredOf(mask).alpha, 60);
}

TEST(About, LogOffWhileTheBoxIsOpenEndsTheProgram) {
  RunningProgram p;
  ASSERT_TRUE(p);
  HWND about = p.ClickForNewWindow(::GetDlgItem(p.setup(), setup_ids::k按钮1));
  ASSERT_TRUE(about);
  for (HWND h : {about, p.setup()}) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 2000, &answer);
  }
  const auto code = p.child().WaitExit(10000);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0u);
}

}  // namespace
}  // namespace vt
