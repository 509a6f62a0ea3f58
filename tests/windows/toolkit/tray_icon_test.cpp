// Notification-area icons of loaded windows, asked of the shell itself.
#include "test_units.h"

#include <shellapi.h>

#include "assets/images.h"
#include "toolkit/handles.h"

namespace vt {
namespace {

// The shell knows (window, 100) exactly when a modification that changes nothing succeeds.
bool ShellHasIcon(HWND h) {
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
  nid.hWnd = h;
  nid.uID = 100;
  return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

using TrayIcons = UnitsTest;

TEST_F(TrayIcons, AddThenModifyKeepsOneIconAndFreesTheOldHandle) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  const long icons = vl::LiveHandles(vl::HandleKind::Icon);
  EXPECT_FALSE(ShellHasIcon(Hwnd(A)));
  vl::SetTrayIcon(A, vl::trayIconImage, "Veilora");
  EXPECT_TRUE(ShellHasIcon(Hwnd(A)));
  EXPECT_EQ(vl::LiveHandles(vl::HandleKind::Icon), icons + 1);
  vl::SetTrayIcon(A, vl::trayIconImage, "Veilora");
  EXPECT_TRUE(ShellHasIcon(Hwnd(A)));
  EXPECT_EQ(vl::LiveHandles(vl::HandleKind::Icon), icons + 1) << "the replaced icon handle is destroyed";
  // A tip longer than the record's field is cut, not written past it.
  vl::SetTrayIcon(A, vl::trayIconImage, std::string(300, 'x'));
  EXPECT_TRUE(ShellHasIcon(Hwnd(A)));
}

TEST_F(TrayIcons, DataThatGivesNoIconRemovesTheShownOne) {
  const std::vector<std::uint8_t> good(vl::trayIconImage.data, vl::trayIconImage.data + vl::trayIconImage.size);
  auto with = [&](std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> v = good;
    v[at] = value;
    return v;
  };
  std::vector<std::uint8_t> outside = good;  // first entry's offset far past the end
  outside[6 + 12] = 0xFF;
  outside[6 + 13] = 0xFF;
  outside[6 + 14] = 0xFF;
  for (int e = 1; e < 9; ++e) outside[6 + 16 * e + 15] = 0x7F;  // and every other entry's
  const struct {
    const char* what;
    std::vector<std::uint8_t> data;
  } cases[] = {
      {"empty", {}},
      {"not an icon header", with(2, 7)},
      {"count 0", [&] { auto v = with(4, 0); v[5] = 0; return v; }()},
      {"entries outside the data", outside},
      {"header only", std::vector<std::uint8_t>(good.begin(), good.begin() + 6)},
  };
  ASSERT_TRUE(vl::LoadWindow(A, false));
  const long icons = vl::LiveHandles(vl::HandleKind::Icon);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    vl::SetTrayIcon(A, vl::trayIconImage, "Veilora");
    ASSERT_TRUE(ShellHasIcon(Hwnd(A)));
    vl::SetTrayIcon(A, vl::Bytes{c.data.data(), c.data.size()}, "Veilora");
    EXPECT_FALSE(ShellHasIcon(Hwnd(A)));
    EXPECT_EQ(vl::LiveHandles(vl::HandleKind::Icon), icons);
    // With no icon shown, such data adds nothing.
    vl::SetTrayIcon(A, vl::Bytes{c.data.data(), c.data.size()}, "Veilora");
    EXPECT_FALSE(ShellHasIcon(Hwnd(A)));
  }
}

TEST_F(TrayIcons, EachWindowHasItsOwnIconAndTheProgramEndRemovesThemAll) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  ASSERT_TRUE(vl::LoadWindow(B, false));
  vl::SetTrayIcon(A, vl::trayIconImage, "Veilora");
  vl::SetTrayIcon(B, vl::trayIconImage, "Veilora");
  EXPECT_TRUE(ShellHasIcon(Hwnd(A)));
  EXPECT_TRUE(ShellHasIcon(Hwnd(B)));
  // A callback reaches only the icon's own window.
  ::PostMessageW(Hwnd(B), kTrayCallback, 100, WM_LBUTTONUP);
  RunLoop(50);
  EXPECT_TRUE(g_slots[0].trayEvents.empty());
  EXPECT_EQ(g_slots[1].trayEvents, std::vector<int>{1});
  // What the program's end does first: no icon outlives the process, although the windows
  // are still there at that moment.
  vl::RemoveAllTrayIcons();
  EXPECT_TRUE(::IsWindow(Hwnd(A)));
  EXPECT_FALSE(ShellHasIcon(Hwnd(A)));
  EXPECT_FALSE(ShellHasIcon(Hwnd(B)));
}

TEST_F(TrayIcons, ShellRestartAddsTheIconsAgain) {
  ASSERT_TRUE(vl::LoadWindow(A, false));
  ASSERT_TRUE(vl::LoadWindow(B, false));
  vl::SetTrayIcon(A, vl::trayIconImage, "Veilora");
  // The shell forgets the icon, as when Explorer restarts, and announces the new taskbar.
  NOTIFYICONDATAW nid{};
  nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
  nid.hWnd = Hwnd(A);
  nid.uID = 100;
  ASSERT_TRUE(::Shell_NotifyIconW(NIM_DELETE, &nid));
  const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
  for (vl::WindowUnit* u : {&A, &B}) ::PostMessageW(Hwnd(*u), taskbarCreated, 0, 0);
  RunLoop(100);
  EXPECT_TRUE(ShellHasIcon(Hwnd(A)));
  EXPECT_FALSE(ShellHasIcon(Hwnd(B))) << "a window without an icon adds none";
}

}  // namespace
}  // namespace vt
