// A program on the toolkit that replaces its last window the way removing the mask does: a tray
// event on the panel-like unit destroys the other unit, loads it afresh and destroys itself. With
// the argument "refuse", creating the fresh window fails (a CBT hook refuses every top-level
// window of the toolkit's class from then on), so no window is left.
#include <windows.h>

#include <string>

#include "toolkit/toolkit.h"

namespace {

bool g_refuse = false;
HHOOK g_refusing = nullptr;  // lives until the process ends

vl::WindowDef Definition(int left) {
  vl::WindowDef w;
  w.left = left;
  w.top = 40;
  w.width = 200;
  w.height = 150;
  w.title = "Fixture";
  w.showInTaskbar = false;
  return w;
}

LRESULT CALLBACK Refuse(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND) {
    wchar_t cls[64] = {};
    ::GetClassNameW(reinterpret_cast<HWND>(wp), cls, 64);
    if (std::wstring(cls) == L"VeiloraWindow") return 1;
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

void Replace(int);

vl::WindowUnit Covered{"Covered", [] { return Definition(20); }, vl::WindowEvents{}};
vl::WindowUnit Panel{"Panel", [] { return Definition(300); }, vl::WindowEvents{.trayEvent = Replace}};

void Replace(int) {
  if (g_refuse && !g_refusing)
    g_refusing = ::SetWindowsHookExW(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId());
  vl::DestroyWindow(Covered);
  vl::LoadWindow(Covered, false);
  vl::DestroyWindow(Panel);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
  g_refuse = std::string(cmd ? cmd : "") == "refuse";
  vl::RunProgram([]() -> int {
    vl::InitToolkit();
    vl::LoadStartWindow(Covered);
    vl::LoadWindow(Panel, false);
    vl::RunMessageLoop();
    return 0;
  });
}
