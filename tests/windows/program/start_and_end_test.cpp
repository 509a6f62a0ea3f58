// The real program from outside: how it starts, where its window stands, and how it ends.
#include <gtest/gtest.h>

#include "support/processes.h"
#include "support/windows.h"

namespace vt {
namespace {

constexpr wchar_t kWindowClass[] = L"VeiloraWindow";

struct Program {
  Child child = Start(L"veilora.exe");
  HWND setup = child ? WaitForWindow(child.pid(), kWindowClass) : nullptr;
};

TEST(StartUp, SetupWindowIsCentredTopMostAndOwned) {
  Program p;
  ASSERT_TRUE(p.setup) << "no setup window appeared";
  const RECT rc = WindowRect(p.setup);
  EXPECT_EQ(rc.right - rc.left, 364);
  EXPECT_EQ(rc.bottom - rc.top, 483);
  EXPECT_EQ(rc.left, (ScreenWidth() - 364) / 2);
  EXPECT_EQ(rc.top, (ScreenHeight() - 483) / 2);
  EXPECT_TRUE(IsTopMost(p.setup));

  // Owned by a hidden tool window: no taskbar button.
  HWND owner = ::GetWindow(p.setup, GW_OWNER);
  ASSERT_TRUE(owner);
  EXPECT_FALSE(::IsWindowVisible(owner));
  EXPECT_TRUE(ExStyle(owner) & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ExStyle(p.setup) & WS_EX_APPWINDOW);

  const LONG style = Style(p.setup);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP | WS_CHILD));
}

TEST(StartUp, EndsWithExitCodeZero) {
  const struct {
    const char* how;
    void (*close)(HWND);
  } ways[] = {
      {"close box", [](HWND h) { ::PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"WM_CLOSE", [](HWND h) { ::PostMessageW(h, WM_CLOSE, 0, 0); }},
      {"log-off query", [](HWND h) {
         DWORD_PTR answer = 0;
         ::SendMessageTimeoutW(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 2000, &answer);
       }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    Program p;
    ASSERT_TRUE(p.setup);
    way.close(p.setup);
    const auto code = p.child.WaitExit(10000);
    ASSERT_TRUE(code) << "still running";
    EXPECT_EQ(*code, 0u);
  }
}

TEST(StartUp, AltF4EndsTheProgram) {
  Program p;
  ASSERT_TRUE(p.setup);
  ::SetForegroundWindow(p.setup);
  Pump(200);
  INPUT in[4]{};
  for (auto& i : in) i.type = INPUT_KEYBOARD;
  in[0].ki.wVk = VK_MENU;
  in[1].ki.wVk = VK_F4;
  in[2].ki.wVk = VK_F4;
  in[2].ki.dwFlags = KEYEVENTF_KEYUP;
  in[3].ki.wVk = VK_MENU;
  in[3].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(4, in, sizeof in[0]);
  const auto code = p.child.WaitExit(10000);
  ASSERT_TRUE(code) << "Alt+F4 did not end the program";
  EXPECT_EQ(*code, 0u);
}

TEST(StartUp, EscDoesNotCloseTheSetupWindow) {
  Program p;
  ASSERT_TRUE(p.setup);
  ::SetForegroundWindow(p.setup);
  Pump(200);
  PressKey(VK_ESCAPE);
  Pump(300);
  EXPECT_TRUE(p.child.Running());
  EXPECT_TRUE(::IsWindowVisible(p.setup));
}

}  // namespace
}  // namespace vt
