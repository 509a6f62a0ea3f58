// A window that cannot be created where it was to take over from the last one (as the fresh setup
// window does when the mask is removed) must not end the program as if the user had: the toolkit
// reports it as a fatal error, like a start window that cannot be loaded.
#include <gtest/gtest.h>

#include "support/processes.h"
#include "support/windows.h"

namespace vt {
namespace {

constexpr wchar_t kWindowClass[] = L"VeiloraWindow";
constexpr UINT kTrayCallback = WM_APP + 100;

std::vector<HWND> OfClass(DWORD pid, const wchar_t* cls) {
  std::vector<HWND> out;
  for (HWND h : WindowsOf(pid, true))
    if (ClassOf(h) == cls) out.push_back(h);
  return out;
}

TEST(FailedLoad, ReplacingTheLastWindowEitherGoesOnOrReportsTheFailure) {
  const struct Case {
    const wchar_t* args;
    bool refused;
  } cases[] = {{L"allow", false}, {L"refuse", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refused ? "creation refused" : "creation allowed");
    Child child = Start(L"failed_load_fixture.exe", c.args);
    ASSERT_TRUE(child);
    ASSERT_TRUE(WaitFor([&] { return OfClass(child.pid(), kWindowClass).size() == 2; }, 20000));
    HWND covered = nullptr, panel = nullptr;
    for (HWND h : OfClass(child.pid(), kWindowClass)) (WindowRect(h).left < 200 ? covered : panel) = h;
    ASSERT_TRUE(covered && panel);

    ::PostMessageW(panel, kTrayCallback, 100, WM_LBUTTONUP);
    if (!c.refused) {
      // A fresh window took over and the program goes on.
      ASSERT_TRUE(WaitFor([&] { return !::IsWindow(covered) && !::IsWindow(panel); }));
      EXPECT_TRUE(WaitFor([&] { return OfClass(child.pid(), kWindowClass).size() == 1; }));
      Pump(300);
      EXPECT_TRUE(child.Running());
      continue;
    }
    HWND box = WaitForWindow(child.pid(), L"#32770", 10000);
    ASSERT_TRUE(box) << "the program ended without a word (exit code "
                     << child.WaitExit(0).value_or(0x12345678) << ")";
    EXPECT_TRUE(child.Running());
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    const auto code = child.WaitExit(10000);
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0xFFFFFFFFu);
  }
}

}  // namespace
}  // namespace vt
